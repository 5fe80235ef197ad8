#include "hex_view/rode_zor_bin_view.h"

#include "framework/command_menu.h"
#include "framework/resources.h"
#include "hex_view/rode_zor_bin_doc.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace brindle {

CRodeZorBinView::CRodeZorBinView(QWidget* parent) : CHexEditView(parent) {}

CRodeZorBinDoc* CRodeZorBinView::binDocument() const { return dynamic_cast<CRodeZorBinDoc*>(document()); }

void CRodeZorBinView::onInitialUpdate()
{
    // A pane opened later by splitting the window joins the bytes the document already has.
    if (CRodeZorBinDoc* doc = binDocument(); doc && !doc->isShownIn(*this))
        doc->showIn(*this);
    CHexEditView::onInitialUpdate();
}

void CRodeZorBinView::contextMenuEvent(QContextMenuEvent* event)
{
    const std::vector<SMenuItem>* items = CResources::instance().menu(kMenuId);
    if (!items || items->size() < 2)
        return;
    QMenu menu(this);
    AddCommandMenuItems(menu, (*items)[1].children, *this);
    menu.exec(event->globalPos());
}

}  // namespace brindle
