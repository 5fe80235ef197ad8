// Tests of the editor's text view: columns, status, movement, bookmarks, mouse selection,
// scrolling, painting cost, clipboard.
#include "editor/ui/ed_text_view.h"
#include "framework/qt_utf16.h"

#include "editor/ed_text_buffer.h"
#include "editor/ui/ed_view_commands.h"
#include "support/user_door.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <functional>

#include <string>
#include <vector>

namespace brindle {
namespace {

// Opens the protected parts the tests look at and counts parser calls.
class CTestView : public CEdTextView {
public:
    using CEdTextView::EnsureVisible;
    using CEdTextView::MoveCaretTo;
    using CEdTextView::ScrollToLine;

    std::uint32_t ColourLine(std::uint32_t state, int line, std::vector<SColourBlock>* blocks) override
    {
        ++parserCalls;
        statesSeen.push_back({line, state});
        return CEdTextView::ColourLine(state, line, blocks);
    }

    int parserCalls = 0;
    std::vector<std::pair<int, std::uint32_t>> statesSeen;
};

class EdTextViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_view.SetTextFont(QStringLiteral("Monospace"), 10);
        m_view.resize(400, 300);
        m_view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        m_view.show();
    }

    void fill(const std::vector<std::u16string>& lines)
    {
        for (const auto& line : lines)
            m_buffer.AddLine(line);
        m_view.AttachToBuffer(&m_buffer);
        m_view.SetTabSize(4);
    }

    void run(int id) { ASSERT_TRUE(m_view.onCmdMsg(id)) << id; }

    // Sizes the text area to a whole number of columns and rows.
    void sizeText(int columns, int rows)
    {
        // Scroll bars come and go with the size: settle in a few rounds.
        for (int round = 0; round < 3; ++round) {
            const int frame = m_view.width() - m_view.viewport()->width();
            const int frameHeight = m_view.height() - m_view.viewport()->height();
            m_view.resize(m_view.GetMarginWidth() + columns * m_view.GetCharWidth() + frame + 1,
                          rows * m_view.GetLineHeight() + frameHeight + 1);
        }
    }

    void click(QPoint point, Qt::KeyboardModifiers modifiers = {}, bool twice = false)
    {
        if (twice)
            test::doubleClickAt(*m_view.viewport(), point, modifiers);
        else
            test::clickAt(*m_view.viewport(), point, modifiers);
    }

    // The middle of the character cell at pos.
    QPoint cellCentre(STextPos pos)
    {
        const QPoint corner = m_view.TextToClient(pos);
        return corner + QPoint(m_view.GetCharWidth() / 2 - 1, m_view.GetLineHeight() / 2);
    }

    std::pair<STextPos, STextPos> selection() const
    {
        STextPos start;
        STextPos end;
        m_view.GetSelection(start, end);
        return {start, end};
    }

    bool caretOnScreen()
    {
        const QPoint at = m_view.TextToClient(m_view.GetCursorPos());
        const int column = (at.x() - m_view.GetMarginWidth()) / m_view.GetCharWidth();
        return at.y() >= 0 && at.y() + m_view.GetLineHeight() <= m_view.viewport()->height() && column >= 0 &&
               column <= m_view.GetScreenChars();
    }

    CEdTextBuffer m_buffer;
    CTestView m_view;
};

TEST_F(EdTextViewTest, DisplayColumnAndStatusCountTabStops)
{
    struct SCase {
        std::u16string line;
        int tabSize;
        int ch;
        int column;
        const char* status;
    };
    const SCase cases[] = {
        {u"a\tb", 4, 3, 5, "Ln 1, Col 6"},    {u"a\tb", 4, 2, 4, "Ln 1, Col 5"}, {u"\t\tx", 4, 2, 8, "Ln 1, Col 9"},
        {u"abcd\tx", 4, 5, 8, "Ln 1, Col 9"},  // a tab at a stop still takes a whole step
        {u"abc\tx", 8, 4, 8, "Ln 1, Col 9"},  {u"a\tb", 1, 3, 3, "Ln 1, Col 4"},
    };
    for (const SCase& c : cases) {
        CEdTextBuffer buffer;
        buffer.AddLine(u"first");
        buffer.AddLine(c.line);
        m_view.AttachToBuffer(&buffer);
        m_view.SetTabSize(c.tabSize);
        m_view.MoveCaretTo({c.ch, 1});
        EXPECT_EQ(m_view.CalculateActualOffset(1, c.ch), c.column);
        EXPECT_EQ(m_view.StatusPositionText().toStdString(), std::string(c.status).replace(3, 1, "2"));
        m_view.AttachToBuffer(nullptr);
    }
}

