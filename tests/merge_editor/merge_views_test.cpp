// Tests of the editors' views on an editor document: merge colouring type, tag commands and
// section moves through the view's commands, going to a line.
#include "merge_editor/edit_doc.h"
#include "merge_editor/rode_zor_view.h"

#include "editor/text_type.h"
#include "framework/command_ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brindle {
namespace {

SMergeCommandTags testTags(CDocument&)
{
    SMergeCommandTags tags;
    tags.file1 = {u"<<1", u"1>>", u"|<"};
    tags.file2 = {u"<<2", u"2>>", u"|>"};
    return tags;
}

class MergeViewsTest : public testing::Test {
protected:
    void SetUp() override
    {
        CRodeZorView::SetTagSource(testTags);
        m_document = new CEditDoc;
        m_view = new CRodeZorView;
        m_view->attachDocument(m_document);
        for (const char16_t* line : {u"same", u"<<1", u"|<one", u"1>>", u"<<2", u"|>two", u"2>>", u"end"})
            m_document->textBuffer().AddLine(line);
        m_view->onInitialUpdate();
    }
    void TearDown() override
    {
        delete m_view;  // the document goes with its last view
        CRodeZorView::SetTagSource(nullptr);
    }

    std::u16string text() const
    {
        std::u16string out;
        const CEdTextBuffer& buffer = m_document->textBuffer();
        for (int line = 0; line < buffer.LineCount(); ++line)
            out += std::u16string(line ? u"/" : u"") + std::u16string(buffer.LineText(line));
        return out;
    }

    CEditDoc* m_document = nullptr;
    CRodeZorView* m_view = nullptr;
};

TEST_F(MergeViewsTest, ShowsTheDocumentsBufferAsAMergeFile)
{
    EXPECT_EQ(m_view->TextBuffer(), &m_document->textBuffer());
    ASSERT_NE(m_view->CurrentTextType(), nullptr);
    EXPECT_EQ(m_view->CurrentTextType()->type, 23);
}

TEST_F(MergeViewsTest, TagCommandsChangeTheDocumentsText)
{
    struct SCase {
        int command;
        std::u16string expected;
    };
    const std::vector<SCase> cases = {
        {cmd::kRemoveFile1Tags, u"same/one/<<2/|>two/2>>/end"},
        {cmd::kRemoveFile2Tags, u"same/<<1/|<one/1>>/two/end"},
        {cmd::kRemoveAllTags, u"same/one/two/end"},
    };
    const std::u16string original = text();
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.command);
        ASSERT_TRUE(m_view->onCmdMsg(c.command));
        EXPECT_EQ(text(), c.expected);
        while (m_document->textBuffer().CanUndo())
            m_view->onCmdMsg(cmd::kEditUndo);
        EXPECT_EQ(text(), original);
    }
}

TEST_F(MergeViewsTest, SectionsAreSelectedOneAfterAnotherWithoutMovingTheCaret)
{
    const STextPos caret = m_view->GetCursorPos();
    STextPos start;
    STextPos end;
    ASSERT_TRUE(m_view->onCmdMsg(cmd::kNextSection));
    m_view->GetSelection(start, end);
    EXPECT_EQ(start, (STextPos{0, 1}));
    EXPECT_EQ(end, (STextPos{3, 3}));
    m_view->onCmdMsg(cmd::kNextSection);
    m_view->GetSelection(start, end);
    EXPECT_EQ(start, (STextPos{0, 4}));
    EXPECT_EQ(end, (STextPos{3, 6}));
    m_view->onCmdMsg(cmd::kPrevSection);
    m_view->GetSelection(start, end);
    EXPECT_EQ(start, (STextPos{0, 1}));
    EXPECT_EQ(m_view->GetCursorPos(), caret);
}

TEST_F(MergeViewsTest, GoToLineCountsFromZeroAndStopsAtTheLastLine)
{
    const std::vector<std::pair<std::int64_t, int>> cases = {{0, 0}, {3, 3}, {7, 7}, {100, 7}, {-5, 0}};
    for (const auto& [line, expected] : cases) {
        SCOPED_TRACE(line);
        static_cast<CPositionTarget*>(m_view)->goToLine(line);
        EXPECT_EQ(m_view->GetCursorPos(), (STextPos{0, expected}));
    }
}

// Closing a merge editor keeps its caret's place for the next opening of the same file.
TEST(MergeViewsRememberTest, CaretComesBackToWhereTheLastViewLeftIt)
{
    CRodeZorView::SetTagSource(testTags);
    const QString path = QStringLiteral("/nonexistent/remembered-merge.txt");
    const auto openView = [&path] {
        auto* document = new CEditDoc;
        document->setPathName(path, false);
        for (const char16_t* line : {u"zero", u"one", u"two", u"three"})
            document->textBuffer().AddLine(line);
        auto* view = new CRodeZorView;
        view->attachDocument(document);
        view->onInitialUpdate();
        return view;
    };
    CRodeZorView* first = openView();
    static_cast<CPositionTarget*>(first)->goToLine(2);
    delete first;
    CRodeZorView* second = openView();
    EXPECT_EQ(second->GetCursorPos(), (STextPos{0, 2}));
    delete second;
    CRodeZorView::SetTagSource(nullptr);
}

}  // namespace
}  // namespace brindle
