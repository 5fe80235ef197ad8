// Tests for replacing: the replacement escapes, and Replace All with empty matches, ^ and $,
// patterns across lines, line breaks in the replacement and a block end that follows the text.
#include "editor/ed_replace.h"

#include "editor/ed_vector_text.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace brindle {
namespace {

struct SExpandCase {
    std::string name;
    std::u16string replacement;
    std::u16string expected;
};

void PrintTo(const SExpandCase& c, std::ostream* out) { *out << c.name; }

class ReplaceExpand : public testing::TestWithParam<SExpandCase> {};

TEST_P(ReplaceExpand, Escapes)
{
    const std::vector<std::u16string> groups = {u"whole", u"ab", u"Cd", u"\u00e9\u03a3"};
    EXPECT_EQ(ExpandReplacement(GetParam().replacement, groups), GetParam().expected);
}

const SExpandCase kExpandCases[] = {
    {"WholeMatch", u"<\\0>", u"<whole>"},
    {"Groups", u"\\1-\\2", u"ab-Cd"},
    {"GroupPastTheMatch", u"[\\9]", u"[]"},
    {"UpperUntilE", u"\\U\\1x\\E\\1", u"ABXab"},
    {"LowerUntilLittleE", u"\\L\\2\\e\\2", u"cdCd"},
    {"NonAsciiCase", u"\\U\\3\\L\\3", u"\u00c9\u03a3\u00e9\u03c3"},
    {"UpperOnce", u"\\u\\1", u"Ab"},
    {"LowerOnce", u"\\l\\2", u"cd"},
    {"OnceWinsOverLasting", u"\\U\\l\\2", u"cD"},
    {"OnceThenLasting", u"\\u\\L\\2", u"Cd"},
    {"ControlCodes", u"\\n\\r\\t\\a\\b", u"\n\r\t\a\b"},
    {"HexCodes", u"\\x41\\x0042\\x00411", u"ABA1"},
    {"OctalCode", u"\\o101\\o0001011", u"AA1"},
    {"DecimalCodes", u"\\d65\\d066", u"AB"},
    {"DecimalStopsBeforeOverflow", u"\\d655360", u"\u199960"},
    {"CodeWithoutDigits", u"\\x\\o\\d", u"xod"},
    {"CaseAppliesToCodes", u"\\U\\x61", u"A"},
    {"OtherEscapedCharacters", u"\\q\\\\\\$", u"q\\$"},
    {"TrailingBackslash", u"a\\", u"a\\"},
};

INSTANTIATE_TEST_SUITE_P(Table, ReplaceExpand, testing::ValuesIn(kExpandCases), test::SCaseName{});

struct SReplaceAllCase {
    std::string name;
    std::vector<std::u16string> lines;
    std::u16string find;
    std::u16string replacement;
    std::uint32_t flags;
    std::vector<std::u16string> expected;
    int count;
    bool selection = false;  // block from blockBegin to blockEnd; else the whole text
    STextPos blockBegin = {0, 0};
    STextPos blockEnd = {0, 0};
    STextPos start = {0, 0};
    STextPos movedEnd = {0, 0};  // the block end afterwards, in Selection mode
};

void PrintTo(const SReplaceAllCase& c, std::ostream* out) { *out << c.name; }

class ReplaceAll : public testing::TestWithParam<SReplaceAllCase> {};

TEST_P(ReplaceAll, ReplacesEveryHitOnce)
{
    const SReplaceAllCase& c = GetParam();
    test::CVectorText text(c.lines);
    const int last = text.LineCount() - 1;
    SEdReplaceBlock block{c.blockBegin, c.selection ? c.blockEnd : STextPos{text.LineLength(last), last}, c.selection};
    EXPECT_EQ(ReplaceAllInBlock(text, c.find, c.replacement, c.flags, c.start, block), c.count);
    EXPECT_EQ(text.lines(), c.expected);
    if (c.selection) {
        EXPECT_EQ(test::describe(block.end), test::describe(c.movedEnd));
    }
}

constexpr std::uint32_t kRe = kEdFindRegExp;

const SReplaceAllCase kReplaceAllCases[] = {
    {"CaretPrefixesEachLineOnce", {u"a", u"b", u"c"}, u"^", u"X", kRe, {u"Xa", u"Xb", u"Xc"}, 3},
    {"CaretInSelectionStopsAtEndLine",
     {u"a", u"b", u"c"},
     u"^",
     u"X",
     kRe,
     {u"Xa", u"Xb", u"c"},
     2,
     true,
     {0, 0},
     {0, 2},
     {0, 0},
     {0, 2}},
    {"CaretOnLastLineOfSelection",
     {u"a", u"bb", u"c"},
     u"^",
     u"X",
     kRe,
     {u"Xa", u"Xbb", u"c"},
     2,
     true,
     {0, 0},
     {1, 1},
     {0, 0},
     {2, 1}},
    {"DollarAppends", {u"a", u"b"}, u"$", u";", kRe, {u"a;", u"b;"}, 2},
    {"EmptyLinesOnly", {u"", u"x", u""}, u"^$", u"-", kRe, {u"-", u"x", u"-"}, 2},
    {"EmptyMatchGoesToNextLine", {u"baaa", u"a"}, u"a*", u"X", kRe, {u"Xbaaa", u"X"}, 2},
    {"PlainReplacementIsLiteral", {u"a.b a.b"}, u"a.b", u"\\1", 0, {u"\\1 \\1"}, 2},
    {"PlainFindIsLiteral", {u"axb a.b"}, u"a.b", u"-", 0, {u"axb -"}, 1},
    {"GroupsSwapped", {u"a=b, cc=dd"}, u"(\\w+)=(\\w+)", u"\\2=\\1", kRe, {u"b=a, dd=cc"}, 2},
    {"CapitalizeWords", {u"hello world"}, u"<\\w", u"\\U\\0", kRe, {u"Hello World"}, 2},
    {"InsertedTextNotSearchedAgain", {u"aa"}, u"a", u"aa", 0, {u"aaaa"}, 2},
    {"SelectionEndGrows", {u"aaaa"}, u"a", u"bb", 0, {u"bbbbaa"}, 2, true, {0, 0}, {2, 0}, {0, 0}, {4, 0}},
    {"SelectionEndShrinks", {u"abab ab"}, u"ab", u"", 0, {u" ab"}, 2, true, {0, 0}, {4, 0}, {0, 0}, {0, 0}},
    {"SelectionEndFollowsNewLine",
     {u"a;b;c"},
     u";",
     u"\\r\\n",
     kRe,
     {u"a", u"b;c"},
     1,
     true,
     {0, 0},
     {3, 0},
     {0, 0},
     {1, 1}},
    {"SelectionEndBelowMovesByLines",
     {u"a;b", u"x;"},
     u";",
     u"\\r\\n",
     kRe,
     {u"a", u"b", u"x", u""},
     2,
     true,
     {0, 0},
     {2, 1},
     {0, 0},
     {0, 3}},
    {"MatchAcrossLinesJoinsThem", {u"a", u"b", u"a", u"b"}, u"a\\nb", u"ab", kRe, {u"ab", u"ab"}, 2},
    {"StartsAtStartNoWrap", {u"a", u"a"}, u"a", u"b", 0, {u"a", u"b"}, 1, false, {0, 0}, {0, 0}, {0, 1}},
    {"UpwardFlagIgnored", {u"a a"}, u"a", u"b", kEdFindUp, {u"b b"}, 2},
    {"WholeWordOnly", {u"cat concat cat"}, u"cat", u"dog", kEdFindWholeWord, {u"dog concat dog"}, 2},
    {"NothingFound", {u"abc"}, u"x", u"y", 0, {u"abc"}, 0},
    {"MalformedPattern", {u"abc"}, u"[a", u"y", kRe, {u"abc"}, 0},
};

INSTANTIATE_TEST_SUITE_P(Table, ReplaceAll, testing::ValuesIn(kReplaceAllCases), test::SCaseName{});

// The Replace button: one hit, then the position the search goes on from.
TEST(ReplaceHitStep, NextPositionAndStopAfterLastLine)
{
    test::CVectorText text({u"ab", u"c"});
    SEdReplaceBlock block{{0, 0}, {1, 1}, false};
    SEdSearchHit hit;
    STextPos next;
    ASSERT_TRUE(CEdSearch(u"b", kRe).findInBlock(text, {0, 0}, block.begin, block.end, false, hit));
    ASSERT_TRUE(ReplaceHit(text, hit, u"xyz", kRe, block, next));
    EXPECT_EQ(test::describe(next), "(4, 0)");
    ASSERT_TRUE(CEdSearch(u"$", kRe).findInBlock(text, next, block.begin, block.end, false, hit));
    ASSERT_TRUE(ReplaceHit(text, hit, u"!", kRe, block, next));
    EXPECT_EQ(test::describe(next), "(0, 1)");
    ASSERT_TRUE(CEdSearch(u"$", kRe).findInBlock(text, next, block.begin, block.end, false, hit));
    EXPECT_FALSE(ReplaceHit(text, hit, u"!", kRe, block, next));
    EXPECT_EQ(text.lines(), (std::vector<std::u16string>{u"axyz!", u"c!"}));
    EXPECT_EQ(test::describe(block.end), "(2, 1)");
}

}  // namespace
}  // namespace brindle
