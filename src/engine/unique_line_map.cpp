#include "engine/unique_line_map.h"

#include <algorithm>
#include <random>

namespace brindle {

namespace {

// Line hashes are easy to steer with chosen text; a per-process salt keeps crafted files from
// piling their lines into one run of slots. Where lines land is never seen in the results.
std::uint64_t processSalt()
{
    static const std::uint64_t salt = [] {
        std::random_device device;
        return (std::uint64_t{device()} << 32) ^ device();
    }();
    return salt;
}

}  // namespace

std::size_t CUniqueLineMap::slotOf(std::int64_t hash) const
{
    // The line hash is a polynomial sum whose low bits are poorly spread: mix it, then scale the
    // mix to the table by its high bits, so that the table can have any size.
    __extension__ using Wide = unsigned __int128;
    const std::uint64_t mixed = (static_cast<std::uint64_t>(hash) ^ m_salt) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>((Wide{mixed} * m_capacity) >> 64);
}

void CUniqueLineMap::build(CLineSpan lines)
{
    m_lines = lines;
    m_salt = processSalt();
    std::size_t unpaired = 0;
    for (const CDiffLine* line : lines)
        unpaired += line->isPaired() ? 0 : 1;
    // Two thirds full: probing stays short, and the table of a ten-million-line file takes
    // 120 MB rather than the 256 MiB of a half-full table of a power-of-two size.
    m_capacity = std::max<std::size_t>(unpaired + unpaired / 2, 16);
    m_storage = CLargeBuffer(m_capacity * sizeof(SSlot));
    m_slots = static_cast<SSlot*>(m_storage.data());

    // The table is far larger than the caches: ask for the slot of a line a little ahead while
    // this one is entered.
    constexpr std::size_t kPrefetchDistance = 16;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i + kPrefetchDistance < lines.size())
            __builtin_prefetch(&m_slots[slotOf(lines[i + kPrefetchDistance]->hash())], 1);
        CDiffLine* line = lines[i];
        if (line->isPaired())
            continue;
        const std::int64_t hash = line->hash();
        const std::uint32_t tag = tagOf(hash);
        for (std::size_t slot = slotOf(hash);; slot = nextSlot(slot)) {
            SSlot& entry = m_slots[slot];
            if (entry.entry == 0) {
                entry = {static_cast<std::uint32_t>(i + 1), tag};
                break;
            }
            if (entry.tag == tag && lineOf(entry)->hash() == hash) {
                entry.entry |= kRepeated;
                break;
            }
        }
    }
}

CDiffLine* CUniqueLineMap::findUnique(std::int64_t hash) const
{
    if (!m_slots)
        return nullptr;
    const std::uint32_t tag = tagOf(hash);
    for (std::size_t slot = slotOf(hash);; slot = nextSlot(slot)) {
        const SSlot& entry = m_slots[slot];
        if (entry.entry == 0)
            return nullptr;
        if (entry.tag == tag && lineOf(entry)->hash() == hash)
            return (entry.entry & kRepeated) ? nullptr : lineOf(entry);
    }
}

}  // namespace brindle
