// Generated data behind simpleUpper(): a two-level table of uppercase deltas per BMP unit.
#pragma once

#include <cstdint>

namespace brindle::detail {

// The upper case of unit u is u + kUpperDelta[kUpperPageOf[u >> 8]][u & 0xFF], modulo 2^16.
// Block 0 is all zero and shared by every 256-unit page without mappings.
extern const std::uint8_t kUpperPageOf[256];
extern const std::uint16_t kUpperDelta[][256];

}  // namespace brindle::detail
