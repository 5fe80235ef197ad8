// Tests for the search within a block: plain and regular-expression text, whole words, upward
// search, wrap-around, block limits, patterns across line ends, and the buffer-facing wrappers.
#include "editor/ed_search.h"

#include "editor/ed_vector_text.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace brindle {
namespace {

constexpr std::uint32_t kUp = kEdFindUp;
constexpr std::uint32_t kRe = kEdFindRegExp;
constexpr std::uint32_t kCase = kEdFindMatchCase;
constexpr std::uint32_t kWhole = kEdFindWholeWord;
constexpr STextPos kWholeText{-1, -1};  // block: the whole text
constexpr STextPos kNone{-1, -1};

struct SSearchCase {
    std::string name;
    std::vector<std::u16string> lines;
    std::u16string text;
    std::uint32_t flags;
    STextPos start;
    bool wrap;
    STextPos found;  // kNone: nothing found
    STextPos end;
    STextPos blockBegin = {0, 0};
    STextPos blockEnd = kWholeText;
};

void PrintTo(const SSearchCase& c, std::ostream* out) { *out << c.name; }

class Search : public testing::TestWithParam<SSearchCase> {};

TEST_P(Search, FindsInBlock)
{
    const SSearchCase& c = GetParam();
    const test::CVectorText text(c.lines);
    const int last = text.LineCount() - 1;
    const STextPos blockEnd = c.blockEnd == kWholeText ? STextPos{text.LineLength(last), last} : c.blockEnd;
    SEdSearchHit hit;
    const bool found = CEdSearch(c.text, c.flags).findInBlock(text, c.start, c.blockBegin, blockEnd, c.wrap, hit);
    EXPECT_EQ(test::describe(found ? hit.start : kNone), test::describe(c.found));
    if (found) {
        EXPECT_EQ(test::describe(hit.end), test::describe(c.end));
        EXPECT_EQ(hit.length, static_cast<int>(hit.groups[0].size()));
    }
}

const SSearchCase kSearchCases[] = {
    {"PlainAfterStart", {u"abc abc"}, u"abc", kCase, {1, 0}, false, {4, 0}, {7, 0}},
    {"PlainAtStart", {u"abc abc"}, u"abc", kCase, {4, 0}, false, {4, 0}, {7, 0}},
    {"PlainNextLine", {u"x", u"yabc"}, u"abc", kCase, {0, 0}, false, {1, 1}, {4, 1}},
    {"PlainFoldsCase", {u"xAbC"}, u"abc", 0, {0, 0}, false, {1, 0}, {4, 0}},
    {"PlainFoldsLatin1", {u"x\u00c9t\u00c9"}, u"\u00e9T\u00e9", 0, {0, 0}, false, {1, 0}, {4, 0}},
    {"PlainMatchCase", {u"xAbC"}, u"abc", kCase, {0, 0}, false, kNone, kNone},
    {"WholeWordSecondCat", {u"concat cat"}, u"cat", kWhole, {0, 0}, false, {7, 0}, {10, 0}},
    {"WholeWordOneFurther", {u"aaa aa"}, u"aa", kWhole, {0, 0}, false, {4, 0}, {6, 0}},
    {"WholeWordCodesFrom128", {u"cat\u00e9 cat_ cat"}, u"cat", kWhole, {0, 0}, false, {10, 0}, {13, 0}},
    {"UpFromSelectedMatch", {u"cat cat cat"}, u"cat", kUp, {8, 0}, false, {4, 0}, {7, 0}},
    {"UpOverLines", {u"cat", u"dog"}, u"cat", kUp, {0, 1}, false, {0, 0}, {3, 0}},
    {"UpReachingPastStart", {u"abcd"}, u"bc", kUp, {2, 0}, false, {1, 0}, {3, 0}},
    {"UpNothingBefore", {u"cat"}, u"cat", kUp, {0, 0}, false, kNone, kNone},
    {"WrapForward", {u"cat", u"x"}, u"cat", 0, {0, 1}, true, {0, 0}, {3, 0}},
    {"NoWrapForward", {u"cat", u"x"}, u"cat", 0, {0, 1}, false, kNone, kNone},
    {"WrapUpward", {u"x", u"cat"}, u"cat", kUp, {1, 0}, true, {0, 1}, {3, 1}},
    {"WrapUpwardIncludesEnd", {u"ab"}, u"$", kUp | kRe, {0, 0}, true, {2, 0}, {2, 0}},
    {"StartAtBlockEndNoWrap", {u"cat"}, u"cat", 0, {3, 0}, false, kNone, kNone},
    // Regression: F3 or Shift+F3 at the end of the text found nothing even with wrap.
    {"StartAtBlockEndWraps", {u"cat"}, u"cat", 0, {3, 0}, true, {0, 0}, {3, 0}},
    {"UpFromBlockEnd", {u"cat x"}, u"cat", kUp, {5, 0}, false, {0, 0}, {3, 0}},
    {"EmptyText", {u"cat"}, u"", 0, {0, 0}, true, kNone, kNone},
    {"HitMustEndInBlock", {u"ab cat"}, u"cat", 0, {0, 0}, true, kNone, kNone, {0, 0}, {5, 0}},
    {"StartBeforeBlock", {u"catcat"}, u"cat", 0, {0, 0}, false, {3, 0}, {6, 0}, {2, 0}},
    {"WrapStaysInBlock", {u"cat x cat"}, u"cat", 0, {7, 0}, true, {6, 0}, {9, 0}, {4, 0}, {9, 0}},
    {"UpWrapStaysInBlock", {u"cat cat"}, u"cat", kUp, {4, 0}, true, {4, 0}, {7, 0}, {1, 0}},
    {"BlockEndPastText", {u"cat"}, u"cat", 0, {0, 0}, false, {0, 0}, {3, 0}, {0, 0}, {0, 9}},
    {"RegexLineBreak", {u"ab", u"cd", u"ef"}, u"b\\nc", kRe, {0, 0}, false, {1, 0}, {1, 1}},
    {"RegexTwoLineBreaks", {u"ab", u"cd", u"ef"}, u"b\\n.*\\ne", kRe, {0, 0}, false, {1, 0}, {1, 2}},
    {"RegexEndsAtLineStart", {u"ab", u"cd"}, u"b\\n", kRe, {0, 0}, false, {1, 0}, {0, 1}},
    {"RegexLineBreakOnLastLine", {u"ab"}, u"b\\nc", kRe, {0, 0}, false, kNone, kNone},
    {"RegexLineBreakPastBlock", {u"ab", u"cd"}, u"b\\nc", kRe, {0, 0}, false, kNone, kNone, {0, 0}, {0, 1}},
    {"RegexLineBreakInBlock", {u"ab", u"cd"}, u"b\\nc", kRe, {0, 0}, false, {1, 0}, {1, 1}, {0, 0}, {1, 1}},
    {"RegexUpLineBreak", {u"ab", u"cd", u"ab", u"cd"}, u"b\\nc", kRe | kUp, {0, 3}, false, {1, 2}, {1, 3}},
    {"RegexCaretNotAtStartColumn", {u"aab"}, u"^a", kRe, {1, 0}, false, kNone, kNone},
    {"RegexDollarAtRealEnd", {u"abc"}, u"b$", kRe, {0, 0}, false, kNone, kNone, {0, 0}, {2, 0}},
    {"RegexUp", {u"a1 a2 a3"}, u"a\\d", kRe | kUp, {6, 0}, false, {3, 0}, {5, 0}},
    {"RegexWholeWord", {u"concat cat"}, u"c.t", kRe | kWhole, {0, 0}, false, {7, 0}, {10, 0}},
    {"RegexFoldsCase", {u"xABC"}, u"a[b]c", kRe, {0, 0}, false, {1, 0}, {4, 0}},
    {"RegexEmptyLine", {u"x", u""}, u"^$", kRe, {0, 0}, false, {0, 1}, {0, 1}},
    {"RegexMalformed", {u"(a"}, u"(a", kRe, {0, 0}, true, kNone, kNone},
};

INSTANTIATE_TEST_SUITE_P(Blocks, Search, testing::ValuesIn(kSearchCases), test::SCaseName{});

// A buffer that is no CEdLineSource: the wrappers take any type with the three read methods.
struct SPlainBuffer {
    std::vector<std::u16string> lines;
    int LineCount() const { return static_cast<int>(lines.size()); }
    int LineLength(int line) const { return static_cast<int>(lines.at(static_cast<std::size_t>(line)).size()); }
    const char16_t* LineChars(int line) const { return lines.at(static_cast<std::size_t>(line)).data(); }
};

TEST(SearchWrappers, FindTextSearchesWholeTextAndKeepsOutputsOnFailure)
{
    const SPlainBuffer buffer{{u"one two", u"two\u00e9", u"one"}};
    STextPos found{7, 7};
    int length = 7;
    ASSERT_TRUE(FindText(buffer, u"TWO", STextPos{4, 0}, 0, false, found, length));
    EXPECT_EQ(test::describe(found), "(4, 0)");
    EXPECT_EQ(length, 3);
    ASSERT_TRUE(FindText(buffer, u"o\\n.*\\no", STextPos{5, 0}, kRe, false, found, length));
    EXPECT_EQ(test::describe(found), "(6, 0)");
    EXPECT_EQ(length, 8);
    ASSERT_TRUE(
        FindTextInBlock(buffer, u"one", STextPos{0, 2}, STextPos{0, 0}, STextPos{3, 2}, kUp, true, found, length));
    EXPECT_EQ(test::describe(found), "(0, 0)");
    EXPECT_FALSE(FindText(buffer, u"three", STextPos{0, 0}, 0, true, found, length));
    EXPECT_EQ(test::describe(found), "(0, 0)");
    EXPECT_EQ(length, 3);
    EXPECT_FALSE(FindText(SPlainBuffer{}, u"one", STextPos{0, 0}, 0, true, found, length));
}

// Regression guard for the upward search on long lines: the backward pass has to stay linear.
TEST(SearchLongLine, HundredThousandCharactersBothWays)
{
    const test::CVectorText text({std::u16string(100000, u'a') + u"b", std::u16string(100000, u'a')});
    const STextPos end{100000, 1};
    const std::u16string patterns[] = {u"(a|aa)*c", u"{a|aa}*$"};
    for (const std::u16string& pattern : patterns) {
        for (const std::uint32_t direction : {0u, kUp}) {
            SEdSearchHit hit;
            CEdSearch(pattern, kRe | direction)
                .findInBlock(text, direction ? end : STextPos{0, 0}, {0, 0}, end, true, hit);
        }
    }
    SEdSearchHit hit;
    ASSERT_TRUE(CEdSearch(u"a@b", kRe | kUp).findInBlock(text, {0, 1}, {0, 0}, end, false, hit));
    EXPECT_EQ(test::describe(hit.start), "(100000, 0)");
    ASSERT_TRUE(CEdSearch(u"a@b", kRe | kUp).findInBlock(text, {99999, 0}, {0, 0}, end, false, hit));
    EXPECT_EQ(test::describe(hit.start), "(99998, 0)");
    EXPECT_EQ(hit.length, 3);
}

}  // namespace
}  // namespace brindle
