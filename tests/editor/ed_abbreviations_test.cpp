// Abbreviation tables: splitting an expansion at its backslash codes, and loading from the store.
#include "editor/ed_abbreviations.h"

#include "platform/memory_settings_store.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

TEST(EdAbbreviations, SplitsAtBackslashes)
{
    using S = std::vector<SEdExpansionStep>;
    struct SCase {
        std::u16string expansion;
        S steps;
    };
    const SCase cases[] = {
        {u"plain", {{0, u"plain"}}},
        {u"a\\nb", {{0, u"a"}, {u'n', u"b"}}},
        {u"\\t\\tx", {{0, u""}, {u't', u""}, {u't', u"x"}}},
        {u"if (\\l)", {{0, u"if ("}, {u'l', u")"}}},
        {u"end\\", {{0, u"end"}, {0, u""}}},
        {u"\\\\x", {{0, u""}, {u'\\', u"x"}}},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(CEdAbbreviations::Split(c.expansion), c.steps);
}

TEST(EdAbbreviations, LoadsTheTextValuesOfTheTypesKey)
{
    CMemorySettingsStore store;
    store.writeString(CEdAbbreviations::KeyOf(u"C"), u"for", u"for (;;)");
    store.writeString(u"HKEY_CURRENT_USER\\Software\\RodeZor\\C\\Expand", u"If", u"if ()");
    store.writeBinary(CEdAbbreviations::KeyOf(u"C"), u"bin", std::vector<std::uint8_t>{1});
    store.writeString(CEdAbbreviations::KeyOf(u"Java"), u"for", u"java");

    CEdAbbreviations table;
    table.Set(u"old", u"gone");
    table.Load(store, u"C");
    EXPECT_EQ(table.Expansion(u"for"), u"for (;;)");
    EXPECT_EQ(table.Expansion(u"If"), u"if ()");
    EXPECT_EQ(table.Expansion(u"bin"), u"");
    EXPECT_EQ(table.Expansion(u"old"), u"") << "loading replaces the table";
    table.Load(store, u"Pascal");
    EXPECT_TRUE(table.IsEmpty());
}

}  // namespace
}  // namespace brindle
