// The standard commands of documents and frames, driven as a user drives them: keys and menu
// items sent to the real main window, the dialogs that follow answered as a user would.
#include "app/brd_app.h"
#include "app/main_frame.h"
#include "compare_ui/display_page.h"
#include "editor/ui/ed_edit_commands.h"
#include "editor/ui/ed_text_view.h"
#include "editor/ui/ed_view_commands.h"
#include "engine/comp_file_opt.h"
#include "frame_test_support.h"
#include "framework/command_ids.h"
#include "framework/doc_template.h"
#include "framework/help_window.h"
#include "framework/mdi_child_wnd.h"
#include "framework/qt_utf16.h"
#include "framework/template_positions.h"
#include "framework/view.h"
#include "platform/code_page.h"
#include "platform/settings_names.h"
#include "support/qt_print.h"
#include "support/scoped_code_page.h"
#include "support/temp_dir.h"
#include "support/user_door.h"

#include <QActionGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace brindle {
namespace {

using test::settle;

// The windows that hold a document the user edits and saves.
enum class EWindow { MergeEditor, TextEditor, HexView };

struct SWindowCase {
    const char* name;
    EWindow window;
    const char* typed;     // keys typed at the start of the text
    const char* expected;  // the file after "hello\n" was edited so and saved
};

const SWindowCase kEditedWindows[] = {
    {"merge editor", EWindow::MergeEditor, "x", "xhello\n"},
    {"plain text editor", EWindow::TextEditor, "x", "xhello\n"},
    // On the high nibble of 'h' (0x68): 4 makes 0x48, then 1 the low nibble: 0x41 'A'.
    {"hex view", EWindow::HexView, "41", "Aello\n"},
};

std::size_t templateOf(EWindow window)
{
    switch (window) {
    case EWindow::MergeEditor: return kMergeEditorTemplate;
    case EWindow::TextEditor: return kTextEditorTemplate;
    case EWindow::HexView: return kHexViewTemplate;
    }
    return kTextEditorTemplate;
}

class StandardCommandsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_app.app.initInstance(QString()));
        frame().resize(1000, 700);
        ASSERT_TRUE(test::activate(frame()));
    }

    CMainFrame& frame() { return *m_app.app.mainFrame(); }

    QString path(const char* name) const { return QString::fromStdString(m_dir.file(name)); }

    // Opens a file holding "hello\n" in window, which then has the keyboard focus.
    CDocument* open(EWindow window, const char* name = "a.txt")
    {
        m_dir.write(name, "hello\n");
        CDocument* document = m_app.app.docTemplateAt(templateOf(window))->openDocumentFile(path(name));
        settle();
        if (document && !document->views().empty())
            document->views().front()->widget()->setFocus();
        settle();
        return document;
    }

    void type(CDocument& document, const char* keys)
    {
        QTest::keyClicks(document.views().front()->widget(), QString::fromLatin1(keys));
        settle();
    }

    int windowCount() const { return static_cast<int>(m_app.app.mainFrame()->mdiArea()->subWindowList().size()); }

    test::CTempDir m_dir;
    test::SAppOnMemorySettings m_app;
};

TEST_F(StandardCommandsTest, CtrlSWritesTheModifiedFile)
{
    for (const SWindowCase& c : kEditedWindows) {
        SCOPED_TRACE(c.name);
        CDocument* document = open(c.window);
        ASSERT_NE(nullptr, document);
        type(*document, c.typed);
        ASSERT_TRUE(document->isModified());
        test::pressKeys(frame(), QKeySequence(QStringLiteral("Ctrl+S")));
        settle();
        EXPECT_EQ(c.expected, test::readBytes(m_dir.file("a.txt")));
        EXPECT_FALSE(document->isModified());
        document->onCloseDocument();
        settle();
    }
}

