// Binary document: loading, opening, saving safely, showing huge files read-only, showing a range.
#include "hex_view/rode_zor_bin_doc.h"
#include "hex_view/rode_zor_bin_view.h"
#include "support/message_boxes.h"
#include "support/qt_print.h"
#include "support/temp_dir.h"
#include "support/user_door.h"

#include "framework/command_ids.h"
#include "framework/doc_template.h"
#include "framework/mdi_child_wnd.h"
#include "framework/mdi_frame_wnd.h"
#include "framework/win_app.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace brindle {
namespace {

using test::CTempDir;
using test::readBytes;

using test::messagesDuring;

constexpr std::int64_t kGiB = std::int64_t{1} << 30;

// A sparse file of size bytes (no disk space taken) with the marker texts written at their offsets.
void writeSparse(const std::string& path, std::int64_t size,
                 const std::vector<std::pair<std::int64_t, std::string>>& markers)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, size), 0);
    for (const auto& [offset, text] : markers)
        ASSERT_EQ(::pwrite(fd, text.data(), text.size(), offset), static_cast<ssize_t>(text.size()));
    ::close(fd);
}

// The memory the process holds now, in bytes.
std::int64_t residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    std::int64_t total = 0;
    std::int64_t resident = 0;
    statm >> total >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

