// The merge editor's tag commands: tag removal (with one undo step per removal) and section
// navigation over merge-file texts.
#include "merge_editor/merge_tag_commands.h"

#include "editor/ed_text_buffer.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace brindle {

void PrintTo(const STextPos& pos, std::ostream* out) { *out << '(' << pos.ch << ", " << pos.line << ')'; }
void PrintTo(const SMergeSectionHit& hit, std::ostream* out)
{
    *out << "select ";
    PrintTo(hit.selection.start, out);
    *out << '-';
    PrintTo(hit.selection.end, out);
    *out << " scroll ";
    PrintTo(hit.scrollTo, out);
}

namespace {

// Texts are written with "\n" between lines.
void load(CEdTextBuffer& buffer, const std::u16string& text)
{
    buffer.ClearAll();
    std::size_t from = 0;
    for (;;) {
        const std::size_t end = text.find(u'\n', from);
        buffer.AddLine(std::u16string_view(text).substr(from, end == std::u16string::npos ? end : end - from));
        if (end == std::u16string::npos)
            break;
        from = end + 1;
    }
}

std::string textOf(const CEdTextBuffer& buffer)
{
    std::u16string text;
    for (std::int32_t line = 0; line < buffer.LineCount(); ++line) {
        if (line > 0)
            text += u'\n';
        text += buffer.LineText(line);
    }
    return std::string(text.begin(), text.end());  // the test texts are ASCII
}

const SMergeCommandTags kDefaultTags{{u"", u"", u"|<<"}, {u"", u"", u"||>>"}};
const SMergeCommandTags kPairedTags{{u"#H1", u"#F1", u"|<<"}, {u"#H2", u"#F2", u"||>>"}};
const SMergeCommandTags kNoTags{};

// ---- Removal

enum class Removal { File1, File2, All };

struct SRemovalCase {
    const char* name;
    SMergeCommandTags tags;
    Removal command;
    std::u16string text;
    const char* expected;
    int removals;
};

void PrintTo(const SRemovalCase& c, std::ostream* out) { *out << c.name; }

class TagRemoval : public testing::TestWithParam<SRemovalCase> {};

// Every removal is one undo step: undoing exactly `removals` times gives the original back.
TEST_P(TagRemoval, RemovesTagsOneUndoStepEach)
{
    const SRemovalCase& c = GetParam();
    CEdTextBuffer buffer;
    load(buffer, c.text);
    const std::string original = textOf(buffer);
    SMergeSelection selection;
    int removed = 0;
    switch (c.command) {
    case Removal::File1: removed = RemoveRemainingFileTags(buffer, nullptr, c.tags, 1, selection); break;
    case Removal::File2: removed = RemoveRemainingFileTags(buffer, nullptr, c.tags, 2, selection); break;
    case Removal::All: removed = RemoveAllRemainingTags(buffer, nullptr, c.tags, selection); break;
    }
    EXPECT_EQ(c.expected, textOf(buffer));
    EXPECT_EQ(c.removals, removed);
    EXPECT_EQ(removed > 0, buffer.IsModified());
    STextPos cursor;
    for (int step = 0; step < c.removals; ++step)
        ASSERT_TRUE(buffer.Undo(cursor)) << "undo step " << step;
    EXPECT_FALSE(buffer.CanUndo());
    EXPECT_EQ(original, textOf(buffer));
    EXPECT_FALSE(buffer.IsModified());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TagRemoval,
    testing::Values(
        SRemovalCase{"DefaultFile1PrefixesGoLinesStay", kDefaultTags, Removal::File1, u"a\n|<<b\n||>>x\nc\n|<<d",
                     "a\nb\n||>>x\nc\nd", 2},
        SRemovalCase{"DefaultFile2Prefixes", kDefaultTags, Removal::File2, u"a\n|<<b\n||>>x\nc", "a\n|<<b\nx\nc", 1},
        SRemovalCase{"DefaultAll", kDefaultTags, Removal::All, u"a\n|<<b\n||>>x\nc", "a\nb\nx\nc", 2},
        SRemovalCase{"File2HeaderAndFooterLinesGoWithTheirBreaks", kPairedTags, Removal::File2,
                     u"a\n#H1\n|<<b\n#F1\n#H2\n||>>x\n#F2\nc", "a\n#H1\n|<<b\n#F1\nx\nc", 3},
        SRemovalCase{"AllHeadersFootersAndPrefixes", kPairedTags, Removal::All,
                     u"a\n#H1\n|<<b\n#F1\n#H2\n||>>x\n#F2\nc", "a\nb\nx\nc", 6},
        SRemovalCase{"PrefixInsideAnOrdinaryLineGoesToo", kDefaultTags, Removal::File1, u"say |<<here\n|<<b",
                     "say here\nb", 2},
        SRemovalCase{"HeaderInsideALineCutsItFromThereAndJoinsTheNext", kPairedTags, Removal::File2,
                     u"keep #H2 rest\nnext", "keep next", 1},
        SRemovalCase{"FooterOnTheLastLineRunsToTheEndOfTheText", kPairedTags, Removal::File2, u"a\n#F2", "a\n", 1},
        SRemovalCase{"FooterInsideTheLastLine", kPairedTags, Removal::File1, u"a\nx #F1 y", "a\nx ", 1},
        SRemovalCase{"HeaderOnTheFirstLine", kPairedTags, Removal::File1, u"#H1\nb", "b", 1},
        SRemovalCase{"OnlyLineIsAHeader", kPairedTags, Removal::File1, u"#H1", "", 1},
        SRemovalCase{"ConsecutiveHeaderLines", kPairedTags, Removal::File1, u"#H1\n#H1\nb", "b", 2},
        // The search goes on after the removed occurrence: a prefix formed across it stays.
        SRemovalCase{"PrefixFormedAcrossARemovalStays", kDefaultTags, Removal::File1, u"|<|<<<b", "|<<b", 1},
        SRemovalCase{"RepeatedPrefixes", kDefaultTags, Removal::File1, u"|<<|<<b", "b", 2},
        SRemovalCase{"EmptyTagsRemoveNothing", kNoTags, Removal::All, u"|<<a\n||>>b", "|<<a\n||>>b", 0},
        SRemovalCase{"HeaderTextInsideAPrefixTakesThoseLines", SMergeCommandTags{{u"<", u">", u"<<"}, {}},
                     Removal::File1, u"<<x\n<\ny", "y", 2},
        SRemovalCase{"CaseMatters", kPairedTags, Removal::File1, u"#h1\n#H1", "#h1\n", 1},
        SRemovalCase{"NoTagInTheText", kPairedTags, Removal::All, u"a\nb", "a\nb", 0}),
    test::SCaseName{});

TEST(TagRemovalReadOnly, PassesOverEveryOccurrenceWithoutChangingTheText)
{
    CEdTextBuffer buffer;
    load(buffer, u"|<<a\nb\n|<<c |<<d");
    buffer.SetReadOnly(true);
    SMergeSelection selection{{0, 0}, {0, 0}};
    EXPECT_EQ(0, RemoveRemainingFileTags(buffer, nullptr, kDefaultTags, 1, selection));
    EXPECT_EQ("|<<a\nb\n|<<c |<<d", textOf(buffer));
    // The last occurrence stays selected.
    EXPECT_EQ((SMergeSelection{{5, 2}, {8, 2}}), selection);
    EXPECT_FALSE(buffer.CanUndo());
}

TEST(TagRemovalSelection, EndsCollapsedWhereTheLastTagWas)
{
    CEdTextBuffer buffer;
    load(buffer, u"a\n|<<b\nc |<<d");
    SMergeSelection selection{{0, 0}, {1, 0}};
    RemoveTagEverywhere(buffer, nullptr, u"|<<", false, selection);
    EXPECT_EQ((SMergeSelection{{2, 2}, {2, 2}}), selection);
}

TEST(TagRemovalSelection, StaysWhenNothingIsFound)
{
    CEdTextBuffer buffer;
    load(buffer, u"a\nb");
    SMergeSelection selection{{0, 1}, {1, 1}};
    EXPECT_EQ(0, RemoveTagEverywhere(buffer, nullptr, u"|<<", true, selection));
    EXPECT_EQ((SMergeSelection{{0, 1}, {1, 1}}), selection);
}

// ---- Navigation

enum class Direction { Next, Prev };

struct SNavigationCase {
    const char* name;
    SMergeCommandTags tags;
    std::u16string text;
    Direction direction;
    SMergeSelection from;
    std::optional<SMergeSectionHit> expected;
};

void PrintTo(const SNavigationCase& c, std::ostream* out) { *out << c.name; }

class SectionNavigation : public testing::TestWithParam<SNavigationCase> {};

TEST_P(SectionNavigation, SelectsTheSection)
{
    const SNavigationCase& c = GetParam();
    CEdTextBuffer buffer;
    load(buffer, c.text);
    const std::optional<SMergeSectionHit> hit = c.direction == Direction::Next
                                                    ? NextMergeSection(buffer, c.tags, c.from)
                                                    : PrevMergeSection(buffer, c.tags, c.from);
    EXPECT_EQ(c.expected, hit);
}

SMergeSectionHit hit(STextPos start, STextPos end, STextPos scrollTo) { return {{start, end}, scrollTo}; }
SMergeSelection sel(STextPos start, STextPos end) { return {start, end}; }

const std::u16string kPrefixed = u"a\n|<<b\n||>>x\nc\n|<<d";
const std::u16string kPaired = u"a\n#H1\n|<<b\n#F1\n#H2\n||>>x\n#F2\nc";
const SMergeCommandTags kFile1HeaderOnly{{u"#H1", u"#F1", u"|<<"}, {u"", u"#F2", u"||>>"}};
const SMergeCommandTags kFile1FooterOnly{{u"#H1", u"#F1", u"|<<"}, {u"#H2", u"", u"||>>"}};
const SMergeCommandTags kOnePrefix{{u"#H1", u"#F1", u"|<<"}, {u"", u"", u""}};

INSTANTIATE_TEST_SUITE_P(
    Cases, SectionNavigation,
    testing::Values(
        // Prefix mode (the default tags): one marked line at a time.
        SNavigationCase{
            "NextPrefixFromTheTop", kDefaultTags, kPrefixed, Direction::Next, {}, hit({0, 1}, {3, 1}, {0, 1})},
        SNavigationCase{"NextStartsAfterTheSelection", kDefaultTags, kPrefixed, Direction::Next, sel({0, 1}, {3, 1}),
                        hit({0, 2}, {4, 2}, {0, 2})},
        SNavigationCase{"NextAfterTheLastPrefixFindsNothing", kDefaultTags, kPrefixed, Direction::Next,
                        sel({0, 4}, {3, 4}), std::nullopt},
        SNavigationCase{"PrevTakesTheLaterOfBothPrefixes", kDefaultTags, kPrefixed, Direction::Prev,
                        sel({0, 4}, {3, 4}), hit({0, 2}, {4, 2}, {0, 2})},
        SNavigationCase{"PrevStartsAtTheLineOfTheSelectionEnd", kDefaultTags, kPrefixed, Direction::Prev,
                        sel({0, 0}, {2, 2}), hit({0, 1}, {3, 1}, {0, 1})},
        SNavigationCase{"PrevFromTheFirstPrefixFindsNothing", kDefaultTags, kPrefixed, Direction::Prev,
                        sel({0, 1}, {3, 1}), std::nullopt},
        SNavigationCase{"BothPrefixesAtTheSameCharacterGoToFile1",
                        SMergeCommandTags{{{}, {}, u"<"}, {{}, {}, u"<<"}},
                        u"x\n<<y",
                        Direction::Next,
                        {},
                        hit({0, 1}, {1, 1}, {0, 1})},
        SNavigationCase{"File2PrefixEarlierOnTheSameLineWins",
                        SMergeCommandTags{{{}, {}, u"<1"}, {{}, {}, u"<2"}},
                        u"x\na <2 b <1",
                        Direction::Next,
                        {},
                        hit({2, 1}, {4, 1}, {2, 1})},
        SNavigationCase{"PrefixesSetButNoneInTheText", kDefaultTags, u"a\nb", Direction::Next, {}, std::nullopt},
        SNavigationCase{"NextNeedsBothPrefixesOrBothHeaders", kOnePrefix, kPaired, Direction::Next, {}, std::nullopt},
        SNavigationCase{"PrevNeedsBothPrefixesOrBothFooters", kOnePrefix, kPaired, Direction::Prev, sel({0, 7}, {0, 7}),
                        std::nullopt},
        SNavigationCase{"NothingSetDoesNothing", kNoTags, kPrefixed, Direction::Next, {}, std::nullopt},
        // Header mode: header to footer of the same file.
        SNavigationCase{
            "NextSectionFromTheTop", kPairedTags, kPaired, Direction::Next, {}, hit({0, 1}, {3, 3}, {3, 3})},
        SNavigationCase{"NextSectionAfterTheSelectedOne", kPairedTags, kPaired, Direction::Next, sel({0, 1}, {3, 3}),
                        hit({0, 4}, {3, 6}, {3, 6})},
        SNavigationCase{"NoMoreSections", kPairedTags, kPaired, Direction::Next, sel({0, 4}, {3, 6}), std::nullopt},
        SNavigationCase{"PrevSectionBeforeTheSelectedOne", kPairedTags, kPaired, Direction::Prev, sel({0, 4}, {3, 6}),
                        hit({0, 1}, {3, 3}, {0, 1})},
        SNavigationCase{"PrevFromTheFirstSectionFindsNothing", kPairedTags, kPaired, Direction::Prev,
                        sel({0, 1}, {3, 3}), std::nullopt},
        SNavigationCase{"PrevFromTheEndOfTheText", kPairedTags, kPaired, Direction::Prev, sel({1, 7}, {1, 7}),
                        hit({0, 4}, {3, 6}, {0, 4})},
        SNavigationCase{"HeaderWithoutItsFooterChangesNothing",
                        kPairedTags,
                        u"a\n#H2\n||>>x\n#F1",
                        Direction::Next,
                        {},
                        std::nullopt},
        SNavigationCase{"FooterWithoutItsHeaderChangesNothing", kPairedTags, u"#H2\n|<<b\n#F1\nc", Direction::Prev,
                        sel({0, 3}, {0, 3}), std::nullopt},
        SNavigationCase{"HeaderContainingItsFooterEndsOnItsOwnLine",
                        SMergeCommandTags{{u"<<1 begin", u"<<1", u"|<<"}, {u"#H2", u"#F2", u"||>>"}},
                        u"a\n<<1 begin\n|<<b\n<<1",
                        Direction::Next,
                        {},
                        hit({0, 1}, {3, 1}, {3, 1})},
        SNavigationCase{"HeadersOnTheSameCharacterGoToFile1",
                        SMergeCommandTags{{u"#", u"1#", u"|<<"}, {u"#2", u"2#", u"||>>"}},
                        u"x\n#2\ny\n2#\nz\n1#",
                        Direction::Next,
                        {},
                        hit({0, 1}, {2, 5}, {2, 5})},
        SNavigationCase{"OnlyFile1HeaderSetFindsFile1Sections",
                        kFile1HeaderOnly,
                        kPaired,
                        Direction::Next,
                        {},
                        hit({0, 1}, {3, 3}, {3, 3})},
        SNavigationCase{"OnlyFile1HeaderSetSkipsFile2Sections", kFile1HeaderOnly, kPaired, Direction::Next,
                        sel({0, 1}, {3, 3}), std::nullopt},
        SNavigationCase{"OnlyFile1FooterSetWorksInFooterMode", kFile1FooterOnly, kPaired, Direction::Prev,
                        sel({1, 7}, {1, 7}), hit({0, 1}, {3, 3}, {0, 1})},
        SNavigationCase{"EmptyText", kPairedTags, u"", Direction::Next, {}, std::nullopt}),
    test::SCaseName{});

// Next Section run again from each result walks every section once, in order.
TEST(SectionWalk, NextTwiceSelectsSuccessiveSectionsAndPrevWalksBack)
{
    CEdTextBuffer buffer;
    load(buffer, u"#H1\n|<<a\n#F1\n#H2\n||>>b\n#F2\nmid\n#H2\n||>>c\n#F2");
    std::vector<STextPos> starts;
    SMergeSelection selection;
    while (const auto found = NextMergeSection(buffer, kPairedTags, selection)) {
        selection = found->selection;
        starts.push_back(selection.start);
    }
    EXPECT_EQ((std::vector<STextPos>{{0, 0}, {0, 3}, {0, 7}}), starts);
    std::vector<STextPos> back;
    while (const auto found = PrevMergeSection(buffer, kPairedTags, selection)) {
        selection = found->selection;
        back.push_back(selection.start);
    }
    EXPECT_EQ((std::vector<STextPos>{{0, 3}, {0, 0}}), back);
}

}  // namespace
}  // namespace brindle
