// Context menus built from a menu resource, each item routed to a command target.
#pragma once

#include <vector>

class QMenu;

namespace brindle {

class CCmdTarget;
struct SMenuItem;

// Adds items (submenus included) to menu. Each command item is enabled as target's update handler
// says at the time of the call and, when chosen, is handled by target; the text after a tab is
// shown as the item's shortcut.
void AddCommandMenuItems(QMenu& menu, const std::vector<SMenuItem>& items, CCmdTarget& target);

}  // namespace brindle
