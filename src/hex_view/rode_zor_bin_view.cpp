#include "hex_view/rode_zor_bin_view.h"

#include "framework/cmd_target.h"
#include "framework/resources.h"
#include "hex_view/rode_zor_bin_doc.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QMenu>

namespace brindle {

CRodeZorBinView::CRodeZorBinView(QWidget* parent) : CHexEditView(parent) {}

CRodeZorBinDoc* CRodeZorBinView::binDocument() const { return dynamic_cast<CRodeZorBinDoc*>(document()); }

void CRodeZorBinView::onInitialUpdate()
{
    // A pane opened later by splitting the window joins the buffer the document already has.
    if (CRodeZorBinDoc* doc = binDocument(); doc && data() != &doc->bytes())
        setData(&doc->bytes());
    CHexEditView::onInitialUpdate();
}

void CRodeZorBinView::contextMenuEvent(QContextMenuEvent* event)
{
    const std::vector<SMenuItem>* items = CResources::instance().menu(kMenuId);
    if (!items || items->size() < 2)
        return;
    QMenu menu(this);
    for (const SMenuItem& item : (*items)[1].children) {
        if (item.separator) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(item.text.section(u'\t', 0, 0));
        action->setShortcut(QKeySequence(item.text.section(u'\t', 1)));
        action->setShortcutVisibleInContextMenu(true);
        CCmdUI ui(item.id);
        action->setEnabled(onUpdateCmdUI(ui) && ui.enabled());
        const int id = item.id;
        connect(action, &QAction::triggered, this, [this, id] { onCmdMsg(id); });
    }
    menu.exec(event->globalPos());
}

}  // namespace brindle
