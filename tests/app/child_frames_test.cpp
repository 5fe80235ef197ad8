// The comparison window's two panes and the hex window's panes the user splits.
#include "app/bin_child_frame.h"
#include "app/child_frame.h"
#include "platform/settings_names.h"

#include "app/main_frame.h"
#include "frame_test_support.h"
#include "framework/command_ids.h"
#include "support/case_name.h"
#include "support/qt_print.h"
#include "support/user_door.h"

#include <gtest/gtest.h>

#include <QSplitter>
#include <QSplitterHandle>
#include <optional>
#include <set>
#include <string>

namespace brindle {
namespace {

using test::settle;

class FrameTest : public testing::Test {
protected:
    FrameTest()
    {
        auto main = std::make_unique<CMainFrame>();
        main->setGeometry(0, 0, 780, 700);
        main->show();
        m_app.app.setMainFrame(std::move(main));
        m_app.app.addDocTemplate(test::makeTestTemplate(129, [](CDocTemplate& t, CDocument& d) -> CMDIChildWnd* {
            return new CChildFrame(
                t, d, [](CDocument&, QWidget* parent) -> CView* { return new test::CCountingView(parent); });
        }));
        m_app.app.addDocTemplate(test::makeTestTemplate(
            131, [](CDocTemplate& t, CDocument& d) -> CMDIChildWnd* { return new CBinChildFrame(t, d); }));
        settle();
    }

    template <class Frame>
    Frame* open(std::size_t position)
    {
        CDocument* document = m_app.app.docTemplateAt(position)->openDocumentFile(QString());
        settle();
        Frame* frame = test::frameOf<Frame>(document);
        if (frame) {
            frame->resize(600, 400);
            settle();
        }
        return frame;
    }

