// Binary document: loading, opening, saving safely, refusing huge files, showing a range.
#include "hex_view/rode_zor_bin_doc.h"
#include "hex_view/rode_zor_bin_view.h"
#include "support/message_boxes.h"
#include "support/qt_print.h"
#include "support/temp_dir.h"

#include "framework/doc_template.h"
#include "framework/mdi_child_wnd.h"
#include "framework/mdi_frame_wnd.h"
#include "framework/win_app.h"

#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brindle {
namespace {

using test::CTempDir;
using test::readBytes;

using test::messagesDuring;

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
                view->setData(&static_cast<CRodeZorBinDoc&>(document).bytes());
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

TEST_F(BinaryDocument, FilesOfTwoGibibytesOrMoreAreRefusedWithAMessage)
{
    struct SCase {
        off_t size;
        bool opens;
    };
    const off_t limit = off_t{1} << 31;
    for (const SCase c : {SCase{limit, false}, SCase{limit + 4096, false}, SCase{limit * 2, false}}) {
        const std::string path = m_dir.file("huge.bin");
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, c.size), 0);  // sparse: no disk space taken
        ::close(fd);
        CRodeZorBinDoc* document = nullptr;
        const QStringList boxes = messagesDuring([&] { document = open(path); });
        EXPECT_EQ(document != nullptr, c.opens) << c.size;
        ASSERT_EQ(boxes.size(), 1) << c.size;
        EXPECT_TRUE(boxes.front().contains(QStringLiteral("too large"))) << boxes.front().toStdString();
    }
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
