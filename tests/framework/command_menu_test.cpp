// Context menus from a menu resource: structure, enabling by the target's companions, and
// choosing an item runs the target's handler.
#include "framework/command_menu.h"

#include "framework/cmd_target.h"
#include "framework/resource_script.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

#include <vector>

namespace brindle {
namespace {

class CRecordingTarget : public CCmdTarget {
public:
    CRecordingTarget()
    {
        for (const int id : {1, 2, 3})
            onCommand(id, [this, id] { ran.push_back(id); });
        onUpdateCommand(2, [](CCmdUI& ui) { ui.enable(false); });
    }
    std::vector<int> ran;
};

TEST(CommandMenu, ItemsEnabledByTheTargetAndRoutedToIt)
{
    const std::vector<SMenuItem> items = {
        {"&Copy\tCtrl+C", 1, false, {}, false},  {"", 0, true, {}, false},
        {"&Paste\tCtrl+V", 2, false, {}, false}, {"&More", 0, false, {{"&Deeper", 3, false, {}, false}}, true},
        {"&Unknown", 99, false, {}, false},
    };
    CRecordingTarget target;
    QMenu menu;
    AddCommandMenuItems(menu, items, target);

    const QList<QAction*> actions = menu.actions();
    ASSERT_EQ(actions.size(), 5);
    struct SCase {
        const char* text;
        const char* shortcut;
        bool separator;
        bool enabled;
    };
    const SCase cases[] = {
        {"&Copy", "Ctrl+C", false, true}, {"", "", true, true},           {"&Paste", "Ctrl+V", false, false},
        {"&More", "", false, true},       {"&Unknown", "", false, false},
    };
    for (int i = 0; i < actions.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actions[i]->text().toStdString(), cases[i].text);
        EXPECT_EQ(actions[i]->shortcut().toString().toStdString(), cases[i].shortcut);
        EXPECT_EQ(actions[i]->isSeparator(), cases[i].separator);
        EXPECT_EQ(actions[i]->isEnabled(), cases[i].enabled);
    }
    ASSERT_NE(actions[3]->menu(), nullptr);
    ASSERT_EQ(actions[3]->menu()->actions().size(), 1);

    actions[0]->trigger();
    actions[3]->menu()->actions()[0]->trigger();
    EXPECT_EQ(target.ran, (std::vector<int>{1, 3}));
}

}  // namespace
}  // namespace brindle