class BinaryDocument : public testing::Test {
protected:
    void SetUp() override
    {
        m_app.setMainFrame(std::make_unique<CMDIFrameWnd>());
        m_app.mainFrame()->resize(1000, 800);
        m_app.mainFrame()->show();
        for (int id : {129, 153})
            m_app.addDocTemplate(std::make_unique<CDocTemplate>(
                id, [] { return new CDocument; }, nullptr, nullptr));
        m_app.addDocTemplate(std::make_unique<CDocTemplate>(
            131, [] { return new CRodeZorBinDoc; },
            [](CDocTemplate& t, CDocument& d) -> CMDIChildWnd* { return new CMDIChildWnd(t, d); },
            [](CDocument& document, QWidget* parent) -> CView* {
                auto* view = new CRodeZorBinView(parent);
                static_cast<CRodeZorBinDoc&>(document).showIn(*view);
                return view;
            }));
    }
    void TearDown() override
    {
        for (CDocument* document : m_app.docTemplateAt(2)->documents())
            document->setModifiedFlag(false);
        m_app.closeAllDocuments();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    CRodeZorBinDoc* open(const std::string& path)
    {
        return dynamic_cast<CRodeZorBinDoc*>(m_app.docTemplateAt(2)->openDocumentFile(QString::fromStdString(path)));
    }

    // Keys ("Ctrl+Home, Shift+Right") to the view, which has the focus in the main window as after
    // a click into it.
    void press(CHexEditView& view, const QString& keys)
    {
        view.setFocus();
        for (const QString& key : keys.split(QStringLiteral(", ")))
            test::pressKeys(*m_app.mainFrame(), QKeySequence(key));
    }

    CTempDir m_dir;
    CWinApp m_app;
};

TEST_F(BinaryDocument, OpensFilesOfEverySmallSizeWhole)
{
    for (const std::string& content : {std::string(), std::string("\0\x01\xFF", 3), std::string(70000, 'x')}) {
        const std::string path = m_dir.write("f.bin", content);
        CRodeZorBinDoc document;
        ASSERT_TRUE(document.onOpenDocument(QString::fromStdString(path))) << content.size();
        EXPECT_EQ(document.bytes(), QByteArray::fromStdString(content));
        EXPECT_FALSE(document.isModified());
    }
}

TEST_F(BinaryDocument, AnEmptyFileShowsAWhiteWindowThatIgnoresKeys)
{
    CRodeZorBinDoc* document = open(m_dir.write("empty.bin", ""));
    ASSERT_NE(document, nullptr);
    CHexEditView* view = document->firstView();
    ASSERT_NE(view, nullptr);
    QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(view, &key);
    EXPECT_EQ(document->bytes().size(), 0);
    EXPECT_FALSE(document->isModified());
}

TEST_F(BinaryDocument, AMissingFileGivesAnEmptyDocumentThatSavesThere)
{
    const std::string path = m_dir.file("new.bin");
    CRodeZorBinDoc* document = nullptr;
    const QStringList boxes = messagesDuring([&] { document = open(path); });
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_EQ(document->pathName(), QString::fromStdString(path));
    EXPECT_EQ(document->bytes().size(), 0);
    document->bytes() = QByteArray("new");
    ASSERT_TRUE(document->onSaveDocument(document->pathName()));
    EXPECT_EQ(readBytes(path), "new");
}

// Files of 2 GiB and more were refused with a message; now they are mapped and shown read-only.
TEST_F(BinaryDocument, FilesOfTwoGibibytesOrMoreOpenReadOnlyWithoutAMessage)
{
    const off_t limit = off_t{1} << 31;
    for (const off_t size : {limit, limit + 4096, limit * 2}) {
        SCOPED_TRACE(size);
        const std::string path = m_dir.file("huge" + std::to_string(size) + ".bin");
        writeSparse(path, size, {});
        CRodeZorBinDoc* document = nullptr;
        const QStringList boxes = messagesDuring([&] { document = open(path); });
        ASSERT_NE(document, nullptr);
        EXPECT_TRUE(boxes.isEmpty()) << boxes.join(u'\n').toStdString();
        EXPECT_TRUE(document->isReadOnly());
        EXPECT_EQ(document->bytes().size(), 0);
        ASSERT_NE(document->firstView(), nullptr);
        EXPECT_TRUE(document->firstView()->isReadOnly());
        EXPECT_EQ(document->firstView()->size(), size);
        document->onCloseDocument();
    }
}

// A 5 GiB file with markers at its start, above 4 GiB and at its end, opened as the comparison
// window's viewer opens it: every place is reachable, copied from and protected from editing, and
// only the pages shown are read.
TEST_F(BinaryDocument, AFileOfSeveralGibibytesIsShownWholeButNotEdited)
{
    const std::int64_t size = 5 * kGiB;
    const std::int64_t middle = 4 * kGiB + 0x123450;
    const std::string path = m_dir.file("five.bin");
    writeSparse(path, size, {{0, "START"}, {middle, "MIDDLE"}, {size - 3, "END"}});
    const std::int64_t residentBefore = residentBytes();
    const auto started = std::chrono::steady_clock::now();
    CRodeZorBinDoc* document = CRodeZorBinDoc::showRange(QString::fromStdString(path), 0, 0);
    const auto opening = std::chrono::steady_clock::now() - started;
    ASSERT_NE(document, nullptr);
    RecordProperty("open_ms", static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(opening).count()));
    CHexEditView* view = document->firstView();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->size(), size);
    // Nine digits for the wide address: the offsets above 4 GiB are shown whole.
    EXPECT_EQ(view->hexColumnX(), 10 * view->charWidth());
    view->grab();

    press(*view, QStringLiteral("Ctrl+End"));
    EXPECT_EQ(view->caretOffset(), size - 1);
    EXPECT_EQ(view->topOffset() + view->visibleRows() * 16, size);
    EXPECT_EQ(view->verticalScrollBar()->value(), view->verticalScrollBar()->maximum());
    press(*view, QStringLiteral("Shift+Right, Ctrl+C"));
    EXPECT_EQ(QApplication::clipboard()->mimeData()->data(QStringLiteral("BinaryData")), QByteArray("D"));
    view->grab();

    // As a double click on a report line of the binary comparison shows it.
    EXPECT_EQ(CRodeZorBinDoc::showRange(QString::fromStdString(path), middle, 6), document);
    EXPECT_EQ(view->selectionStart(), middle);
    EXPECT_EQ(view->selectionEnd(), middle + 6);
    EXPECT_LE(view->topOffset(), middle);
    EXPECT_GT(view->topOffset() + view->visibleRows() * 16, middle);
    press(*view, QStringLiteral("Ctrl+C"));
    EXPECT_EQ(QApplication::clipboard()->mimeData()->data(QStringLiteral("BinaryData")), QByteArray("MIDDLE"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("4D 49 44 44 4C 45 "));
    view->grab();

    // Typing, deleting and Insert are refused; the first attempt says why, once.
    const QStringList boxes = messagesDuring([&] {
        press(*view, QStringLiteral("Right"));
        QTest::keyClicks(view, QStringLiteral("ab"));
        press(*view, QStringLiteral("Del, Backspace, Ins, Ctrl+V, Ctrl+X"));
    });
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes.front().contains(QString::fromStdString(path))) << boxes.front().toStdString();
    EXPECT_TRUE(boxes.front().contains(QStringLiteral("read-only"))) << boxes.front().toStdString();
    EXPECT_FALSE(view->insertMode());
    EXPECT_FALSE(document->isModified());
    EXPECT_EQ(view->size(), size);
    view->showRange(middle, 6);
    press(*view, QStringLiteral("Ctrl+C"));
    EXPECT_EQ(QApplication::clipboard()->mimeData()->data(QStringLiteral("BinaryData")), QByteArray("MIDDLE"));

    // Gigabytes are not copied: the clipboard keeps what it had.
    const QStringList copyBoxes = messagesDuring([&] { press(*view, QStringLiteral("Ctrl+A, Ctrl+C")); });
    ASSERT_EQ(copyBoxes.size(), 1);
    EXPECT_TRUE(copyBoxes.front().contains(QStringLiteral("too large to copy"))) << copyBoxes.front().toStdString();
    EXPECT_EQ(QApplication::clipboard()->mimeData()->data(QStringLiteral("BinaryData")), QByteArray("MIDDLE"));

    press(*view, QStringLiteral("Ctrl+Home, Shift+Right, Shift+Right, Shift+Right, Shift+Right, Shift+Right, "
                                "Shift+Right, Shift+Right, Shift+Right, Shift+Right, Ctrl+C"));
    EXPECT_EQ(QApplication::clipboard()->mimeData()->data(QStringLiteral("BinaryData")), QByteArray("START"));
    // Far below the file's 5 GiB; the sanitizers' own bookkeeping needs more room.
    const std::int64_t budget = std::int64_t{std::getenv("BRINDLE_SANITIZED") ? 512 : 64} << 20;
    EXPECT_LT(residentBytes() - residentBefore, budget);
}

