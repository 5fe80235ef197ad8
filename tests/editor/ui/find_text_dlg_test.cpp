// Tests for the find dialog: its controls, the Find Next enabling rule, options from the view and
// the settings store, closing on a match, staying open with the message otherwise.
#include "editor/ui/find_text_dlg.h"

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

class FindTextDlgTest : public testing::Test {
protected:
    void SetUp() override { CEdHistoryTable::instance().clear(); }
    void TearDown() override { CEdHistoryTable::instance().clear(); }

    test::CFakeSearchTarget view{{u"one two", u"two one"}};
    CMemorySettingsStore store;
};

TEST_F(FindTextDlgTest, EveryControlCarriesItsId)
{
    const CFindTextDlg dlg(view, nullptr, &store);
    EXPECT_EQ(dlg.objectName(), "8601");
    const struct {
        const char* name;
        const char* type;
    } controls[] = {
        {"8605", "brindle::CMemComboBox"}, {"8603", "QCheckBox"},    {"8604", "QCheckBox"}, {"8606", "QCheckBox"},
        {"8611", "QRadioButton"},          {"8612", "QRadioButton"}, {"1", "QPushButton"},  {"2", "QPushButton"},
    };
    for (const auto& control : controls) {
        const QWidget* widget = dlg.findChild<QWidget*>(control.name);
        ASSERT_NE(widget, nullptr) << control.name;
        EXPECT_STREQ(widget->metaObject()->className(), control.type) << control.name;
    }
    EXPECT_EQ(dlg.findChild<QAbstractButton*>("1")->text(), "&Find Next");
    EXPECT_EQ(dlg.findChild<QAbstractButton*>("8606")->text(), "R&egular Expression");
}

TEST_F(FindTextDlgTest, FindNextOnlyWithText)
{
    CEdHistoryTable::instance().add(kFindTextHistory, u"two");
    CFindTextDlg dlg(view, nullptr, &store);
    EXPECT_FALSE(dlg.findNextButton()->isEnabled());
    dlg.findWhat()->setEditText("o");
    EXPECT_TRUE(dlg.findNextButton()->isEnabled());
    dlg.findWhat()->setEditText("");
    EXPECT_FALSE(dlg.findNextButton()->isEnabled());
    dlg.findWhat()->setCurrentIndex(0);  // picking a remembered text
    EXPECT_EQ(dlg.findText(), "two");
    EXPECT_TRUE(dlg.findNextButton()->isEnabled());
}

TEST_F(FindTextDlgTest, OptionsFromStoreOrView)
{
    struct SCase {
        bool searched;
        std::uint32_t viewFlags;
        std::uint32_t stored;
        bool selectWord;
        const char* text;
        std::uint32_t shown;
    };
    const SCase cases[] = {
        {false, 0, 0x13, false, "", 0x13},
        {false, 0, 0x04, true, "two", 0x04},
        {true, 0x12, 0x01, false, "last", 0x12},
        {true, 0x00, 0x17, true, "two", 0x00},
    };
    for (const SCase& c : cases) {
        test::CFakeSearchTarget target({u"one two"});
        target.state.searched = c.searched;
        target.state.lastText = u"last";
        target.state.lastFlags = c.viewFlags;
        if (c.selectWord)
            target.select({4, 0}, {7, 0});
        CEdSearchSettings::setFindFlags(store, c.stored);
        const CFindTextDlg dlg(target, nullptr, &store);
        EXPECT_EQ(dlg.findText(), c.text);
        EXPECT_EQ(dlg.searchFlags(), c.shown);
        EXPECT_EQ(dlg.findChild<QRadioButton*>("8611")->isChecked(), (c.shown & kEdFindUp) != 0);
        EXPECT_EQ(dlg.findChild<QRadioButton*>("8612")->isChecked(), (c.shown & kEdFindUp) == 0);
    }
}

TEST_F(FindTextDlgTest, MatchClosesTheDialogAndIsRecorded)
{
    view.place({1, 0});
    CFindTextDlg dlg(view, nullptr, &store);
    dlg.findWhat()->setEditText("ONE");
    dlg.findChild<QCheckBox*>("8603")->setChecked(true);
    dlg.findNextButton()->click();

    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(view.selStart, (STextPos{4, 1}));
    EXPECT_EQ(view.selEnd, (STextPos{7, 1}));
    EXPECT_TRUE(view.state.searched);
    EXPECT_EQ(view.state.lastText, u"ONE");
    EXPECT_EQ(view.state.lastFlags, kEdFindWholeWord);
    EXPECT_EQ(CEdSearchSettings::findFlags(store), kEdFindWholeWord);
    EXPECT_EQ(CEdHistoryTable::instance().first(kFindTextHistory), u"ONE");
}

TEST_F(FindTextDlgTest, NoMatchShowsTheMessageAndStaysOpen)
{
    CFindTextDlg dlg(view, nullptr, &store);
    dlg.show();
    dlg.findWhat()->setEditText("three");
    dlg.findChild<QCheckBox*>("8604")->setChecked(true);
    dlg.findNextButton()->click();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(view.notFound, std::vector<std::u16string>{u"three"});
    EXPECT_FALSE(view.state.searched);

    dlg.reject();
    EXPECT_TRUE(view.state.searched);
    EXPECT_EQ(CEdSearchSettings::findFlags(store), kEdFindMatchCase);
}

TEST(NotFoundMessage, QuotesTheTextRightAfterTheWords)
{
    EXPECT_EQ(notFoundMessage(u"abc"), "Cannot find string\"abc\"");
}

}  // namespace
}  // namespace brindle
