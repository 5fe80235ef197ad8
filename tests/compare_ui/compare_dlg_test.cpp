// The compare dialog: validation with its messages and focus, the file histories in "Paths", the
// buttons of the "Compare Files" page, the font buttons and running the sheet.
#include "compare_ui/compare_dlg.h"
#include "framework/qt_utf16.h"

#include "compare_ui/color_btn.h"
#include "compare_ui/comp_files_page.h"
#include "compare_ui/compare_dlg_host.h"
#include "compare_ui/display_page.h"
#include "compare_ui/sel_page.h"
#include "engine/comp_file_opt.h"
#include "platform/memory_settings_store.h"
#include "platform/profile.h"
#include "platform/settings_names.h"
#include "support/case_name.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace brindle {
namespace {

constexpr int kBadFileName = 65199;
constexpr int kHeaderFooterPairs = 2148;

// Settings in memory; the dialogs it would open answer what the test put in.
class CTestHost final : public CCompareDlgHost {
public:
    CProfile& profile() override { return m_profile; }
    QFont textFont() const override { return m_textFont; }
    void setTextFont(const QString& face, int pointSize) override
    {
        m_textFont.setFamily(face);
        m_textFont.setPointSize(pointSize);
        ++textFontChanges;
    }
    void sheetClosed() override { ++sheetsClosed; }
    void message(QWidget*, int stringId) override { messages.push_back(stringId); }
    QString openFileName(QWidget*, const QString& startName, const QString& filter) override
    {
        openStarts.push_back(startName);
        openFilters.push_back(filter);
        return openAnswer;
    }
    QString saveFileName(QWidget*, const QString& proposedName, const QString& defaultSuffix,
                         const QString& filter) override
    {
        saveRequests.push_back(proposedName + u'|' + defaultSuffix + u'|' + filter);
        return saveAnswer;
    }
    std::optional<QFont> chooseFont(QWidget*, const QFont& initial) override
    {
        fontInitials.push_back(initial);
        return fontAnswer;
    }

    std::vector<int> messages;
    std::vector<QString> openStarts;
    std::vector<QString> openFilters;
    QString openAnswer;
    std::vector<QString> saveRequests;
    QString saveAnswer;
    std::vector<QFont> fontInitials;
    std::optional<QFont> fontAnswer;
    int textFontChanges = 0;
    int sheetsClosed = 0;

private:
    CMemorySettingsStore m_store;
    CProfile m_profile{m_store};
    QFont m_textFont{QStringLiteral("Shared Face"), 11};
};

std::u16string historyName(int entry) { return pathHistoryValue(kFile1PathValue, entry); }

// The id of the control that has the focus in sheet (a combo for its line edit), or 0.
int focusedControl(const QWidget& sheet)
{
    for (QWidget* widget = sheet.focusWidget(); widget && widget != &sheet; widget = widget->parentWidget()) {
        bool numeric = false;
        const int id = widget->objectName().toInt(&numeric);
        if (numeric)
            return id;
    }
    return 0;
}

QComboBox& combo(const QWidget& sheet, int id) { return *findControl<QComboBox>(sheet, id); }
QLineEdit& edit(const QWidget& sheet, int id) { return *findControl<QLineEdit>(sheet, id); }
QAbstractButton& button(const QWidget& sheet, int id) { return *findControl<QAbstractButton>(sheet, id); }

QStringList listOf(const QComboBox& box)
{
    QStringList items;
    for (int index = 0; index < box.count(); ++index)
        items.append(box.itemText(index));
    return items;
}

// A folder with files a.txt and b.txt and a folder dir; "$" in a case's texts stands for it.
class CompareDlgTest : public testing::Test {
protected:
    CompareDlgTest()
    {
        m_dir.write("a.txt", "a\n");
        m_dir.write("b.txt", "b\n");
        std::filesystem::create_directory(m_dir.path() / "dir");
    }

    QString path(const char* text) const
    {
        return QString::fromUtf8(text).replace(u'$', QString::fromStdString(m_dir.path().string()));
    }
    void setFileTime(const char* name, int hoursAgo) const
    {
        std::filesystem::last_write_time(m_dir.path() / name,
                                         std::filesystem::file_time_type::clock::now() - std::chrono::hours(hoursAgo));
    }

