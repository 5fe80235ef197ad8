// Tests for the replace dialog's logic: scope and block, Replace one by one, Replace All with its
// ^ case, undo groups, the restored selection and the stored flags.
#include "editor/ed_replace_session.h"

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

constexpr std::uint32_t kRe = kEdFindRegExp;

struct SReplaceAllCase {
    std::string name;
    std::vector<std::u16string> lines;
    STextPos selStart;  // the caret when equal to selEnd
    STextPos selEnd;
    bool switchScope;  // choose the other of "Selection" and "Whole file"
    std::u16string find;
    std::u16string replacement;
    std::uint32_t flags;
    std::vector<std::u16string> expected;
    int count;
    STextPos restoredEnd;  // of the selection after closing (when there was one)
};

void PrintTo(const SReplaceAllCase& c, std::ostream* out) { *out << c.name; }

const SReplaceAllCase kReplaceAllCases[] = {
    {"WholeFileFromTheTop", {u"a-a", u"a"}, {0, 0}, {0, 0}, false, u"a", u"bb", 0, {u"bb-bb", u"bb"}, 3, {}},
    {"WholeFileStartsAtTheCaret", {u"a-a", u"a"}, {1, 0}, {1, 0}, false, u"a", u"b", 0, {u"a-b", u"b"}, 2, {}},
    {"OneLineSelectionSearchesTheFile",
     {u"aaaa", u"aa"},
     {1, 0},
     {3, 0},
     false,
     u"a",
     u"b",
     0,
     {u"abbb", u"bb"},
     5,
     {3, 0}},
    {"OnlyInsideTheChosenSelection",
     {u"aaaa", u"aa"},
     {1, 0},
     {3, 0},
     true,
     u"a",
     u"b",
     0,
     {u"abba", u"aa"},
     2,
     {3, 0}},
    {"SelectionSwitchedToWholeFile",
     {u"aaaa", u"aa"},
     {1, 0},
     {1, 1},
     true,
     u"a",
     u"b",
     0,
     {u"abbb", u"bb"},
     5,
     {1, 1}},
    {"SelectionEndMovesWithLongerText",
     {u"xx", u"x-x-y"},
     {0, 0},
     {3, 1},
     false,
     u"x",
     u"zzz",
     0,
     {u"zzzzzz", u"zzz-zzz-y"},
     4,
     {7, 1}},
    {"CaretPrefixesEveryLineOnceWholeFile",
     {u"a", u"", u"c"},
     {0, 0},
     {0, 0},
     false,
     u"^",
     u"#",
     kRe,
     {u"#a", u"#", u"#c"},
     3,
     {}},
    {"CaretPrefixesSelectedLinesOnce",
     {u"a", u"b", u"c"},
     {0, 0},
     {1, 1},
     false,
     u"^",
     u"#",
     kRe,
     {u"#a", u"#b", u"c"},
     2,
     {2, 1}},
    {"GroupsSwapped", {u"k=v; a=b"}, {0, 0}, {0, 0}, false, u"(\\w)=(\\w)", u"\\2=\\1", kRe, {u"v=k; b=a"}, 2, {}},
    {"LiteralReplacementWithoutRegex", {u"a.b"}, {0, 0}, {0, 0}, false, u".", u"\\1", 0, {u"a\\1b"}, 1, {}},
    {"WholeWordOnly",
     {u"cat concat cat"},
     {0, 0},
     {0, 0},
     false,
     u"cat",
     u"dog",
     kEdFindWholeWord,
     {u"dog concat dog"},
     2,
     {}},
    {"NothingToReplace", {u"abc"}, {0, 0}, {0, 0}, false, u"z", u"y", 0, {u"abc"}, 0, {}},
};

class ReplaceAllSession : public testing::TestWithParam<SReplaceAllCase> {};

TEST_P(ReplaceAllSession, ReplacesInTheBlockAndRestoresTheSelection)
{
    const SReplaceAllCase& c = GetParam();
    test::CFakeSearchTarget view(c.lines);
    view.select(c.selStart, c.selEnd);
    CMemorySettingsStore store;
    CEdReplaceSession session(view, store);
    const bool hadSelection = c.selStart != c.selEnd;
    EXPECT_EQ(session.selectionScope(), c.selStart.line != c.selEnd.line);
    if (c.switchScope)
        session.setSelectionScope(!session.selectionScope());

    EXPECT_EQ(session.replaceAll(c.find, c.replacement, c.flags), c.count);
    EXPECT_EQ(view.lines(), c.expected);
    EXPECT_EQ(view.notFound.size(), c.count == 0 ? 1u : 0u);

    session.finish(c.find, c.flags);
    if (hadSelection) {
        EXPECT_EQ(view.selStart, c.selStart);
        EXPECT_EQ(view.selEnd, c.restoredEnd);
    }
    // Each replacement is one undo step.
    STextPos cursor;
    for (int i = 0; i < c.count; ++i)
        EXPECT_TRUE(view.buffer.Undo(cursor));
    EXPECT_EQ(view.lines(), c.lines);
    EXPECT_FALSE(view.buffer.CanUndo());
}

