// Text buffer editing: raw and recorded changes, position contexts, undo groups and the history
// limit, the modified flag, line flags, and random edits against a simple model.
#include "editor/ed_text_buffer.h"

#include "editor/buffer_test_support.h"
#include "engine/engine_strings.h"
#include "platform/utf8.h"
#include "support/case_name.h"
#include "support/scoped_string_loader.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

namespace brindle {
namespace {

using test::CRecordingView;
using test::fill;
using test::linesOf;
using test::SNotice;
using Lines = std::vector<std::u16string>;

constexpr std::uint32_t kLineChange = CEdTextBuffer::SingleLine | CEdTextBuffer::ChangedColumns;
constexpr std::uint32_t kLinesChange = CEdTextBuffer::ChangedColumns | CEdTextBuffer::ChangedLines;
constexpr std::uint32_t kFlagChange = CEdTextBuffer::SingleLine | CEdTextBuffer::FlagsOnly;

struct SInsertCase {
    const char* name;
    Lines before;
    STextPos at;
    std::u16string text;
    Lines after;
    STextPos end;
    std::uint32_t flags;
};

class BufferInsertTest : public testing::TestWithParam<SInsertCase> {};

TEST_P(BufferInsertTest, SplitsAtCrOnlyAndUndoes)
{
    const SInsertCase& c = GetParam();
    CEdTextBuffer buffer;
    fill(buffer, c.before);
    CRecordingView view;
    buffer.AttachView(&view);
    STextPos end;
    ASSERT_TRUE(buffer.InsertTextAt(&view, c.at.line, c.at.ch, c.text, end.line, end.ch, CEdTextBuffer::Paste));
    EXPECT_EQ(linesOf(buffer), c.after);
    EXPECT_EQ(end, c.end);
    EXPECT_EQ(buffer.LastChange(), c.end);
    EXPECT_EQ(view.notices, (std::vector<SNotice>{{&view, c.flags, c.at.line}}));
    EXPECT_EQ(view.completed, (decltype(view.completed){{CEdTextBuffer::Paste, c.text}}));
    EXPECT_TRUE(buffer.IsModified());
    STextPos cursor;
    ASSERT_TRUE(buffer.Undo(cursor));
    EXPECT_EQ(cursor, c.at);
    EXPECT_EQ(linesOf(buffer), c.before.empty() ? Lines{u""} : c.before);
    EXPECT_FALSE(buffer.IsModified());
    ASSERT_TRUE(buffer.Redo(cursor));
    EXPECT_EQ(cursor, c.end);
    EXPECT_EQ(linesOf(buffer), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BufferInsertTest,
    testing::Values(
        SInsertCase{"LfIsOrdinary", {u"xy"}, {1, 0}, u"a\nb", {u"xa\nby"}, {4, 0}, kLineChange},
        SInsertCase{"CrSplits", {u"xy"}, {1, 0}, u"a\rb", {u"xa", u"by"}, {1, 1}, kLinesChange},
        SInsertCase{"CrLfSplitsOnce", {u"xy"}, {1, 0}, u"a\r\nb", {u"xa", u"by"}, {1, 1}, kLinesChange},
        SInsertCase{"LfCrIsLfThenBreak", {u"xy"}, {1, 0}, u"a\n\rb", {u"xa\n", u"by"}, {1, 1}, kLinesChange},
        SInsertCase{"CrLfAtLineEndMakesEmptyLastLine",
                    {u"ab", u"cd"},
                    {2, 0},
                    u"x\r\n",
                    {u"abx", u"", u"cd"},
                    {0, 1},
                    kLinesChange},
        SInsertCase{"CrLfMidLineTailMoves", {u"abcd"}, {2, 0}, u"x\r\n", {u"abx", u"cd"}, {0, 1}, kLinesChange},
        SInsertCase{"TwoCrs", {u"xy"}, {1, 0}, u"\r\r", {u"x", u"", u"y"}, {0, 2}, kLinesChange},
        SInsertCase{"NulIsOrdinary",
                    {u"xy"},
                    {0, 0},
                    std::u16string(u"a\0b", 3),
                    {std::u16string(u"a\0bxy", 5)},
                    {3, 0},
                    kLineChange},
        SInsertCase{"IntoBufferWithoutLines", {}, {0, 0}, u"ab", {u"ab"}, {2, 0}, kLinesChange},
        SInsertCase{"LinesIntoBufferWithoutLines", {}, {0, 0}, u"a\r\nb", {u"a", u"b"}, {1, 1}, kLinesChange}),
    test::SCaseName());

struct SDeleteCase {
    const char* name;
    Lines before;
    STextPos start;
    STextPos end;
    Lines after;
    std::u16string deleted;
    std::uint32_t flags;
};

class BufferDeleteTest : public testing::TestWithParam<SDeleteCase> {};

TEST_P(BufferDeleteTest, JoinsLinesRecordsTextAndUndoes)
{
    const SDeleteCase& c = GetParam();
    CEdTextBuffer buffer;
    fill(buffer, c.before);
    CRecordingView view;
    buffer.AttachView(&view);
    ASSERT_TRUE(buffer.DeleteRange(nullptr, c.start.line, c.start.ch, c.end.line, c.end.ch, CEdTextBuffer::Cut));
    EXPECT_EQ(linesOf(buffer), c.after);
    EXPECT_EQ(buffer.LastChange(), c.start);
    EXPECT_EQ(view.notices, (std::vector<SNotice>{{nullptr, c.flags, c.start.line}}));
    ASSERT_EQ(buffer.UndoRecords().size(), 1u);
    EXPECT_EQ(buffer.UndoRecords()[0].text(), c.deleted);
    STextPos cursor;
    ASSERT_TRUE(buffer.Undo(cursor));
    EXPECT_EQ(cursor, c.end);
    EXPECT_EQ(linesOf(buffer), c.before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BufferDeleteTest,
    testing::Values(
        SDeleteCase{"WithinLine", {u"abcdef"}, {1, 0}, {4, 0}, {u"aef"}, u"bcd", kLineChange},
        SDeleteCase{"FromFiveTwoToZeroFour",
                    {u"l0", u"l1", u"0123456789", u"l3", u"line4", u"l5"},
                    {5, 2},
                    {0, 4},
                    {u"l0", u"l1", u"01234line4", u"l5"},
                    u"56789\r\nl3\r\n",
                    kLinesChange},
        SDeleteCase{"LineBreakOnly", {u"ab", u"cd"}, {2, 0}, {0, 1}, {u"abcd"}, u"\r\n", kLinesChange},
        SDeleteCase{"LfCharacterSurvivesUndo", {u"a\n", u"\nb"}, {1, 0}, {1, 1}, {u"ab"}, u"\n\r\n\n", kLinesChange},
        SDeleteCase{"Everything", {u"ab", u"cd", u"ef"}, {0, 0}, {2, 2}, {u""}, u"ab\r\ncd\r\nef", kLinesChange}),
    test::SCaseName());

struct SContextCase {
    const char* name;
    bool insert;
    STextPos start, end, before, after;
};

class BufferContextTest : public testing::TestWithParam<SContextCase> {};

TEST_P(BufferContextTest, MovesPosition)
{
    const SContextCase& c = GetParam();
    STextPos pos = c.before;
    if (c.insert)
        CEdTextBuffer::CInsertContext(c.start, c.end).AdjustPosition(pos);
    else
        CEdTextBuffer::CDeleteContext(c.start, c.end).AdjustPosition(pos);
    EXPECT_EQ(pos, c.after);
}

INSTANTIATE_TEST_SUITE_P(Cases, BufferContextTest,
                         testing::Values(SContextCase{"InsEarlierLine", true, {3, 2}, {5, 4}, {9, 1}, {9, 1}},
                                         SContextCase{"InsLaterLine", true, {3, 2}, {5, 4}, {1, 5}, {1, 7}},
                                         SContextCase{"InsBeforeStart", true, {3, 2}, {5, 4}, {2, 2}, {2, 2}},
                                         SContextCase{"InsAtStartStays", true, {3, 2}, {5, 4}, {3, 2}, {3, 2}},
                                         SContextCase{"InsAfterStart", true, {3, 2}, {5, 4}, {7, 2}, {9, 4}},
                                         SContextCase{"InsSameLine", true, {3, 2}, {6, 2}, {4, 2}, {7, 2}},
                                         SContextCase{"DelEarlierLine", false, {5, 2}, {0, 4}, {1, 1}, {1, 1}},
                                         SContextCase{"DelLaterLine", false, {5, 2}, {0, 4}, {3, 6}, {3, 4}},
                                         SContextCase{"DelAtEnd", false, {5, 2}, {0, 4}, {0, 4}, {5, 2}},
                                         SContextCase{
                                             "DelAfterEndKeepsDistance", false, {5, 2}, {0, 4}, {3, 4}, {8, 2}},
                                         SContextCase{"DelBeforeStartStays", false, {5, 2}, {0, 4}, {2, 2}, {2, 2}},
                                         SContextCase{"DelInsideStartLine", false, {5, 2}, {0, 4}, {7, 2}, {5, 2}},
                                         SContextCase{"DelInsideMiddleLine", false, {5, 2}, {0, 4}, {1, 3}, {5, 2}},
                                         SContextCase{"DelSameLineAfter", false, {2, 1}, {5, 1}, {6, 1}, {3, 1}},
                                         SContextCase{"DelSameLineInside", false, {2, 1}, {5, 1}, {3, 1}, {2, 1}}),
                         test::SCaseName());

TEST(BufferEdit, ViewCaretFollowsChanges)
{
    CEdTextBuffer buffer;
    fill(buffer, {u"hello world"});
    CRecordingView view;
    view.caret = {6, 0};  // before "world"
    buffer.AttachView(&view);
    STextPos end;
    buffer.InsertTextAt(nullptr, 0, 2, u"XX\r\nYY", end.line, end.ch);
    EXPECT_EQ(view.caret, (STextPos{6, 1}));
    buffer.DeleteRange(nullptr, 0, 1, 1, 3);
    EXPECT_EQ(view.caret, (STextPos{4, 0}));
    EXPECT_EQ(linesOf(buffer), Lines{u"hlo world"});
}

// Makes `groups` one-record groups by typing at the end of line 0.
void typeGroups(CEdTextBuffer& buffer, int groups)
{
    for (int i = 0; i < groups; ++i) {
        STextPos end;
        buffer.InsertTextAt(nullptr, 0, buffer.LineLength(0), u"x", end.line, end.ch, CEdTextBuffer::Typing);
    }
}

TEST(BufferHistory, LimitDropsWholeOldestGroup)
{
    for (const int oldestGroup : {1, 3}) {
        CEdTextBuffer buffer;
        fill(buffer, {u""});
        buffer.OpenUndoGroup();
        typeGroups(buffer, oldestGroup);
        buffer.CloseUndoGroup();
        typeGroups(buffer, CEdTextBuffer::kDefaultUndoLimit - oldestGroup);
        ASSERT_EQ(buffer.UndoRecords().size(), 1024u);
        typeGroups(buffer, 1);
        EXPECT_EQ(buffer.UndoRecords().size(), 1025u - static_cast<unsigned>(oldestGroup));
        EXPECT_TRUE(buffer.UndoRecords()[0].isGroupStart());
        STextPos cursor;
        while (buffer.Undo(cursor)) {
        }
        EXPECT_EQ(buffer.LineLength(0), oldestGroup) << "the dropped group's text stays";
        EXPECT_TRUE(buffer.IsModified()) << "the original state is out of reach";
    }
}

TEST(BufferHistory, OneGroupLongerThanLimitStaysWholeUntilNextGroup)
{
    CEdTextBuffer buffer;
    fill(buffer, {u""});
    buffer.OpenUndoGroup();
    typeGroups(buffer, 1100);
    buffer.CloseUndoGroup();
    EXPECT_EQ(buffer.UndoRecords().size(), 1100u);
    STextPos cursor;
    ASSERT_TRUE(buffer.Undo(cursor));
    EXPECT_EQ(linesOf(buffer), Lines{u""});
    ASSERT_TRUE(buffer.Redo(cursor));
    typeGroups(buffer, 1);
    EXPECT_EQ(buffer.UndoRecords().size(), 1u);
}

// Regression: the saved position did not move with dropped records, so the modified flag was
// cleared at a state that was never saved.
TEST(BufferHistory, ModifiedStaysExactWhenOldRecordsAreDropped)
{
    test::CTempDir dir;
    CEdTextBuffer buffer;
    fill(buffer, {u""});
    typeGroups(buffer, 500);
    ASSERT_TRUE(buffer.SaveFile(u16(dir.file("saved.txt"))));
    typeGroups(buffer, 600);  // the oldest 76 groups are dropped
    STextPos cursor;
    for (int i = 0; i < 600; ++i)
        ASSERT_TRUE(buffer.Undo(cursor));
    EXPECT_EQ(buffer.LineLength(0), 500);
    EXPECT_FALSE(buffer.IsModified());
    ASSERT_TRUE(buffer.Undo(cursor));
    EXPECT_TRUE(buffer.IsModified());
}

TEST(BufferHistory, SaveUndoRedoAndModified)
{
    test::CTempDir dir;
    CEdTextBuffer buffer;
    fill(buffer, {u""});
    EXPECT_FALSE(buffer.IsModified());
    typeGroups(buffer, 2);
    ASSERT_TRUE(buffer.SaveFile(u16(dir.file("a.txt"))));
    EXPECT_FALSE(buffer.IsModified());
    STextPos cursor;
    const bool expected[] = {true, false, true, true};  // undo, redo, undo, undo
    int step = 0;
    for (const bool undo : {true, false, true, true}) {
        ASSERT_TRUE(undo ? buffer.Undo(cursor) : buffer.Redo(cursor));
        EXPECT_EQ(buffer.IsModified(), expected[step++]) << "step " << step;
    }
    // A new edit drops the redoable records and the saved state with them.
    typeGroups(buffer, 1);
    typeGroups(buffer, 1);
    ASSERT_TRUE(buffer.Undo(cursor));
    ASSERT_TRUE(buffer.Redo(cursor));
    EXPECT_TRUE(buffer.IsModified());
    EXPECT_TRUE(buffer.SaveFile(u16(dir.file("b.txt")), false));
    EXPECT_TRUE(buffer.IsModified()) << "a copy does not mark the buffer saved";
}

TEST(BufferHistory, GroupsMergeAndReportCompletion)
{
    CEdTextBuffer buffer;
    fill(buffer, {u""});
    CRecordingView view;
    STextPos end;
    buffer.OpenUndoGroup(true);  // nothing to merge with: a group of its own
    buffer.InsertTextAt(&view, 0, 0, u"ab", end.line, end.ch, CEdTextBuffer::Typing);
    buffer.CloseUndoGroup(&view);
    buffer.OpenUndoGroup(true);
    buffer.InsertTextAt(&view, 0, 2, u"\r\n", end.line, end.ch, CEdTextBuffer::Typing);
    buffer.InsertTextAt(&view, 1, 0, u"  ", end.line, end.ch, CEdTextBuffer::AutoIndent);
    buffer.CloseUndoGroup(&view);
    EXPECT_EQ(view.completed,
              (decltype(view.completed){{CEdTextBuffer::Typing, u"ab"}, {CEdTextBuffer::AutoIndent, u"  "}}));
    buffer.CloseUndoGroup(nullptr);
    EXPECT_EQ(view.completed.size(), 2u);
    STextPos cursor;
    ASSERT_TRUE(buffer.Undo(cursor));
    EXPECT_EQ(linesOf(buffer), Lines{u""});
    EXPECT_EQ(cursor, (STextPos{0, 0}));
    EXPECT_FALSE(buffer.CanUndo());
}

TEST(BufferHistory, DescriptionsAndMenuTexts)
{
    CEdTextBuffer buffer;
    fill(buffer, {u""});
    std::u16string text;
    EXPECT_FALSE(buffer.DescribeAction(CEdTextBuffer::Typing, text)) << "no built-in descriptions";
    EXPECT_EQ(buffer.UndoMenuText(), u"&Undo\tCtrl+Z");
    const test::CScopedStringLoader loader(
        [](int id) { return id < 8619 || id == 8620 ? std::u16string() : u"#" + u16(std::to_string(id)); });
    const std::pair<std::int32_t, const char16_t*> ids[] = {{0, u"#8619"},  {3, u"#8622"},  {4, u"#8624"},
                                                            {9, u"#8623"},  {10, u"#8629"}, {19, u"#8638"},
                                                            {20, u"#8619"}, {-1, u"#8619"}};
    for (const auto& [action, expected] : ids) {
        EXPECT_TRUE(buffer.DescribeAction(action, text));
        EXPECT_EQ(text, expected) << action;
    }
    STextPos end;
    buffer.OpenUndoGroup();
    buffer.InsertTextAt(nullptr, 0, 0, u"a", end.line, end.ch, CEdTextBuffer::Replace);
    buffer.InsertTextAt(nullptr, 0, 1, u"b", end.line, end.ch, CEdTextBuffer::Typing);
    buffer.CloseUndoGroup();
    buffer.InsertTextAt(nullptr, 0, 2, u"c", end.line, end.ch, CEdTextBuffer::Paste);  // 8620 missing
    EXPECT_EQ(buffer.UndoMenuText(), u"&Undo\tCtrl+Z");
    STextPos cursor;
    buffer.Undo(cursor);
    EXPECT_EQ(buffer.UndoMenuText(), u"&Undo #8628\tCtrl+Z") << "named by the group's first record";
    buffer.Undo(cursor);
    EXPECT_EQ(buffer.RedoMenuText(), u"&Redo #8628\tCtrl+Y");
    EXPECT_EQ(buffer.UndoMenuText(), u"&Undo\tCtrl+Z");
}

TEST(BufferEdit, ReadOnlyRefusesEveryChangeSilently)
{
    CEdTextBuffer buffer;
    fill(buffer, {u"ab", u"cd"});
    typeGroups(buffer, 2);
    STextPos cursor;
    buffer.Undo(cursor);
    CRecordingView view;
    buffer.AttachView(&view);
    buffer.SetReadOnly(true);
    STextPos end{-7, -7};
    EXPECT_FALSE(buffer.InsertTextAt(&view, 0, 0, u"x", end.line, end.ch));
    EXPECT_FALSE(buffer.InsertTextAt(&view, 0, 0, u"", end.line, end.ch));
    EXPECT_FALSE(buffer.DeleteRange(&view, 0, 0, 1, 1));
    EXPECT_FALSE(buffer.Undo(cursor));
    EXPECT_FALSE(buffer.Redo(cursor));
    EXPECT_EQ(end, (STextPos{-7, -7}));
    EXPECT_EQ(linesOf(buffer), (Lines{u"abx", u"cd"}));
    EXPECT_EQ(buffer.UndoRecords().size(), 2u);
    EXPECT_TRUE(view.notices.empty());
    EXPECT_TRUE(buffer.ChangeLineFlag(1, CEdTextBuffer::BookmarkAnonymous, true)) << "marks are not text";
}

TEST(BufferEdit, ProgramErrorsThrowInvalidArgument)
{
    CEdTextBuffer buffer;
    fill(buffer, {u"ab", u"c"});
    std::u16string text;
    STextPos end;
    EXPECT_THROW(buffer.LineLength(2), std::invalid_argument);
    EXPECT_THROW(buffer.LineChars(-1), std::invalid_argument);
    EXPECT_THROW(buffer.CopyRange(0, 0, 1, 2, text), std::invalid_argument);
    EXPECT_THROW(buffer.DeleteRange(nullptr, 1, 0, 0, 1), std::invalid_argument);
    EXPECT_THROW(buffer.InsertTextAt(nullptr, 0, 3, u"x", end.line, end.ch), std::invalid_argument);
    EXPECT_THROW(buffer.InsertTextAt(nullptr, 0, -1, u"", end.line, end.ch), std::invalid_argument);
    EXPECT_THROW(buffer.AddLine(u"x", 3), std::invalid_argument);
    EXPECT_THROW(buffer.NextBookmarkLine(2), std::invalid_argument);
    EXPECT_EQ(linesOf(buffer), (Lines{u"ab", u"c"}));
    buffer.ClearAll();
    EXPECT_EQ(buffer.LineCount(), 0);
    EXPECT_THROW(buffer.LineLength(0), std::invalid_argument);
    EXPECT_THROW(buffer.InsertTextAt(nullptr, 1, 0, u"x", end.line, end.ch), std::invalid_argument);
    buffer.CopyRange(0, 0, 0, 0, text);
    EXPECT_EQ(text, u"");
    EXPECT_TRUE(buffer.DeleteRange(nullptr, 0, 0, 0, 0));
    EXPECT_FALSE(buffer.CanUndo());
}

struct SFlagCase {
    const char* name;
    std::int32_t line;
    std::uint32_t flag;
    bool set;
    bool removeOther;
    std::vector<std::uint32_t> after;  // flags of lines 0..3, starting from {0, 0x4, 0x80000, 0x80000}
    std::vector<SNotice> notices;
};

class BufferFlagTest : public testing::TestWithParam<SFlagCase> {};

TEST_P(BufferFlagTest, ChangesAndNotifies)
{
    const SFlagCase& c = GetParam();
    CEdTextBuffer buffer;
    fill(buffer, {u"0", u"1", u"2", u"3"});
    buffer.ChangeLineFlag(1, 0x4, true);
    buffer.ChangeLineFlag(2, CEdTextBuffer::BookmarkAnonymous, true, false);
    buffer.ChangeLineFlag(3, CEdTextBuffer::BookmarkAnonymous, true, false);
    CRecordingView view;
    buffer.AttachView(&view);
    EXPECT_EQ(buffer.ChangeLineFlag(c.line, c.flag, c.set, c.removeOther), !c.notices.empty());
    std::vector<std::uint32_t> flags;
    for (std::int32_t i = 0; i < 4; ++i)
        flags.push_back(buffer.LineFlags(i));
    EXPECT_EQ(flags, c.after);
    EXPECT_EQ(view.notices, c.notices);
    EXPECT_FALSE(buffer.IsModified());
}

constexpr std::uint32_t kAnon = CEdTextBuffer::BookmarkAnonymous;

INSTANTIATE_TEST_SUITE_P(
    Cases, BufferFlagTest,
    testing::Values(
        SFlagCase{"TwoBitsDoNothing", 0, 0x3, true, true, {0, 4, kAnon, kAnon}, {}},
        SFlagCase{"NumberedMoves",
                  3,
                  0x4,
                  true,
                  true,
                  {0, 0, kAnon, kAnon | 4},
                  {{nullptr, kFlagChange, 1}, {nullptr, kFlagChange, 3}}},
        SFlagCase{"AnonymousAddsOne", 0, kAnon, true, false, {kAnon, 4, kAnon, kAnon}, {{nullptr, kFlagChange, 0}}},
        SFlagCase{"UnchangedIsSilent", 1, 0x4, true, true, {0, 4, kAnon, kAnon}, {}},
        SFlagCase{"LineMinusOneClearsCarrier", -1, kAnon, false, true, {0, 4, 0, kAnon}, {{nullptr, kFlagChange, 2}}},
        SFlagCase{"LineMinusOneWithoutCarrier", -1, 0x8, false, true, {0, 4, kAnon, kAnon}, {}}),
    test::SCaseName());

TEST(BufferFlags, BookmarkSearchWraps)
{
    CEdTextBuffer buffer;
    fill(buffer, {u"0", u"1", u"2", u"3", u"4"});
    EXPECT_EQ(buffer.NextBookmarkLine(0), -1);
    EXPECT_EQ(buffer.FirstLineWithFlag(0x3), -1);
    buffer.ChangeLineFlag(3, kAnon, true, false);
    EXPECT_EQ(buffer.NextBookmarkLine(3), 3) << "the only bookmark, found after wrapping";
    EXPECT_EQ(buffer.PrevBookmarkLine(3), 3);
    EXPECT_EQ(buffer.NextBookmarkLine(4), 3);
    EXPECT_EQ(buffer.PrevBookmarkLine(1), 3);
    buffer.ChangeLineFlag(1, kAnon, true, false);
    const std::int32_t next[] = {1, 3, 3, 1, 1};
    const std::int32_t prev[] = {3, 3, 1, 1, 3};
    for (std::int32_t line = 0; line < 5; ++line) {
        EXPECT_EQ(buffer.NextBookmarkLine(line), next[line]) << line;
        EXPECT_EQ(buffer.PrevBookmarkLine(line), prev[line]) << line;
    }
}

// Random inserts, deletes, undo and redo against a model of lines and a list of group states.
TEST(BufferProperty, RandomEditsMatchModel)
{
    const std::u16string_view pieces[] = {u"a", u"bc", u"\r\n", u"\r", u"\n", u"xyz\r\nq"};
    for (unsigned seed = 1; seed <= 30; ++seed) {
        std::mt19937 random(seed);
        auto pick = [&](int n) { return static_cast<std::int32_t>(random() % static_cast<unsigned>(n)); };
        const Lines original{u"one", u"", u"three"};
        CEdTextBuffer buffer;
        fill(buffer, original);
        std::vector<Lines> states{original};
        std::size_t pos = 0;
        for (int step = 0; step < 300; ++step) {
            const int kind = pick(10);
            STextPos cursor;
            if (kind < 2) {
                EXPECT_EQ(buffer.Undo(cursor), pos > 0);
                pos -= pos > 0;
            } else if (kind < 3) {
                EXPECT_EQ(buffer.Redo(cursor), pos + 1 < states.size());
                pos += pos + 1 < states.size();
            } else {
                Lines model = states[pos];
                const std::int32_t line = pick(static_cast<int>(model.size()));
                const std::int32_t ch = pick(static_cast<int>(model[static_cast<std::size_t>(line)].size()) + 1);
                if (kind < 7) {
                    std::u16string text;
                    for (int n = pick(3) + 1; n > 0; --n)
                        text += pieces[pick(6)];
                    STextPos end;
                    ASSERT_TRUE(buffer.InsertTextAt(nullptr, line, ch, text, end.line, end.ch));
                    std::u16string joined;
                    for (std::size_t i = 0; i < model.size(); ++i)
                        joined += (i ? u"\r" : u"") + model[i];
                    std::size_t offset = static_cast<std::size_t>(ch);
                    for (std::int32_t i = 0; i < line; ++i)
                        offset += model[static_cast<std::size_t>(i)].size() + 1;
                    for (std::size_t at = 0; (at = text.find(u"\r\n", at)) != std::u16string::npos;)
                        text.erase(++at, 1);
                    joined.insert(offset, text);
                    model.clear();
                    for (std::size_t from = 0;;) {
                        const std::size_t cr = joined.find(u'\r', from);
                        model.push_back(joined.substr(from, cr - from));
                        if (cr == std::u16string::npos)
                            break;
                        from = cr + 1;
                    }
                } else {
                    const auto last = static_cast<std::int32_t>(model.size()) - 1;
                    const std::int32_t endLine = std::min(line + pick(3), last);
                    std::int32_t endCh = pick(static_cast<int>(model[static_cast<std::size_t>(endLine)].size()) + 1);
                    if (endLine == line)
                        endCh = std::max(endCh, ch);
                    ASSERT_TRUE(buffer.DeleteRange(nullptr, line, ch, endLine, endCh));
                    auto& first = model[static_cast<std::size_t>(line)];
                    first = first.substr(0, static_cast<std::size_t>(ch)) +
                            model[static_cast<std::size_t>(endLine)].substr(static_cast<std::size_t>(endCh));
                    model.erase(model.begin() + line + 1, model.begin() + endLine + 1);
                }
                if (model != states[pos]) {
                    states.resize(pos + 1);
                    states.push_back(model);
                    ++pos;
                }
            }
            ASSERT_EQ(linesOf(buffer), states[pos]) << "seed " << seed << " step " << step;
            ASSERT_EQ(buffer.IsModified(), pos != 0) << "seed " << seed << " step " << step;
        }
        STextPos cursor;
        while (buffer.Undo(cursor)) {
        }
        EXPECT_EQ(linesOf(buffer), original) << "seed " << seed;
        EXPECT_FALSE(buffer.IsModified()) << "seed " << seed;
    }
}

}  // namespace
}  // namespace brindle
