// Tests for find next / previous on a view: start position, wrap, direction, flags, the history
// fallback, and the not-found message text.
#include "editor/ed_search_target.h"

#include "editor/ed_history_table.h"
#include "editor/fake_search_target.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace brindle {
namespace {

constexpr std::uint32_t kCase = kEdFindMatchCase;
constexpr std::uint32_t kWord = kEdFindWholeWord;
constexpr std::uint32_t kRe = kEdFindRegExp;
constexpr std::uint32_t kUp = kEdFindUp;

struct SFindNextCase {
    std::string name;
    std::vector<std::u16string> lines;
    std::u16string lastText;  // the view's last search text (empty: none)
    std::uint32_t flags;      // the view's last flags
    std::u16string history;   // "FindText"
    STextPos selStart;
    STextPos selEnd;
    bool caretAtStart;  // where the caret is within the selection
    bool previous;      // Shift+F3
    EdFindResult result;
    STextPos foundStart;
    STextPos foundEnd;
    STextPos caret;
};

void PrintTo(const SFindNextCase& c, std::ostream* out) { *out << c.name; }

const std::vector<std::u16string> kPets = {u"cat dog", u"dog cat", u"Cat"};

const SFindNextCase kFindNextCases[] = {
    {"ForwardFromCaret",
     kPets,
     u"cat",
     0,
     u"",
     {3, 0},
     {3, 0},
     false,
     false,
     EdFindResult::Found,
     {4, 1},
     {7, 1},
     {7, 1}},
    {"ForwardFindsAtCaret",
     kPets,
     u"cat",
     kCase,
     u"",
     {4, 1},
     {4, 1},
     false,
     false,
     EdFindResult::Found,
     {4, 1},
     {7, 1},
     {7, 1}},
    {"ForwardWrapsToStart",
     kPets,
     u"cat",
     kCase,
     u"",
     {5, 1},
     {5, 1},
     false,
     false,
     EdFindResult::Found,
     {0, 0},
     {3, 0},
     {3, 0}},
    {"IgnoresCaseWithoutMatchCase",
     kPets,
     u"cat",
     0,
     u"",
     {5, 1},
     {5, 1},
     false,
     false,
     EdFindResult::Found,
     {0, 2},
     {3, 2},
     {3, 2}},
    {"MatchCaseSkipsCapital",
     kPets,
     u"Cat",
     kCase,
     u"",
     {1, 0},
     {1, 0},
     false,
     false,
     EdFindResult::Found,
     {0, 2},
     {3, 2},
     {3, 2}},
    {"PreviousFromSelectedMatchFindsTheOneBefore",
     kPets,
     u"cat",
     kCase,
     u"",
     {4, 1},
     {7, 1},
     false,
     true,
     EdFindResult::Found,
     {0, 0},
     {3, 0},
     {0, 0}},
    {"UpFlagSearchesUpwardsAndWraps",
     kPets,
     u"dog",
     kUp,
     u"",
     {4, 0},
     {7, 0},
     true,
     false,
     EdFindResult::Found,
     {0, 1},
     {3, 1},
     {0, 1}},
    {"PreviousOfUpFlagSearchesDown",
     kPets,
     u"dog",
     kUp,
     u"",
     {0, 0},
     {0, 0},
     false,
     true,
     EdFindResult::Found,
     {4, 0},
     {7, 0},
     {7, 0}},
    {"ForwardAfterUpwardSelectionMovesOn",
     kPets,
     u"cat",
     kCase,
     u"",
     {4, 1},
     {7, 1},
     true,
     false,
     EdFindResult::Found,
     {0, 0},
     {3, 0},
     {3, 0}},
    {"WholeWordSkipsPartOfWord",
     {u"concat cat"},
     u"cat",
     kWord,
     u"",
     {0, 0},
     {0, 0},
     false,
     false,
     EdFindResult::Found,
     {7, 0},
     {10, 0},
     {10, 0}},
    {"WholeWordUnderscoreIsWordChar",
     {u"a_cat cat_ cat"},
     u"cat",
     kWord,
     u"",
     {0, 0},
     {0, 0},
     false,
     false,
     EdFindResult::Found,
     {11, 0},
     {14, 0},
     {14, 0}},
    {"RegularExpression",
     kPets,
     u"d.g$",
     kRe,
     u"",
     {0, 0},
     {0, 0},
     false,
     false,
     EdFindResult::Found,
     {4, 0},
     {7, 0},
     {7, 0}},
    {"RegularExpressionAcrossLines",
     kPets,
     u"dog\\ndog",
     kRe,
     u"",
     {0, 0},
     {0, 0},
     false,
     false,
     EdFindResult::Found,
     {4, 0},
     {3, 1},
     {3, 1}},
    {"FreshViewTakesNewestHistoryEntry",
     kPets,
     u"",
     0,
     u"dog\ncat",
     {0, 0},
     {0, 0},
     false,
     false,
     EdFindResult::Found,
     {4, 0},
     {7, 0},
     {7, 0}},
    {"OwnTextBeforeHistory",
     kPets,
     u"cat",
     0,
     u"dog",
     {0, 0},
     {0, 0},
     false,
     false,
     EdFindResult::Found,
     {0, 0},
     {3, 0},
     {3, 0}},
    {"NoTextAnywhere", kPets, u"", 0, u"", {0, 0}, {0, 0}, false, false, EdFindResult::NoText, {}, {}, {0, 0}},
    {"NotFound", kPets, u"bird", 0, u"", {2, 0}, {2, 0}, false, false, EdFindResult::NotFound, {}, {}, {2, 0}},
    {"BadPatternFindsNothing",
     kPets,
     u"(cat",
     kRe,
     u"",
     {0, 0},
     {0, 0},
     false,
     false,
     EdFindResult::NotFound,
     {},
     {},
     {0, 0}},
};

class FindNext : public testing::TestWithParam<SFindNextCase> {
protected:
    void TearDown() override { CEdHistoryTable::instance().clear(); }
};

TEST_P(FindNext, SelectsMatchFromStartWithWrap)
{
    const SFindNextCase& c = GetParam();
    test::CFakeSearchTarget view(c.lines);
    view.state.lastText = c.lastText;
    view.state.lastFlags = c.flags;
    CEdHistoryTable::instance().setText(kFindTextHistory, c.history);
    view.select(c.selStart, c.selEnd);
    if (c.caretAtStart) {
        view.caret = c.selStart;
        view.anchor = c.selEnd;
    }

    EXPECT_EQ(FindNextCommand(view, c.previous), c.result);
    EXPECT_EQ(view.caret, c.caret);
    if (c.result == EdFindResult::Found) {
        EXPECT_EQ(view.selStart, c.foundStart);
        EXPECT_EQ(view.selEnd, c.foundEnd);
        EXPECT_EQ(view.anchor, c.caret == c.foundStart ? c.foundEnd : c.foundStart);
        EXPECT_EQ(view.visible, c.caret);
        if (c.foundEnd.line == c.foundStart.line) {
            EXPECT_EQ(view.state.matchLength, c.foundEnd.ch - c.foundStart.ch);
        }
    }
    const std::vector<std::u16string> reported =
        c.result == EdFindResult::NotFound ? std::vector<std::u16string>{c.lastText} : std::vector<std::u16string>{};
    EXPECT_EQ(view.notFound, reported);
}

INSTANTIATE_TEST_SUITE_P(Table, FindNext, testing::ValuesIn(kFindNextCases), test::SCaseName{});

TEST(FindNextEnabling, NeedsOwnTextOrHistoryAndABuffer)
{
    test::CFakeSearchTarget view({u"x"});
    CEdHistoryTable::instance().clear();
    EXPECT_FALSE(CanFindNext(view));
    CEdHistoryTable::instance().add(kFindTextHistory, u"x");
    EXPECT_TRUE(CanFindNext(view));
    CEdHistoryTable::instance().clear();
    view.state.lastText = std::u16string(u"x");  // a literal assignment trips a false GCC 12 warning at -O2
    EXPECT_TRUE(CanFindNext(view));
}

TEST(NotFoundMessage, PlacesTextAtTheOnePlaceholder)
{
    EXPECT_EQ(FormatNotFound(u"Cannot find string\"%s\"", u"a%sb"), u"Cannot find string\"a%sb\"");
    EXPECT_EQ(FormatNotFound(u"100%% of %s", u"x"), u"100% of x");
    EXPECT_EQ(FormatNotFound(u"none", u"x"), u"none");
}

}  // namespace
}  // namespace brindle
