// The merge-file parser and the program-wide merge tag list it reads.
#include "editor/line_parsers.h"
#include "editor/merge_tags.h"

#include "editor/colour_blocks.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

using test::Blocks;

constexpr std::uint32_t kIn1 = kMergeInFile1Section;
constexpr std::uint32_t kIn2 = kMergeInFile2Section;

// header 1, footer 1, prefix 1, header 2, footer 2, prefix 2
const MergeTagTexts kDefaultTags{u"", u"", u"|<<", u"", u"", u"||>>"};
const MergeTagTexts kSectionTags{u"<<<<1", u">>>>1", u"|<<", u"<<<<2", u">>>>2", u"||>>"};
const MergeTagTexts kHeaderHoldsFooter{u"<<1>>", u">>", u"", u"<<2", u"2>>", u""};
const MergeTagTexts kNoTags{};

struct SMergeCase {
    const char* name;
    const MergeTagTexts* tags;
    std::u16string line;
    std::uint32_t startState;
    Blocks blocks;
    std::uint32_t endState;
};

class MergeParserTest : public testing::TestWithParam<SMergeCase> {
protected:
    void TearDown() override { setMergeTags(kNoTags); }
};

TEST_P(MergeParserTest, ColoursLine)
{
    const SMergeCase& c = GetParam();
    setMergeTags(*c.tags);
    const test::SParsed parsed = test::parse(ParseLineMerge, c.line, c.startState);
    EXPECT_EQ(parsed.blocks, c.blocks);
    EXPECT_EQ(parsed.state, c.endState);
    EXPECT_EQ(ParseLineMerge(c.line, c.startState, nullptr), c.endState);
}

INSTANTIATE_TEST_SUITE_P(
    Prefixes, MergeParserTest,
    testing::Values(SMergeCase{"File1Prefix", &kDefaultTags, u"|<<line", 0, {{0, 5}}, 0},
                    SMergeCase{"File2PrefixNotTakenForFile1", &kDefaultTags, u"||>>line", 0, {{0, 6}}, 0},
                    SMergeCase{"PrefixInMiddleColoursRest", &kDefaultTags, u"common |<< x", 0, {{0, 12}, {7, 5}}, 0},
                    SMergeCase{"CommonLine", &kDefaultTags, u"common", 0, {{0, 12}}, 0},
                    SMergeCase{"SingleCharacterNoRunsStateKept", &kDefaultTags, u"|", kIn1, {}, kIn1},
                    SMergeCase{"EmptyLineInsideSection", &kSectionTags, u"", kIn2, {}, kIn2},
                    SMergeCase{"EmptyTagsColourNothing", &kNoTags, u"|<<line", 0, {{0, 12}}, 0}),
    test::SCaseName{});

INSTANTIATE_TEST_SUITE_P(
    Sections, MergeParserTest,
    testing::Values(SMergeCase{"HeaderOpensFile1", &kSectionTags, u"<<<<1", 0, {{0, 5}}, kIn1},
                    SMergeCase{"HeaderAfterText", &kSectionTags, u"ab <<<<2", 0, {{0, 12}, {3, 6}}, kIn2},
                    SMergeCase{"LineInsideSection", &kSectionTags, u"text", kIn1, {{0, 5}}, kIn1},
                    SMergeCase{"PrefixInsideSectionIgnored", &kSectionTags, u"||>>x", kIn1, {{0, 5}}, kIn1},
                    SMergeCase{"OtherFilesFooterIgnored", &kSectionTags, u">>>>1", kIn2, {{0, 6}}, kIn2},
                    SMergeCase{"FooterClosesAtLineEnd", &kSectionTags, u">>>>1", kIn1, {{0, 5}}, 0},
                    SMergeCase{"TextAfterFooter", &kSectionTags, u">>>>2 after", kIn2, {{0, 6}, {5, 12}}, 0},
                    SMergeCase{"PrefixAfterFooter", &kSectionTags, u">>>>1|<<x", kIn1, {{0, 5}}, 0},
                    SMergeCase{"HeaderAndFooterOnOneLine", &kSectionTags, u"<<<<1 x >>>>1 y", 0, {{0, 5}, {13, 12}}, 0},
                    SMergeCase{"FooterThenNextHeader", &kSectionTags, u">>>>1<<<<2", kIn1, {{0, 5}, {5, 6}}, kIn2},
                    SMergeCase{"HeaderHoldingFooterClosesItself", &kHeaderHoldsFooter, u"<<1>>", 0, {{0, 5}}, 0},
                    SMergeCase{"HeaderSearchedFromSecondCharacter", &kHeaderHoldsFooter, u"<<2>>", 0, {{0, 6}}, 0}),
    test::SCaseName{});

TEST(MergeParserLines, SectionColoursHeaderBodyAndFooter)
{
    setMergeTags(kSectionTags);
    const std::u16string lines[] = {u"same", u"<<<<1", u"old line", u"", u">>>>1", u"<<<<2", u"new", u">>>>2", u"x y"};
    const std::int32_t colours[] = {12, 5, 5, -1, 5, 6, 6, 6, 12};
    std::uint32_t state = 0;
    for (std::size_t i = 0; i < std::size(lines); ++i) {
        const test::SParsed parsed = test::parse(ParseLineMerge, lines[i], state);
        EXPECT_EQ(test::colourAt(parsed.blocks, 0), colours[i]) << i;
        state = parsed.state;
    }
    EXPECT_EQ(state, 0u);
    setMergeTags(kNoTags);
}

TEST(MergeTags, TaggedLineKindIsFirstTagInListOrder)
{
    // "#" (file-1 prefix) also begins the file-2 tags: list order decides.
    setMergeTags({u"##1", u"", u"#", u"%%", u"", u"%"});
    struct SCase {
        std::u16string_view line;
        int kind;
    };
    const SCase cases[] = {{u"##1 head", 1}, {u"##2", 3}, {u"%% x", 4}, {u"%x", 6}, {u"x #", 0}, {u"", 0}};
    for (const SCase& c : cases)
        EXPECT_EQ(taggedLineKind(c.line), c.kind) << std::string(c.line.begin(), c.line.end());
    EXPECT_EQ(mergeTagAt(mergeTags(), u"ab%%", 2), 3);
    EXPECT_EQ(mergeTagAt(mergeTags(), u"ab", 3), -1);
    setMergeTags(kNoTags);
    EXPECT_EQ(taggedLineKind(u"##1"), 0);
}

TEST(MergeTags, ListKeepsItsOwnCopies)
{
    MergeTagTexts tags = kDefaultTags;
    setMergeTags(tags);
    tags[2] = u"changed";
    EXPECT_EQ(mergeTags()[2], u"|<<");
    setMergeTags(kNoTags);
}

}  // namespace
}  // namespace brindle
