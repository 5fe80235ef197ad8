// Every menu item a user sees leads somewhere: each kind of window is opened in the real main
// frame, brought into the states a user reaches, and every item of its menus (as the menu bar
// built from the resources shows them), of the tool bar and of the context menus is checked to be
// enabled in one of those states. Items disabled on purpose are listed below with their reason.
// And every command a window's view handles has a door: a menu item or a key.
#include "app/brd_app.h"
#include "app/hlink_ctrl.h"
#include "app/main_frame.h"
#include "compare_ui/brd_doc.h"
#include "compare_ui/brd_view.h"
#include "compare_ui/comp_ctrl.h"
#include "editor/ed_abbreviations.h"
#include "editor/ui/ed_text_view.h"
#include "engine/comp_file_opt.h"
#include "frame_test_support.h"
#include "framework/command_ids.h"
#include "framework/doc_template.h"
#include "framework/mdi_child_wnd.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "framework/template_positions.h"
#include "framework/view.h"
#include "platform/settings_store.h"
#include "support/temp_dir.h"
#include "support/user_door.h"

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#if !defined(BRINDLE_VPROBE_STUB_PATH)
#error "BRINDLE_VPROBE_STUB_PATH names the update-library stand-in"
#endif

namespace brindle {
namespace {

using test::settle;

constexpr int kReportPaneMenu = 152;
constexpr int kLinkMenu = 103;

struct SDisabledItem {
    int menu;  // resource id of the menu
    int first;
    int last;
    const char* reason;
};

// The items no reachable state enables, each for its reason.
const SDisabledItem kDisabledOnPurpose[] = {
    {res::kMainFrame, cmd::kFileMruFirst, cmd::kFileMruFirst, "stands in for the recent files while there are none"},
    {res::kComparisonWindow, cmd::kFileMruFirst, cmd::kFileMruFirst, "stands in for the recent files"},
    {res::kMergeEditor, cmd::kFileMruFirst, cmd::kFileMruFirst, "stands in for the recent files"},
    {res::kHexView, cmd::kFileMruFirst, cmd::kFileMruFirst, "stands in for the recent files"},
    {res::kTextEditor, cmd::kFileMruFirst, cmd::kFileMruFirst, "stands in for the recent files"},
    {res::kMergeEditor, 32800, 32800, "spelling needs the outside checker library beside the program; none is there"},
    {res::kTextEditor, 32800, 32800, "spelling needs the outside checker library beside the program; none is there"},
    {res::kHexView, 37000, 37000, "the hex view's Edit > Delete has no handler; the Del key deletes the selection"},
    {res::kHexView, 40011, 40026, "the row width stays 16 bytes"},
    {res::kComparisonWindow, cmd::kEditUndo, cmd::kEditUndo, "the report panes are read-only"},
    {res::kComparisonWindow, cmd::kEditCut, cmd::kEditCut, "the report panes are read-only"},
    {res::kComparisonWindow, cmd::kEditPaste, cmd::kEditPaste, "the report panes are read-only"},
    {kReportPaneMenu, cmd::kEditUndo, cmd::kEditUndo, "the report panes are read-only"},
    {kReportPaneMenu, cmd::kEditCut, cmd::kEditCut, "the report panes are read-only"},
    {kReportPaneMenu, cmd::kEditPaste, cmd::kEditPaste, "the report panes are read-only"},
    {kReportPaneMenu, 57632, 57632, "the report panes are read-only (Clear)"},
};

// Commands a view handles that no menu item or command key reaches, each for its reason.
const SDisabledItem kKeyOnlyCommands[] = {
    {res::kHexView, 57632, 57632, "the hex view's Del key deletes the selection itself"},
};

bool listed(const SDisabledItem* first, const SDisabledItem* last, int menu, int id)
{
    for (const SDisabledItem* item = first; item != last; ++item) {
        if (item->menu == menu && id >= item->first && id <= item->last)
            return true;
    }
    return false;
}

// Command id -> whether some state enabled it.
using SeenItems = std::map<int, bool>;

void note(SeenItems& seen, int id, bool enabled) { seen[id] = seen[id] || enabled; }

// Opens every menu of the menu bar, as a user browsing it would, and notes its items.
void walkMenuBar(CMainFrame& frame, SeenItems& seen)
{
    std::function<void(QMenu*)> walk = [&](QMenu* menu) {
        emit menu->aboutToShow();
        frame.updateCommandUI();  // the idle update may come while the menu is open
        for (QAction* action : menu->actions()) {
            if (action->menu())
                walk(action->menu());
            else if (!action->isSeparator() && action->data().toInt() != 0)
                note(seen, action->data().toInt(), action->isEnabled());
        }
    };
    for (QAction* top : frame.menuBar()->actions()) {
        if (top->menu())
            walk(top->menu());
    }
}

void walkToolBar(CMainFrame& frame, SeenItems& seen)
{
    frame.updateCommandUI();
    for (QToolBar* bar : frame.findChildren<QToolBar*>()) {
        for (QAction* action : bar->actions()) {
            if (!action->isSeparator())
                note(seen, action->data().toInt(), action->isEnabled());
        }
    }
}

// The command ids of menu resource id, submenus included.
std::set<int> menuIds(int id)
{
    std::set<int> ids;
    std::function<void(const std::vector<SMenuItem>&)> walk = [&](const std::vector<SMenuItem>& items) {
        for (const SMenuItem& item : items) {
            if (item.popup || !item.children.empty())
                walk(item.children);
            else if (!item.separator)
                ids.insert(item.id);
        }
    };
    if (const std::vector<SMenuItem>* items = CResources::instance().menu(id))
        walk(*items);
    return ids;
}

std::set<int> acceleratorIds(int table)
{
    std::set<int> ids;
    if (const std::vector<SAccelerator>* keys = CResources::instance().accelerators(table)) {
        for (const SAccelerator& key : *keys)
            ids.insert(key.id);
    }
    return ids;
}

// Checks what one menu showed against what its resource defines and the list above.
void expectEveryItemEnabledSomewhere(int menu, const SeenItems& seen)
{
    SCOPED_TRACE("menu " + std::to_string(menu));
    for (int id : menuIds(menu)) {
        const auto it = seen.find(id);
        ASSERT_NE(seen.end(), it) << "item " << id << " is not in the menu the user sees";
        const bool onList = listed(std::begin(kDisabledOnPurpose), std::end(kDisabledOnPurpose), menu, id);
        if (onList)
            EXPECT_FALSE(it->second) << "item " << id << " is listed as disabled but was enabled";
        else
            EXPECT_TRUE(it->second) << "item " << id << " is enabled in no state the test reaches";
    }
}

class MenuDoorsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_app.initInstance(QString()));
        frame().resize(1000, 700);
        ASSERT_TRUE(test::activate(frame()));
        // The text editors' states: a word to complete, an abbreviation to expand.
        m_dir.write("a.cpp", "foobar\nhello\n");
        m_dir.write("a.h", "");
        m_dir.write("b.bin", std::string("\x01\x02hello", 7));
        userSettingsStore().writeString(CEdAbbreviations::KeyOf(u"Compare"), u"fo", u"four");
    }
    void TearDown() override
    {
        m_app.closeAllDocuments();
        settle();
    }

    CMainFrame& frame() { return *m_app.mainFrame(); }
    QString path(const char* name) const { return QString::fromStdString(m_dir.file(name)); }
    void keys(const char* sequence)
    {
        test::pressKeys(frame(), QKeySequence(QString::fromLatin1(sequence)));
        settle();
    }

    // Notes menu bar and tool bar, then again after each state is reached.
    SeenItems walkStates(const std::vector<std::function<void()>>& states)
    {
        SeenItems seen;
        walkMenuBar(frame(), seen);
        walkToolBar(frame(), m_toolBar);
        for (const auto& reach : states) {
            reach();
            settle();
            walkMenuBar(frame(), seen);
            walkToolBar(frame(), m_toolBar);
        }
        return seen;
    }

    CBRDDoc* openComparison(const QString& mergePath)
    {
        m_dir.write("one.cpp", "foobar\nhello\n");
        m_dir.write("two.cpp", "foobar\nworld\n");
        CCompFileOpt record;
        record.m_file1Path = toU16String(path("one.cpp"));
        record.m_file2Path = toU16String(path("two.cpp"));
        CBRDDoc* document = CBRDDoc::openComparison(record, mergePath);
        settle();
        return document;
    }

    // The states of an editor window: a word before the caret to complete and expand, a bookmark,
    // a search done, text on the clipboard; then a selection; then a change undone.
    std::vector<std::function<void()>> editorStates()
    {
        return {
            [this] {
                keys("Ctrl+End");
                keys("Return");
                QTest::keyClicks(frame().focusWidget(), QStringLiteral("fo"));
                keys("Ctrl+F2");
                QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
                test::CDialogAnswers answers;
                answers.then([](QDialog& dialog) {
                    dialog.findChild<QComboBox*>()->setEditText(QStringLiteral("hel"));
                    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
                        if (button->isDefault())
                            button->click();
                    }
                });
                keys("Ctrl+F");
                keys("Ctrl+End");
            },
            [this] { keys("Ctrl+A"); },
            [this] { keys("Ctrl+Z"); },
        };
    }

    test::CTempDir m_dir;
    test::CMemorySettings m_settings;
    CBRDApp m_app{QStringLiteral(BRINDLE_VPROBE_STUB_PATH)};
    SeenItems m_toolBar;
};