// Another program cuts a shown file short: the rows past its new end read as zeros instead of
// killing the program, and the user is told once that what is shown there is not the file.
TEST_F(BinaryDocument, AMappedFileCutShortWhileShownSaysSoOnce)
{
    const std::string path = m_dir.file("big.bin");
    writeSparse(path, 3 * kGiB, {{3 * kGiB - 3, "END"}});
    CRodeZorBinDoc* document = open(path);
    ASSERT_NE(document, nullptr);
    CHexEditView* view = document->firstView();
    ASSERT_NE(view, nullptr);
    const QStringList nothingYet = messagesDuring([&] {
        view->grab();
        QTest::qWait(400);
    });
    EXPECT_TRUE(nothingYet.isEmpty()) << nothingYet.join(u'|').toStdString();

    ASSERT_EQ(::truncate(path.c_str(), 4096), 0);
    const QStringList boxes = messagesDuring([&] {
        press(*view, QStringLiteral("Ctrl+End"));
        view->grab();
        QTest::qWait(400);
        press(*view, QStringLiteral("Up, Up"));
        view->grab();
        QTest::qWait(400);
    });
    ASSERT_EQ(boxes.size(), 1) << boxes.join(u'|').toStdString();
    EXPECT_TRUE(boxes.front().contains(QString::fromStdString(path))) << boxes.front().toStdString();
    EXPECT_TRUE(boxes.front().contains(QStringLiteral("cut short"))) << boxes.front().toStdString();
    // The last byte, "D" of "END" before, reads as zero.
    press(*view, QStringLiteral("Ctrl+End, Shift+Right, Ctrl+C"));
    EXPECT_EQ(QApplication::clipboard()->mimeData()->data(QStringLiteral("BinaryData")), QByteArray(1, '\0'));
}

