// The plain text editor's view, and the base of the merge editor's view.
#pragma once

#include "editor/ed_parser.h"
#include "editor/ui/ed_edit_view_ex.h"
#include "framework/position_target.h"

namespace brindle {

// Shows the text buffer of its CEditDoc, coloured as a merge file (text type 23, "Compare")
// whatever the file's extension, keeps the title markers right when it becomes active, and offers
// the "&Edit" menu of menu 153 as its context menu.
class CTlEditView : public CEdEditViewEx, public CPositionTarget {
    Q_OBJECT
public:
    explicit CTlEditView(QWidget* parent = nullptr);

    // The base update, then text type 23.
    void onInitialUpdate() override;
    // Puts the document's modified state into the titles of the main window and this view's frame.
    void onActivateView(bool activate) override;
    // CPositionTarget: line counted from 0; past the end goes to the last line.
    void goToLine(std::int64_t line) override;

protected:
    CEdTextBuffer* LocateTextBuffer() const override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    CEdParser m_parser;
};

}  // namespace brindle