    test::CTempDir m_dir;
    CTestHost m_host;
    CCompFileOpt m_record;
};

// ---- validation of the "Compare Files" page ----

struct SSelValidationCase {
    const char* name;
    const char* file1;
    const char* file2;
    const char* mergeFile;
    bool displayMergeFile;
    int focusedOnFailure;  // 0: accepted
};

class SelPageValidation : public CompareDlgTest, public testing::WithParamInterface<SSelValidationCase> {};

TEST_P(SelPageValidation, RefusesBadNamesAtTheirControl)
{
    const SSelValidationCase& c = GetParam();
    m_record.m_file1Path = toU16String(path(c.file1));
    m_record.m_file2Path = toU16String(path(c.file2));
    m_record.m_outputFile = toU16String(path(c.mergeFile));
    CCompareDlg sheet(m_record, m_host, nullptr);
    findControl<QCheckBox>(sheet, CSelPage::kIdDisplayMerge)->setChecked(c.displayMergeFile);
    sheet.tabs().setCurrentIndex(2);  // a failure brings its page to the front
    sheet.show();

    sheet.accept();
    if (c.focusedOnFailure == 0) {
        EXPECT_EQ(std::vector<int>{}, m_host.messages);
        EXPECT_EQ(QDialog::Accepted, sheet.result());
        EXPECT_EQ(path(c.mergeFile), toQString(m_record.m_outputFile));
        return;
    }
    EXPECT_EQ(std::vector<int>{kBadFileName}, m_host.messages);
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(0, sheet.tabs().currentIndex());
    EXPECT_EQ(c.focusedOnFailure, focusedControl(sheet));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SelPageValidation,
    testing::Values(
        SSelValidationCase{"two_files", "$/a.txt", "$/b.txt", "", false, 0},
        SSelValidationCase{"folders_pass_as_file_names", "$/dir", "$", "", false, 0},
        SSelValidationCase{"file1_missing", "$/none.txt", "$/b.txt", "", false, CSelPage::kIdFile1},
        SSelValidationCase{"file1_empty", "", "$/b.txt", "", false, CSelPage::kIdFile1},
        SSelValidationCase{"file2_missing", "$/a.txt", "$/none.txt", "", false, CSelPage::kIdFile2},
        SSelValidationCase{"both_missing_file1_first", "$/x", "$/y", "", false, CSelPage::kIdFile1},
        SSelValidationCase{"file_checked_before_merge_file", "$/a.txt", "$/x", "", true, CSelPage::kIdFile2},
        SSelValidationCase{"new_merge_file", "$/a.txt", "$/b.txt", "$/out.txt", true, 0},
        SSelValidationCase{"merge_file_empty", "$/a.txt", "$/b.txt", "", true, CSelPage::kIdMergeFile},
        SSelValidationCase{"merge_file_is_folder", "$/a.txt", "$/b.txt", "$/dir", true, CSelPage::kIdMergeFile},
        SSelValidationCase{"merge_file_ends_in_separator", "$/a.txt", "$/b.txt", "$/new/", true,
                           CSelPage::kIdMergeFile},
        SSelValidationCase{"merge_file_is_file1_in_other_case", "$/a.txt", "$/b.txt", "$/A.TXT", true,
                           CSelPage::kIdMergeFile},
        SSelValidationCase{"merge_file_is_file2_in_other_case", "$/a.txt", "$/b.txt", "$/B.txt", true,
                           CSelPage::kIdMergeFile},
        SSelValidationCase{"merge_file_is_file1_by_other_path", "$/a.txt", "$/b.txt", "$/dir/../a.txt", true,
                           CSelPage::kIdMergeFile},
        // Not written, so not checked; the name stays in the record.
        SSelValidationCase{"merge_file_not_displayed_is_not_checked", "$/a.txt", "$/b.txt", "$/a.txt", false, 0}),
    test::SCaseName());

// ---- validation of the "Merge File" page ----

struct SPairCase {
    const char* name;
    const char* header1;
    const char* footer1;
    const char* header2;
    const char* footer2;
    int focusedOnFailure;  // 0: accepted
};

class HeaderFooterPairs : public CompareDlgTest, public testing::WithParamInterface<SPairCase> {};

TEST_P(HeaderFooterPairs, AreCheckedOnOkFile1First)
{
    const SPairCase& c = GetParam();
    m_record.m_file1Path = toU16String(path("$/a.txt"));
    m_record.m_file2Path = toU16String(path("$/b.txt"));
    m_record.m_file1SectionHeader = toU16String(QString::fromUtf8(c.header1));
    m_record.m_file1SectionFooter = toU16String(QString::fromUtf8(c.footer1));
    m_record.m_file2SectionHeader = toU16String(QString::fromUtf8(c.header2));
    m_record.m_file2SectionFooter = toU16String(QString::fromUtf8(c.footer2));
    CCompareDlg sheet(m_record, m_host, nullptr);
    sheet.show();

    sheet.accept();
    if (c.focusedOnFailure == 0) {
        EXPECT_EQ(std::vector<int>{}, m_host.messages);
        EXPECT_EQ(QDialog::Accepted, sheet.result());
        return;
    }
    EXPECT_EQ(std::vector<int>{kHeaderFooterPairs}, m_host.messages);
    EXPECT_EQ(1, sheet.tabs().currentIndex());
    EXPECT_EQ(c.focusedOnFailure, focusedControl(sheet));
    EXPECT_NE(QDialog::Accepted, sheet.result());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HeaderFooterPairs,
    testing::Values(SPairCase{"none", "", "", "", "", 0}, SPairCase{"both_pairs", "<1", "1>", "<2", "2>", 0},
                    SPairCase{"file1_header_only", "<1", "", "", "", CCompFilesPage::kIdFile1SectionFooter},
                    SPairCase{"file1_footer_only", "", "1>", "", "", CCompFilesPage::kIdFile1SectionHeader},
                    SPairCase{"file2_header_only", "", "", "<2", "", CCompFilesPage::kIdFile2SectionFooter},
                    SPairCase{"file2_footer_only", "<1", "1>", "", "2>", CCompFilesPage::kIdFile2SectionHeader},
                    SPairCase{"both_unpaired_file1_first", "", "1>", "<2", "", CCompFilesPage::kIdFile1SectionHeader}),
    test::SCaseName());

TEST_F(CompareDlgTest, LeavingTheMergeFilePageWithAnUnpairedHeaderReturnsToIt)
{
    m_record.m_file2SectionHeader = u"<2";
    CCompareDlg sheet(m_record, m_host, nullptr);
    sheet.show();
    sheet.tabs().setCurrentIndex(1);
    EXPECT_EQ(std::vector<int>{}, m_host.messages);

    sheet.tabs().setCurrentIndex(2);
    EXPECT_EQ(std::vector<int>{kHeaderFooterPairs}, m_host.messages);
    EXPECT_EQ(1, sheet.tabs().currentIndex());
    EXPECT_EQ(CCompFilesPage::kIdFile2SectionFooter, focusedControl(sheet));

    edit(sheet, CCompFilesPage::kIdFile2SectionFooter).setText(QStringLiteral("2>"));
    sheet.tabs().setCurrentIndex(0);
    EXPECT_EQ(1u, m_host.messages.size());
    EXPECT_EQ(0, sheet.tabs().currentIndex());
}

// ---- histories in "Paths" ----

struct SHistoryCase {
    const char* name;
    std::vector<const char*> stored;  // "File11".."File110"
    const char* storedText;           // "File1"
    const char* recordName;           // the record's file-1 name
    const char* typed;                // typed into the combo before OK, or nullptr
    std::vector<const char*> expectedList;
    std::vector<const char*> expectedWritten;  // "File11".."File110" after OK
};

class FileHistory : public CompareDlgTest, public testing::WithParamInterface<SHistoryCase> {};

TEST_P(FileHistory, KeepsTenNamesMostRecentFirst)
{
    const SHistoryCase& c = GetParam();
    CProfile& profile = m_host.profile();
    for (std::size_t entry = 0; entry < c.stored.size(); ++entry)
        profile.writeString(kPathsSection, historyName(static_cast<int>(entry) + 1),
                            toU16String(path(c.stored[entry])));
    profile.writeString(kPathsSection, kFile1PathValue, toU16String(path(c.storedText)));
    m_record.m_file1Path = toU16String(path(c.recordName));
    m_record.m_file2Path = toU16String(path("$/b.txt"));
    CCompareDlg sheet(m_record, m_host, nullptr);
    QComboBox& file1 = combo(sheet, CSelPage::kIdFile1);

    QStringList expectedList;
    for (const char* name : c.expectedList)
        expectedList.append(path(name));
    EXPECT_EQ(expectedList, listOf(file1));
    EXPECT_EQ(path(*c.recordName ? c.recordName : c.storedText), file1.currentText());

    if (c.typed)
        file1.setEditText(path(c.typed));
    sheet.accept();
    ASSERT_EQ(std::vector<int>{}, m_host.messages);
    std::vector<QString> written;
    for (int entry = 1; entry <= 10; ++entry)
        written.push_back(toQString(profile.readString(kPathsSection, historyName(entry), u"unwritten")));
    std::vector<QString> expectedWritten;
    for (const char* name : c.expectedWritten)
        expectedWritten.push_back(path(name));
    expectedWritten.resize(10);
    EXPECT_EQ(expectedWritten, written);
    EXPECT_EQ(file1.currentText(), toQString(profile.readString(kPathsSection, kFile1PathValue)));
    EXPECT_EQ(toQString(m_record.m_file1Path), file1.currentText());
}

const std::vector<const char*> kTenNames = {"$/n1", "$/n2", "$/n3", "$/n4", "$/n5",
                                            "$/n6", "$/n7", "$/n8", "$/n9", "$/n10"};

INSTANTIATE_TEST_SUITE_P(Cases, FileHistory,
                         testing::Values(SHistoryCase{"empty", {}, "", "$/a.txt", nullptr, {"$/a.txt"}, {"$/a.txt"}},
                                         SHistoryCase{"text_from_settings",
                                                      {"$/a.txt", "$/b.txt"},
                                                      "$/b.txt",
                                                      "",
                                                      nullptr,
                                                      {"$/a.txt", "$/b.txt"},
                                                      {"$/a.txt", "$/b.txt"}},
                                         SHistoryCase{"new_name_pushes_the_tenth_out",
                                                      kTenNames,
                                                      "$/n1",
                                                      "$/a.txt",
                                                      nullptr,
                                                      {"$/a.txt", "$/n1", "$/n2", "$/n3", "$/n4", "$/n5", "$/n6",
                                                       "$/n7", "$/n8", "$/n9", "$/n10"},
                                                      {"$/a.txt", "$/n1", "$/n2", "$/n3", "$/n4", "$/n5", "$/n6",
                                                       "$/n7", "$/n8", "$/n9"}},
                                         SHistoryCase{"name_in_the_list_moves_to_the_top",
                                                      {"$/n1", "$/a.txt", "$/n2"},
                                                      "$/n1",
                                                      "$/a.txt",
                                                      nullptr,
                                                      {"$/a.txt", "$/n1", "$/n2"},
                                                      {"$/a.txt", "$/n1", "$/n2"}},
                                         SHistoryCase{"duplicates_and_gaps_in_settings",
                                                      {"$/n1", "", "$/n2", "$/n1", "$/n3"},
                                                      "",
                                                      "$/a.txt",
                                                      nullptr,
                                                      {"$/a.txt", "$/n1", "$/n2", "$/n3"},
                                                      {"$/a.txt", "$/n1", "$/n2", "$/n3"}},
                                         // A typed name is the text ("File1"); the list is written in its own order.
                                         SHistoryCase{"typed_name_is_the_text_and_the_list_keeps_its_order",
                                                      {"$/n1", "$/b.txt"},
                                                      "$/n1",
                                                      "$/a.txt",
                                                      "$/dir",
                                                      {"$/a.txt", "$/n1", "$/b.txt"},
                                                      {"$/a.txt", "$/n1", "$/b.txt"}}),
                         test::SCaseName());

TEST_F(CompareDlgTest, BrowseStartsFromTheComboTextAndPutsTheChoiceOnTop)
{
    m_record.m_file1Path = toU16String(path("$/a.txt"));
    m_record.m_file2Path = toU16String(path("$/b.txt"));
    CCompareDlg sheet(m_record, m_host, nullptr);

    m_host.openAnswer.clear();  // cancelled
    button(sheet, CSelPage::kIdBrowse2).click();
    EXPECT_EQ(QStringList{path("$/b.txt")}, listOf(combo(sheet, CSelPage::kIdFile2)));

    m_host.openAnswer = path("$/dir/c.txt");
    button(sheet, CSelPage::kIdBrowse1).click();
    EXPECT_EQ((std::vector<QString>{path("$/b.txt"), path("$/a.txt")}), m_host.openStarts);
    EXPECT_EQ(QStringLiteral("All Files|*.*||"), m_host.openFilters.back());
    EXPECT_EQ((QStringList{path("$/dir/c.txt"), path("$/a.txt")}), listOf(combo(sheet, CSelPage::kIdFile1)));
    EXPECT_EQ(path("$/dir/c.txt"), combo(sheet, CSelPage::kIdFile1).currentText());

    m_host.saveAnswer = path("$/merged.txt");
    button(sheet, CSelPage::kIdBrowseMerge).click();
    EXPECT_EQ(std::vector<QString>{QStringLiteral("results.txt|txt|All Files|*.*||")}, m_host.saveRequests);
    EXPECT_EQ(path("$/merged.txt"), edit(sheet, CSelPage::kIdMergeFile).text());
}

// ---- Swap File Names and Older File First ----

TEST_F(CompareDlgTest, SwapExchangesTheTextsOnly)
{
    m_record.m_file1Path = toU16String(path("$/a.txt"));
    m_record.m_file2Path = toU16String(path("$/typed by hand"));
    CCompareDlg sheet(m_record, m_host, nullptr);
    button(sheet, CSelPage::kIdSwap).click();
    EXPECT_EQ(path("$/typed by hand"), combo(sheet, CSelPage::kIdFile1).currentText());
    EXPECT_EQ(path("$/a.txt"), combo(sheet, CSelPage::kIdFile2).currentText());
    EXPECT_EQ(QStringList{path("$/a.txt")}, listOf(combo(sheet, CSelPage::kIdFile1)));
}

struct SOlderCase {
    const char* name;
    const char* file1;
    const char* file2;
    int hoursAgo1;  // last write of a.txt
    int hoursAgo2;  // last write of b.txt
    bool swapped;
};

class OlderFileFirst : public CompareDlgTest, public testing::WithParamInterface<SOlderCase> {};

TEST_P(OlderFileFirst, SwapsOnlyWhenFile2IsOlder)
{
    const SOlderCase& c = GetParam();
    setFileTime("a.txt", c.hoursAgo1);
    setFileTime("b.txt", c.hoursAgo2);
    m_record.m_file1Path = toU16String(path(c.file1));
    m_record.m_file2Path = toU16String(path(c.file2));
    CCompareDlg sheet(m_record, m_host, nullptr);
    button(sheet, CSelPage::kIdOlderFirst).click();
    EXPECT_EQ(path(c.swapped ? c.file2 : c.file1), combo(sheet, CSelPage::kIdFile1).currentText());
    EXPECT_EQ(path(c.swapped ? c.file1 : c.file2), combo(sheet, CSelPage::kIdFile2).currentText());
}

INSTANTIATE_TEST_SUITE_P(Cases, OlderFileFirst,
                         testing::Values(SOlderCase{"file2_older", "$/a.txt", "$/b.txt", 1, 5, true},
                                         SOlderCase{"file1_older", "$/a.txt", "$/b.txt", 5, 1, false},
                                         SOlderCase{"same_time", "$/a.txt", "$/b.txt", 3, 3, false},
                                         SOlderCase{"file2_missing", "$/a.txt", "$/none.txt", 1, 5, false},
                                         SOlderCase{"file1_missing", "$/none.txt", "$/b.txt", 1, 5, false},
                                         SOlderCase{"file1_empty", "", "$/b.txt", 1, 5, false}),
                         test::SCaseName());

// ---- merge-file names from the file names ----

struct SMergeNameCase {
    const char* name;
    const char* file1;
    const char* file2;
    const char* mergeFile;
    int action;  // 0: tick "Display Merge File", 1 or 2: "Copy File N Name"
    const char* expected;
};

constexpr char kTemp[] = "/var/brindle-temp";

class MergeFileName : public CompareDlgTest, public testing::WithParamInterface<SMergeNameCase> {};

TEST_P(MergeFileName, FollowsTheChosenFile)
{
    const SMergeNameCase& c = GetParam();
    const test::CScopedEnv temp("TMPDIR", kTemp);
    m_record.m_file1Path = toU16String(QString::fromUtf8(c.file1));
    m_record.m_file2Path = toU16String(QString::fromUtf8(c.file2));
    m_record.m_outputFile = toU16String(QString::fromUtf8(c.mergeFile));
    CCompareDlg sheet(m_record, m_host, nullptr);
    if (c.action == 0)
        button(sheet, CSelPage::kIdDisplayMerge).click();
    else
        button(sheet, c.action == 1 ? CSelPage::kIdCopyName1 : CSelPage::kIdCopyName2).click();
    EXPECT_EQ(QString::fromUtf8(c.expected), edit(sheet, CSelPage::kIdMergeFile).text());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MergeFileName,
    testing::Values(
        SMergeNameCase{"copy_1_keeps_the_folder", "/src/a.txt", "/dst/b.txt", "/out/old.txt", 1, "/out/a.txt"},
        SMergeNameCase{"copy_2_keeps_the_folder", "/src/a.txt", "/dst/b.txt", "/out/old.txt", 2, "/out/b.txt"},
        SMergeNameCase{"copy_into_folder_name", "/src/a.txt", "/dst/b.txt", "/out/", 1, "/out/a.txt"},
        SMergeNameCase{"copy_without_folder_uses_temp", "/src/a.txt", "/dst/b.txt", "old.txt", 2,
                       "/var/brindle-temp/b.txt"},
        SMergeNameCase{"copy_into_empty_uses_temp", "/src/a.txt", "/dst/b.txt", "", 1, "/var/brindle-temp/a.txt"},
        SMergeNameCase{"copy_of_name_without_folder_changes_nothing", "a.txt", "/dst/b.txt", "/out/old.txt", 1,
                       "/out/old.txt"},
        SMergeNameCase{"tick_proposes_temp_for_names_differing_in_case", "/x/Report.TXT", "/y/report.txt", "", 0,
                       "/var/brindle-temp/Report.TXT"},
        SMergeNameCase{"tick_with_different_names_proposes_nothing", "/x/a.txt", "/y/b.txt", "", 0, ""},
        SMergeNameCase{"tick_keeps_a_given_name", "/x/a.txt", "/y/a.txt", "/m/given.txt", 0, "/m/given.txt"},
        SMergeNameCase{"tick_never_proposes_file1", "/var/brindle-temp/a.txt", "/y/A.txt", "", 0, ""},
        SMergeNameCase{"tick_never_proposes_file2", "/y/a.txt", "/VAR/brindle-temp/a.txt", "", 0, ""},
        SMergeNameCase{"tick_without_names_proposes_nothing", "", "", "", 0, ""}),
    test::SCaseName());

TEST_F(CompareDlgTest, UntickingDisplayMergeFileProposesNothing)
{
    m_host.profile().writeInt(kSettingsSection, kShowMergeEditorValue, 1);
    m_record.m_file1Path = u"/x/a.txt";
    m_record.m_file2Path = u"/y/a.txt";
    m_record.m_outputFile = u"/m/given.txt";
    CCompareDlg sheet(m_record, m_host, nullptr);
    ASSERT_TRUE(button(sheet, CSelPage::kIdDisplayMerge).isChecked());
    edit(sheet, CSelPage::kIdMergeFile).clear();
    button(sheet, CSelPage::kIdDisplayMerge).click();
    EXPECT_EQ(QString(), edit(sheet, CSelPage::kIdMergeFile).text());
}

// ---- fonts ----

struct SFontCase {
    const char* name;
    int buttonId;
    std::optional<QString> chosenFace;  // nullopt: the font dialog is cancelled
    int chosenSize;
};

class FontButtons : public CompareDlgTest, public testing::WithParamInterface<SFontCase> {};

TEST_P(FontButtons, WriteTheRecordAtOnceAndKeepItAfterCancel)
{
    const SFontCase& c = GetParam();
    const bool text = c.buttonId == CDisplayPage::kIdTextFont;
    m_record.m_fontName = u"Text Face";
    m_record.m_fontSize = 12;
    m_record.m_binaryFontName = u"Binary Face";
    m_record.m_binaryFontSize = 9;
    if (c.chosenFace)
        m_host.fontAnswer = QFont(*c.chosenFace, c.chosenSize);
    CCompareDlg sheet(m_record, m_host, nullptr);
    button(sheet, c.buttonId).click();
    sheet.reject();

    ASSERT_EQ(1u, m_host.fontInitials.size());
    EXPECT_EQ(text ? QStringLiteral("Text Face") : QStringLiteral("Binary Face"), m_host.fontInitials[0].family());
    EXPECT_EQ(text ? 12 : 9, m_host.fontInitials[0].pointSize());
    const QString expectedFace = c.chosenFace ? c.chosenFace->left(31) : QString();
    EXPECT_EQ(text && c.chosenFace ? expectedFace : QStringLiteral("Text Face"), toQString(m_record.m_fontName));
    EXPECT_EQ(text && c.chosenFace ? c.chosenSize : 12, m_record.m_fontSize);
    EXPECT_EQ(!text && c.chosenFace ? expectedFace : QStringLiteral("Binary Face"),
              toQString(m_record.m_binaryFontName));
    EXPECT_EQ(!text && c.chosenFace ? c.chosenSize : 9, m_record.m_binaryFontSize);
    // Only the text font is shared with the report panes and editors.
    EXPECT_EQ(text && c.chosenFace ? 1 : 0, m_host.textFontChanges);
    EXPECT_EQ(text && c.chosenFace ? expectedFace : QStringLiteral("Shared Face"), m_host.textFont().family());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FontButtons,
    testing::Values(SFontCase{"text", CDisplayPage::kIdTextFont, QStringLiteral("Chosen Face"), 14},
                    SFontCase{"text_cancelled", CDisplayPage::kIdTextFont, std::nullopt, 0},
                    SFontCase{"text_long_face_cut_to_31", CDisplayPage::kIdTextFont,
                              QStringLiteral("A Face Name Longer Than Thirty-One Characters"), 8},
                    SFontCase{"binary", CDisplayPage::kIdBinaryFont, QStringLiteral("Chosen Face"), 14},
                    SFontCase{"binary_cancelled", CDisplayPage::kIdBinaryFont, std::nullopt, 0}),
    test::SCaseName());

// ---- running the sheet ----

CCompareDlg* visibleSheet()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* sheet = qobject_cast<CCompareDlg*>(widget); sheet && sheet->isVisible())
            return sheet;
    }
    return nullptr;
}

