#include "platform/profile.h"

#include "platform/memory_settings_store.h"

#include <gtest/gtest.h>

#include <limits>

namespace brindle {
namespace {

TEST(Profile, IntegersRoundTripAsSignedDwords)
{
    CMemorySettingsStore store;
    CProfile profile(store);
    for (std::int32_t value :
         {0, -1, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()}) {
        profile.writeInt(u"S", u"v", value);
        EXPECT_EQ(profile.readInt(u"S", u"v", 12345), value);
    }
    profile.writeInt(u"Compare Files", u"v", -2);
    EXPECT_EQ(store.readDword(u"Software\\Tollan Software Inc.\\Brindle\\Compare Files", u"v"), 0xfffffffeu);
    profile.setRegistryKey(u"Other Co", u"Tool");
    EXPECT_EQ(profile.sectionKey(u"S"), u"Software\\Other Co\\Tool\\S");
    EXPECT_EQ(profile.readInt(u"Compare Files", u"v", -5), -5);
}

TEST(Profile, MissingOrMistypedValuesReadAsDefault)
{
    CMemorySettingsStore store;
    CProfile profile(store);
    profile.writeString(u"S", u"text", u"hello");
    profile.writeInt(u"S", u"number", 3);
    EXPECT_EQ(profile.readString(u"s", u"TEXT", u"d"), u"hello");
    EXPECT_EQ(profile.readInt(u"S", u"text", 7), 7);
    EXPECT_EQ(profile.readString(u"S", u"number", u"d"), u"d");
    EXPECT_EQ(profile.readString(u"S", u"missing"), u"");
}

}  // namespace
}  // namespace brindle
