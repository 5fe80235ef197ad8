// The record of the output files this program wrote, so that it can tell a file it may replace
// from one that somebody changed since.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brindle {

class CSettingsStore;
struct SHashedFile;

// What a file held when this program last wrote it.
struct SWrittenState {
    std::int64_t size = 0;
    std::int64_t lastWriteTime = 0;  // nanoseconds since 1970-01-01 UTC
    std::uint64_t hash = 0;          // CContentHash of the content

    friend bool operator==(const SWrittenState&, const SWrittenState&) = default;
};

// Keeps the last kCapacity files in the "Written Files" section of the settings store, keyed by
// the native path of the file itself (symbolic links resolved). Does not own the store.
class CWrittenFiles {
public:
    static constexpr int kCapacity = 100;

    explicit CWrittenFiles(CSettingsStore& store);

    // True when the file at nativePath exists and still holds exactly what this program wrote
    // there last (same size, time and content). The content is read again unless ahead, a hash
    // of the file taken earlier, still holds.
    bool holdsWhatWasWritten(const std::string& nativePath, const SHashedFile* ahead = nullptr) const;
    // Notes that the file at nativePath now holds content of the given hash; its size and time
    // are read from the file. Forgets the least recent entry when the record is full.
    void remember(const std::string& nativePath, std::uint64_t hash);

    std::optional<SWrittenState> find(const std::string& nativePath) const;

    // One entry of the store: "<sequence> <size> <time> <hash> <path as hex>". The path is kept as
    // hex of its bytes so that any file name, however odd, survives the store unchanged.
    struct SEntry {
        std::uint64_t sequence = 0;
        SWrittenState state;
        std::string path;
    };

private:
    std::vector<std::pair<std::u16string, SEntry>> entries() const;
    static std::u16string slotFor(const std::vector<std::pair<std::u16string, SEntry>>& known,
                                  const std::string& nativePath);

    CSettingsStore& m_store;
};

}  // namespace brindle