TEST_F(MenuDoorsTest, EveryItemOfEveryWindowIsEnabledInAStateAUserReaches)
{
    expectEveryItemEnabledSomewhere(res::kMainFrame, walkStates({}));

    CBRDDoc* comparison = openComparison(QString());
    ASSERT_NE(nullptr, comparison);
    const SeenItems comparisonItems = walkStates({
        [this, comparison] {
            test::activate(frame());
            comparison->sectionList()->setFocus();
        },
        [this, comparison] {
            test::activate(frame());
            comparison->pane1().setFocus();
        },
    });
    expectEveryItemEnabledSomewhere(res::kComparisonWindow, comparisonItems);
    m_app.closeAllDocuments();
    settle();

    ASSERT_NE(nullptr, openComparison(path("merge.cpp")));
    m_dir.write("merge.h", "");
    ASSERT_EQ(res::kMergeEditor, frame().menuResource());
    expectEveryItemEnabledSomewhere(res::kMergeEditor, walkStates(editorStates()));
    m_app.closeAllDocuments();
    settle();

    ASSERT_NE(nullptr, m_app.openDocumentFile(path("a.cpp")));
    settle();
    ASSERT_EQ(res::kTextEditor, frame().menuResource());
    expectEveryItemEnabledSomewhere(res::kTextEditor, walkStates(editorStates()));

    ASSERT_NE(nullptr, m_app.openDocumentFile(path("b.bin")));
    settle();
    ASSERT_EQ(res::kHexView, frame().menuResource());
    const auto selectAllWithAClip = [this] {
        QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
        keys("Ctrl+A");
    };
    const auto deleteToHaveAnEditToUndo = [this] { keys("Del"); };
    const SeenItems hexItems = walkStates({selectAllWithAClip, deleteToHaveAnEditToUndo});
    expectEveryItemEnabledSomewhere(res::kHexView, hexItems);

    for (const SToolButton& button : *CResources::instance().toolBar(res::kMainFrame)) {
        if (button.id != 0) {
            EXPECT_TRUE(m_toolBar[button.id]) << "tool button " << button.id << " is enabled in no window";
        }
    }
}