TEST_F(EdTextViewTest, LineEndIndicatorFollowsTheBufferStyle)
{
    fill({u"x"});
    const std::pair<int, const char*> cases[] = {{-1, ""}, {0, "DOS"}, {1, "UNIX"}, {2, "MAC"}};
    for (const auto& [style, text] : cases) {
        if (style >= 0)
            m_buffer.SetLineEndStyle(style);
        EXPECT_EQ(m_view.LineEndText().toStdString(), text);
        CCmdUI ui(edcmd::kStatusLineEnd);
        m_view.onUpdateCmdUI(ui);
        EXPECT_EQ(ui.enabled(), style >= 0);
    }
}

TEST_F(EdTextViewTest, MovementAtLineEnds)
{
    fill({u"abc", u"", u"de\tfgh"});
    struct SCase {
        STextPos from;
        std::vector<int> commands;
        STextPos caret;
        STextPos selStart;
        STextPos selEnd;
    };
    const SCase cases[] = {
        {{3, 0}, {edcmd::kCharRight}, {0, 1}, {0, 1}, {0, 1}},
        {{0, 1}, {edcmd::kCharLeft}, {3, 0}, {3, 0}, {3, 0}},
        {{0, 0}, {edcmd::kCharLeft}, {0, 0}, {0, 0}, {0, 0}},
        {{6, 2}, {edcmd::kCharRight}, {6, 2}, {6, 2}, {6, 2}},
        {{3, 0}, {edcmd::kLineDown}, {0, 1}, {0, 1}, {0, 1}},
        // The column wanted on the way down survives the empty line; the tab takes columns 2-3.
        {{3, 0}, {edcmd::kLineDown, edcmd::kLineDown}, {2, 2}, {2, 2}, {2, 2}},
        {{1, 2}, {edcmd::kLineEnd}, {6, 2}, {6, 2}, {6, 2}},
        {{4, 2}, {edcmd::kLineHome}, {0, 2}, {0, 2}, {0, 2}},
        {{1, 0}, {edcmd::kTextEnd}, {6, 2}, {6, 2}, {6, 2}},
        {{1, 2}, {edcmd::kTextHome}, {0, 0}, {0, 0}, {0, 0}},
        {{2, 0}, {edcmd::kCharRight + 1, edcmd::kCharRight + 1}, {0, 1}, {2, 0}, {0, 1}},
        {{1, 2}, {edcmd::kLineUp + 1}, {0, 1}, {0, 1}, {1, 2}},
        // Left or right without Shift drops a selection at its near edge.
        {{1, 0}, {edcmd::kLineEnd + 1, edcmd::kCharLeft}, {1, 0}, {1, 0}, {1, 0}},
        {{1, 0},
         {edcmd::kTextEnd + 1, edcmd::kTextHome, edcmd::kTextEnd + 1, edcmd::kCharRight},
         {6, 2},
         {6, 2},
         {6, 2}},
    };
    for (const SCase& c : cases) {
        m_view.MoveCaretTo(c.from);
        for (int id : c.commands)
            run(id);
        EXPECT_EQ(m_view.GetCursorPos(), c.caret) << "from " << c.from.ch << "," << c.from.line;
        EXPECT_EQ(selection().first, c.selStart) << "from " << c.from.ch << "," << c.from.line;
        EXPECT_EQ(selection().second, c.selEnd) << "from " << c.from.ch << "," << c.from.line;
    }
}

