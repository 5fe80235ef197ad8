// Files that cannot be compared, on every road into the window: the command line, the start-up
// reopen, Refresh, a drop onto a pane and a batch script run without a window. Each says which
// file and why, opens no comparison and writes nothing; nothing waits on a FIFO.
#include "app/main_frame.h"
#include "compare_ui/brd_doc.h"
#include "compare_ui/comp_ctrl.h"
#include "engine/engine_strings.h"
#include "frame_test_support.h"
#include "framework/doc_template.h"
#include "framework/mdi_child_wnd.h"
#include "framework/qt_utf16.h"
#include "framework/template_positions.h"
#include "merge_editor/edit_doc.h"
#include "platform/available_memory.h"
#include "platform/settings_names.h"
#include "support/case_name.h"
#include "support/scoped_progress_factory.h"
#include "support/temp_dir.h"
#include "support/user_door.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace brindle {
namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

struct SInputKind {
    const char* name;
    std::function<std::string(test::CTempDir&)> make;  // the path of such an input
    const char* message;                               // the message, with %1 for the path
};

void PrintTo(const SInputKind& kind, std::ostream* os) { *os << kind.name; }

const SInputKind kInputKinds[] = {
    {"Missing", [](test::CTempDir& dir) { return dir.file("none.txt"); }, "Cannot open %1: No such file or directory"},
    {"Folder", [](test::CTempDir& dir) { return dir.path().string(); }, "%1 is a folder, not a file"},
    {"Fifo",
     [](test::CTempDir& dir) {
         const std::string fifo = dir.file("fifo");
         ::mkfifo(fifo.c_str(), 0600);
         return fifo;
     },
     "%1 is not an ordinary file"},
    {"Device", [](test::CTempDir&) { return std::string("/dev/zero"); }, "%1 is not an ordinary file"},
    {"ReadError", [](test::CTempDir&) { return std::string("/proc/self/mem"); }, "Cannot read %1: Input/output error"},
};

class UnreadableInputWindowTest : public testing::TestWithParam<SInputKind> {
protected:
    void SetUp() override
    {
        m_good = m_dir.write("good.txt", "a\nb\n");
        m_bad = GetParam().make(m_dir);
        ::alarm(60);  // a blocked open ends the test program instead of hanging the run
    }
    void TearDown() override { ::alarm(0); }

    QString expected() const { return QString::fromUtf8(GetParam().message).arg(qs(m_bad)); }
    std::size_t comparisons(CBRDApp& app) const { return app.docTemplateAt(kComparisonTemplate)->documents().size(); }

    test::CTempDir m_dir;
    std::string m_good;
    std::string m_bad;
};

TEST_P(UnreadableInputWindowTest, CommandLineSaysWhichFileAndOpensNoComparison)
{
    for (const bool first : {true, false}) {
        test::SAppOnMemorySettings app;
        test::CDialogAnswers answers;
        const QString line =
            first ? qs("\"" + m_bad + "\" \"" + m_good + "\"") : qs("\"" + m_good + "\" \"" + m_bad + "\"");
        ASSERT_TRUE(app.app.initInstance(line));
        test::settle();
        ASSERT_EQ(answers.shown().size(), 1) << answers.shown().join(u'|').toStdString();
        EXPECT_EQ(answers.shown()[0], expected());
        EXPECT_EQ(comparisons(app.app), 0u);
    }
}

TEST_P(UnreadableInputWindowTest, StartUpReopenSaysWhichFileAndOpensNoComparison)
{
    test::SAppOnMemorySettings app;
    app.profile().writeString(kPathsSection, kFile1PathValue, qs(m_good).toStdU16String());
    app.profile().writeString(kPathsSection, kFile2PathValue, qs(m_bad).toStdU16String());
    test::CDialogAnswers answers;
    ASSERT_TRUE(app.app.initInstance(QString()));
    test::settle();
    ASSERT_EQ(answers.shown().size(), 1);
    EXPECT_EQ(answers.shown()[0], expected());
    EXPECT_EQ(comparisons(app.app), 0u);
}