// The menu items that would change the bytes or write them are disabled; reading ones are not.
TEST_F(BinaryDocument, AMappedFileDisablesEditingAndSaving)
{
    const std::string path = m_dir.file("big.bin");
    writeSparse(path, 3 * kGiB, {{3 * kGiB - 2, "Z"}});
    CRodeZorBinDoc* document = open(path);
    ASSERT_NE(document, nullptr);
    document->firstView()->setFocus();
    struct SCase {
        const char* name;
        int id;
        bool enabled;
    };
    const SCase cases[] = {
        {"copy", cmd::kEditCopy, true},  {"select all", cmd::kEditSelectAll, true},
        {"cut", cmd::kEditCut, false},   {"paste", cmd::kEditPaste, false},
        {"save", cmd::kFileSave, false}, {"save as", cmd::kFileSaveAs, false},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        QAction* item = test::menuAction(*m_app.mainFrame(), c.id);
        ASSERT_NE(item, nullptr);
        test::openMenusOf(*m_app.mainFrame(), item);
        EXPECT_EQ(item->isEnabled(), c.enabled);
    }
    // Reached some other way, saving still writes nothing.
    EXPECT_FALSE(document->onSaveDocument(QString::fromStdString(m_dir.file("copy.bin"))));
    EXPECT_FALSE(std::filesystem::exists(m_dir.file("copy.bin")));
    EXPECT_FALSE(document->isModified());
}

// A file of more rows than an int holds: the scroll bar still reaches every row, its ends the
// first and the last, and the keys and show-range move it along.
TEST_F(BinaryDocument, TheScrollBarOfAFileOfMoreRowsThanAnIntReachesEveryRow)
{
    const std::int64_t size = 64 * kGiB;  // 2^32 rows
    const std::string path = m_dir.file("vast.bin");
    writeSparse(path, size, {{size - 1, "E"}});
    CRodeZorBinDoc* document = open(path);
    ASSERT_NE(document, nullptr);
    CHexEditView* view = document->firstView();
    QScrollBar* bar = view->verticalScrollBar();
    const std::int64_t lastTop = size - view->visibleRows() * 16;

    press(*view, QStringLiteral("Ctrl+End"));
    EXPECT_EQ(view->topOffset(), lastTop);
    EXPECT_EQ(view->caretOffset(), size - 1);
    EXPECT_EQ(bar->value(), bar->maximum());
    press(*view, QStringLiteral("Ctrl+Home"));
    EXPECT_EQ(bar->value(), 0);

    struct SCase {
        const char* name;
        QAbstractSlider::SliderAction action;
        std::int64_t top;
    };
    const SCase moves[] = {
        {"to the end", QAbstractSlider::SliderToMaximum, lastTop},
        {"to the start", QAbstractSlider::SliderToMinimum, 0},
    };
    for (const SCase& c : moves) {
        SCOPED_TRACE(c.name);
        bar->triggerAction(c.action);
        EXPECT_EQ(view->topOffset(), c.top);
    }
    // Halfway down the bar is halfway through the file, to a step of the bar.
    bar->setValue(bar->maximum() / 2);
    EXPECT_NEAR(static_cast<double>(view->topOffset()), static_cast<double>(lastTop / 2), 16.0);
    view->showRange(48 * kGiB, 1);
    EXPECT_NEAR(bar->value(), bar->maximum() / 4 * 3, 64);
    EXPECT_EQ(view->selectionStart(), 48 * kGiB);
    view->grab();
}