TEST_F(EdTextViewTest, WordMovement)
{
    fill({u"int  foo_bar(x);", u"  next"});
    struct SCase {
        STextPos from;
        int command;
        STextPos to;
    };
    const SCase cases[] = {
        {{0, 0}, edcmd::kWordRight, {5, 0}},   {{5, 0}, edcmd::kWordRight, {12, 0}},
        {{12, 0}, edcmd::kWordRight, {13, 0}}, {{13, 0}, edcmd::kWordRight, {14, 0}},
        {{14, 0}, edcmd::kWordRight, {16, 0}}, {{16, 0}, edcmd::kWordRight, {0, 1}},
        {{0, 1}, edcmd::kWordRight, {2, 1}},   {{6, 1}, edcmd::kWordRight, {6, 1}},
        {{0, 1}, edcmd::kWordLeft, {16, 0}},   {{16, 0}, edcmd::kWordLeft, {14, 0}},
        {{12, 0}, edcmd::kWordLeft, {5, 0}},   {{5, 0}, edcmd::kWordLeft, {0, 0}},
        {{8, 0}, edcmd::kWordLeft, {5, 0}},    {{0, 0}, edcmd::kWordLeft, {0, 0}},
    };
    for (const SCase& c : cases) {
        m_view.MoveCaretTo(c.from);
        run(c.command);
        EXPECT_EQ(m_view.GetCursorPos(), c.to) << "from " << c.from.ch << "," << c.from.line << " by " << c.command;
    }
}

TEST_F(EdTextViewTest, WordWrapMovesByScreenRowsAndCountsColumnsFromTheRow)
{
    fill({u"aaaa bbbb cccc dddd", u"xy"});
    sizeText(10, 8);
    m_view.SetWordWrap(true);
    ASSERT_EQ(m_view.GetScreenChars(), 10);
    ASSERT_EQ(m_view.GetRowCount(0), 2);  // "aaaa bbbb " and "cccc dddd"
    struct SCase {
        STextPos from;
        std::vector<int> commands;
        STextPos to;
        int column;
    };
    const SCase cases[] = {
        {{2, 0}, {edcmd::kLineDown}, {12, 0}, 2},
        {{12, 0}, {edcmd::kLineDown}, {2, 1}, 2},
        {{12, 0}, {edcmd::kLineUp}, {2, 0}, 2},
        {{1, 1}, {edcmd::kLineUp}, {11, 0}, 1},
        {{8, 0}, {edcmd::kLineDown, edcmd::kLineDown}, {2, 1}, 2},  // "xy" is shorter; column kept for later
        {{8, 0}, {edcmd::kLineDown, edcmd::kLineDown, edcmd::kLineUp}, {18, 0}, 8},
        {{12, 0}, {edcmd::kLineEnd}, {19, 0}, 9},
        {{12, 0}, {edcmd::kLineHome}, {0, 0}, 0},
        {{10, 0}, {}, {10, 0}, 0},  // the first character of the second row
    };
    for (const SCase& c : cases) {
        m_view.MoveCaretTo(c.from);
        for (int id : c.commands)
            run(id);
        EXPECT_EQ(m_view.GetCursorPos(), c.to) << "from " << c.from.ch << "," << c.from.line;
        EXPECT_EQ(m_view.CalculateActualOffset(c.to.line, c.to.ch), c.column);
    }
}

// The wrap of the last line asked for is kept between calls; an edit, another width or another tab
// size must wrap it again.
TEST_F(EdTextViewTest, WrappedRowsFollowEditsWidthAndTabSize)
{
    fill({u"aaaa bbbb cccc dddd", u"xy"});
    sizeText(10, 8);
    m_view.SetWordWrap(true);
    ASSERT_EQ(m_view.GetRowCount(0), 2);
    const auto insert = [this](int ch, std::u16string_view text) {
        std::int32_t endLine = 0;
        std::int32_t endChar = 0;
        m_buffer.InsertTextAt(nullptr, 0, ch, text, endLine, endChar);
    };
    struct SCase {
        const char* name;
        std::function<void()> change;
        int rows;
    };
    const SCase cases[] = {
        {"text added", [&] { insert(19, u" eeee ffff"); }, 3},
        {"text removed", [this] { m_buffer.DeleteRange(nullptr, 0, 4, 0, 29); }, 1},
        {"text put back", [&] { insert(4, u" bbbb cccc dddd eeee"); }, 3},
        {"wider", [this] { sizeText(40, 8); }, 1},
        {"narrower", [this] { sizeText(10, 8); }, 3},
        {"tab added", [&] { insert(0, u"\t"); }, 3},
        {"tabs wider", [this] { m_view.SetTabSize(8); }, 4},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        c.change();
        EXPECT_EQ(m_view.GetRowCount(0), c.rows);
        EXPECT_EQ(m_view.GetRowCount(1), 1);
    }
}

