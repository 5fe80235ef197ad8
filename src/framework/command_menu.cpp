// Context menus built from a menu resource, each item routed to a command target.
#include "framework/command_menu.h"

#include "framework/cmd_target.h"
#include "framework/resource_script.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace brindle {

void AddCommandMenuItems(QMenu& menu, const std::vector<SMenuItem>& items, CCmdTarget& target)
{
    for (const SMenuItem& item : items) {
        if (item.separator) {
            menu.addSeparator();
            continue;
        }
        if (item.popup || !item.children.empty()) {
            AddCommandMenuItems(*menu.addMenu(item.text), item.children, target);
            continue;
        }
        QAction* action = menu.addAction(item.text.section(u'\t', 0, 0));
        action->setShortcut(QKeySequence(item.text.section(u'\t', 1)));
        action->setShortcutVisibleInContextMenu(true);
        CCmdUI ui(item.id);
        action->setEnabled(target.onUpdateCmdUI(ui) && ui.enabled());
        const int id = item.id;
        QObject::connect(action, &QAction::triggered, &menu, [&target, id] { target.onCmdMsg(id); });
    }
}

}  // namespace brindle
