// The folder comparison window driven through the main window: two folders on the command line,
// the rows and their states, F8 to a difference, Enter to the pair's comparison, copying an entry
// across from the Edit menu, Refresh after a change on disk, and hiding identical entries.
#include "app/main_frame.h"
#include "compare_ui/brd_doc.h"
#include "compare_ui/folder_doc.h"
#include "compare_ui/folder_view.h"
#include "frame_test_support.h"
#include "framework/command_ids.h"
#include "framework/doc_template.h"
#include "framework/qt_utf16.h"
#include "framework/template_positions.h"
#include "support/temp_dir.h"
#include "support/user_door.h"

#include <QTreeWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace brindle {
namespace {

namespace fs = std::filesystem;

class FolderWindowTest : public testing::Test {
protected:
    void put(const std::string& name, const std::string& bytes)
    {
        const fs::path path = m_dir.path() / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    CFolderDoc* start()
    {
        const QString commandLine =
            QStringLiteral("\"%1\" \"%2\"")
                .arg(QString::fromStdString(m_dir.file("a")), QString::fromStdString(m_dir.file("b")));
        EXPECT_TRUE(m_app.app.initInstance(commandLine));
        test::settle();
        CDocTemplate* folders = m_app.app.docTemplateAt(kFolderComparisonTemplate);
        if (!folders || folders->documents().size() != 1)
            return nullptr;
        return qobject_cast<CFolderDoc*>(folders->documents().front());
    }
    static CFolderView* viewOf(CFolderDoc& document) { return dynamic_cast<CFolderView*>(document.views().front()); }
    // "name state" of every row shown, depth first.
    static std::vector<std::string> rows(QTreeWidget& tree)
    {
        std::vector<std::string> result;
        std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* item) {
            if (!item->isHidden())
                result.push_back((item->text(0) + u' ' + item->text(1)).toStdString());
            for (int i = 0; i < item->childCount(); ++i)
                walk(item->child(i));
        };
        for (int i = 0; i < tree.topLevelItemCount(); ++i)
            walk(tree.topLevelItem(i));
        return result;
    }

    test::SAppOnMemorySettings m_app;
    test::CTempDir m_dir;
};

TEST_F(FolderWindowTest, ComparesNavigatesOpensCopiesAndRefreshes)
{
    put("a/same.txt", "same\n");
    put("b/same.txt", "same\n");
    put("a/src/main.c", "int main() { return 0; }\n");
    put("b/src/main.c", "int main() { return 1; }\n");
    put("a/only1.txt", "mine\n");
    put("b/docs/new.md", "theirs\n");
    CFolderDoc* document = start();
    ASSERT_NE(document, nullptr);
    CFolderView* view = viewOf(*document);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(rows(*view), (std::vector<std::string>{"docs only in folder 2", "new.md only in folder 2",
                                                     "only1.txt only in folder 1", "same.txt identical",
                                                     "src different", "main.c different"}));
    EXPECT_EQ(document->title(), QString::fromUtf8("a \u2014 b"));
    CMainFrame& frame = *m_app.app.mainFrame();
    ASSERT_TRUE(test::activate(frame));
    view->setFocus();

    // F8 goes from difference to difference, into closed folders, and round again.
    view->setCurrentItem(view->topLevelItem(0));
    test::pressKeys(frame, QKeySequence(Qt::Key_F8));
    EXPECT_EQ(view->currentEntry()->path, "only1.txt");
    test::pressKeys(frame, QKeySequence(Qt::Key_F8));
    EXPECT_EQ(view->currentEntry()->path, "src/main.c");
    test::pressKeys(frame, QKeySequence(Qt::Key_F8));
    EXPECT_EQ(view->currentEntry()->path, "docs");
    test::pressKeys(frame, QKeySequence(Qt::SHIFT | Qt::Key_F8));
    EXPECT_EQ(view->currentEntry()->path, "src/main.c");

    // Enter opens the pair in the comparison window.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Return);
    test::settle();
    CDocTemplate* comparisons = m_app.app.docTemplateAt(kComparisonTemplate);
    ASSERT_EQ(comparisons->documents().size(), 1u);
    auto* comparison = qobject_cast<CBRDDoc*>(comparisons->documents().front());
    EXPECT_EQ(toQString(comparison->context().m_file2Path), QString::fromStdString(m_dir.file("b/src/main.c")));
    EXPECT_FALSE(comparison->report().items.empty());

    // Copy to Folder 2 from the Edit menu, after a Yes.
    document->firstFrame()->activateFrame();
    test::settle();
    view->setCurrentItem(view->itemOf("src/main.c"));
    {
        test::CDialogAnswers answers;
        answers.thenClick(QMessageBox::Yes);
        ASSERT_TRUE(test::chooseMenuItem(frame, cmd::kFolderCopyTo2));
        test::settle();
    }
    EXPECT_EQ(test::readBytes(m_dir.file("b/src/main.c")), "int main() { return 0; }\n");
    EXPECT_EQ(view->currentEntry()->path, "src/main.c");
    EXPECT_EQ(view->currentEntry()->state, EEntryState::Same);

    // A change on disk shows after Refresh (F5); identical entries can be hidden.
    put("b/same.txt", "changed\n");
    test::pressKeys(frame, QKeySequence(Qt::Key_F5));
    test::settle();
    ASSERT_NE(view->itemOf("same.txt"), nullptr);
    EXPECT_EQ(view->itemOf("same.txt")->text(1), QStringLiteral("different"));
    ASSERT_TRUE(test::activate(frame));  // offscreen, nothing gives it back after the progress dialog
    ASSERT_TRUE(test::chooseMenuItem(frame, cmd::kFolderShowIdentical));
    EXPECT_EQ(rows(*view), (std::vector<std::string>{"docs only in folder 2", "new.md only in folder 2",
                                                     "only1.txt only in folder 1", "same.txt different"}));
}

// Copying a folder that only one side has brings all of it across; No leaves the other side alone.
TEST_F(FolderWindowTest, CopyingAFolderBringsItsContentsAndNoLeavesItAlone)
{
    put("a/keep.txt", "k");
    put("b/keep.txt", "k");
    put("a/lib/x/deep.txt", "deep");
    put("a/lib/top.txt", "top");
    CFolderDoc* document = start();
    ASSERT_NE(document, nullptr);
    CFolderView* view = viewOf(*document);
    CMainFrame& frame = *m_app.app.mainFrame();
    ASSERT_TRUE(test::activate(frame));
    view->setCurrentItem(view->itemOf("lib"));
    {
        test::CDialogAnswers answers;
        answers.thenClick(QMessageBox::No);
        ASSERT_TRUE(test::chooseMenuItem(frame, cmd::kFolderCopyTo2));
        test::settle();
    }
    EXPECT_FALSE(fs::exists(m_dir.path() / "b/lib"));
    {
        test::CDialogAnswers answers;
        answers.thenClick(QMessageBox::Yes);
        ASSERT_TRUE(test::chooseMenuItem(frame, cmd::kFolderCopyTo2));
        test::settle();
    }
    EXPECT_EQ(test::readBytes(m_dir.file("b/lib/x/deep.txt")), "deep");
    EXPECT_EQ(test::readBytes(m_dir.file("b/lib/top.txt")), "top");
    EXPECT_EQ(m_app.app.mainFrame()->messageText(), QStringLiteral("The folders are identical"));
}

}  // namespace
}  // namespace brindle
