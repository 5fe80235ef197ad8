// The editor document in a real main frame: opening, saving (retyping, read-only targets,
// failures), the modified markers in the window titles, and the recovery copy.
#include "framework/qt_utf16.h"
#include "merge_editor/edit_doc.h"
#include "merge_editor/title_markers.h"

#include "editor/ed_buffer_view.h"
#include "editor/text_type.h"
#include "framework/doc_template.h"
#include "framework/mdi_child_wnd.h"
#include "framework/mdi_frame_wnd.h"
#include "framework/view.h"
#include "framework/win_app.h"
#include "platform/file_system.h"
#include "support/case_name.h"
#include "support/file_size_limit.h"
#include "support/message_boxes.h"
#include "support/qt_print.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <unistd.h>

namespace brindle {
namespace {

class CPlainView : public QLabel, public CView {
public:
    explicit CPlainView(QWidget* parent) : QLabel(parent) { setFocusPolicy(Qt::StrongFocus); }
    QWidget* widget() override { return this; }
    void onUpdate(CView*, int) override { ++updates; }
    int updates = 0;
};

// Stands for the editor's view on the buffer: records the text types it is given.
class CTypeRecorder : public CEdBufferView {
public:
    void OnBufferChanged(CEdBufferView*, const CEdTextBuffer::CUpdateContext*, std::uint32_t, std::int32_t) override {}
    void OnEditCompleted(std::int32_t, std::u16string_view) override {}
    void ApplyTextType(const STextType* type) override { types.push_back(type); }
    std::vector<const STextType*> types;
};

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

using test::messagesDuring;

QString qs(const std::string& text) { return QString::fromStdString(text); }

class EditDocTest : public testing::Test {
protected:
    EditDocTest()
    {
        m_app.setMainFrame(std::make_unique<CMDIFrameWnd>());
        m_app.mainFrame()->setAppTitle(QStringLiteral("Brindle"));
        m_app.mainFrame()->resize(800, 600);
        m_app.mainFrame()->show();
        m_app.addDocTemplate(std::make_unique<CDocTemplate>(
            154, [] { return new CEditDoc; }, nullptr,
            [](CDocument&, QWidget* parent) -> CView* { return new CPlainView(parent); }));
    }
    ~EditDocTest() override
    {
        for (CDocument* document : m_app.docTemplateAt(0)->documents())
            document->setModifiedFlag(false);
        m_app.closeAllDocuments();
        settle();
    }

    CEditDoc* open(const std::string& path)
    {
        auto* document = qobject_cast<CEditDoc*>(m_app.docTemplateAt(0)->openDocumentFile(qs(path)));
        settle();
        return document;
    }
    CMDIChildWnd* frameOf(CEditDoc& document) const { return document.views().front()->parentFrame(); }
    QString mainTitle() const { return m_app.mainFrame()->windowTitle(); }
    static void type(CEditDoc& document, std::u16string_view text)
    {
        std::int32_t line = 0;
        std::int32_t ch = 0;
        ASSERT_TRUE(document.textBuffer().InsertTextAt(nullptr, 0, 0, text, line, ch, CEdTextBuffer::Typing));
    }