// Ctrl+Z of the main window reaches the Undo of the window typed in: what is saved afterwards is
// the file as it was opened.
// Ctrl+S where the file's folder has become a file (ENOTDIR, which binds root too): one message
// names the file and the system's reason, and the document stays modified.
TEST_F(StandardCommandsTest, FailedCtrlSNamesTheFileAndTheReason)
{
    const struct {
        EWindow window;
        const char* message;  // %1: the file
    } messages[] = {
        {EWindow::MergeEditor, "File %1 cannot be saved.\nNot a directory"},
        {EWindow::TextEditor, "File %1 cannot be saved.\nNot a directory"},
        {EWindow::HexView, "%1 could not be saved: Not a directory\nThe file on disk was left unchanged."},
    };
    int row = 0;
    for (const SWindowCase& c : kEditedWindows) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(messages[row].window, c.window);
        const std::string folder = "gone-" + std::to_string(row);
        std::filesystem::create_directory(m_dir.file(folder));
        const std::string name = folder + "/a.txt";
        CDocument* document = open(c.window, name.c_str());
        ASSERT_NE(nullptr, document);
        type(*document, c.typed);
        std::filesystem::remove_all(m_dir.file(folder));
        m_dir.write(folder, "now a file");
        test::CDialogAnswers answers;
        answers.thenClick(QMessageBox::Ok);
        test::pressKeys(frame(), QKeySequence(QStringLiteral("Ctrl+S")));
        settle();
        EXPECT_EQ(QStringList{QString::fromLatin1(messages[row].message).arg(path(name.c_str()))}, answers.shown());
        EXPECT_TRUE(document->isModified());
        EXPECT_EQ("now a file", test::readBytes(m_dir.file(folder)));
        document->setModifiedFlag(false);
        document->onCloseDocument();
        settle();
        ++row;
    }
}

TEST_F(StandardCommandsTest, CtrlZTakesBackWhatWasTyped)
{
    for (const SWindowCase& c : kEditedWindows) {
        SCOPED_TRACE(c.name);
        CDocument* document = open(c.window);
        ASSERT_NE(nullptr, document);
        type(*document, c.typed);
        test::pressKeys(frame(), QKeySequence(QStringLiteral("Ctrl+Z")));
        settle();
        test::pressKeys(frame(), QKeySequence(QStringLiteral("Ctrl+S")));
        settle();
        EXPECT_EQ("hello\n", test::readBytes(m_dir.file("a.txt")));
        document->setModifiedFlag(false);
        document->onCloseDocument();
        settle();
    }
}

