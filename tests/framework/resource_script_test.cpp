// Reading the resource files: string escapes, nested menus, accelerators, tool bars, errors.
#include "framework/resource_script.h"

#include "engine/engine_strings.h"
#include "framework/command_ids.h"
#include "framework/resources.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

TEST(ResourceScript, StringsWithEscapes)
{
    CResourceScript script;
    script.parseStrings(QStringLiteral("# comment\n2188\tA new version!\\nAsk?\n7\ttab\\there\r\nbad line\n"),
                        QStringLiteral("s"));
    EXPECT_EQ(script.strings.value(2188), QStringLiteral("A new version!\nAsk?"));
    EXPECT_EQ(script.strings.value(7), QStringLiteral("tab\there"));
    EXPECT_EQ(script.errors.size(), 1);
}

TEST(ResourceScript, NestedMenus)
{
    CResourceScript script;
    script.parseMenus(QStringLiteral("MENU 5\n POPUP \"&File\"\n  MENUITEM \"&Open\\tCtrl+O\", 57601\n"
                                     "  MENUITEM SEPARATOR\n  POPUP \"More\"\n   MENUITEM \"X \\\"y\\\"\", 9\n  END\n"
                                     " END\nEND\n"),
                      QStringLiteral("m"));
    ASSERT_TRUE(script.errors.isEmpty()) << script.errors.join(u'\n').toStdString();
    const std::vector<SMenuItem> menu = script.menus.value(5);
    ASSERT_EQ(menu.size(), 1u);
    const SMenuItem& file = menu.front();
    EXPECT_EQ(file.text, QStringLiteral("&File"));
    ASSERT_EQ(file.children.size(), 3u);
    EXPECT_EQ(file.children[0].id, 57601);
    EXPECT_EQ(file.children[0].text, QStringLiteral("&Open\tCtrl+O"));
    EXPECT_TRUE(file.children[1].separator);
    EXPECT_EQ(file.children[2].children.front().text, QStringLiteral("X \"y\""));
}

TEST(ResourceScript, UnclosedMenuIsAnError)
{
    CResourceScript script;
    script.parseMenus(QStringLiteral("MENU 5\n POPUP \"&File\"\n"), QStringLiteral("m"));
    EXPECT_FALSE(script.errors.isEmpty());
    EXPECT_FALSE(script.menus.contains(5));
}

TEST(ResourceScript, AcceleratorsAndToolBars)
{
    CResourceScript script;
    script.parseAccelerators(QStringLiteral("ACCELERATORS 1\n \"Ctrl+M\", 32772\n \"F5\", 32774\nEND\n"),
                             QStringLiteral("a"));
    script.parseToolBars(QStringLiteral("TOOLBAR 1\n BUTTON 32772 \"document-new\"\n SEPARATOR\nEND\n"),
                         QStringLiteral("t"));
    const std::vector<SAccelerator> keys = script.accelerators.value(1);
    const std::vector<SToolButton> buttons = script.toolBars.value(1);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[1].key, QStringLiteral("F5"));
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0].icon, QStringLiteral("document-new"));
    EXPECT_EQ(buttons[1].id, 0);
}

TEST(Resources, BuiltInResourcesReadCleanly)
{
    CResources& resources = CResources::instance();
    resources.loadBuiltIn();
    EXPECT_TRUE(resources.errors().isEmpty()) << resources.errors().join(u'\n').toStdString();
    EXPECT_EQ(resources.string(kStrComparisonResults), QStringLiteral("Comparison Results"));
    for (int menu :
         {res::kMainFrame, res::kComparisonWindow, res::kHexView, res::kMergeEditor, res::kTextEditor, res::kLinkMenu})
        EXPECT_NE(resources.menu(menu), nullptr) << menu;
    EXPECT_NE(resources.toolBar(res::kMainFrame), nullptr);
    EXPECT_FALSE(resources.programVersion().isEmpty());
}

TEST(Resources, PlainMenuText)
{
    EXPECT_EQ(plainMenuText(QStringLiteral("&Compare Files...\tCtrl+M")), QStringLiteral("Compare Files..."));
    EXPECT_EQ(plainMenuText(QStringLiteral("A && B")), QStringLiteral("A & B"));
}

}  // namespace
}  // namespace brindle