INSTANTIATE_TEST_SUITE_P(Table, ReplaceAllSession, testing::ValuesIn(kReplaceAllCases), test::SCaseName{});

TEST(ReplaceSession, ReplaceFirstFindsThenReplacesAndMovesOn)
{
    test::CFakeSearchTarget view({u"one two", u"two"});
    CMemorySettingsStore store;
    CEdReplaceSession session(view, store);

    EXPECT_TRUE(session.replace(u"two", u"2", 0));  // only finds
    EXPECT_EQ(view.lines(), (std::vector<std::u16string>{u"one two", u"two"}));
    EXPECT_EQ(view.selStart, (STextPos{4, 0}));

    EXPECT_TRUE(session.replace(u"two", u"2", 0));  // replaces, finds the next
    EXPECT_EQ(view.lines(), (std::vector<std::u16string>{u"one 2", u"two"}));
    EXPECT_EQ(view.selStart, (STextPos{0, 1}));
    EXPECT_EQ(view.selEnd, (STextPos{3, 1}));

    EXPECT_FALSE(session.replace(u"two", u"2", 0));  // the last one; no wrap-around
    EXPECT_EQ(view.lines(), (std::vector<std::u16string>{u"one 2", u"2"}));
    EXPECT_EQ(view.notFound, std::vector<std::u16string>{u"two"});
    EXPECT_EQ(view.caret, (STextPos{1, 1}));
    EXPECT_FALSE(session.hasMatch());
}

TEST(ReplaceSession, ChangedSearchTextFindsInsteadOfReplacingTheOldMatch)
{
    test::CFakeSearchTarget view({u"ab ab"});
    CMemorySettingsStore store;
    CEdReplaceSession session(view, store);
    EXPECT_TRUE(session.findNext(u"ab", 0));
    EXPECT_TRUE(session.replace(u"b", u"c", 0));
    EXPECT_EQ(view.lines(), std::vector<std::u16string>{u"ab ab"});
    EXPECT_EQ(view.selStart, (STextPos{1, 0}));
}

TEST(ReplaceSession, FindNextDoesNotWrapAndStartsAgainAtTheBlockBegin)
{
    test::CFakeSearchTarget view({u"x1 x2", u"x3"});
    view.place({4, 0});
    CMemorySettingsStore store;
    CEdReplaceSession session(view, store);
    EXPECT_TRUE(session.findNext(u"x", 0));
    EXPECT_EQ(view.selStart, (STextPos{0, 1}));
    EXPECT_FALSE(session.findNext(u"x", 0));
    EXPECT_EQ(view.notFound.size(), 1u);
    EXPECT_TRUE(session.findNext(u"x", 0));
    EXPECT_EQ(view.selStart, (STextPos{0, 0}));
    EXPECT_TRUE(session.findNext(u"x", 0));
    EXPECT_EQ(view.selStart, (STextPos{3, 0}));
}

TEST(ReplaceSession, ReadOnlyChangesNothing)
{
    test::CFakeSearchTarget view({u"aaa"});
    view.buffer.SetReadOnly(true);
    CMemorySettingsStore store;
    CEdReplaceSession session(view, store);
    EXPECT_EQ(session.replaceAll(u"a", u"b", 0), 0);
    EXPECT_FALSE(session.replace(u"a", u"b", 0));
    EXPECT_EQ(view.lines(), std::vector<std::u16string>{u"aaa"});
}

TEST(ReplaceSession, OptionsAndClosing)
{
    test::CFakeSearchTarget view({u"alpha beta"});
    CMemorySettingsStore store;
    CEdSearchSettings::setReplaceFlags(store, 0x5);
    view.select({0, 0}, {5, 0});
    {
        CEdReplaceSession session(view, store);
        EXPECT_EQ(session.initialFlags(), 0x5u);
        EXPECT_EQ(session.initialText(), u"alpha");
        EXPECT_TRUE(session.hasSelection());
        EXPECT_FALSE(session.selectionScope());
        session.finish(u"beta", kEdFindUp | kEdFindMatchCase);
    }
    EXPECT_TRUE(view.state.replaced);
    EXPECT_EQ(view.state.lastText, u"beta");
    EXPECT_EQ(CEdSearchSettings::replaceFlags(store), kEdFindMatchCase);
    view.place({0, 0});
    const CEdReplaceSession again(view, store);
    EXPECT_EQ(again.initialText(), u"beta");
    EXPECT_EQ(again.initialFlags(), kEdFindMatchCase);
    EXPECT_FALSE(again.selectionScope());
}

}  // namespace
}  // namespace brindle