TEST_F(StandardCommandsTest, SaveAsWritesTheNewNameAndRetitlesTheWindow)
{
    int row = 0;
    for (const SWindowCase& c : kEditedWindows) {
        SCOPED_TRACE(c.name);
        CDocument* document = open(c.window);
        ASSERT_NE(nullptr, document);
        type(*document, c.typed);
        const std::string name = "renamed-" + std::to_string(++row) + ".txt";
        const QString target = path(name.c_str());
        test::CDialogAnswers answers;
        answers.thenChooseFile(target);
        test::pressKeys(frame(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
        settle();
        EXPECT_EQ(QStringList{QStringLiteral("QFileDialog")}, answers.shown());
        EXPECT_EQ(c.expected, test::readBytes(m_dir.file(name)));
        EXPECT_EQ("hello\n", test::readBytes(m_dir.file("a.txt")));
        EXPECT_EQ(target, document->pathName());
        EXPECT_FALSE(document->isModified());
        CMDIChildWnd* child = frame().activeChild();
        ASSERT_NE(nullptr, child);
        EXPECT_EQ(QString::fromStdString(name), child->windowTitle());
        document->onCloseDocument();
        settle();
    }
}

TEST_F(StandardCommandsTest, CloseAsksForAModifiedDocumentAndCancelKeepsIt)
{
    for (const SWindowCase& c : kEditedWindows) {
        SCOPED_TRACE(c.name);
        CDocument* document = open(c.window);
        ASSERT_NE(nullptr, document);
        type(*document, c.typed);
        {
            test::CDialogAnswers answers;
            answers.thenClick(QMessageBox::Cancel);
            test::pressKeys(frame(), QKeySequence(QStringLiteral("Ctrl+W")));
            settle();
            EXPECT_EQ(QStringList{QStringLiteral("Save changes to a.txt?")}, answers.shown());
        }
        EXPECT_EQ(1, windowCount());
        EXPECT_TRUE(document->isModified());

        test::CDialogAnswers answers;
        answers.thenClick(QMessageBox::No);
        EXPECT_TRUE(test::chooseMenuItem(frame(), cmd::kFileClose));
        settle();
        EXPECT_EQ(1, answers.shown().size());
        EXPECT_EQ(0, windowCount());
        EXPECT_EQ("hello\n", test::readBytes(m_dir.file("a.txt")));
    }
}

// Close works in the windows without a file of their own too.
TEST_F(StandardCommandsTest, CloseEndsAComparisonWindowFromItsMenu)
{
    m_dir.write("one.txt", "a\nb\n");
    m_dir.write("two.txt", "a\nc\n");
    CCompFileOpt record;
    record.m_file1Path = toU16String(path("one.txt"));
    record.m_file2Path = toU16String(path("two.txt"));
    m_app.app.openComparison(record, QString());
    settle();
    ASSERT_EQ(1, windowCount());
    EXPECT_FALSE(test::menuAction(frame(), cmd::kFileSave));
    EXPECT_TRUE(test::chooseMenuItem(frame(), cmd::kFileClose));
    settle();
    EXPECT_EQ(0, windowCount());
}

TEST_F(StandardCommandsTest, ExitAsksOnceForEachModifiedDocument)
{
    CDocument* first = open(EWindow::TextEditor, "a.txt");
    CDocument* second = open(EWindow::HexView, "b.bin");
    ASSERT_TRUE(first && second);
    type(*second, "41");
    first->views().front()->widget()->setFocus();
    type(*first, "x");
    test::CDialogAnswers answers;
    answers.thenClick(QMessageBox::No).thenClick(QMessageBox::Cancel);
    test::pressKeys(frame(), QKeySequence(QStringLiteral("Ctrl+Q")));
    settle();
    EXPECT_EQ(2, answers.shown().size()) << answers.shown().join(u'|').toStdString();
    // Cancel on the second question keeps the program and both windows.
    EXPECT_TRUE(frame().isVisible());
    EXPECT_EQ(2, windowCount());
}

TEST_F(StandardCommandsTest, F1AndHelpTopicsOpenTheManual)
{
    test::pressKeys(frame(), QKeySequence(Qt::Key_F1));
    settle();
    auto* help = frame().findChild<CHelpWindow*>();
    ASSERT_NE(nullptr, help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->currentPage().endsWith(QStringLiteral("index.html")));
    EXPECT_FALSE(help->browser()->toPlainText().isEmpty());
    help->close();
    settle();
    EXPECT_TRUE(test::chooseMenuItem(frame(), cmd::kHelpTopics));
    settle();
    help = frame().findChild<CHelpWindow*>();
    ASSERT_NE(nullptr, help);
    EXPECT_TRUE(help->isVisible());
}

// The page of a dialog: its own, and the manual shows the part it names.
TEST_F(StandardCommandsTest, F1InADialogOpensThePageOfThatDialog)
{
    CDocument* document = open(EWindow::TextEditor);
    ASSERT_NE(nullptr, document);
    QString page;
    QString shownText;
    test::CDialogAnswers answers;
    answers.then([&](QDialog& dialog) {
        QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key_F1);
        if (auto* help = dialog.findChild<CHelpWindow*>()) {
            page = help->currentPage();
            shownText = help->browser()->toPlainText();
        }
        dialog.reject();
    });
    test::pressKeys(frame(), QKeySequence(QStringLiteral("Ctrl+G")));
    settle();
    EXPECT_EQ(QStringLiteral("text-editor.html#go-to-line"), page);
    EXPECT_TRUE(shownText.contains(QStringLiteral("Go to Line"), Qt::CaseInsensitive));
}

// An 8-bit file read on a UTF-8 desktop keeps its bytes as units of their own; the conversion
// must look them up as the bytes they stand for (code page 1250 0xC1 is 0xB5 in code page 852).
TEST_F(StandardCommandsTest, CharacterSetConversionFromTheMenuConvertsAnEightBitFile)
{
    const struct {
        const char* name;
        const char* desktopPage;
    } cases[] = {{"UTF-8 desktop", "65001"}, {"code page 1252 desktop", "1252"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const test::CScopedCodePage page(c.desktopPage);
        m_dir.write("czech.txt", "\xC1\x8A x\n");
        CDocument* document = m_app.app.openDocumentFile(path("czech.txt"));
        ASSERT_NE(nullptr, document);
        settle();
        test::pressKeys(frame(), QKeySequence(QStringLiteral("Ctrl+A")));
        test::CDialogAnswers answers;
        answers.then([](QDialog& dialog) {
            dialog.findChild<QComboBox*>(QStringLiteral("1043"))->setCurrentIndex(1);  // MS-Windows CP 1250
            dialog.findChild<QComboBox*>(QStringLiteral("8606"))->setCurrentIndex(4);  // PC Latin II (CP 852)
            dialog.accept();
        });
        EXPECT_TRUE(test::chooseMenuItem(frame(), edcmd::kCharConversion));
        settle();
        EXPECT_TRUE(answers.allAnswered());
        test::pressKeys(frame(), QKeySequence(QStringLiteral("Ctrl+S")));
        settle();
        EXPECT_EQ("\xB5\xE6 x\n", test::readBytes(m_dir.file("czech.txt")));
        document->onCloseDocument();
        settle();
    }
}

// View > Text Type: one choice of several, shown with a radio mark that follows the choice.
TEST_F(StandardCommandsTest, TextTypeFromTheViewMenuMovesItsRadioMark)
{
    CDocument* document = open(EWindow::TextEditor, "a.txt");
    ASSERT_NE(nullptr, document);
    constexpr int kPlain = edcmd::kTextTypeFirst;  // text type row 0
    constexpr int kC = edcmd::kTextTypeFirst + 4;  // row 4
    ASSERT_TRUE(test::chooseMenuItem(frame(), kC));
    settle();
    auto* view = dynamic_cast<CEdTextView*>(document->views().front());
    ASSERT_NE(nullptr, view);
    ASSERT_NE(nullptr, view->CurrentTextType());
    EXPECT_EQ(4, view->CurrentTextType()->type);
    QAction* c = test::menuAction(frame(), kC);
    QAction* plain = test::menuAction(frame(), kPlain);
    test::openMenusOf(frame(), c);
    EXPECT_TRUE(c->isChecked());
    EXPECT_FALSE(plain->isChecked());
    ASSERT_NE(nullptr, c->actionGroup());
    EXPECT_TRUE(c->actionGroup()->isExclusive());
}

// Opening a file (File > Open, a recent-file entry) finds its open window by path or by file,
// never by a name compared without regard to case; the recent-file list keeps one entry per file.
// Regression: "notes.txt" showed the window of "Notes.txt", another file.
TEST_F(StandardCommandsTest, OpeningFindsTheOpenFileByPathOrByFileNeverByCase)
{
    m_dir.write("Notes.txt", "upper\n");
    m_dir.write("notes.txt", "lower\n");
    std::filesystem::create_directory(m_dir.file("sub"));
    std::filesystem::create_symlink("Notes.txt", m_dir.file("link.txt"));
    struct SCase {
        const char* name;
        const char* other;  // opened while "Notes.txt" is open, then alone
        std::size_t documents;
        std::vector<const char*> recentFiles;
    };
    const SCase cases[] = {
        {"same name", "Notes.txt", 1, {"Notes.txt"}},
        {"symbolic link", "link.txt", 1, {"link.txt"}},
        {"through dir/..", "sub/../Notes.txt", 1, {"sub/../Notes.txt"}},
        {"name differing only in case", "notes.txt", 2, {"notes.txt", "Notes.txt"}},
    };
    CDocTemplate& editor = *m_app.app.docTemplateAt(kTextEditorTemplate);
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_app.app.loadRecentFiles(4);  // nothing saved yet: an empty list
        CDocument* first = m_app.app.openDocumentFile(path("Notes.txt"));
        CDocument* other = m_app.app.openDocumentFile(path(c.other));
        settle();
        ASSERT_NE(nullptr, other);
        EXPECT_EQ(c.documents, editor.documents().size());
        EXPECT_EQ(c.documents == 1, other == first);
        m_app.app.closeAllDocuments();
        settle();
        m_app.app.openDocumentFile(path(c.other));
        m_app.app.closeAllDocuments();
        settle();
        QStringList expected;
        for (const char* name : c.recentFiles)
            expected << path(name);
        EXPECT_EQ(expected, m_app.app.recentFiles());
    }
}

TEST(RecentFiles, SurviveARestartAndOpenFromTheFileMenu)
{
    test::CTempDir dir;
    const QString file = QString::fromStdString(dir.write("notes.txt", "one\n"));
    test::CMemorySettings settings;
    {
        CBRDApp app;
        ASSERT_TRUE(app.initInstance(QString()));
        ASSERT_TRUE(test::activate(*app.mainFrame()));
        test::CDialogAnswers answers;
        answers.thenChooseFile(file);
        test::pressKeys(*app.mainFrame(), QKeySequence(QStringLiteral("Ctrl+O")));
        settle();
        ASSERT_EQ(1u, app.docTemplateAt(kTextEditorTemplate)->documents().size());
        app.exitInstance();
        app.closeAllDocuments();
        settle();
    }
    CBRDApp app;
    ASSERT_TRUE(app.initInstance(QString()));
    CMainFrame& frame = *app.mainFrame();
    QAction* placeholder = test::menuAction(frame, cmd::kFileMruFirst);
    ASSERT_NE(nullptr, placeholder);
    test::openMenusOf(frame, placeholder);
    QAction* entry = nullptr;
    for (QObject* owner : placeholder->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(owner)) {
            for (QAction* action : menu->actions()) {
                if (action->text() == QStringLiteral("&1 notes.txt"))
                    entry = action;
            }
        }
    }
    ASSERT_NE(nullptr, entry);
    entry->trigger();
    settle();
    const auto& documents = app.docTemplateAt(kTextEditorTemplate)->documents();
    ASSERT_EQ(1u, documents.size());
    EXPECT_EQ(file, documents.front()->pathName());
    app.closeAllDocuments();
    settle();
}

