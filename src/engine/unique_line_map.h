// The unique-line map of one matching pass: hash -> first unpaired line with that hash.
#pragma once

#include "engine/diff_line.h"

#include <cstdint>
#include <span>
#include <vector>

namespace brindle {

// Open-addressing table over the lines of one list. The count of lines sharing a hash lives in
// the first such line's occurrence count. Lines must have valid hashes.
class CUniqueLineMap {
public:
    // Enters every line of lines that is not paired, in order.
    void build(std::span<CDiffLine* const> lines);
    // The first line entered with hash, or nullptr.
    CDiffLine* find(std::int64_t hash) const;

private:
    std::size_t slotOf(std::int64_t hash) const;

    std::span<CDiffLine* const> m_lines;
    std::vector<std::uint32_t> m_slots;  // index into m_lines + 1; 0 = empty
    std::size_t m_mask = 0;
    int m_shift = 0;
};

}  // namespace brindle
