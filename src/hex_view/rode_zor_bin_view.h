// The hex view inside the binary viewer's window, with the viewer's context menu.
#pragma once

#include "hex_view/hex_edit_view.h"

class QContextMenuEvent;

namespace brindle {

class CRodeZorBinDoc;

// Shows the bytes of its CRodeZorBinDoc. The context menu is the "&Edit" submenu of the viewer's
// menu (resource 131) as the current resources give it.
class CRodeZorBinView : public CHexEditView {
    Q_OBJECT
public:
    static constexpr int kMenuId = 131;

    explicit CRodeZorBinView(QWidget* parent = nullptr);
    CRodeZorBinDoc* binDocument() const;

    void onInitialUpdate() override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
};

}  // namespace brindle
