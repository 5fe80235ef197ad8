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

// What a store found wrong with the file it keeps its values in, so that a program can tell the
// user once. All defaults for a healthy file or a store without a file.
struct SSettingsFileReport {
    // Why the file was not read at all. Such a file is never written over; the values written
    // meanwhile live in the store's memory for the session only.
    enum class ERefusal {
        None,
        NotOrdinaryFile,  // a FIFO, device, folder, or a link to one
        TooLarge,         // larger than the store reads
        Unreadable,       // the system refused to open or read it (error)
    };

    std::u16string path;      // the settings file
    int skippedLines = 0;     // damaged lines left out when the file was last read
    std::u16string copyPath;  // where that damaged version was copied; empty when no copy could be made
    ERefusal refusal = ERefusal::None;
    std::string error;  // the system's reason for Unreadable, or for a copy that failed
    // The system's reason the last write of the file failed; empty after one that succeeded.
    // Writes happen after the start-time warning, so healthy() leaves it out.
    std::string writeError;

    bool damaged() const { return skippedLines > 0; }
    bool healthy() const { return !damaged() && refusal == ERefusal::None; }
};

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

    // What reading the store's file found wrong; healthy for a store that keeps no file.
    virtual SSettingsFileReport fileReport() const { return {}; }
};

// The store of the current user: a CRegFileStore on $XDG_CONFIG_HOME/brindle/user.reg
// (~/.config when XDG_CONFIG_HOME is unset), created on first use. setUserSettingsStore
// replaces it (tests, tools); passing nullptr restores the file store.
CSettingsStore& userSettingsStore();
void setUserSettingsStore(CSettingsStore* store);

}  // namespace brindle
