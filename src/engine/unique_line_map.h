// The unique-line map of one matching pass: hash -> first unpaired line with that hash.
#pragma once

#include "engine/diff_line.h"
#include "engine/line_span.h"
#include "platform/large_buffer.h"

#include <cstdint>

namespace brindle {

// Open-addressing table over the lines of one list. Each hash has one slot, holding the first line
// with it and whether more lines share it. Lines must have valid hashes.
class CUniqueLineMap {
public:
    // Enters every line of lines that is not paired, in order.
    void build(CLineSpan lines);
    // The line entered with hash when it is the only one entered with it, else nullptr.
    CDiffLine* findUnique(std::int64_t hash) const;
    // Calls f(index) for every line of the entered list that is the only one entered with its
    // hash, in no particular order; one pass over the table, not a search per line.
    template <class F>
    void forEachUnique(F&& f) const
    {
        for (std::size_t slot = 0; slot < m_capacity; ++slot) {
            const std::uint32_t entry = m_slots[slot].entry;
            if (entry != 0 && (entry & kRepeated) == 0)
                f(static_cast<std::size_t>(entry - 1));
        }
    }

private:
    std::size_t slotOf(std::int64_t hash) const;
    std::size_t nextSlot(std::size_t slot) const { return slot + 1 == m_capacity ? 0 : slot + 1; }

    // A slot holds the line's index + 1 (0 = empty), with kRepeated set once a second line
    // shares its hash, and the high half of its hash, so that probing rarely has to look at the
    // line itself.
    struct SSlot {
        std::uint32_t entry = 0;
        std::uint32_t tag = 0;
    };
    static constexpr std::uint32_t kRepeated = std::uint32_t{1} << 31;
    CDiffLine* lineOf(const SSlot& slot) const { return m_lines[(slot.entry & ~kRepeated) - 1]; }
    static std::uint32_t tagOf(std::int64_t hash)
    {
        return static_cast<std::uint32_t>(static_cast<std::uint64_t>(hash) >> 32);
    }

    CLineSpan m_lines;
    CLargeBuffer m_storage;  // zero-filled: every slot starts empty
    SSlot* m_slots = nullptr;
    std::size_t m_capacity = 0;
    std::uint64_t m_salt = 0;
};

}  // namespace brindle
