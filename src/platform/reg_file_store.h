// Settings store kept as one human-editable registry-export-like text file per user.
#pragma once

#include "platform/settings_store.h"

#include <memory>
#include <string>

namespace brindle {

class CRegistryData;

// A settings file larger than this is not read: settings are a few kilobytes, and a file that
// big is something else put there by mistake.
inline constexpr long long kMaxSettingsFileSize = 16LL << 20;

// A CSettingsStore on a text file (UTF-8) of bracketed keys and quoted names:
//
//   [Software\Tollan Software Inc.\Brindle\Compare Files]
//   "Font Name"="Times New Roman"
//   "Font Size"=dword:0000000a
//   "Blob"=hex:01,02
//
// Every read sees the file's current content (parsed again only when the file changed). Every
// write takes an exclusive lock on "<file>.lock", reads the file again, changes the one value and
// replaces the file atomically, so two processes writing at once lose neither write.
//
// A damaged file costs only its damaged lines: every value that can be read is kept. When a
// damaged version is read, it is copied at once to "<file>.bad" (or ".bad.1", ".bad.2", ...: an
// earlier copy is never written over), and the next write leaves the damaged lines out. Should
// the copy fail, the file is not written over. A file that is not an ordinary file (a FIFO, a
// device, a link to one) or is larger than kMaxSettingsFileSize is neither opened nor written
// over; values written then stay in memory for the session. fileReport() tells what was found.
// Reading never blocks on the file or the lock file; a write waits only for another writer's
// lock. A write the system refuses (no room, no permission, a folder that cannot be made) returns
// false, fileReport() says why, and the reporter set with setSettingsWriteFailureReporter hears of
// the first such failure of each store.
class CRegFileStore final : public CSettingsStore {
public:
    explicit CRegFileStore(std::u16string path);
    ~CRegFileStore() override;

    // $XDG_CONFIG_HOME/brindle/user.reg, or ~/.config/brindle/user.reg.
    static std::u16string defaultPath();

    const std::u16string& path() const { return m_path; }
    // What the last read of the file found wrong (damaged lines and their copy, or a refusal).
    SSettingsFileReport fileReport() const override;

    std::optional<std::uint32_t> readDword(std::u16string_view key, std::u16string_view name) const override;
    std::optional<std::u16string> readString(std::u16string_view key, std::u16string_view name) const override;
    std::optional<std::vector<std::uint8_t>> readBinary(std::u16string_view key,
                                                        std::u16string_view name) const override;

    std::vector<std::pair<std::u16string, std::u16string>> readStringValues(std::u16string_view key) const override;

    bool writeDword(std::u16string_view key, std::u16string_view name, std::uint32_t value) override;
    bool writeString(std::u16string_view key, std::u16string_view name, std::u16string_view value) override;
    bool writeBinary(std::u16string_view key, std::u16string_view name, std::span<const std::uint8_t> value) override;

private:
    struct Cache;
    std::u16string m_path;
    std::unique_ptr<Cache> m_cache;
};

// Told of the first write of a store's file that the system refused, with the store's report
// (writeError says why). The programs install one that tells the user in their language;
// nullptr (the default) tells nobody. Set it before any store is used.
using SettingsWriteFailureReporter = void (*)(const SSettingsFileReport& report);
void setSettingsWriteFailureReporter(SettingsWriteFailureReporter reporter);

}  // namespace brindle