TEST_F(EdTextViewTest, NumberedBookmarksMoveBetweenLines)
{
    std::vector<std::u16string> lines(20, u"text");
    fill(lines);
    const std::uint32_t bit3 = CEdTextBuffer::BookmarkFlag(3);
    m_view.MoveCaretTo({2, 2});
    run(edcmd::kToggleBookmarkFirst + 3);
    EXPECT_EQ(m_buffer.LineFlags(2), bit3);
    m_view.MoveCaretTo({1, 10});
    run(edcmd::kToggleBookmarkFirst + 3);
    EXPECT_EQ(m_buffer.LineFlags(2), 0u);
    EXPECT_EQ(m_buffer.LineFlags(10), bit3);

    m_view.MoveCaretTo({3, 0});
    run(edcmd::kGoBookmarkFirst + 3);
    EXPECT_EQ(m_view.GetCursorPos(), (STextPos{0, 10}));
    run(edcmd::kGoBookmarkFirst + 4);  // nobody carries bookmark 4
    EXPECT_EQ(m_view.GetCursorPos(), (STextPos{0, 10}));

    run(edcmd::kToggleBookmarkFirst + 3);  // on the line that has it: off again
    EXPECT_EQ(m_buffer.FirstLineWithFlag(bit3), -1);

    m_view.MoveCaretTo({0, 4});
    run(edcmd::kToggleBookmarkFirst + 0);
    m_view.MoveCaretTo({0, 5});
    run(edcmd::kToggleBookmarkFirst + 9);
    run(edcmd::kClearNumberedBookmarks);
    EXPECT_EQ(m_buffer.LineFlags(4), 0u);
    EXPECT_EQ(m_buffer.LineFlags(5), 0u);
}

TEST_F(EdTextViewTest, AnonymousBookmarksWrapAroundAndEnableTheirCommands)
{
    std::vector<std::u16string> lines(10, u"text");
    fill(lines);
    const auto enabled = [&](int id) {
        CCmdUI ui(id);
        m_view.onUpdateCmdUI(ui);
        return ui.enabled();
    };
    EXPECT_FALSE(enabled(edcmd::kNextAnonymousBookmark));
    for (int line : {2, 7}) {
        m_view.MoveCaretTo({0, line});
        run(edcmd::kToggleAnonymousBookmark);
    }
    EXPECT_TRUE(enabled(edcmd::kNextAnonymousBookmark));
    struct SCase {
        int fromLine;
        int command;
        int toLine;
    };
    const SCase cases[] = {
        {0, edcmd::kNextAnonymousBookmark, 2}, {2, edcmd::kNextAnonymousBookmark, 7},
        {7, edcmd::kNextAnonymousBookmark, 2}, {9, edcmd::kNextAnonymousBookmark, 2},
        {5, edcmd::kPrevAnonymousBookmark, 2}, {2, edcmd::kPrevAnonymousBookmark, 7},
        {1, edcmd::kPrevAnonymousBookmark, 7},
    };
    for (const SCase& c : cases) {
        m_view.MoveCaretTo({3, c.fromLine});
        run(c.command);
        EXPECT_EQ(m_view.GetCursorPos(), (STextPos{0, c.toLine})) << "from " << c.fromLine;
    }
    // Setting a numbered bookmark elsewhere leaves the anonymous ones alone.
    m_view.MoveCaretTo({0, 7});
    run(edcmd::kToggleBookmarkFirst + 1);
    EXPECT_EQ(m_buffer.LineFlags(7), CEdTextBuffer::BookmarkAnonymous | CEdTextBuffer::BookmarkFlag(1));
    run(edcmd::kClearAnonymousBookmarks);
    EXPECT_EQ(m_buffer.FirstLineWithFlag(CEdTextBuffer::BookmarkAnonymous), -1);
    EXPECT_EQ(m_buffer.LineFlags(7), CEdTextBuffer::BookmarkFlag(1));
    EXPECT_FALSE(enabled(edcmd::kNextAnonymousBookmark));
    EXPECT_FALSE(enabled(edcmd::kClearAnonymousBookmarks));
}

