#include "editor/ed_search_settings.h"

#include "platform/settings_store.h"

namespace brindle {

namespace {

constexpr std::u16string_view kFindFlags = u"FindFlags";
constexpr std::u16string_view kReplaceFlags = u"ReplaceFlags";

}  // namespace

std::uint32_t CEdSearchSettings::findFlags(const CSettingsStore& store)
{
    return store.readDword(kEditorSettingsKey, kFindFlags).value_or(0) & kFindFlagsMask;
}

void CEdSearchSettings::setFindFlags(CSettingsStore& store, std::uint32_t flags)
{
    store.writeDword(kEditorSettingsKey, kFindFlags, flags & kFindFlagsMask);
}

std::uint32_t CEdSearchSettings::replaceFlags(const CSettingsStore& store)
{
    return store.readDword(kEditorSettingsKey, kReplaceFlags).value_or(0) & kReplaceFlagsMask;
}

void CEdSearchSettings::setReplaceFlags(CSettingsStore& store, std::uint32_t flags)
{
    store.writeDword(kEditorSettingsKey, kReplaceFlags, flags & kReplaceFlagsMask);
}

}  // namespace brindle
