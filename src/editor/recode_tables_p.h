// Generated letter tables of character-set conversion: one row of codes per character set.
#pragma once

#include <cstddef>
#include <cstdint>

namespace brindle::detail {

inline constexpr std::size_t kRecodeTableSets = 13;
inline constexpr std::size_t kRecodeTablePositions = 66;

// Rows in the order of the sets, positions in the order of recode_text.h. A code of 0x80 or
// above is the set's own code for the character; below 0x80 it is the plain form that stands in
// where the set lacks the character. No row holds a code of 0x80 or above twice.
extern const std::uint8_t kRecodeTable[kRecodeTableSets][kRecodeTablePositions];

}  // namespace brindle::detail
