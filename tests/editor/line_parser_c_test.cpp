// The C parser: blocks and end states of single lines, and states carried across lines.
#include "editor/line_parsers.h"

#include "editor/colour_blocks.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

using test::Blocks;

struct SCCase {
    const char* name;
    std::u16string line;
    std::uint32_t startState;
    Blocks blocks;
    std::uint32_t endState;
};

class CParserTest : public testing::TestWithParam<SCCase> {};

TEST_P(CParserTest, ColoursLine)
{
    const SCCase& c = GetParam();
    const test::SParsed parsed = test::parse(ParseLineC, c.line, c.startState);
    EXPECT_EQ(parsed.blocks, c.blocks);
    EXPECT_EQ(parsed.state, c.endState);
    EXPECT_EQ(ParseLineC(c.line, c.startState, nullptr), c.endState) << "state without blocks";
}

constexpr std::uint32_t kBlock = kCBlockComment;

INSTANTIATE_TEST_SUITE_P(
    Strings, CParserTest,
    testing::Values(SCCase{"EscapedQuoteStaysInString", u"\"a\\\"b\";", 0, {{0, 14}, {6, 4}}, 0},
                    SCCase{"BackslashPairEndsBeforeQuote", u"\"a\\\\\";x", 0, {{0, 14}, {5, 4}, {6, 12}}, 0},
                    SCCase{"CharConstantAfterOperator", u"c='a';", 0, {{0, 12}, {1, 4}, {2, 14}, {5, 4}}, 0},
                    SCCase{"QuoteAfterWordIsNoCharConstant", u"x'a'", 0, {{0, 12}, {1, 4}, {2, 12}, {3, 4}}, 0},
                    SCCase{"EscapedSingleQuote", u"'\\'' x", 0, {{0, 14}, {4, 4}, {5, 12}}, 0},
                    SCCase{"SlashesInStringAreNoComment", u"\"//\" x", 0, {{0, 14}, {4, 4}, {5, 12}}, 0},
                    SCCase{"UnterminatedStringEndsWithLine", u"\"abc", 0, {{0, 14}}, 0},
                    SCCase{"TrailingBackslashCarriesString", u"\"abc\\", 0, {{0, 14}}, kCString},
                    SCCase{"CarriedStringCloses", u"def\" x", kCString, {{0, 14}, {4, 4}, {5, 12}}, 0}),
    test::SCaseName{});

INSTANTIATE_TEST_SUITE_P(Comments, CParserTest,
                         testing::Values(SCCase{"BlockCommentOpens", u"a /* b", 0, {{0, 12}, {1, 4}, {2, 2}}, kBlock},
                                         SCCase{"BlockCommentContinues", u"still", kBlock, {{0, 2}}, kBlock},
                                         SCCase{"BlockCommentCloses", u" b */ c", kBlock, {{0, 2}, {5, 4}, {6, 12}}, 0},
                                         SCCase{"StarOfOpeningCannotClose", u"/*/ x", 0, {{0, 2}}, kBlock},
                                         SCCase{"EmptyBlockComment", u"/**/x", 0, {{0, 2}, {4, 12}}, 0},
                                         SCCase{"CloserIsNoLineComment", u"*//x", kBlock, {{0, 2}, {2, 4}, {3, 12}}, 0},
                                         SCCase{"LineComment", u"x // c", 0, {{0, 12}, {1, 4}, {2, 2}}, 0},
                                         SCCase{"LineCommentCarriedByBackslash", u"// c\\", 0, {{0, 2}}, kCLineComment},
                                         SCCase{"CarriedLineComment", u"more", kCLineComment, {{0, 2}}, 0},
                                         SCCase{"ClosingBraceAloneHasNoBlocks", u"}", 0, {}, 0},
                                         SCCase{"ShortLineKeepsBlockComment", u"}", kBlock | kCString, {}, kBlock},
                                         SCCase{"EmptyLineKeepsBlockComment", u"", kBlock, {}, kBlock}),
                         test::SCaseName{});

INSTANTIATE_TEST_SUITE_P(
    Preprocessor, CParserTest,
    testing::Values(SCCase{"IndentedDirective", u"  #define X 1", 0, {{0, 4}, {2, 7}}, 0},
                    SCCase{"HashAfterCodeIsOperator", u"x #y", 0, {{0, 12}, {1, 4}, {3, 12}}, 0},
                    SCCase{"CommentInsideDirective", u"#if 0 /* c */ x", 0, {{0, 7}, {6, 2}, {13, 7}}, 0},
                    SCCase{"NoStringInDirective", u"#include \"a.h\"", 0, {{0, 7}}, 0},
                    SCCase{"DirectiveContinued", u"#define A \\", 0, {{0, 7}}, kCPreprocessor},
                    SCCase{"ContinuedDirectiveLine", u"  B + 1", kCPreprocessor, {{0, 7}}, 0}),
    test::SCaseName{});

INSTANTIATE_TEST_SUITE_P(
    Words, CParserTest,
    testing::Values(SCCase{"Keyword", u"int x;", 0, {{0, 0}, {3, 4}, {4, 12}, {5, 4}}, 0},
                    SCCase{"TypeName", u"TCHAR c", 0, {{0, 5}, {5, 4}, {6, 12}}, 0},
                    SCCase{"MicrosoftKeyword", u"__asm nop", 0, {{0, 0}, {5, 4}, {6, 12}}, 0},
                    SCCase{"CaseMatters", u"Int x", 0, {{0, 12}, {3, 4}, {4, 12}}, 0},
                    SCCase{"HexNumber", u"0x1F;", 0, {{0, 3}, {4, 4}}, 0},
                    SCCase{"HexPrefixAloneIsNoNumber", u"0x;", 0, {{0, 12}, {2, 4}}, 0},
                    SCCase{"UpperHexPrefixIsNoNumber", u"0X1F", 0, {{0, 12}}, 0},
                    SCCase{"ExponentSplitAtSign", u"1.5e+3", 0, {{0, 3}, {4, 4}, {5, 3}}, 0},
                    SCCase{"DigitsWithLetterAreNoNumber", u"12ab;", 0, {{0, 12}, {4, 4}}, 0},
                    SCCase{"DotAfterLetterSplitsWords", u"a.b", 0, {{0, 12}, {1, 4}, {2, 12}}, 0},
                    SCCase{"FunctionNameBeforeSpaces", u"foo  (x)", 0, {{0, 1}, {3, 4}, {6, 12}, {7, 4}}, 0},
                    SCCase{"KeywordBeatsFunction", u"if (x)", 0, {{0, 0}, {2, 4}, {4, 12}, {5, 4}}, 0},
                    SCCase{"WordAtLineEndIsNoFunction", u"foo", 0, {{0, 12}}, 0},
                    SCCase{"NonAsciiIsWordCharacter", u"\u00e9t\u00e9(", 0, {{0, 1}, {3, 4}}, 0}),
    test::SCaseName{});

TEST(CParserLines, BlockCommentColoursFollowingLinesUntilItCloses)
{
    const std::u16string lines[] = {u"int a; /* start", u"", u"  middle // not a line comment", u"end */ int b;"};
    std::uint32_t state = 0;
    std::vector<std::uint32_t> states;
    for (const std::u16string& line : lines) {
        state = ParseLineC(line, state, nullptr);
        states.push_back(state);
    }
    EXPECT_EQ(states, (std::vector<std::uint32_t>{kBlock, kBlock, kBlock, 0}));
    EXPECT_EQ(test::parse(ParseLineC, lines[2], kBlock).blocks, (Blocks{{0, 2}}));
}

}  // namespace
}  // namespace brindle