TEST_F(BinaryDocument, SavingAfterAnInsertWritesTheLongerContent)
{
    const std::string path = m_dir.write("data.bin", "ABCD");
    CRodeZorBinDoc* document = open(path);
    ASSERT_NE(document, nullptr);
    CHexEditView* view = document->firstView();
    view->setCaret(2, CHexEditView::kTextArea);
    QKeyEvent insert(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
    QApplication::sendEvent(view, &insert);
    for (const char* text : {"x", "y"}) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromLatin1(text));
        QApplication::sendEvent(view, &key);
    }
    EXPECT_TRUE(document->isModified());
    ASSERT_TRUE(document->onSaveDocument(document->pathName()));
    EXPECT_EQ(readBytes(path), "ABxyCD");
    EXPECT_FALSE(document->isModified());
}

TEST_F(BinaryDocument, AFailedSaveLeavesTheFileIntactAndIsReported)
{
    const std::string path = m_dir.write("data.bin", "original");
    CRodeZorBinDoc* document = open(path);
    ASSERT_NE(document, nullptr);
    document->bytes() = QByteArray(64 * 1024, 'r');
    document->setModifiedFlag(true);
    // A file size limit stands in for a full disk (and holds for root, unlike permissions).
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool saved = true;
    const QStringList boxes = messagesDuring([&] { saved = document->doSave(document->pathName(), false); });
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(readBytes(path), "original");
    EXPECT_TRUE(document->isModified());
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes.front().contains(QString::fromStdString(path))) << boxes.front().toStdString();
    EXPECT_TRUE(boxes.front().contains(QStringLiteral("left unchanged"))) << boxes.front().toStdString();
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.path()), {}), 1);
}

TEST_F(BinaryDocument, ShowRangeShowsTheRangeAndReusesTheDocumentOfTheSameFile)
{
    const std::string path = m_dir.write("Data.BIN", std::string(0x10000, '\x5A'));
    CRodeZorBinDoc* first = CRodeZorBinDoc::showRange(QString::fromStdString(path), 0x5000, 1);
    ASSERT_NE(first, nullptr);
    CHexEditView* view = first->firstView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->caretOffset(), 0x5000);
    EXPECT_EQ(view->selectionStart(), 0x5000);
    EXPECT_EQ(view->selectionEnd(), 0x5001);
    EXPECT_LE(view->topOffset(), 0x5000);
    EXPECT_GT(view->topOffset() + view->visibleRows() * 16, 0x5000);

    std::filesystem::create_directory(m_dir.file("sub"));
    std::filesystem::create_symlink("Data.BIN", m_dir.file("link"));
    for (const char* otherName : {"link", "sub/../Data.BIN"}) {
        SCOPED_TRACE(otherName);
        CRodeZorBinDoc* again = CRodeZorBinDoc::showRange(QString::fromStdString(m_dir.file(otherName)), 0x20, 0);
        EXPECT_EQ(again, first);
        EXPECT_EQ(m_app.docTemplateAt(2)->documents().size(), 1u);
        EXPECT_EQ(view->caretOffset(), 0x20);
        EXPECT_FALSE(view->hasSelection());
    }
    // Through the interface the comparison window's viewer uses.
    static_cast<CPositionTarget*>(first)->selectBytes(0x30, 2);
    EXPECT_EQ(view->selectionEnd(), 0x32);
}

// Regression: the document of "Data.BIN" was reused for "data.bin", showing the other file's
// bytes under its name.
TEST_F(BinaryDocument, ShowRangeOfANameDifferingOnlyInCaseOpensThatFile)
{
    const std::string upper = m_dir.write("Data.BIN", std::string(0x100, 'U'));
    const std::string lower = m_dir.write("data.bin", std::string(0x100, 'l'));
    CRodeZorBinDoc* first = CRodeZorBinDoc::showRange(QString::fromStdString(upper), 0, 1);
    CRodeZorBinDoc* second = CRodeZorBinDoc::showRange(QString::fromStdString(lower), 0, 1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(m_app.docTemplateAt(2)->documents().size(), 2u);
    EXPECT_EQ(second->bytes().front(), 'l');
    EXPECT_EQ(second->pathName(), QString::fromStdString(lower));
}

}  // namespace
}  // namespace brindle
