// Tests for incremental search: keys typed into a running search, case folding, failure and
// Backspace, the repeated command, and Escape restoring the selection.
#include "editor/ed_incremental_search.h"

#include "editor/fake_search_target.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace brindle {
namespace {

// Keys in a script: any other character is typed.
constexpr char16_t kBackspace = u'\b';
constexpr char16_t kEscape = 0x1B;
constexpr char16_t kEnter = u'\r';
constexpr char16_t kAgainForward = 0x05;   // Ctrl+E
constexpr char16_t kAgainBackward = 0x06;  // Ctrl+Shift+E

void press(CEdIncrementalSearch& search, char16_t key)
{
    switch (key) {
    case kBackspace: search.backspace(); break;
    case kEscape: search.escape(); break;
    case kAgainForward: search.start(true); break;
    case kAgainBackward: search.start(false); break;
    default: search.typeChar(key); break;
    }
}

struct SIncrementalCase {
    std::string name;
    std::vector<std::u16string> lines;
    STextPos selStart;  // selection at the start, caret at selEnd
    STextPos selEnd;
    bool forward;
    std::u16string keys;
    std::u16string text;  // collected afterwards
    bool active;
    STextPos foundStart;  // the selection afterwards, caret at its end
    STextPos foundEnd;
    int beeps;
};

void PrintTo(const SIncrementalCase& c, std::ostream* out) { *out << c.name; }

const std::vector<std::u16string> kText = {u"abc aB abd", u"ab"};

const SIncrementalCase kIncrementalCases[] = {
    {"FoldsCase", {u"xx aB"}, {0, 0}, {0, 0}, true, u"ab", u"ab", true, {3, 0}, {5, 0}, 0},
    {"EachCharacterSearchesFromTheStart", kText, {0, 0}, {0, 0}, true, u"abd", u"abd", true, {7, 0}, {10, 0}, 0},
    {"FirstCharacterMatchesAtCaret", kText, {4, 0}, {4, 0}, true, u"a", u"a", true, {4, 0}, {5, 0}, 0},
    {"WrapsAround", kText, {0, 1}, {1, 1}, true, u"abc", u"abc", true, {0, 0}, {3, 0}, 0},
    {"BackwardFindsBeforeCaret", kText, {2, 1}, {2, 1}, false, u"ab", u"ab", true, {0, 1}, {2, 1}, 0},
    {"BackwardFromMiddle", kText, {6, 0}, {6, 0}, false, u"ab", u"ab", true, {4, 0}, {6, 0}, 0},
    {"FailureBeepsAndKeepsTheLastMatch", kText, {0, 0}, {0, 0}, true, u"abx", u"abx", true, {0, 0}, {2, 0}, 1},
    {"AfterFailureCharactersOnlyBeep", kText, {0, 0}, {0, 0}, true, u"abxyz", u"abx", true, {0, 0}, {2, 0}, 3},
    {"BackspaceAfterFailureSearchesAgain", kText, {0, 0}, {0, 0}, true, u"abxy\bd", u"abd", true, {7, 0}, {10, 0}, 2},
    {"BackspaceShortensAndSearchesFromStart", kText, {5, 0}, {5, 0}, true, u"abd\b", u"ab", true, {7, 0}, {9, 0}, 0},
    {"BackspaceToEmptyRestoresStart", kText, {1, 0}, {3, 0}, true, u"b\b", u"", true, {1, 0}, {3, 0}, 0},
    {"BackspaceOnEmptyBeeps", kText, {0, 0}, {0, 0}, true, u"\b", u"", true, {0, 0}, {0, 0}, 1},
    {"SameKeyAgainFindsNext", kText, {0, 0}, {0, 0}, true, u"ab\x05\x05", u"ab", true, {7, 0}, {9, 0}, 0},
    {"SameKeyAgainWraps", kText, {0, 0}, {0, 0}, true, u"ab\x05\x05\x05\x05", u"ab", true, {0, 0}, {2, 0}, 0},
    {"TypingAfterRepeatExtendsAtTheMatch",
     kText,
     {0, 0},
     {0, 0},
     true,
     u"ab\x05\x05"
     u"d",
     u"abd",
     true,
     {7, 0},
     {10, 0},
     0},
    {"BackwardKeyAgainFindsPrevious", kText, {2, 1}, {2, 1}, false, u"ab\x06", u"ab", true, {7, 0}, {9, 0}, 0},
    {"TabIsTyped", {u"a b\tc"}, {0, 0}, {0, 0}, true, u"\tc", u"\tc", true, {3, 0}, {5, 0}, 0},
    {"EscapeRestoresSelectionAndCaret", kText, {1, 0}, {3, 0}, true, u"abd\x1b", u"abd", false, {1, 0}, {3, 0}, 0},
    {"EnterEndsKeepingTheMatch", kText, {0, 0}, {0, 0}, true, u"abd\r", u"abd", false, {7, 0}, {10, 0}, 0},
};

class IncrementalSearch : public testing::TestWithParam<SIncrementalCase> {};

TEST_P(IncrementalSearch, KeysSelectMatches)
{
    const SIncrementalCase& c = GetParam();
    test::CFakeSearchTarget view(c.lines);
    view.select(c.selStart, c.selEnd);
    CEdIncrementalSearch search(view);
    search.start(c.forward);
    for (char16_t key : c.keys)
        press(search, key);

    EXPECT_EQ(search.isActive(), c.active);
    if (c.active) {
        EXPECT_EQ(search.text(), c.text);
    }
    EXPECT_EQ(view.selStart, c.foundStart);
    EXPECT_EQ(view.selEnd, c.foundEnd);
    EXPECT_EQ(view.caret, c.foundEnd);
    EXPECT_EQ(view.beeps, c.beeps);
    EXPECT_EQ(view.notFound.size(), 0u);
    EXPECT_EQ(view.lines(), c.lines);  // keys never edit
}

INSTANTIATE_TEST_SUITE_P(Table, IncrementalSearch, testing::ValuesIn(kIncrementalCases), test::SCaseName{});

TEST(IncrementalSearchRestart, EmptyTextTakesUpThePreviousSearch)
{
    test::CFakeSearchTarget view({u"ab ab"});
    CEdIncrementalSearch search(view);
    search.start(true);
    search.typeChar(u'b');
    search.finish();
    view.place({0, 0});
    search.start(true);
    search.start(true);
    EXPECT_EQ(search.text(), u"b");
    EXPECT_EQ(view.selStart, (STextPos{1, 0}));
}

TEST(IncrementalSearchRestart, EscapeRestoresACaretAtTheSelectionStart)
{
    test::CFakeSearchTarget view({u"abcdef"});
    view.select({1, 0}, {4, 0});
    view.caret = {1, 0};
    view.anchor = {4, 0};
    CEdIncrementalSearch search(view);
    search.start(true);
    search.typeChar(u'e');
    search.escape();
    EXPECT_EQ(view.caret, (STextPos{1, 0}));
    EXPECT_EQ(view.anchor, (STextPos{4, 0}));
    EXPECT_EQ(view.selStart, (STextPos{1, 0}));
    EXPECT_EQ(view.selEnd, (STextPos{4, 0}));
}

}  // namespace
}  // namespace brindle
