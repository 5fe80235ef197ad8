// The edit view's commands on a buffer: typing, Enter with automatic and bracket indentation, Tab
// and Shift+Tab, deleting, case commands, completion and expansion, go to line, clipboard and
// drag and drop, and how they group their undo steps.
#include "editor/ed_edit_core.h"

#include "editor/ed_abbreviations.h"
#include "editor/edit_core_test_support.h"
#include "editor/text_type.h"
#include "platform/memory_settings_store.h"

#include <gtest/gtest.h>

#include <functional>

namespace brindle {
namespace {

using test::CEditHarness;

constexpr std::uint32_t kPlain = kTextTypeAutoIndent;                           // row 0
constexpr std::uint32_t kC = kTextTypeAutoIndent | kTextTypeBracketStepIndent;  // row 4
constexpr std::uint32_t kHtml = kTextTypeAutoIndent | kTextTypeBracketIndent;   // row 7
constexpr std::uint32_t kTabs = kTextTypeInsertTabs;
constexpr std::uint32_t kJoin = kTextTypeBackspaceAtBol;
constexpr std::uint32_t kFnBrace = kTextTypeAutoIndent | kTextTypeFnBrace;

struct SCommandCase {
    const char* name;
    std::vector<std::string> before;
    std::uint32_t flags;
    std::int32_t tabSize;
    bool overtype;
    std::function<bool(CEdEditCore&)> command;
    std::string after;
    bool result = true;
};

void runCases(const std::vector<SCommandCase>& cases)
{
    for (const SCommandCase& c : cases) {
        SCOPED_TRACE(c.name);
        CEditHarness edit;
        edit.set(c.before, c.flags, c.tabSize);
        edit.core.SetOvertype(c.overtype);
        EXPECT_EQ(c.command(edit.core), c.result);
        EXPECT_EQ(edit.text(), c.after);
    }
}

auto type(std::u16string_view keys)
{
    return [keys](CEdEditCore& core) {
        bool done = true;
        for (const char16_t key : keys)
            done = (key == u'\n' ? core.Enter() : core.TypeChar(key)) && done;
        return done;
    };
}

bool enter(CEdEditCore& core) { return core.Enter(); }
bool tab(CEdEditCore& core) { return core.Tab(); }
bool shiftTab(CEdEditCore& core) { return core.ShiftTab(); }
bool backspace(CEdEditCore& core) { return core.Backspace(); }
bool del(CEdEditCore& core) { return core.Delete(); }

TEST(EditCore, TypingInsertsOvertypesAndReplacesTheSelection)
{
    runCases({
        {"insert", {"ab|c"}, 0, 4, false, type(u"x"), "abx|c"},
        {"overtype replaces the character under the caret", {"a|bc"}, 0, 4, true, type(u"xy"), "axy|"},
        {"overtype at the line end appends", {"ab|", "cd"}, 0, 4, true, type(u"x"), "abx|\ncd"},
        {"a selection is replaced, also in overtype", {"a^bc|d"}, 0, 4, true, type(u"x"), "ax|d"},
        {"control characters are not typed", {"a|"}, 0, 4, false, type(u"\t"), "a|", false},
    });
}

TEST(EditCore, EnterBreaksLinesAndIndentsAutomatically)
{
    runCases({
        {"plain break", {"ab|cd"}, 0, 4, false, enter, "ab\n|cd"},
        {"a selection is replaced", {"a^bc|d"}, 0, 4, false, enter, "a\n|d"},
        {"overtype only moves to the next line", {"a|b", "cd"}, 0, 4, true, enter, "ab\n|cd"},
        {"overtype on the last line breaks it", {"a|b"}, 0, 4, true, enter, "a\n|b"},
        {"the previous line's indentation is kept", {"  \tab|"}, kPlain, 4, false, enter, "  \tab\n  \t|"},
        {"without auto-indent there is none", {"  ab|"}, 0, 4, false, enter, "  ab\n|"},
        {"no indentation in overtype mode", {"  ab|"}, kPlain, 4, true, enter, "  ab\n|"},
        {"an unindented line gives none", {"ab|"}, kC, 2, false, enter, "ab\n|"},
        {"one step more after an opening brace", {"    {|"}, kC, 2, false, enter, "    {\n      |"},
        {"a tab after an opening brace with tabs", {"    {|"}, kC | kTabs, 2, false, enter, "    {\n    \t|"},
        {"spaces up to the next tab stop", {"   (|"}, kHtml, 4, false, enter, "   (\n    |"},
        {"plain text ignores brackets", {"  {|"}, kPlain, 4, false, enter, "  {\n  |"},
        {"one step less after a lone closing brace", {"      }|"}, kC, 2, false, enter, "      }\n    |"},
        {"a lone closing brace after a tab", {"\t\t}|"}, kC, 2, false, enter, "\t\t}\n\t|"},
        {"bracket indent alone does not step back", {"    }|"}, kHtml, 2, false, enter, "    }\n    |"},
        {"the tail moves behind the indentation", {"  {|x"}, kC, 2, false, enter, "  {\n    |x"},
    });
}

TEST(EditCore, TypedBracketsMoveByOneStep)
{
    runCases({
        {"closing brace on a line of 6 spaces", {"x", "      |"}, kC, 2, false, type(u"}"), "x\n    }|"},
        {"closing brace after a tab", {"x", "\t\t|"}, kC, 2, false, type(u"}"), "x\n\t}|"},
        {"closing brace between tab stops", {"x", "     |"}, kHtml, 4, false, type(u"]"), "x\n    ]|"},
        {"closing brace on the first line stays", {"      |"}, kC, 2, false, type(u"}"), "      }|"},
        {"closing brace after text stays", {"x", "  a|"}, kC, 2, false, type(u"}"), "x\n  a}|"},
        {"closing brace without indentation", {"x", "|"}, kC, 2, false, type(u"}"), "x\n}|"},
        {"opening brace alone moves right", {"x", "  |"}, kC, 2, false, type(u"{"), "x\n    {|"},
        {"bracket indent does not move an opening brace", {"x", "  |"}, kHtml, 2, false, type(u"{"), "x\n  {|"},
        {"space before a parenthesis after a word", {"foo|"}, kFnBrace, 4, false, type(u"("), "foo (|"},
        {"no space after a blank", {"foo |"}, kFnBrace, 4, false, type(u"("), "foo (|"},
        {"no space without the setting", {"foo|"}, kPlain, 4, false, type(u"("), "foo(|"},
    });
}

TEST(EditCore, TabAndShiftTab)
{
    runCases({
        {"Tab at index 6 with tab size 4 inserts 2 spaces", {"abcdef|"}, 0, 4, false, tab, "abcdef  |"},
        {"Tab counts characters, not columns", {"\tab|"}, 0, 4, false, tab, "\tab |"},
        {"Tab inserts a tab with tabs", {"ab|"}, kTabs, 4, false, tab, "ab\t|"},
        {"Tab replaces a selection", {"a^bc|d"}, 0, 4, false, tab, "a   |d"},
        {"Tab over a block indents every line", {"^ab", "cd", "e|f"}, 0, 4, false, tab, "^    ab\n    cd\n    ef|"},
        {"a block ending in column 0 leaves that line", {"^ab", "cd", "|ef"}, kTabs, 4, false, tab, "^\tab\n\tcd\n|ef"},
        {"a block selected upwards", {"|ab", "c^d"}, 0, 2, false, tab, "^  ab\n  cd|"},
        {"overtype Tab moves to the next tab stop", {"|abcdef"}, 0, 4, true, tab, "abcd|ef"},
        {"overtype Tab stops after a tab", {"|a\tbc"}, 0, 4, true, tab, "a\t|bc"},
        {"overtype Tab at the line end inserts", {"ab|"}, 0, 4, true, tab, "ab  |"},
        {"Shift+Tab moves back to the previous stop", {"abcdef|"}, 0, 4, false, shiftTab, "abcd|ef"},
        {"Shift+Tab from a stop goes one stop back", {"abcd|ef"}, 0, 4, false, shiftTab, "|abcdef"},
        {"Shift+Tab counts display columns", {"a\tb|"}, 0, 4, false, shiftTab, "a\t|b"},
        {"Shift+Tab at column 0 does nothing", {"|ab"}, 0, 4, false, shiftTab, "|ab", false},
        {"Shift+Tab over a block",
         {"^      ab", "  \tcd", "\t\tx", " |y"},
         0,
         4,
         false,
         shiftTab,
         "^  ab\ncd\n\tx\ny|"},
        {"Shift+Tab removes at most tab size spaces", {"^     ab", "|x"}, 0, 4, false, shiftTab, "^ ab\n|x"},
    });
}

TEST(EditCore, BackspaceAndDelete)
{
    runCases({
        {"Backspace deletes the character before", {"ab|c"}, 0, 4, false, backspace, "a|c"},
        {"Backspace at column 0 of line 5 of plain text does nothing",
         {"1", "2", "3", "4", "5", "|6"},
         kPlain,
         4,
         false,
         backspace,
         "1\n2\n3\n4\n5\n|6",
         false},
        {"Backspace joins lines with the setting", {"ab", "|cd"}, kJoin, 4, false, backspace, "ab|cd"},
        {"Backspace at the start of the text", {"|ab"}, kJoin, 4, false, backspace, "|ab", false},
        {"Backspace deletes a selection over lines", {"a^b", "c|d"}, 0, 4, false, backspace, "a|d"},
        {"Delete deletes the character after", {"a|bc"}, 0, 4, false, del, "a|c"},
        {"Delete at a line end joins the next line", {"ab|", "cd"}, 0, 4, false, del, "ab|cd"},
        {"Delete at the end of the text does nothing", {"ab", "cd|"}, 0, 4, false, del, "ab\ncd|", false},
        {"Ctrl+Delete removes a word and its blanks",
         {"|foo  bar"},
         0,
         4,
         false,
         [](CEdEditCore& core) { return core.DeleteWordRight(); },
         "|bar"},
        {"Ctrl+Delete at a line end joins lines",
         {"foo|", "bar"},
         0,
         4,
         false,
         [](CEdEditCore& core) { return core.DeleteWordRight(); },
         "foo|bar"},
        {"Ctrl+Backspace removes the word before",
         {"foo bar|"},
         0,
         4,
         false,
         [](CEdEditCore& core) { return core.DeleteWordLeft(); },
         "foo |"},
        {"Ctrl+Backspace removes blanks and punctuation run",
         {"a.b ==  |"},
         0,
         4,
         false,
         [](CEdEditCore& core) { return core.DeleteWordLeft(); },
         "a.b |"},
        {"Ctrl+Backspace with a selection deletes only it",
         {"foo b^a|r"},
         0,
         4,
         false,
         [](CEdEditCore& core) { return core.DeleteWordLeft(); },
         "foo b|r"},
    });
}

TEST(EditCore, CaseCommandsReplaceTheSelectionAndKeepItSelected)
{
    runCases({
        {"Capitalize",
         {"^hello-world foo|"},
         0,
         4,
         false,
         [](CEdEditCore& core) { return core.ConvertCase(EEdCaseConversion::Capitalize); },
         "^Hello-world Foo|"},
        {"Upper case over lines",
         {"a^b", "c|d"},
         0,
         4,
         false,
         [](CEdEditCore& core) { return core.ConvertCase(EEdCaseConversion::Upper); },
         "a^B\nC|d"},
        {"selected backwards",
         {"a|bC^d"},
         0,
         4,
         false,
         [](CEdEditCore& core) { return core.ConvertCase(EEdCaseConversion::Invert); },
         "a^Bc|d"},
        {"without a selection nothing happens",
         {"ab|c"},
         0,
         4,
         false,
         [](CEdEditCore& core) { return core.ConvertCase(EEdCaseConversion::Upper); },
         "ab|c",
         false},
    });
}

TEST(EditCore, WordCompletion)
{
    const auto complete = [](CEdEditCore& core) { return core.AutoComplete(); };
    runCases({
        {"fo completes to foobar from earlier text",
         {"foobar", "x", "fo|"},
         0,
         4,
         false,
         complete,
         "foobar\nx\nfoobar|"},
        {"the nearest earlier word wins", {"foobar", "fox", "fo|"}, 0, 4, false, complete, "foobar\nfox\nfox|"},
        {"words later in the text", {"x", "fo| zz", "y foot"}, 0, 4, false, complete, "x\nfoot| zz\ny foot"},
        {"only whole words", {"xfoobar", "fo|"}, 0, 4, false, complete, "xfoobar\nfo|", false},
        {"case matters", {"Foobar", "fo|"}, 0, 4, false, complete, "Foobar\nfo|", false},
        {"the same word alone does not complete", {"fo", "fo|"}, 0, 4, false, complete, "fo\nfo|", false},
        {"not on the first line", {"fo|", "foobar"}, 0, 4, false, complete, "fo|\nfoobar", false},
        {"not inside a word", {"foobar", "fo|x"}, 0, 4, false, complete, "foobar\nfo|x", false},
    });
}

TEST(EditCore, AbbreviationExpansion)
{
    struct SCase {
        const char* name;
        std::u16string expansion;
        std::vector<std::string> before;
        std::uint32_t flags;
        std::string after;
    };
    const SCase cases[] = {
        {"a line break between two texts is indented",
         u"first\\nsecond",
         {"x", "  ab|"},
         kPlain,
         "x\n  first\n  second|"},
        {"without auto-indent the line starts at column 0",
         u"first\\nsecond",
         {"x", "  ab|"},
         0,
         "x\n  first\nsecond|"},
        {"left between brackets", u"()\\l", {"x", "ab|"}, 0, "x\n(|)"},
        {"start and end of the line", u"1\\h2\\f3", {"x", "q ab|"}, 0, "x\n2q 13|"},
        {"back-delete and delete", u"abc\\l\\b\\eZ", {"x", "ab|"}, 0, "x\naZ|"},
        {"indentation step", u"\\tx", {"x", "ab|"}, 0, "x\n    x|"},
        {"up and down", u"\\uA\\dB", {"xy", "ab|", "pq"}, 0, "Axy\nB|\npq"},
        {"bracket rules run after each piece", u"{\\n}", {"x", "  ab|"}, kC, "x\n    {\n    }|"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CEditHarness edit;
        edit.set(c.before, c.flags, 4);
        edit.core.Abbreviations().Set(u"ab", c.expansion);
        EXPECT_TRUE(edit.core.AutoExpand());
        EXPECT_EQ(edit.text(), c.after);
        // The whole expansion is one undo step.
        const std::string original = c.before[1].substr(0, c.before[1].size() - 1);
        STextPos cursor;
        EXPECT_TRUE(edit.buffer.Undo(cursor));
        EXPECT_EQ(edit.buffer.LineText(1), std::u16string(original.begin(), original.end()));
        EXPECT_FALSE(edit.buffer.CanUndo());
    }
}

TEST(EditCore, AbbreviationsComeFromTheSettingsStore)
{
    CMemorySettingsStore store;
    store.writeString(CEdAbbreviations::KeyOf(u"C"), u"ab", u"alpha");
    store.writeDword(CEdAbbreviations::KeyOf(u"C"), u"n", 1);
    CEditHarness edit;
    edit.set({"x", "ab| n"});
    edit.core.ApplyTextType(TextTypeOfPath(u"a.c"), &store);
    EXPECT_EQ(edit.core.Settings().tabSize, 2);
    EXPECT_TRUE(edit.core.CanAutoExpand());
    EXPECT_TRUE(edit.core.AutoExpand());
    EXPECT_EQ(edit.text(), "x\nalpha| n");
    edit.core.SetCaret(STextPos{7, 1});
    EXPECT_FALSE(edit.core.AutoExpand()) << "a number value is no expansion";

    edit.core.ApplyTextType(TextTypeOfPath(u"a.txt"), &store);
    EXPECT_FALSE(edit.core.CanAutoExpand()) << "Plain has no abbreviations";
}

TEST(EditCore, TypedRunsFormUndoGroupsThatASpaceSplits)
{
    CEditHarness edit;
    edit.set({"|"}, kPlain);
    type(u"ab cd")(edit.core);
    ASSERT_EQ(edit.text(), "ab cd|");
    STextPos cursor;
    ASSERT_TRUE(edit.buffer.Undo(cursor));
    EXPECT_EQ(edit.buffer.LineText(0), u"ab");
    ASSERT_TRUE(edit.buffer.Undo(cursor));
    EXPECT_EQ(edit.buffer.LineText(0), u"");
    EXPECT_FALSE(edit.buffer.CanUndo());
}

TEST(EditCore, ReadOnlyBufferRefusesEveryCommand)
{
    const std::vector<std::function<bool(CEdEditCore&)>> commands = {
        type(u"x"),
        enter,
        tab,
        shiftTab,
        backspace,
        del,
        [](CEdEditCore& core) { return core.Paste(u"p"); },
        [](CEdEditCore& core) { return core.ConvertCase(EEdCaseConversion::Upper); },
        [](CEdEditCore& core) { return core.AutoComplete(); },
        [](CEdEditCore& core) {
            return core.Drop(STextPos{0, 0}, u"d");
        },
    };
    for (std::size_t i = 0; i < commands.size(); ++i) {
        SCOPED_TRACE(i);
        CEditHarness edit;
        edit.set({"ab", "a^b|c"}, kC);
        edit.buffer.SetReadOnly(true);
        EXPECT_FALSE(commands[i](edit.core));
        EXPECT_EQ(edit.text(), "ab\na^b|c");
    }
}

TEST(EditCore, GotoLineAndLastChange)
{
    CEditHarness edit;
    edit.set({"abc", "", "abcdef|", "xy"});
    EXPECT_TRUE(edit.core.GotoLine(u"1"));
    EXPECT_EQ(edit.core.Caret(), (STextPos{2, 0})) << "column limited to the last character";
    EXPECT_TRUE(edit.core.GotoLine(u"+2"));
    EXPECT_EQ(edit.core.Caret(), (STextPos{0, 1})) << "column 0 on an empty line";
    EXPECT_FALSE(edit.core.GotoLine(u"-5"));

    EXPECT_FALSE(edit.core.CanGotoLastChange());
    edit.core.SetCaret(STextPos{1, 3});
    type(u"zz")(edit.core);
    edit.core.SetCaret(STextPos{0, 0});
    EXPECT_TRUE(edit.core.GotoLastChange());
    EXPECT_EQ(edit.core.Caret(), (STextPos{3, 3}));
}

TEST(EditCore, ClipboardConvertsLineEnds)
{
    CEditHarness edit;
    edit.set({"ab|"});
    EXPECT_TRUE(edit.core.Paste(u"x\ny\r\nz\rw"));
    EXPECT_EQ(edit.text(), "abx\ny\nz\nw|");
    edit.core.SetSelection(STextPos{1, 0}, STextPos{1, 2});
    EXPECT_EQ(edit.core.Copy(), u"bx\ny\nz");
    std::u16string cut;
    EXPECT_TRUE(edit.core.Cut(cut));
    EXPECT_EQ(cut, u"bx\ny\nz");
    EXPECT_EQ(edit.text(), "a|\nw");
    EXPECT_FALSE(edit.core.Cut(cut)) << "nothing selected";
}

TEST(EditCore, DragAndDropWithinOneView)
{
    struct SCase {
        const char* name;
        std::vector<std::string> before;
        STextPos drop;
        bool moved;
        std::string after;
    };
    const SCase cases[] = {
        {"move forwards on one line", {"^ab|cd"}, {4, 0}, true, "cd^ab|"},
        {"move backwards across lines", {"xy", "a^bc|d"}, {1, 0}, true, "x^bc|y\nad"},
        {"move a multi-line range down", {"^ab", "c|d", "ef"}, {2, 2}, true, "d\nef^ab\nc|"},
        {"copy keeps the original", {"^ab|cd"}, {4, 0}, false, "abcd^ab|"},
        {"a drop on the dragged text only moves the caret", {"a^bc|d"}, {2, 0}, true, "ab|cd"},
        {"a drop on the dragged text's start changes nothing", {"a^bc|d"}, {1, 0}, true, "a|bcd"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CEditHarness edit;
        edit.set(c.before);
        const std::u16string text = edit.core.BeginDrag();
        EXPECT_TRUE(edit.core.Drop(c.drop, text));
        edit.core.EndDrag(c.moved);
        EXPECT_EQ(edit.text(), c.after);
        EXPECT_FALSE(edit.core.IsDragging());
    }
}

TEST(EditCore, AMoveWithinOneViewIsOneUndoStep)
{
    CEditHarness edit;
    edit.set({"^ab|cd"});
    const std::u16string text = edit.core.BeginDrag();
    edit.core.Drop(STextPos{4, 0}, text);
    EXPECT_TRUE(edit.core.EndDrag(true));
    STextPos cursor;
    EXPECT_TRUE(edit.buffer.Undo(cursor));
    EXPECT_EQ(edit.buffer.LineText(0), u"abcd");
    EXPECT_FALSE(edit.buffer.CanUndo());
}

TEST(EditCore, AMoveToAnotherViewOfTheBufferDeletesTheRangeWhereItWent)
{
    CEditHarness edit;
    edit.set({"ab^cd|", "xy"});
    test::CEditPane other(edit.buffer);
    const std::u16string text = edit.core.BeginDrag();
    EXPECT_TRUE(other.core.Drop(STextPos{0, 0}, text));
    EXPECT_EQ(edit.core.DragStart(), (STextPos{4, 0}));
    EXPECT_TRUE(edit.core.EndDrag(true));
    EXPECT_EQ(edit.buffer.LineText(0), u"cdab");
    EXPECT_EQ(other.core.SelEnd(), (STextPos{2, 0})) << "the dropped text stays selected";
}

TEST(EditCore, DroppedTextFromOutsideGetsBufferLineEnds)
{
    CEditHarness edit;
    edit.set({"a|b"});
    EXPECT_TRUE(edit.core.Drop(STextPos{1, 0}, u"x\ny"));
    EXPECT_EQ(edit.text(), "a^x\ny|b");
    EXPECT_FALSE(edit.core.EndDrag(true)) << "this view was not dragging";
}

}  // namespace
}  // namespace brindle