TEST_F(MenuDoorsTest, ReportPaneMenuOffersWhatAReadOnlyPaneCanDo)
{
    CBRDDoc* comparison = openComparison(QString());
    ASSERT_NE(nullptr, comparison);
    CCompCtrl& pane = comparison->pane1();
    pane.setFocus();
    keys("Ctrl+A");
    std::map<QString, int> idOfText;
    for (const SMenuItem& item : CResources::instance().menu(kReportPaneMenu)->front().children)
        idOfText[item.text.section(u'\t', 0, 0)] = item.id;
    SeenItems seen;
    const auto items = test::popupItemsDuring([&] {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), pane.mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(pane.viewport(), &event);
    });
    ASSERT_FALSE(items.empty());
    for (const test::SPopupItem& item : items)
        note(seen, idOfText[item.text], item.enabled);
    expectEveryItemEnabledSomewhere(kReportPaneMenu, seen);
}

TEST_F(MenuDoorsTest, LinkMenuOfTheAboutBoxOffersEveryItem)
{
    SeenItems seen;
    test::CDialogAnswers answers;
    answers.then([&](QDialog& about) {
        auto* link = about.findChild<CHLinkCtrl*>();
        if (link) {
            for (const test::SPopupItem& item : test::popupItemsDuring([link] {
                     QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), link->mapToGlobal(QPoint(2, 2)));
                     QApplication::sendEvent(link, &event);
                 }))
                note(seen, item.id, item.enabled);
        }
        about.reject();
    });
    ASSERT_TRUE(test::chooseMenuItem(frame(), cmd::kAppAbout));
    settle();
    expectEveryItemEnabledSomewhere(kLinkMenu, seen);
}

// The status bar explains every item while the pointer is on it, and every tool button has a tip.
TEST_F(MenuDoorsTest, EveryItemHasAPromptAndEveryButtonATooltip)
{
    for (int menu : {res::kMainFrame, res::kComparisonWindow, res::kMergeEditor, res::kHexView, res::kTextEditor,
                     res::kFolderComparison}) {
        SCOPED_TRACE("menu " + std::to_string(menu));
        frame().setMenuResource(menu);
        for (int id : menuIds(menu)) {
            QAction* action = test::menuAction(frame(), id);
            ASSERT_NE(nullptr, action) << id;
            EXPECT_FALSE(action->statusTip().isEmpty()) << "item " << id << " has no prompt";
        }
    }
    for (QToolBar* bar : frame().findChildren<QToolBar*>()) {
        for (QAction* action : bar->actions()) {
            if (action->isSeparator())
                continue;
            const QString tip = loadString(action->data().toInt()).section(u'\n', 1, 1);
            EXPECT_FALSE(tip.isEmpty()) << "button " << action->data().toInt();
            EXPECT_EQ(tip, action->toolTip());
        }
    }
}