    test::SAppOnMemorySettings m_app;
};

// ---- Comparison window ------------------------------------------------------------------------

struct SSplitterCase {
    std::string name;
    std::optional<int> stored;  // "Splitter" in "Compare Window"
    int width;
};
void PrintTo(const SSplitterCase& c, std::ostream* out) { *out << c.name; }

class ComparisonFrame : public FrameTest, public testing::WithParamInterface<SSplitterCase> {};

TEST_P(ComparisonFrame, SectionListWidthFromSettingsAndNotSetByTheProgram)
{
    if (GetParam().stored)
        m_app.profile().writeInt(kCompareWindowSection, kSplitterValue, *GetParam().stored);
    auto* frame = open<CChildFrame>(0);
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(frame->splitter()->count(), 2);
    EXPECT_EQ(frame->splitter()->sizes().front(), GetParam().width);

    // The window grows: the list keeps its width.
    frame->resize(700, 400);
    settle();
    EXPECT_EQ(frame->splitter()->sizes().front(), GetParam().width);

    // Only the user's drag is remembered (ComparisonFrameDrag).
    frame->splitter()->setSizes({250, 300});
    frame->close();
    settle();
    EXPECT_EQ(m_app.profile().readInt(kCompareWindowSection, kSplitterValue, -1), GetParam().stored.value_or(-1));
    EXPECT_NE(m_app.readString(kCompareWindowSection, kRectangleValue), QStringLiteral("(missing)"));
}

INSTANTIATE_TEST_SUITE_P(Widths, ComparisonFrame,
                         testing::Values(SSplitterCase{"Default", std::nullopt, 100},
                                         SSplitterCase{"Stored300", 300, 300}),
                         test::SCaseName());

TEST_F(FrameTest, ComparisonFramePanesInOrderAndTitled)
{
    auto* frame = open<CChildFrame>(0);
    ASSERT_NE(frame, nullptr);
    CDocument* document = frame->document();
    ASSERT_EQ(document->views().size(), 2u);
    // Other parts find the section list as the first view and the form view as the second.
    EXPECT_EQ(document->views()[0], frame->sectionView());
    EXPECT_EQ(document->views()[1], frame->formView());
    EXPECT_EQ(frame->splitter()->widget(0), frame->sectionView()->widget());
    EXPECT_EQ(document->title(), QStringLiteral("Comparison Results"));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Comparison Results"));
    EXPECT_EQ(frame->activeView(), frame->sectionView());

    frame->formView()->widget()->setFocus();
    settle();
    EXPECT_EQ(frame->activeView(), frame->formView());
}

// ---- Hex window -------------------------------------------------------------------------------

std::set<CView*> openViews(const CBinChildFrame& frame)
{
    std::set<CView*> views;
    for (int row = 0; row < CBinChildFrame::kMaxRows; ++row)
        for (int column = 0; column < CBinChildFrame::kMaxColumns; ++column)
            if (CView* view = frame.paneView(row, column))
                views.insert(view);
    return views;
}

// Drags bar `index` of splitter to `to` (in the splitter's coordinates), as the user does.
void dragBar(QSplitter& splitter, int index, QPoint to)
{
    QSplitterHandle* handle = splitter.handle(index);
    test::dragAt(*handle, handle->rect().center(), handle->mapFrom(&splitter, to));
    settle();
}

// The width the user drags the section list to is the width of the next comparison window.
TEST_F(FrameTest, ComparisonFrameDragRemembersTheSectionListWidth)
{
    auto* frame = open<CChildFrame>(0);
    ASSERT_NE(frame, nullptr);
    frame->resize(700, 400);
    settle();
    dragBar(*frame->splitter(), 1, QPoint(240, 100));
    settle();
    const int dragged = frame->splitter()->sizes().front();
    EXPECT_GT(dragged, 150);
    EXPECT_EQ(m_app.profile().readInt(kCompareWindowSection, kSplitterValue, -1), dragged);
    frame->close();
    settle();
    auto* next = open<CChildFrame>(0);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->splitter()->sizes().front(), dragged);
}

TEST_F(FrameTest, HexFrameSplitsIntoFourPanesOfOneDocument)
{
    auto* frame = open<CBinChildFrame>(1);
    ASSERT_NE(frame, nullptr);
    CDocument* document = frame->document();
    ASSERT_EQ(openViews(*frame).size(), 1u);
    EXPECT_EQ(frame->activeView(), frame->paneView(0, 0));

    CCmdUI before(cmd::kWindowSplit);
    frame->onUpdateCmdUI(before);
    EXPECT_TRUE(before.enabled());
    ASSERT_TRUE(frame->onCmdMsg(cmd::kWindowSplit));
    settle();

    EXPECT_EQ(frame->rowCount(), 2);
    EXPECT_EQ(frame->columnCount(), 2);
    const std::set<CView*> views = openViews(*frame);
    ASSERT_EQ(views.size(), 4u);
    EXPECT_EQ(document->views().size(), 4u);
    for (CView* view : views) {
        EXPECT_EQ(view->document(), document);
        EXPECT_EQ(view->parentFrame(), frame);
        EXPECT_EQ(static_cast<test::CCountingView*>(view)->initialUpdates, 1);
        EXPECT_GE(view->widget()->width(), CBinChildFrame::kMinPaneSize);
        EXPECT_GE(view->widget()->height(), CBinChildFrame::kMinPaneSize);
    }
    CCmdUI after(cmd::kWindowSplit);
    frame->onUpdateCmdUI(after);
    EXPECT_FALSE(after.enabled());

    // Splitting again makes no fifth pane.
    frame->split(2, 2);
    EXPECT_EQ(openViews(*frame), views);

    // A view of another pane gets the focus: it becomes the active one.
    frame->paneView(1, 1)->widget()->setFocus();
    settle();
    EXPECT_EQ(frame->activeView(), frame->paneView(1, 1));
}

TEST_F(FrameTest, HexFrameBarsOpenAndClosePanes)
{
    auto* frame = open<CBinChildFrame>(1);
    ASSERT_NE(frame, nullptr);
    CDocument* document = frame->document();

    // The column bar lies on the right edge; dragged to the middle it opens a second column.
    QSplitter& columns = *frame->columnSplitter(0);
    dragBar(columns, 1, QPoint(columns.width() / 2, columns.height() / 2));
    EXPECT_EQ(frame->columnCount(), 2);
    EXPECT_EQ(frame->rowCount(), 1);
    ASSERT_NE(frame->paneView(0, 1), nullptr);
    EXPECT_EQ(document->views().size(), 2u);
    // Both rows keep the same column widths.
    EXPECT_EQ(frame->columnSplitter(1)->sizes(), columns.sizes());

    frame->split(2, 2);
    frame->paneView(0, 1)->widget()->setFocus();
    settle();
    ASSERT_EQ(frame->activeView(), frame->paneView(0, 1));

    // Dragged onto the right edge the bar closes the column, the active view's pane with it.
    dragBar(*frame->columnSplitter(1), 1, QPoint(columns.width() + 20, columns.height() / 2));
    EXPECT_EQ(frame->columnCount(), 1);
    EXPECT_EQ(frame->rowCount(), 2);
    EXPECT_EQ(openViews(*frame).size(), 2u);
    EXPECT_EQ(document->views().size(), 2u);
    EXPECT_EQ(frame->activeView(), frame->paneView(0, 0));
}

}  // namespace
}  // namespace brindle
