// Tests for the search histories: most recent first, no duplicates, a bounded length.
#include "editor/ed_history_table.h"

#include "support/case_name.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace brindle {
namespace {

struct SHistoryCase {
    std::string name;
    std::u16string before;
    std::vector<std::u16string> added;
    std::u16string after;
};

void PrintTo(const SHistoryCase& c, std::ostream* out) { *out << c.name; }

const SHistoryCase kHistoryCases[] = {
    {"NewestFirst", u"", {u"one", u"two", u"three"}, u"three\ntwo\none"},
    {"RepeatMovesToFront", u"a\nb\nc", {u"c"}, u"c\na\nb"},
    {"FirstAgainChangesNothing", u"a\nb", {u"a"}, u"a\nb"},
    {"CaseMatters", u"abc", {u"ABC"}, u"ABC\nabc"},
    {"EmptyNotRemembered", u"a", {u""}, u"a"},
    {"LineFeedNotRemembered", u"a", {u"b\nc"}, u"a"},
    {"EmptyEntriesOfStoredTextDropped", u"a\n\nb\n", {u"c"}, u"c\na\nb"},
};

class HistoryAdd : public testing::TestWithParam<SHistoryCase> {};

TEST_P(HistoryAdd, KeepsEntriesUniqueNewestFirst)
{
    CEdHistoryTable table;
    table.setText(u"FindText", GetParam().before);
    for (const std::u16string& entry : GetParam().added)
        table.add(u"FindText", entry);
    EXPECT_EQ(table.text(u"FindText"), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Table, HistoryAdd, testing::ValuesIn(kHistoryCases), test::SCaseName{});

TEST(HistoryTable, KeepsTheNewestEntriesUpToTheLimit)
{
    CEdHistoryTable table;
    for (int i = 0; i < 25; ++i)
        table.add(u"ReplaceText", std::u16string(1, static_cast<char16_t>(u'A' + i)));
    const std::vector<std::u16string> entries = table.entries(u"ReplaceText");
    ASSERT_EQ(entries.size(), CEdHistoryTable::kMaxEntries);
    EXPECT_EQ(entries.front(), u"Y");
    EXPECT_EQ(entries.back(), u"F");
}

TEST(HistoryTable, HistoriesAreSeparateAndFirstIsTheNewest)
{
    CEdHistoryTable table;
    table.add(u"FindText", u"find");
    table.add(u"ReplaceText", u"replace");
    table.add(u"FindText", u"again");
    EXPECT_EQ(table.first(u"FindText"), u"again");
    EXPECT_EQ(table.first(u"ReplaceText"), u"replace");
    EXPECT_EQ(table.first(u"Other"), u"");
    EXPECT_EQ(table.entries(u"Other"), std::vector<std::u16string>{});
}

}  // namespace
}  // namespace brindle
