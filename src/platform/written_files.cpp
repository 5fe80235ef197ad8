#include "platform/written_files.h"

#include "platform/content_hash.h"
#include "platform/file_system.h"
#include "platform/profile.h"
#include "platform/settings_names.h"
#include "platform/settings_store.h"
#include "platform/utf8.h"

#include <algorithm>
#include <cstdio>

namespace brindle {

namespace {

std::u16string slotName(int number) { return u"File " + u16(std::to_string(number)); }

std::string hexOf(const std::string& bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const unsigned char byte : bytes) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

std::optional<std::string> bytesOfHex(std::string_view hex)
{
    if (hex.size() % 2 != 0)
        return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        unsigned value = 0;
        if (std::sscanf(std::string(hex.substr(i, 2)).c_str(), "%2x", &value) != 1)
            return std::nullopt;
        bytes += static_cast<char>(value);
    }
    return bytes;
}

std::u16string formatEntry(const CWrittenFiles::SEntry& entry)
{
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "%llu %lld %lld %llx ", static_cast<unsigned long long>(entry.sequence),
                  static_cast<long long>(entry.state.size), static_cast<long long>(entry.state.lastWriteTime),
                  static_cast<unsigned long long>(entry.state.hash));
    return u16(numbers + hexOf(entry.path));
}

std::optional<CWrittenFiles::SEntry> parseEntry(const std::u16string& text)
{
    const std::string line = u8(text);
    unsigned long long sequence = 0;
    long long size = 0;
    long long time = 0;
    unsigned long long hash = 0;
    int consumed = 0;
    if (std::sscanf(line.c_str(), "%llu %lld %lld %llx %n", &sequence, &size, &time, &hash, &consumed) != 4 ||
        consumed <= 0)
        return std::nullopt;
    const auto path = bytesOfHex(std::string_view(line).substr(static_cast<std::size_t>(consumed)));
    if (!path || path->empty())
        return std::nullopt;
    return CWrittenFiles::SEntry{sequence, {size, time, hash}, *path};
}

std::optional<SWrittenState> stateOnDisk(const std::string& nativePath)
{
    const auto attributes = fileAttributes(pathFromNative(nativePath));
    if (!attributes || attributes->directory)
        return std::nullopt;
    return SWrittenState{attributes->size, attributes->lastWriteTime, 0};
}

}  // namespace

CWrittenFiles::CWrittenFiles(CSettingsStore& store) : m_store(store) {}

std::vector<std::pair<std::u16string, CWrittenFiles::SEntry>> CWrittenFiles::entries() const
{
    std::vector<std::pair<std::u16string, SEntry>> entries;
    const CProfile profile(m_store);
    for (const auto& [name, text] : m_store.readStringValues(profile.sectionKey(kWrittenFilesSection))) {
        if (auto entry = parseEntry(text))
            entries.emplace_back(name, std::move(*entry));
    }
    return entries;
}

std::optional<SWrittenState> CWrittenFiles::find(const std::string& nativePath) const
{
    for (const auto& [name, entry] : entries()) {
        if (entry.path == nativePath)
            return entry.state;
    }
    return std::nullopt;
}

bool CWrittenFiles::holdsWhatWasWritten(const std::string& nativePath, const SHashedFile* ahead) const
{
    const auto written = find(nativePath);
    auto now = stateOnDisk(nativePath);
    if (!written || !now || now->size != written->size || now->lastWriteTime != written->lastWriteTime)
        return false;
    // Size and time can survive an edit (a tool that restores the time): the content decides.
    if (const std::optional<std::uint64_t> known = ahead ? ahead->hashIfUnchanged(nativePath) : std::nullopt)
        return *known == written->hash;
    return hashFileContent(nativePath, now->hash) && now->hash == written->hash;
}

void CWrittenFiles::remember(const std::string& nativePath, std::uint64_t hash)
{
    auto state = stateOnDisk(nativePath);
    if (!state)
        return;
    state->hash = hash;
    const auto known = entries();
    std::uint64_t newest = 0;
    for (const auto& [name, entry] : known)
        newest = std::max(newest, entry.sequence);
    CProfile(m_store).writeString(kWrittenFilesSection, slotFor(known, nativePath),
                                  formatEntry({newest + 1, *state, nativePath}));
}

// The entry of the same file, else a free slot, else the least recently written entry.
std::u16string CWrittenFiles::slotFor(const std::vector<std::pair<std::u16string, SEntry>>& known,
                                      const std::string& nativePath)
{
    const std::pair<std::u16string, SEntry>* oldest = nullptr;
    for (const auto& slot : known) {
        if (slot.second.path == nativePath)
            return slot.first;
        if (!oldest || slot.second.sequence < oldest->second.sequence)
            oldest = &slot;
    }
    for (int number = 1; number <= kCapacity; ++number) {
        const std::u16string name = slotName(number);
        const bool taken = std::any_of(known.begin(), known.end(),
                                       [&](const auto& slot) { return equalsIgnoreAsciiCase(slot.first, name); });
        if (!taken)
            return name;
    }
    return oldest->first;
}

}  // namespace brindle