// Print Setup's choice holds for the next print: PDF into a chosen file, landscape.
TEST_F(StandardCommandsTest, PrintSetupChoiceIsUsedByTheNextPrint)
{
    CDocument* document = open(EWindow::TextEditor);
    ASSERT_NE(nullptr, document);
    const QString pdf = path("printed.pdf");
    test::CDialogAnswers answers;
    answers.then([&](QDialog& dialog) {
        auto* printers = dialog.findChild<QComboBox*>();
        printers->setCurrentIndex(printers->count() - 1);
        dialog.findChild<QLineEdit*>()->setText(pdf);
        for (auto* radio : dialog.findChildren<QRadioButton*>()) {
            if (radio->text().contains(QStringLiteral("Landscape")))
                radio->setChecked(true);
        }
        dialog.accept();
    });
    answers.then([](QDialog& dialog) { dialog.accept(); });  // the print dialog: print
    EXPECT_TRUE(test::chooseMenuItem(frame(), cmd::kFilePrintSetup));
    settle();
    EXPECT_EQ(QPageLayout::Landscape, m_app.app.printer().pageLayout().orientation());
    test::pressKeys(frame(), QKeySequence(QStringLiteral("Ctrl+P")));
    settle();
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ("%PDF", test::readBytes(m_dir.file("printed.pdf")).substr(0, 4));
}