// A drop of such a file onto a pane is refused with the message, and the pane keeps its file.
// A drop reads nothing: a read error is found by the comparison that follows.
TEST_P(UnreadableInputWindowTest, DropOntoAPaneIsRefusedAndThePaneKeepsItsFile)
{
    if (std::string_view(GetParam().name) == "ReadError")
        GTEST_SKIP() << "found when the files are compared";
    test::SAppOnMemorySettings app;
    ASSERT_TRUE(app.app.initInstance(qs("\"" + m_good + "\" \"" + m_good + "\"")));
    test::settle();
    auto* doc = qobject_cast<CBRDDoc*>(app.app.docTemplateAt(kComparisonTemplate)->documents().front());
    ASSERT_NE(doc, nullptr);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(qs(m_bad))});
    test::CDialogAnswers answers;
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(doc->pane2().viewport(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(doc->pane2().viewport(), &drop);
    test::settle();
    QTest::qWait(50);
    ASSERT_EQ(answers.shown().size(), 1);
    EXPECT_EQ(answers.shown()[0], expected());
    EXPECT_EQ(doc->pane2().fileName(), qs(m_good));
}

INSTANTIATE_TEST_SUITE_P(Kinds, UnreadableInputWindowTest, testing::ValuesIn(kInputKinds), test::SCaseName());

// A file that went away since the comparison: Refresh (F5) says so instead of showing the other
// file as all different.
TEST(UnreadableInputWindow, RefreshOfAFileThatWentAwaySaysSo)
{
    test::CTempDir dir;
    const std::string one = dir.write("one.txt", "a\n");
    const std::string two = dir.write("two.txt", "b\n");
    test::SAppOnMemorySettings app;
    ASSERT_TRUE(app.app.initInstance(qs("\"" + one + "\" \"" + two + "\"")));
    test::settle();
    std::filesystem::remove(two);
    test::CDialogAnswers answers;
    ASSERT_TRUE(test::activate(*app.app.mainFrame()));
    test::pressKeys(*app.app.mainFrame(), QKeySequence(Qt::Key_F5));
    test::settle();
    ASSERT_EQ(answers.shown().size(), 1);
    EXPECT_EQ(answers.shown()[0], qs(two + ": No such file or directory").prepend(u"Cannot open "));
}

// A display that runs out of memory when a pane starts to read a binary report, as an allocation
// for the pane's text would. The comparison's own displays (the report's, counting to 100, and
// the binary comparison's) go on.
class CPanesOutOfMemoryProgress final : public CProgress {
public:
    explicit CPanesOutOfMemoryProgress(bool panes) : m_panes(panes) {}
    void setTotal(std::int64_t) override
    {
        if (m_panes)
            throw std::bad_alloc();
    }
    void setPosition(std::int64_t) override {}
    void setMessage(int) override {}

private:
    bool m_panes;
};

std::unique_ptr<CProgress> panesOutOfMemory(int title, std::int64_t total, bool)
{
    return std::make_unique<CPanesOutOfMemoryProgress>(title == kStrCreatingReport && total != 100);
}

// Panes too large for the memory left fail the run with the engine's message instead of ending
// the program.
TEST(UnreadableInputWindow, PanesThatRunOutOfMemoryFailTheRunInsteadOfEndingTheProgram)
{
    test::CTempDir dir;
    const std::string one = dir.write("one.bin", std::string(65536, '\0'));
    const std::string two = dir.write("two.bin", std::string(65536, '\1'));
    test::SAppOnMemorySettings app;
    ASSERT_TRUE(app.app.initInstance(qs("\"" + one + "\" \"" + two + "\"")));
    test::settle();
    ASSERT_EQ(app.app.docTemplateAt(kComparisonTemplate)->documents().size(), 1u);
    const test::CScopedProgressFactory factory(&panesOutOfMemory);
    test::CDialogAnswers answers;
    ASSERT_TRUE(test::activate(*app.app.mainFrame()));
    test::pressKeys(*app.app.mainFrame(), QKeySequence(Qt::Key_F5));
    test::settle();
    ASSERT_EQ(answers.shown().size(), 1);
    EXPECT_EQ(answers.shown()[0], QStringLiteral("Not enough memory to compare the files."));
}

// Files too large for the memory left are refused before they are read, with what the comparison
// would need: the user is told instead of the program being killed half-way. Binary files are
// mapped, but the window's hex dumps of them grow with them.
struct STooLargeCase {
    const char* name;
    const char* extension;
    std::string content1;
    std::string content2;
};

void PrintTo(const STooLargeCase& c, std::ostream* os) { *os << c.name; }

std::string repeatedLines(int count)
{
    std::string lines;
    for (int i = 0; i < count; ++i)
        lines += "line\n";
    return lines;
}

class TooLargeForMemoryWindowTest : public testing::TestWithParam<STooLargeCase> {};

TEST_P(TooLargeForMemoryWindowTest, SaysSoAndOpensNoWindow)
{
    const STooLargeCase& c = GetParam();
    test::CTempDir dir;
    const std::string one = dir.write(std::string("one") + c.extension, c.content1);
    const std::string two = dir.write(std::string("two") + c.extension, c.content2);
    const CAvailableMemoryOverride smallMachine(std::uint64_t{2} << 20);
    test::SAppOnMemorySettings app;
    test::CDialogAnswers answers;
    ASSERT_TRUE(app.app.initInstance(qs("\"" + one + "\" \"" + two + "\"")));
    test::settle();
    ASSERT_EQ(answers.shown().size(), 1);
    EXPECT_TRUE(answers.shown()[0].startsWith(qs("Comparing " + one + " and " + two + " needs about ")))
        << answers.shown()[0].toStdString();
    EXPECT_TRUE(answers.shown()[0].contains(u"but only 2.0 MiB is available")) << answers.shown()[0].toStdString();
    EXPECT_EQ(app.app.docTemplateAt(kComparisonTemplate)->documents().size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(UnreadableInputWindow, TooLargeForMemoryWindowTest,
                         testing::Values(STooLargeCase{"Text", ".txt", repeatedLines(200000),
                                                       repeatedLines(200000) + "more\n"},
                                         STooLargeCase{"Binary", ".bin", std::string(std::size_t{1} << 20, '\0'),
                                                       std::string(std::size_t{1} << 20, '\1')}),
                         test::SCaseName());

// Ctrl+O on a FIFO: the editor names it, never waits on it, and opens an empty document that
// takes typing and Enter as a new one does.
TEST(UnreadableInputWindow, OpenOfAFifoGivesAnEmptyEditorThatTakesTyping)
{
    test::CTempDir dir;
    const std::string fifo = dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    test::SAppOnMemorySettings app;
    ASSERT_TRUE(app.app.initInstance(QString()));
    CMainFrame& frame = *app.app.mainFrame();
    ASSERT_TRUE(test::activate(frame));
    ::alarm(60);
    test::CDialogAnswers answers;
    answers.thenChooseFile(qs(fifo)).thenClick(QMessageBox::Ok);
    test::pressKeys(frame, QKeySequence(QStringLiteral("Ctrl+O")));
    test::settle();
    ::alarm(0);
    ASSERT_EQ(answers.shown().size(), 2);
    EXPECT_EQ(answers.shown()[1], qs(fifo + " is not an ordinary file"));
    const auto& documents = app.app.docTemplateAt(kTextEditorTemplate)->documents();
    ASSERT_EQ(documents.size(), 1u);
    ASSERT_TRUE(test::activate(frame));
    documents.front()->firstFrame()->activateFrame();
    test::settle();
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ab"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("c"));
    const CEdTextBuffer& buffer = qobject_cast<CEditDoc*>(documents.front())->textBuffer();
    ASSERT_EQ(buffer.LineCount(), 2);
    EXPECT_EQ(buffer.LineText(0), u"ab");
    EXPECT_EQ(buffer.LineText(1), u"c");
    documents.front()->setModifiedFlag(false);
}

// A batch script run without a window: the actions that could not be done are listed in one
// message at the end, write nothing, and do not stop the others.
TEST(UnreadableInputWindow, BatchRunListsTheActionsThatFailedInOneMessage)
{
    test::CTempDir dir;
    const std::string a = dir.write("a.txt", "x\ny\n");
    const std::string b = dir.write("b.txt", "x\nz\n");
    const auto action = [](int number, const std::string& file1, const std::string& file2, const std::string& out) {
        return "[Action" + std::to_string(number) + "]\nFile1=" + file1 + "\nFile2=" + file2 +
               "\nCompare Output File=" + out + "\nQuiet Mode=1\n";
    };
    const std::string script = dir.write("run.brs", action(1, dir.file("missing.txt"), b, dir.file("out1.txt")) +
                                                        action(2, a, dir.path().string(), dir.file("out2.txt")) +
                                                        action(3, a, b, dir.file("no/folder/out3.txt")) +
                                                        action(4, a, b, dir.file("out4.txt")));
    test::SAppOnMemorySettings app;
    test::CDialogAnswers answers;
    ASSERT_TRUE(app.app.initInstance(qs(script)));
    test::settle();

    ASSERT_EQ(answers.shown().size(), 1);
    const QStringList lines = answers.shown()[0].split(u'\n');
    ASSERT_EQ(lines.size(), 4) << answers.shown()[0].toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("3 of the 4 actions"))) << lines[0].toStdString();
    EXPECT_EQ(lines[1], qs("Action 1 (" + dir.file("missing.txt") + ", " + b + "): Cannot open " +
                           dir.file("missing.txt") + ": No such file or directory"));
    EXPECT_EQ(lines[2], qs("Action 2 (" + a + ", " + dir.path().string() + "): " + dir.path().string() +
                           " is a folder, not a file"));
    EXPECT_TRUE(lines[3].startsWith(qs("Action 3 (" + a + ", " + b + "): Cannot create"))) << lines[3].toStdString();
    for (const char* name : {"out1.txt", "out2.txt"})
        EXPECT_FALSE(std::filesystem::exists(dir.file(name))) << name;
    EXPECT_EQ(test::readBytes(dir.file("out4.txt")), "x\n|<<y\n||>>z\n\n");
    EXPECT_EQ(app.app.docTemplateAt(kComparisonTemplate)->documents().size(), 0u);
}

}  // namespace
}  // namespace brindle
