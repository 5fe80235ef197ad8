// Tests for the find dialog's logic: where its options come from, where it searches, what the
// view keeps when it closes.
#include "editor/ed_find_session.h"

#include "editor/ed_search_settings.h"
#include "editor/fake_search_target.h"
#include "platform/memory_settings_store.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace brindle {
namespace {

struct SFindOptionsCase {
    std::string name;
    bool searched;
    std::u16string lastText;
    std::uint32_t lastFlags;
    std::uint32_t stored;  // "FindFlags"
    STextPos selStart;
    STextPos selEnd;
    std::u16string text;
    std::uint32_t flags;
};

void PrintTo(const SFindOptionsCase& c, std::ostream* out) { *out << c.name; }

const SFindOptionsCase kOptionCases[] = {
    {"FreshViewTakesStoredFlagsNoText", false, u"", 0, 0x13, {0, 0}, {0, 0}, u"", 0x13},
    {"SearchedViewTakesItsOwn", true, u"old", 0x4, 0x13, {0, 0}, {0, 0}, u"old", 0x4},
    {"OneLineSelectionGivesText", true, u"old", 0x1, 0, {1, 0}, {5, 0}, u"lpha", 0x1},
    {"OneLineSelectionInFreshView", false, u"", 0, 0x2, {0, 1}, {4, 1}, u"beta", 0x2},
    {"SelectionOverLinesGivesNoText", true, u"old", 0, 0, {1, 0}, {2, 1}, u"old", 0},
};

class FindOptions : public testing::TestWithParam<SFindOptionsCase> {};

TEST_P(FindOptions, FromViewRegistryAndSelection)
{
    const SFindOptionsCase& c = GetParam();
    test::CFakeSearchTarget view({u"alpha", u"beta"});
    view.state.searched = c.searched;
    view.state.lastText = c.lastText;
    view.state.lastFlags = c.lastFlags;
    view.select(c.selStart, c.selEnd);
    CMemorySettingsStore store;
    CEdSearchSettings::setFindFlags(store, c.stored);

    const CEdFindSession session(view, store);
    EXPECT_EQ(session.initialText(), c.text);
    EXPECT_EQ(session.initialFlags(), c.flags);
}

INSTANTIATE_TEST_SUITE_P(Table, FindOptions, testing::ValuesIn(kOptionCases), test::SCaseName{});

TEST(FindSession, SearchesFromCaretAndAfterAFailureFromTheTop)
{
    test::CFakeSearchTarget view({u"ab", u"ab", u"ab"});
    view.place({1, 0});
    CMemorySettingsStore store;
    CEdFindSession session(view, store);

    EXPECT_TRUE(session.findNext(u"ab", 0));
    EXPECT_EQ(view.selStart, (STextPos{0, 1}));
    EXPECT_EQ(view.caret, (STextPos{2, 1}));

    EXPECT_FALSE(session.findNext(u"zz", 0));
    EXPECT_EQ(view.notFound, std::vector<std::u16string>{u"zz"});
    EXPECT_TRUE(session.findNext(u"ab", 0));
    EXPECT_EQ(view.selStart, (STextPos{0, 0}));
}

TEST(FindSession, UpwardsFromASelectedMatchFindsThePreviousOneCaretAtStart)
{
    test::CFakeSearchTarget view({u"cat cat cat"});
    view.select({4, 0}, {7, 0});
    CMemorySettingsStore store;
    CEdFindSession session(view, store);
    EXPECT_TRUE(session.findNext(u"cat", kEdFindUp));
    EXPECT_EQ(view.selStart, (STextPos{0, 0}));
    EXPECT_EQ(view.selEnd, (STextPos{3, 0}));
    EXPECT_EQ(view.caret, (STextPos{0, 0}));
    EXPECT_EQ(view.anchor, (STextPos{3, 0}));
}

TEST(FindSession, ClosingRecordsTheSearchAndStoresFlags)
{
    test::CFakeSearchTarget view({u"x"});
    CMemorySettingsStore store;
    CEdFindSession session(view, store);
    session.finish(u"needle", kEdFindWholeWord | kEdFindUp);
    EXPECT_TRUE(view.state.searched);
    EXPECT_EQ(view.state.lastText, u"needle");
    EXPECT_EQ(view.state.lastFlags, kEdFindWholeWord | kEdFindUp);
    EXPECT_EQ(CEdSearchSettings::findFlags(store), kEdFindWholeWord | kEdFindUp);

    const CEdFindSession next(view, store);
    EXPECT_EQ(next.initialText(), u"needle");
}

}  // namespace
}  // namespace brindle
