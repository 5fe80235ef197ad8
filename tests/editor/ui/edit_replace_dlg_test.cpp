// Tests for the replace dialog: its controls, the enabling and default-button rules, the scope,
// Replace All with ^ through the buttons, and what closing leaves behind.
#include "editor/ui/edit_replace_dlg.h"
#include "framework/qt_utf16.h"

#include "editor/ed_history_table.h"
#include "editor/ed_search_settings.h"
#include "editor/fake_search_target.h"
#include "editor/ui/mem_combo_box.h"
#include "platform/memory_settings_store.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace brindle {
namespace {

class EditReplaceDlgTest : public testing::Test {
protected:
    void SetUp() override { CEdHistoryTable::instance().clear(); }
    void TearDown() override { CEdHistoryTable::instance().clear(); }

    CMemorySettingsStore store;
};

TEST_F(EditReplaceDlgTest, EveryControlCarriesItsId)
{
    test::CFakeSearchTarget view({u"x"});
    const CEditReplaceDlg dlg(view, nullptr, &store);
    EXPECT_EQ(dlg.objectName(), "8602");
    const struct {
        const char* name;
        const char* text;
    } controls[] = {
        {"8605", nullptr},
        {"8609", nullptr},
        {"8603", "Match &whole word only"},
        {"8604", "Match &case"},
        {"8606", "R&egular Expression"},
        {"8613", "&Selection"},
        {"8614", "Wh&ole file"},
        {"8610", "&Find Next"},
        {"8607", "&Replace"},
        {"8608", "Replace &All"},
        {"2", "Cancel"},
    };
    for (const auto& control : controls) {
        const QWidget* widget = dlg.findChild<QWidget*>(control.name);
        ASSERT_NE(widget, nullptr) << control.name;
        if (control.text != nullptr) {
            EXPECT_EQ(qobject_cast<const QAbstractButton*>(widget)->text(), control.text) << control.name;
        }
    }
    EXPECT_EQ(dlg.findWhat()->historyName(), "FindText");
    EXPECT_EQ(dlg.replaceWith()->historyName(), "ReplaceText");
}

TEST_F(EditReplaceDlgTest, FindNextFollowsTheFindTextOnEditAndSelectionChanges)
{
    CEdHistoryTable::instance().add(kFindTextHistory, u"x");
    test::CFakeSearchTarget view({u"x"});
    CEditReplaceDlg dlg(view, nullptr, &store);
    const struct {
        int index;  // -1: type the text instead
        const char* text;
        bool enabled;
    } steps[] = {{-1, "", false}, {-1, "a", true}, {-1, "", false}, {0, "x", true}, {-1, "", false}};
    for (const auto& step : steps) {
        if (step.index >= 0)
            dlg.findWhat()->setCurrentIndex(step.index);
        else
            dlg.findWhat()->setEditText(step.text);
        EXPECT_EQ(dlg.findText(), step.text);
        EXPECT_EQ(dlg.findNextButton()->isEnabled(), step.enabled) << step.text;
    }
}

TEST_F(EditReplaceDlgTest, ScopeStartsFromTheSelection)
{
    test::CFakeSearchTarget plain({u"abc", u"def"});
    const CEditReplaceDlg whole(plain, nullptr, &store);
    EXPECT_TRUE(whole.wholeFileButton()->isChecked());
    EXPECT_FALSE(whole.selectionButton()->isEnabled());

    test::CFakeSearchTarget selected({u"abc", u"def"});
    selected.select({1, 0}, {2, 1});
    const CEditReplaceDlg scoped(selected, nullptr, &store);
    EXPECT_TRUE(scoped.selectionButton()->isChecked());
    EXPECT_EQ(scoped.findText(), "");

    test::CFakeSearchTarget word({u"abc", u"def"});
    word.select({0, 1}, {2, 1});
    const CEditReplaceDlg oneLine(word, nullptr, &store);
    EXPECT_EQ(oneLine.findText(), "de");
    EXPECT_TRUE(oneLine.wholeFileButton()->isChecked());
    EXPECT_TRUE(oneLine.selectionButton()->isEnabled());
}

TEST_F(EditReplaceDlgTest, ReplaceBecomesDefaultWhileAMatchIsSelected)
{
    test::CFakeSearchTarget view({u"a a"});
    CEditReplaceDlg dlg(view, nullptr, &store);
    dlg.findWhat()->setEditText("a");
    dlg.replaceWith()->setEditText("b");
    EXPECT_TRUE(dlg.findNextButton()->isDefault());

    const struct {
        QPushButton* button;
        const char* line;
        bool replaceDefault;
    } steps[] = {
        {dlg.replaceButton(), "a a", true},   // finds only
        {dlg.replaceButton(), "b a", true},   // replaces, finds the next
        {dlg.replaceButton(), "b b", false},  // replaces the last
        {dlg.findNextButton(), "b b", false},
    };
    for (const auto& step : steps) {
        step.button->click();
        EXPECT_EQ(view.lines(), std::vector<std::u16string>{toU16String(QString(step.line))});
        EXPECT_EQ(dlg.replaceButton()->isDefault(), step.replaceDefault) << step.line;
        EXPECT_EQ(dlg.findNextButton()->isDefault(), !step.replaceDefault) << step.line;
    }
    EXPECT_EQ(view.notFound.size(), 2u);
}

TEST_F(EditReplaceDlgTest, ReplaceAllCaretInSelectionThenClose)
{
    test::CFakeSearchTarget view({u"one", u"two", u"three"});
    view.select({0, 0}, {3, 1});
    CEditReplaceDlg dlg(view, nullptr, &store);
    dlg.findWhat()->setEditText("^");
    dlg.replaceWith()->setEditText("> ");
    dlg.findChild<QCheckBox*>("8606")->setChecked(true);
    dlg.replaceAllButton()->click();
    EXPECT_EQ(view.lines(), (std::vector<std::u16string>{u"> one", u"> two", u"three"}));

    dlg.reject();
    EXPECT_EQ(view.selStart, (STextPos{0, 0}));
    EXPECT_EQ(view.selEnd, (STextPos{5, 1}));
    EXPECT_TRUE(view.state.replaced);
    EXPECT_EQ(view.state.lastText, u"^");
    EXPECT_EQ(view.state.lastReplaceFlags, kEdFindRegExp);
    EXPECT_EQ(CEdSearchSettings::replaceFlags(store), kEdFindRegExp);
    EXPECT_EQ(CEdHistoryTable::instance().first(kFindTextHistory), u"^");
    EXPECT_EQ(CEdHistoryTable::instance().first(kReplaceTextHistory), u"> ");

    // The next dialog on this view opens with what it left.
    view.place({0, 0});
    const CEditReplaceDlg next(view, nullptr, &store);
    EXPECT_EQ(next.findText(), "^");
    EXPECT_EQ(next.replaceText(), "> ");
    EXPECT_EQ(next.searchFlags(), kEdFindRegExp);
}

TEST_F(EditReplaceDlgTest, WholeFileChosenOverASelection)
{
    test::CFakeSearchTarget view({u"aa", u"aa"});
    view.select({0, 0}, {1, 1});
    CEditReplaceDlg dlg(view, nullptr, &store);
    EXPECT_TRUE(dlg.selectionButton()->isChecked());
    dlg.wholeFileButton()->setChecked(true);
    dlg.findWhat()->setEditText("a");
    dlg.replaceWith()->setEditText("b");
    dlg.replaceAllButton()->click();
    EXPECT_EQ(view.lines(), (std::vector<std::u16string>{u"bb", u"bb"}));
}

}  // namespace
}  // namespace brindle
