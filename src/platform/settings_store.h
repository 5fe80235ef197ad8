// The per-user settings store: typed values in keys addressed by backslash-separated paths.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brindle {

// A registry-like store. Keys are paths such as "Software\Tollan Software Inc.\Brindle\Settings";
// names and key paths are compared without regard to ASCII letter case. A value has one of three
// types: integer (DWORD), text (SZ) or binary bytes. Reading a value that is missing or of another
// type gives nullopt (callers then use their default); writing creates the key. Failures are not
// reported beyond the boolean results: a failed read is a missing value.
class CSettingsStore {
public:
    virtual ~CSettingsStore() = default;

    virtual std::optional<std::uint32_t> readDword(std::u16string_view key, std::u16string_view name) const = 0;
    virtual std::optional<std::u16string> readString(std::u16string_view key, std::u16string_view name) const = 0;
    virtual std::optional<std::vector<std::uint8_t>> readBinary(std::u16string_view key,
                                                                std::u16string_view name) const = 0;

    virtual bool writeDword(std::u16string_view key, std::u16string_view name, std::uint32_t value) = 0;
    virtual bool writeString(std::u16string_view key, std::u16string_view name, std::u16string_view value) = 0;
    virtual bool writeBinary(std::u16string_view key, std::u16string_view name,
                             std::span<const std::uint8_t> value) = 0;

    // The text values of key as (name, text) pairs in the store's order; values of other types
    // are left out. Empty when the key is missing or the store cannot list values.
    virtual std::vector<std::pair<std::u16string, std::u16string>> readStringValues(std::u16string_view key) const
    {
        (void)key;
        return {};
    }
};

// The store of the current user: a CRegFileStore on $XDG_CONFIG_HOME/brindle/user.reg
// (~/.config when XDG_CONFIG_HOME is unset), created on first use. setUserSettingsStore
// replaces it (tests, tools); passing nullptr restores the file store.
CSettingsStore& userSettingsStore();
void setUserSettingsStore(CSettingsStore* store);

}  // namespace brindle