// File > Print Preview opens with as many pages side by side as "PreviewPages" says, and keeps
// the number the user leaves it with, in every window that prints.
TEST_F(StandardCommandsTest, PrintPreviewKeepsHowManyPagesItShows)
{
    for (const SWindowCase& c : kEditedWindows) {
        SCOPED_TRACE(c.name);
        CDocument* document = open(c.window);
        ASSERT_NE(nullptr, document);
        m_app.profile().writeInt(kSettingsSection, kPreviewPagesValue, 2);
        QPrintPreviewWidget::ViewMode opened = QPrintPreviewWidget::AllPagesView;
        test::CDialogAnswers answers;
        answers.then([&](QDialog& dialog) {
            auto* preview = dialog.findChild<QPrintPreviewWidget*>();
            ASSERT_NE(preview, nullptr);
            opened = preview->viewMode();
            preview->setSinglePageViewMode();
            dialog.reject();
        });
        ASSERT_TRUE(test::chooseMenuItem(frame(), cmd::kFilePrintPreview));
        settle();
        EXPECT_EQ(opened, QPrintPreviewWidget::FacingPagesView);
        EXPECT_EQ(m_app.profile().readInt(kSettingsSection, kPreviewPagesValue, 0), 1);
        document->onCloseDocument();
        settle();
        ASSERT_TRUE(test::activate(frame()));
    }
}

// The text font chosen on the Display page reaches the editors at once, even when the compare
// dialog is then cancelled: it is the program's one shared text font.
TEST_F(StandardCommandsTest, ChosenTextFontReachesTheEditorsEvenWhenTheDialogIsCancelled)
{
    const QString family = QFontDatabase::families().value(0);
    ASSERT_FALSE(family.isEmpty());
    test::CDialogAnswers answers;
    answers
        .then([](QDialog& sheet) {
            auto* button = sheet.findChild<QPushButton*>(QString::number(CDisplayPage::kIdTextFont));
            ASSERT_NE(button, nullptr);
            button->click();  // the font dialog is answered next
            sheet.reject();
        })
        .then([&](QDialog& dialog) {
            auto* fonts = qobject_cast<QFontDialog*>(&dialog);
            ASSERT_NE(fonts, nullptr);
            QFont chosen(family);
            chosen.setPointSize(17);
            fonts->setCurrentFont(chosen);
            fonts->accept();
        });
    ASSERT_TRUE(test::chooseMenuItem(frame(), cmd::kCompareFiles));
    settle();
    ASSERT_EQ(answers.shown().size(), 2);

    ASSERT_TRUE(test::activate(frame()));
    CDocument* document = open(EWindow::TextEditor);
    ASSERT_NE(document, nullptr);
    auto* view = dynamic_cast<CEdTextView*>(document->views().front());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->TextFontFace(), family.left(31));
    EXPECT_EQ(view->FontOfIndex(0).pointSize(), 17);
}

}  // namespace
}  // namespace brindle