TEST_F(EdTextViewTest, MouseSelectsByCharacterWordAndLine)
{
    fill({u"alpha beta_2 gamma", u"second line", u"third"});
    using P = STextPos;
    struct SCase {
        const char* name;
        std::vector<std::pair<P, Qt::KeyboardModifiers>> clicks;  // a line -1 pos clicks the margin
        bool doubleClick;
        P selStart;
        P selEnd;
    };
    const SCase cases[] = {
        {"char", {{P{3, 0}, {}}}, false, P{3, 0}, P{3, 0}},
        {"shift extends", {{P{3, 0}, {}}, {P{2, 1}, Qt::ShiftModifier}}, false, P{3, 0}, P{2, 1}},
        {"double click word", {{P{8, 0}, {}}}, true, P{6, 0}, P{12, 0}},
        {"ctrl click word", {{P{1, 1}, Qt::ControlModifier}}, false, P{0, 1}, P{6, 1}},
        {"margin line", {{P{-1, 1}, {}}}, false, P{0, 1}, P{0, 2}},
        {"margin last line", {{P{-1, 2}, {}}}, false, P{0, 2}, P{5, 2}},
        {"shift margin lines", {{P{2, 0}, {}}, {P{-1, 1}, Qt::ShiftModifier}}, false, P{0, 0}, P{0, 2}},
        {"ctrl margin all", {{P{-1, 1}, Qt::ControlModifier}}, false, P{0, 0}, P{5, 2}},
    };
    for (const SCase& c : cases) {
        for (std::size_t i = 0; i < c.clicks.size(); ++i) {
            const auto& [pos, modifiers] = c.clicks[i];
            const QPoint point = pos.ch < 0 ? QPoint(2, cellCentre({0, pos.line}).y()) : cellCentre(pos);
            click(point, modifiers, c.doubleClick && i + 1 == c.clicks.size());
        }
        EXPECT_EQ(selection().first, c.selStart) << c.name;
        EXPECT_EQ(selection().second, c.selEnd) << c.name;
    }
}

