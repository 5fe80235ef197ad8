#include "editor/ed_search_settings.h"

#include "platform/settings_store.h"

namespace brindle {

std::uint32_t CEdSearchSettings::findFlags(const CSettingsStore& store)
{
    return store.readDword(kEditorSettingsKey, kFindFlagsValue).value_or(0) & kFindFlagsMask;
}

void CEdSearchSettings::setFindFlags(CSettingsStore& store, std::uint32_t flags)
{
    store.writeDword(kEditorSettingsKey, kFindFlagsValue, flags & kFindFlagsMask);
}

std::uint32_t CEdSearchSettings::replaceFlags(const CSettingsStore& store)
{
    return store.readDword(kEditorSettingsKey, kReplaceFlagsValue).value_or(0) & kReplaceFlagsMask;
}

void CEdSearchSettings::setReplaceFlags(CSettingsStore& store, std::uint32_t flags)
{
    store.writeDword(kEditorSettingsKey, kReplaceFlagsValue, flags & kReplaceFlagsMask);
}

}  // namespace brindle