// The merge editor's tag commands stand in its "&Tools" menu, which the plain editor lacks; the
// comparison window's Edit menu holds Undo, Cut, Copy and Paste. Texts as the windows name them.
TEST_F(MenuDoorsTest, MenusCarryTheTextsOfTheirWindows)
{
    struct SCase {
        int menu;
        const char* popup;  // the menu bar entry holding the item
        int id;
        const char* text;
    };
    const SCase cases[] = {
        {res::kMergeEditor, "&Tools", cmd::kRemoveFile1Tags, "Remove remaining file &1 tags"},
        {res::kMergeEditor, "&Tools", cmd::kRemoveFile2Tags, "Remove remaining file &2 tags"},
        {res::kMergeEditor, "&Tools", cmd::kRemoveAllTags, "&Remove all remaining tags"},
        {res::kMergeEditor, "&Tools", cmd::kNextSection, "&Next Section\tF8, Alt+Down"},
        {res::kMergeEditor, "&Tools", cmd::kPrevSection, "&Prev Section\tShift+F8, Alt+Up"},
        {res::kComparisonWindow, "&Edit", cmd::kEditUndo, "&Undo\tCtrl+Z"},
        {res::kComparisonWindow, "&Edit", cmd::kEditCut, "Cu&t\tCtrl+X"},
        {res::kComparisonWindow, "&Edit", cmd::kEditCopy, "&Copy\tCtrl+C"},
        {res::kComparisonWindow, "&Edit", cmd::kEditPaste, "&Paste\tCtrl+V"},
        {res::kComparisonWindow, "&View", cmd::kPrevSection, "&Prev Section\tShift+F8, Alt+Up"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.menu) + " " + c.text);
        frame().setMenuResource(c.menu);
        QMenu* popup = nullptr;
        for (QAction* top : frame().menuBar()->actions()) {
            if (top->menu() && top->text() == QLatin1String(c.popup))
                popup = top->menu();
        }
        ASSERT_NE(popup, nullptr);
        QAction* action = test::menuAction(popup->actions(), c.id);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->property("brindleMenuText").toString(), QString::fromLatin1(c.text));
    }
    frame().setMenuResource(res::kTextEditor);
    for (QAction* top : frame().menuBar()->actions())
        EXPECT_NE(top->text(), QStringLiteral("&Tools"));
}

// Offscreen the lock keys cannot be known: their panes are hidden rather than blank.
TEST_F(MenuDoorsTest, LockKeyPanesAreHiddenWhereTheStateIsUnknown)
{
    frame().updateCommandUI();
    QTest::qWait(250);  // one idle round
    int panes = 0;
    for (QLabel* label : frame().statusBar()->findChildren<QLabel*>()) {
        for (int id : {cmd::kIndicatorCaps, cmd::kIndicatorNum, cmd::kIndicatorScroll}) {
            if (label->text() == loadString(id) || label->property("brindleIndicator").toInt() == id) {
                ++panes;
                EXPECT_FALSE(label->isVisible()) << id;
            }
        }
    }
    EXPECT_EQ(3, panes);
}

// A command that a view handles but no menu item, accelerator or key of the view runs is built
// and unreachable.
TEST_F(MenuDoorsTest, EveryCommandOfAViewHasAMenuItemOrAKey)
{
    const std::set<int> frameKeys = acceleratorIds(res::kMainFrame);
    const struct {
        const char* name;
        const char* file;
        int menu;
    } cases[] = {
        {"plain text editor", "a.cpp", res::kTextEditor},
        {"hex view", "b.bin", res::kHexView},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CDocument* document = m_app.openDocumentFile(path(c.file));
        ASSERT_TRUE(document && !document->views().empty());
        CView* view = document->views().front();
        std::set<int> doors = menuIds(c.menu);
        doors.insert(frameKeys.begin(), frameKeys.end());
        if (auto* editor = dynamic_cast<CEdTextView*>(view)) {
            for (int id : editor->keyCommandIds())
                doors.insert(id);
        }
        for (int id : view->commandIds()) {
            if (!listed(std::begin(kKeyOnlyCommands), std::end(kKeyOnlyCommands), c.menu, id)) {
                EXPECT_TRUE(doors.count(id)) << "command " << id << " has no menu item and no key";
            }
        }
        for (int id : document->commandIds())
            EXPECT_TRUE(doors.count(id)) << "document command " << id << " has no menu item and no key";
    }
}

}  // namespace
}  // namespace brindle
