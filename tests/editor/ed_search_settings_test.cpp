// Tests for the stored search flags: the editor's key, the value names and the bits kept.
#include "editor/ed_search_settings.h"

#include "editor/ed_settings_names.h"
#include "platform/memory_settings_store.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace brindle {
namespace {

TEST(SearchSettings, MissingValuesReadAsZero)
{
    const CMemorySettingsStore store;
    EXPECT_EQ(CEdSearchSettings::findFlags(store), 0u);
    EXPECT_EQ(CEdSearchSettings::replaceFlags(store), 0u);
}

TEST(SearchSettings, FlagsStoredUnderTheEditorKeyWithTheirOwnBits)
{
    struct SCase {
        std::uint32_t written;
        std::uint32_t find;     // stored and read back as FindFlags
        std::uint32_t replace;  // as ReplaceFlags
    };
    const SCase cases[] = {
        {0x1, 0x1, 0x1},   {0x7, 0x7, 0x7},         {0x10, 0x10, 0x0},
        {0x17, 0x17, 0x7}, {0xFFFFFFFF, 0x17, 0x7}, {0x8, 0x0, 0x0},
    };
    for (const SCase& c : cases) {
        CMemorySettingsStore store;
        CEdSearchSettings::setFindFlags(store, c.written);
        CEdSearchSettings::setReplaceFlags(store, c.written);
        EXPECT_EQ(store.readDword(kEditorSettingsKey, kFindFlagsValue), c.find) << c.written;
        EXPECT_EQ(store.readDword(kEditorSettingsKey, kReplaceFlagsValue), c.replace) << c.written;
        EXPECT_EQ(CEdSearchSettings::findFlags(store), c.find) << c.written;
        EXPECT_EQ(CEdSearchSettings::replaceFlags(store), c.replace) << c.written;
    }
}

TEST(SearchSettings, StrayBitsOfAStoredValueAreIgnored)
{
    CMemorySettingsStore store;
    store.writeDword(kEditorSettingsKey, kFindFlagsValue, 0xFF);
    store.writeDword(kEditorSettingsKey, kReplaceFlagsValue, 0xFF);
    EXPECT_EQ(CEdSearchSettings::findFlags(store), 0x17u);
    EXPECT_EQ(CEdSearchSettings::replaceFlags(store), 0x7u);
}

}  // namespace
}  // namespace brindle