TEST_F(EdTextViewTest, DraggingAWordSelectionGrowsByWords)
{
    fill({u"one two three four"});
    const QPoint start = cellCentre({5, 0});
    QWidget& viewport = *m_view.viewport();
    test::sendMouse(viewport, QEvent::MouseButtonDblClick, start, Qt::LeftButton, Qt::LeftButton);
    const QPoint to = cellCentre({15, 0});
    test::moveTo(viewport, to, Qt::LeftButton);
    EXPECT_EQ(selection().first, (STextPos{4, 0}));
    EXPECT_EQ(selection().second, (STextPos{18, 0}));
    test::sendMouse(viewport, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

TEST_F(EdTextViewTest, CaretCommandsKeepTheCaretOnScreen)
{
    std::vector<std::u16string> lines;
    for (int i = 0; i < 500; ++i)
        lines.push_back(i % 7 == 0 ? std::u16string(150, u'w') + u" tail" : u"short line");
    fill(lines);
    sizeText(40, 10);
    struct SCase {
        const char* name;
        bool wrap;
        std::vector<int> commands;
    };
    const SCase cases[] = {
        {"page down", false, {edcmd::kPageDown, edcmd::kPageDown}},
        {"end of text", false, {edcmd::kTextEnd}},
        {"back home", false, {edcmd::kTextEnd, edcmd::kTextHome}},
        {"line end of long line", false, {edcmd::kTextHome, edcmd::kLineEnd}},
        {"down past the window", false, std::vector<int>(25, edcmd::kLineDown)},
        {"up from the end", false, {edcmd::kTextEnd, edcmd::kPageUp, edcmd::kLineUp}},
        {"wrapped down", true, std::vector<int>(25, edcmd::kLineDown)},
        {"wrapped end of long line", true, {edcmd::kTextHome, edcmd::kLineEnd}},
        {"wrapped page down", true, {edcmd::kPageDown, edcmd::kPageDown, edcmd::kPageUp}},
        {"wrapped end", true, {edcmd::kTextEnd, edcmd::kLineUp}},
    };
    for (const SCase& c : cases) {
        m_view.SetWordWrap(c.wrap);
        for (int id : c.commands) {
            run(id);
            EXPECT_TRUE(caretOnScreen()) << c.name << ": caret " << m_view.GetCursorPos().ch << ","
                                         << m_view.GetCursorPos().line << " top " << m_view.GetTopLine();
        }
    }
}

TEST_F(EdTextViewTest, ScrollingWithoutTheCaretAndTheWheelStayInTheText)
{
    std::vector<std::u16string> lines(100, u"x");
    fill(lines);
    sizeText(20, 10);
    run(edcmd::kScrollUp);
    EXPECT_EQ(m_view.GetTopLine(), 0);
    run(edcmd::kScrollDown);
    EXPECT_EQ(m_view.GetTopLine(), 1);
    EXPECT_EQ(m_view.GetCursorPos(), (STextPos{0, 0}));
    const std::pair<int, int> wheel[] = {{-120, 4}, {-40, 5}, {240, 0}, {-12000, 99}};
    for (const auto& [delta, top] : wheel) {
        QWheelEvent event(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, delta), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_view.viewport(), &event);
        EXPECT_EQ(m_view.GetTopLine(), top) << delta;
    }
    EXPECT_EQ(m_view.GetCursorPos(), (STextPos{0, 0}));
}

TEST_F(EdTextViewTest, PaintingParsesOnlyTheVisibleLinesOfAMillion)
{
    for (int i = 0; i < 1000000; ++i)
        m_buffer.AddLine(u"int x = 1; // line");
    m_view.AttachToBuffer(&m_buffer);
    m_view.ApplyTextType(&textTypes()[4]);
    sizeText(40, 20);
    m_view.parserCalls = 0;
    m_view.viewport()->grab();
    EXPECT_LE(m_view.parserCalls, 21);
    EXPECT_GE(m_view.parserCalls, 20);

    // Scrolling down by rows parses the lines that come into view, and their predecessors once.
    m_view.parserCalls = 0;
    for (int i = 0; i < 10; ++i)
        m_view.onCmdMsg(edcmd::kScrollDown);
    m_view.viewport()->grab();
    EXPECT_LE(m_view.parserCalls, 31);

    // The same view again: nothing above is parsed twice.
    m_view.parserCalls = 0;
    m_view.viewport()->grab();
    EXPECT_LE(m_view.parserCalls, 21);
}

TEST_F(EdTextViewTest, AChangeMakesLaterParserStatesUnknown)
{
    fill({u"/* open", u"inside", u"still"});
    m_view.ApplyTextType(&textTypes()[4]);
    m_view.viewport()->grab();
    const auto stateSeenFor = [&](int line) {
        std::uint32_t state = 0xFFFFFFFF;
        for (const auto& [seenLine, seenState] : m_view.statesSeen) {
            if (seenLine == line)
                state = seenState;
        }
        return state;
    };
    EXPECT_NE(stateSeenFor(2), 0u);
    std::int32_t endLine = 0;
    std::int32_t endChar = 0;
    ASSERT_TRUE(m_buffer.DeleteRange(nullptr, 0, 0, 0, 2));
    m_view.statesSeen.clear();
    m_view.viewport()->grab();
    EXPECT_EQ(stateSeenFor(2), 0u);
    ASSERT_TRUE(m_buffer.InsertTextAt(nullptr, 0, 0, u"/*", endLine, endChar));
    m_view.statesSeen.clear();
    m_view.viewport()->grab();
    EXPECT_NE(stateSeenFor(2), 0u);
}

TEST_F(EdTextViewTest, BufferChangesMoveCaretAndSelection)
{
    fill({u"0123456789", u"abc"});
    m_view.MoveCaretTo({5, 0});
    m_view.onCmdMsg(edcmd::kCharRight + 1);
    m_view.onCmdMsg(edcmd::kCharRight + 1);  // selection 5..7, caret 7
    std::int32_t endLine = 0;
    std::int32_t endChar = 0;
    ASSERT_TRUE(m_buffer.InsertTextAt(nullptr, 0, 1, u"xx\r\ny", endLine, endChar));
    EXPECT_EQ(m_view.GetCursorPos(), (STextPos{7, 1}));
    EXPECT_EQ(selection().first, (STextPos{5, 1}));
    EXPECT_EQ(selection().second, (STextPos{7, 1}));
    ASSERT_TRUE(m_buffer.DeleteRange(nullptr, 0, 0, 1, 6));
    EXPECT_EQ(m_view.GetCursorPos(), (STextPos{1, 0}));
    EXPECT_EQ(selection().first, (STextPos{0, 0}));
    EXPECT_EQ(m_view.StatusPositionText().toStdString(), "Ln 1, Col 2");
}

TEST_F(EdTextViewTest, CopyOfSeveralLinesUsesLineFeeds)
{
    fill({u"first\tline", u"", u"third", u"last"});
    m_view.MoveCaretTo({6, 0});
    for (int id : {edcmd::kLineDown + 1, edcmd::kLineDown + 1, edcmd::kLineDown + 1, edcmd::kLineHome + 1})
        run(id);
    run(edcmd::kCopy);
    EXPECT_EQ(toU16String(QApplication::clipboard()->text()), u"line\n\nthird\n");
    run(edcmd::kSelectAll);
    run(edcmd::kCopy);
    EXPECT_EQ(toU16String(QApplication::clipboard()->text()), u"first\tline\n\nthird\nlast");

    m_view.MoveCaretTo({0, 0});
    CCmdUI ui(edcmd::kCopy);
    m_view.onUpdateCmdUI(ui);
    EXPECT_FALSE(ui.enabled());
}

TEST_F(EdTextViewTest, KeysOfTheTableRunTheirCommands)
{
    fill({u"abc def", u"ghi"});
    struct SCase {
        int key;
        Qt::KeyboardModifiers modifiers;
        STextPos caret;
    };
    const SCase cases[] = {
        {Qt::Key_End, Qt::ControlModifier, {3, 1}},   {Qt::Key_Home, Qt::ControlModifier, {0, 0}},
        {Qt::Key_Right, Qt::ControlModifier, {4, 0}}, {Qt::Key_Down, {}, {3, 1}},
        {Qt::Key_End, Qt::ShiftModifier, {3, 1}},     {Qt::Key_Left, Qt::ShiftModifier, {2, 1}},
    };
    for (const SCase& c : cases) {
        EXPECT_TRUE(test::sendKey(m_view, c.key, c.modifiers)) << c.key;
        EXPECT_EQ(m_view.GetCursorPos(), c.caret) << c.key;
    }
}

TEST_F(EdTextViewTest, TextTypeCommandsApplyTabSizeAndFlags)
{
    fill({u"x"});
    run(edcmd::kTextTypeFirst + 4);  // C
    EXPECT_EQ(m_view.GetTabSize(), 2);
    EXPECT_EQ(m_view.GetFlags(), textTypes()[4].flags);
    CCmdUI ui(edcmd::kTextTypeFirst + 4);
    m_view.onUpdateCmdUI(ui);
    EXPECT_TRUE(ui.checked());
    run(edcmd::kTextTypeFirst + 12);  // Perl: UNIX line ends
    EXPECT_EQ(m_view.GetTabSize(), 4);
    EXPECT_EQ(m_buffer.LineEndStyle(), 1);
    EXPECT_EQ(m_view.LineEndText().toStdString(), "UNIX");
}

}  // namespace
}  // namespace brindle
