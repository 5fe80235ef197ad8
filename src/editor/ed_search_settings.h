// The search options the editor keeps in the settings store: "FindFlags" and "ReplaceFlags".
#pragma once

#include "editor/ed_settings_names.h"

#include <cstdint>

namespace brindle {

class CSettingsStore;

// DWORD values under kEditorSettingsKey. "FindFlags" holds the find dialog's flags (match case,
// whole word, regular expression, up), "ReplaceFlags" the replace dialog's (the first three); other
// bits are dropped on reading and writing. A missing value reads as 0.
class CEdSearchSettings {
public:
    static constexpr std::uint32_t kFindFlagsMask = 0x17;
    static constexpr std::uint32_t kReplaceFlagsMask = 0x7;

    static std::uint32_t findFlags(const CSettingsStore& store);
    static void setFindFlags(CSettingsStore& store, std::uint32_t flags);
    static std::uint32_t replaceFlags(const CSettingsStore& store);
    static void setReplaceFlags(CSettingsStore& store, std::uint32_t flags);
};

}  // namespace brindle