// Runs action on the sheet once it shows (it runs in a nested event loop).
void onSheet(std::function<void(CCompareDlg&)> action, int attempts = 200)
{
    QTimer::singleShot(5, [action = std::move(action), attempts]() mutable {
        if (CCompareDlg* sheet = visibleSheet())
            action(*sheet);
        else if (attempts > 0)
            onSheet(std::move(action), attempts - 1);
    });
}

struct SRunCase {
    const char* name;
    int showMergeEditor;  // stored "Show Merge Editor"
    const char* outputFile;
    std::optional<bool> tick;  // set "Display Merge File" before closing
    bool ok;
    bool expectMergePath;
    int expectedShowMergeEditor;  // after closing
};

class RunCompareDialog : public CompareDlgTest, public testing::WithParamInterface<SRunCase> {};

TEST_P(RunCompareDialog, CopiesTheChoicesBackOnOkOnly)
{
    const SRunCase& c = GetParam();
    m_host.profile().writeInt(kSettingsSection, kShowMergeEditorValue, c.showMergeEditor);
    m_record.m_file1Path = toU16String(path("$/a.txt"));
    m_record.m_file2Path = toU16String(path("$/b.txt"));
    m_record.m_outputFile = toU16String(path(c.outputFile));
    m_record.m_file1Color = 0x000080;
    m_record.m_file2Color = 0x008000;
    m_record.m_ignoreCase = 0;
    bool initiallyTicked = false;
    onSheet([&](CCompareDlg& sheet) {
        initiallyTicked = button(sheet, CSelPage::kIdDisplayMerge).isChecked();
        if (c.tick)
            button(sheet, CSelPage::kIdDisplayMerge).setChecked(*c.tick);
        combo(sheet, CSelPage::kIdFile1).setEditText(path("$/b.txt"));
        combo(sheet, CSelPage::kIdFile2).setEditText(path("$/dir"));
        sheet.displayPage().colorButton(1).setColorRef(0x0000FF);
        button(sheet, CDisplayPage::kIdIgnoreCase).setChecked(true);
        auto* buttons = sheet.findChild<QDialogButtonBox*>();
        buttons->button(c.ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    });
    QString mergePath = QStringLiteral("untouched");
    const bool accepted = runCompareDialog(m_record, nullptr, &mergePath, &m_host);

    EXPECT_EQ(c.ok, accepted);
    EXPECT_EQ(1, m_host.sheetsClosed);
    EXPECT_EQ(c.showMergeEditor != 0 && *c.outputFile != 0, initiallyTicked);
    EXPECT_EQ(c.expectedShowMergeEditor, m_host.profile().readInt(kSettingsSection, kShowMergeEditorValue, -1));
    EXPECT_EQ(path(c.ok ? "$/b.txt" : "$/a.txt"), toQString(m_record.m_file1Path));
    EXPECT_EQ(path(c.ok ? "$/dir" : "$/b.txt"), toQString(m_record.m_file2Path));
    EXPECT_EQ(c.ok ? 0x0000FF : 0x000080, m_record.m_file1Color);
    EXPECT_EQ(0x008000, m_record.m_file2Color);
    EXPECT_EQ(c.ok ? 1 : 0, m_record.m_ignoreCase);
    EXPECT_EQ(path(c.outputFile), toQString(m_record.m_outputFile));
    if (c.ok)
        EXPECT_EQ(c.expectMergePath ? path(c.outputFile) : QString(), mergePath);
    else
        EXPECT_EQ(QStringLiteral("untouched"), mergePath);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunCompareDialog,
    testing::Values(SRunCase{"merge_file_shown", 1, "$/out.txt", std::nullopt, true, true, 1},
                    SRunCase{"no_output_file_starts_unticked", 1, "", std::nullopt, true, false, 0},
                    SRunCase{"stored_off_starts_unticked", 0, "$/out.txt", std::nullopt, true, false, 0},
                    SRunCase{"ticked_in_the_sheet", 0, "$/out.txt", true, true, true, 1},
                    // The name stays in the record, but no merge file is written.
                    SRunCase{"unticked_in_the_sheet", 1, "$/out.txt", false, true, false, 0},
                    SRunCase{"cancel_changes_nothing", 1, "$/out.txt", false, false, false, 1}),
    test::SCaseName());

TEST_F(CompareDlgTest, CancelWritesNoHistory)
{
    m_record.m_file1Path = toU16String(path("$/a.txt"));
    m_record.m_file2Path = toU16String(path("$/b.txt"));
    onSheet([](CCompareDlg& sheet) { sheet.reject(); });
    EXPECT_FALSE(runCompareDialog(m_record, nullptr, nullptr, &m_host));
    EXPECT_EQ(u"unwritten",
              m_host.profile().readString(kPathsSection, pathHistoryValue(kFile1PathValue, 1), u"unwritten"));
    EXPECT_EQ(u"unwritten", m_host.profile().readString(kPathsSection, kFile2PathValue, u"unwritten"));
}

}  // namespace
}  // namespace brindle