    CWinApp m_app;
    test::CTempDir m_dir;
};

// ---- Title markers

struct STitleCase {
    const char* name;
    bool maximized;
};

void PrintTo(const STitleCase& c, std::ostream* out) { *out << c.name; }

class TitleMarkers : public EditDocTest, public testing::WithParamInterface<STitleCase> {};

TEST_P(TitleMarkers, FirstChangeMarksOnceAndUndoToTheSavedStateUnmarks)
{
    CEditDoc* document = open(m_dir.write("a.txt", "one\r\ntwo"));
    ASSERT_NE(nullptr, document);
    CMDIChildWnd* child = frameOf(*document);
    ASSERT_EQ(child, m_app.mainFrame()->activeChild());
    if (GetParam().maximized) {
        child->showMaximized();
        settle();
    }
    const QString main = mainTitle();
    const QString own = child->windowTitle();
    ASSERT_EQ(GetParam().maximized ? QStringLiteral("Brindle - [a.txt]") : QStringLiteral("Brindle - a.txt"), main);

    type(*document, u"x");
    type(*document, u"y");
    document->textBuffer().MarkModified(true);  // said again: still one marker each
    EXPECT_TRUE(document->isModified());
    EXPECT_EQ(QStringLiteral("* ") + main, mainTitle());
    EXPECT_EQ(GetParam().maximized ? own : own + QStringLiteral(" *"), child->windowTitle());

    STextPos cursor;
    ASSERT_TRUE(document->textBuffer().Undo(cursor));
    EXPECT_TRUE(document->isModified());
    EXPECT_EQ(QStringLiteral("* ") + main, mainTitle());
    ASSERT_TRUE(document->textBuffer().Undo(cursor));
    EXPECT_FALSE(document->isModified());
    EXPECT_EQ(main, mainTitle());
    EXPECT_EQ(own, child->windowTitle());

    // Redo leaves the saved state again, a save comes back to it.
    ASSERT_TRUE(document->textBuffer().Redo(cursor));
    EXPECT_EQ(QStringLiteral("* ") + main, mainTitle());
    ASSERT_TRUE(document->onSaveDocument(document->pathName()));
    EXPECT_FALSE(document->isModified());
    EXPECT_EQ(main, mainTitle());
    EXPECT_EQ(own, child->windowTitle());
}

INSTANTIATE_TEST_SUITE_P(Frames, TitleMarkers,
                         testing::Values(STitleCase{"Normal", false}, STitleCase{"Maximized", true}),
                         test::SCaseName{});

TEST(TitleMarkerText, AddsAndRemovesOnlyTheMarkers)
{
    QWidget main;
    QWidget child;
    main.setWindowTitle(QStringLiteral("Brindle - [x *]"));
    child.setWindowTitle(QStringLiteral("* x"));
    // Marks that only look alike at the other end are not markers.
    applyTitleMarkers(false, &main, &child, false);
    EXPECT_EQ(QStringLiteral("Brindle - [x *]"), main.windowTitle());
    EXPECT_EQ(QStringLiteral("* x"), child.windowTitle());
    applyTitleMarkers(true, &main, &child, false);
    applyTitleMarkers(true, &main, &child, false);
    EXPECT_EQ(QStringLiteral("* Brindle - [x *]"), main.windowTitle());
    EXPECT_EQ(QStringLiteral("* x *"), child.windowTitle());
    applyTitleMarkers(false, &main, &child, true);
    EXPECT_EQ(QStringLiteral("Brindle - [x *]"), main.windowTitle());
    EXPECT_EQ(QStringLiteral("* x *"), child.windowTitle());
    applyTitleMarkers(false, nullptr, &child, false);
    EXPECT_EQ(QStringLiteral("* x"), child.windowTitle());
}

// ---- Opening

// A file that cannot be opened or read is named with the reason, and the editor opens a new
// document instead: one empty line, ready for typing.
TEST_F(EditDocTest, AnUnreadableFileIsNamedAndGivesAnEmptyDocument)
{
    const std::string fifo = m_dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, QString> cases[] = {
        {m_dir.file("missing.txt"), QStringLiteral(": No such file")},
        {m_dir.path().string(), QStringLiteral(" is a folder")},
        {fifo, QStringLiteral(" is not an ordinary file")},
        {"/proc/self/mem", QStringLiteral(": Input/output error")},
    };
    for (const auto& [path, reason] : cases) {
        CEditDoc* document = nullptr;
        const QStringList messages = messagesDuring([&] { document = open(path); });
        ASSERT_EQ(1, messages.size()) << path;
        EXPECT_TRUE(messages.front().contains(qs(path) + reason)) << messages.front().toStdString();
        ASSERT_NE(nullptr, document);
        ASSERT_EQ(1, document->textBuffer().LineCount());
        EXPECT_FALSE(document->isModified());
        type(*document, u"typed");
        EXPECT_EQ(u"typed", document->textBuffer().LineText(0));
        document->setModifiedFlag(false);
        m_app.closeAllDocuments();
        settle();
    }
}

TEST_F(EditDocTest, OpeningLoadsTheFileUnmodified)
{
    CEditDoc* document = open(m_dir.write("a.txt", "one\r\ntwo"));
    ASSERT_NE(nullptr, document);
    ASSERT_EQ(2, document->textBuffer().LineCount());
    EXPECT_EQ(u"two", document->textBuffer().LineText(1));
    EXPECT_FALSE(document->isModified());
    EXPECT_EQ(qs(m_dir.file("a.txt")), document->pathName());
}

// ---- Saving

struct SRetypeCase {
    const char* name;
    const char* from;
    const char* to;
    bool retyped;
};

void PrintTo(const SRetypeCase& c, std::ostream* out) { *out << c.name; }

class SaveRetype : public EditDocTest, public testing::WithParamInterface<SRetypeCase> {};

TEST_P(SaveRetype, ANewExtensionRetypesTheViews)
{
    const SRetypeCase& c = GetParam();
    CEditDoc* document = open(m_dir.write(c.from, "text"));
    ASSERT_NE(nullptr, document);
    auto* view = dynamic_cast<CPlainView*>(document->views().front());
    const int updatesBefore = view->updates;
    CTypeRecorder recorder;
    document->textBuffer().AttachView(&recorder);
    const std::string target = m_dir.file(c.to);
    ASSERT_TRUE(document->onSaveDocument(qs(target)));
    document->textBuffer().DetachView(&recorder);
    if (c.retyped) {
        ASSERT_EQ(1u, recorder.types.size());
        EXPECT_EQ(TextTypeOfPath(toU16String(qs(target))), recorder.types.front());
        EXPECT_GT(view->updates, updatesBefore);
    } else {
        EXPECT_TRUE(recorder.types.empty());
        EXPECT_EQ(updatesBefore, view->updates);
    }
    EXPECT_EQ("text", test::readBytes(target));
}

INSTANTIATE_TEST_SUITE_P(Cases, SaveRetype,
                         testing::Values(SRetypeCase{"TxtToMrg", "a.txt", "b.mrg", true},
                                         SRetypeCase{"ExtensionsDifferOnlyInCase", "a.TXT", "b.txt", false},
                                         SRetypeCase{"SameExtension", "a.mrg", "b.mrg", false},
                                         SRetypeCase{"ExtensionDropped", "a.txt", "b", true},
                                         SRetypeCase{"NoExtensionEither", "a", "b", false},
                                         SRetypeCase{"OnlyTheLastExtensionCounts", "a.mrg.txt", "b.txt.mrg", true}),
                         test::SCaseName{});

TEST_F(EditDocTest, SavingOverAReadOnlyFileReplacesItAndMakesItWritable)
{
    CEditDoc* document = open(m_dir.write("a.txt", "new"));
    ASSERT_NE(nullptr, document);
    const std::string target = m_dir.write("locked.txt", "old");
    std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    ASSERT_TRUE(fileAttributes(toU16String(qs(target)))->readOnly);
    type(*document, u"x");
    EXPECT_TRUE(messagesDuring([&] { EXPECT_TRUE(document->onSaveDocument(qs(target))); }).isEmpty());
    EXPECT_EQ("xnew", test::readBytes(target));
    EXPECT_FALSE(fileAttributes(toU16String(qs(target)))->readOnly);
    EXPECT_FALSE(document->isModified());
}

TEST_F(EditDocTest, AFailedSaveSaysSoOnceKeepsTheFileAndStaysModified)
{
    CEditDoc* document = open(m_dir.write("a.txt", "new"));
    ASSERT_NE(nullptr, document);
    type(*document, u"x");
    const std::string missingFolder = m_dir.file("none/b.txt");
    QStringList messages = messagesDuring([&] { EXPECT_FALSE(document->doSave(qs(missingFolder), false)); });
    // The message names the file and the system's reason.
    EXPECT_EQ(QStringList{QStringLiteral("File %1 cannot be saved.\nNo such file or directory").arg(qs(missingFolder))},
              messages);
    EXPECT_TRUE(document->isModified());
    EXPECT_EQ(QStringLiteral("* Brindle - a.txt"), mainTitle());

    if (::geteuid() == 0)
        GTEST_SKIP() << "a read-only folder does not stop root";
    const std::filesystem::path folder = m_dir.path() / "locked";
    std::filesystem::create_directory(folder);
    const std::string target = m_dir.write("locked/b.txt", "old");
    std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    messages = messagesDuring([&] { EXPECT_FALSE(document->onSaveDocument(qs(target))); });
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    EXPECT_EQ(1, messages.size());
    EXPECT_EQ("old", test::readBytes(target));
    EXPECT_TRUE(document->isModified());
}

// A read-only file that is made writable for the save gets its mode back when the save fails
// (a file size limit stands in for a full disk); a save that succeeds leaves it writable.
TEST_F(EditDocTest, ReadOnlyFileKeepsItsModeWhenTheSaveFails)
{
    for (const bool fails : {true, false}) {
        const std::string path = m_dir.write(fails ? "ro-fails.txt" : "ro-saved.txt", "old");
        ::chmod(path.c_str(), 0444);
        CEditDoc* document = open(path);
        ASSERT_NE(nullptr, document);
        type(*document, std::u16string(fails ? 5000 : 1, u'x'));
        const QStringList messages = messagesDuring([&] {
            const test::CFileSizeLimit limit(1000);
            EXPECT_EQ(document->onSaveDocument(qs(path)), !fails);
        });
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, fails ? 0444u : 0644u) << fails;
        EXPECT_EQ(messages.size(), fails ? 1 : 0);
        EXPECT_EQ(test::readBytes(path) == "old", fails);
        document->setModifiedFlag(false);
        document->onCloseDocument();
    }
}

// ---- Recovery copy

TEST_F(EditDocTest, RecoveryCopyWritesTheTextAndLeavesTheDocumentAsItWas)
{
    const std::string path = m_dir.write("a.txt", "one\r\ntwo");
    CEditDoc* document = open(path);
    ASSERT_NE(nullptr, document);
    document->textBuffer().SetCreateBackup(true);
    type(*document, u"x");
    const std::int32_t undoPosition = document->textBuffer().UndoPosition();
    const QString main = mainTitle();

    const std::string copy = m_dir.file("a.txt.unsaved");
    ASSERT_TRUE(document->writeRecoveryCopy(qs(copy)));
    EXPECT_EQ("xone\r\ntwo", test::readBytes(copy));
    EXPECT_EQ("one\r\ntwo", test::readBytes(path));
    EXPECT_EQ(qs(path), document->pathName());
    EXPECT_TRUE(document->isModified());
    EXPECT_TRUE(document->textBuffer().IsModified());
    EXPECT_TRUE(document->textBuffer().CreateBackup());
    EXPECT_EQ(undoPosition, document->textBuffer().UndoPosition());
    EXPECT_EQ(main, mainTitle());

    // Writing over an earlier copy keeps no backup of it; the history still leads back to the file.
    ASSERT_TRUE(document->writeRecoveryCopy(qs(copy)));
    EXPECT_FALSE(std::filesystem::exists(copy + ".bak"));
    STextPos cursor;
    ASSERT_TRUE(document->textBuffer().Undo(cursor));
    EXPECT_FALSE(document->isModified());

    EXPECT_FALSE(document->writeRecoveryCopy(qs(m_dir.file("none/copy.txt"))));
}

}  // namespace
}  // namespace brindle
