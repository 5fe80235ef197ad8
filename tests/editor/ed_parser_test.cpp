// Parser objects: the base colours nothing; word-wrap break positions.
#include "editor/ed_parser.h"

#include "support/case_name.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

struct SWrapCase {
    const char* name;
    std::u16string line;
    std::int32_t width;
    std::int32_t tabSize;
    std::vector<std::int32_t> breaks;
};

class WrapLineTest : public testing::TestWithParam<SWrapCase> {};

TEST_P(WrapLineTest, BreaksAfterBlanksOrAtWidth)
{
    const SWrapCase& c = GetParam();
    CEdParser parser;
    std::vector<std::int32_t> breaks{99};  // stale content must go
    parser.WrapLine(c.line, c.width, c.tabSize, breaks);
    EXPECT_EQ(breaks, c.breaks);
}

INSTANTIATE_TEST_SUITE_P(Cases, WrapLineTest,
                         testing::Values(SWrapCase{"Fits", u"short", 10, 4, {}}, SWrapCase{"Empty", u"", 10, 4, {}},
                                         SWrapCase{"ExactWidth", u"aaa bbb", 7, 4, {}},
                                         SWrapCase{"WordMovesDown", u"aaa bbb", 5, 4, {4}},
                                         SWrapCase{"BlankHangsPastWidth", u"aaa bbb ccc", 7, 4, {8}},
                                         SWrapCase{"BlankRunHangs", u"ab      cd", 4, 4, {8}},
                                         SWrapCase{"HardBreakInLongWord", u"abcdefghij", 4, 4, {4, 8}},
                                         SWrapCase{"LongWordAfterBlank", u"a bcdefgh", 4, 4, {2, 6}},
                                         SWrapCase{"TabToNextStop", u"\tab", 6, 4, {}},
                                         SWrapCase{"TabWidthCounts", u"\tab", 5, 4, {1}},
                                         SWrapCase{"TabStopsCountFromRowStart", u"abcd\tx", 3, 2, {3}},
                                         SWrapCase{"ZeroWidthActsAsOne", u"abc", 0, 4, {1, 2}},
                                         SWrapCase{"ZeroTabSizeActsAsOne", u"\t\tx", 2, 0, {2}}),
                         test::SCaseName{});

TEST(EdParser, BaseColoursNothing)
{
    CEdParser parser;
    std::vector<SColourBlock> blocks;
    EXPECT_EQ(parser.ColourLine(7, u"int x;", &blocks), 0u);
    EXPECT_TRUE(blocks.empty());
    EXPECT_EQ(parser.ColourLine(7, u"int x;", nullptr), 0u);
}

}  // namespace
}  // namespace brindle
