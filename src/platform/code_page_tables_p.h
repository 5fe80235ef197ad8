// Generated data behind the single-byte code pages: what each byte decodes to.
#pragma once

#include <cstddef>
#include <cstdint>

namespace brindle::detail {

struct SingleByteTable {
    std::uint32_t number;            // Windows code-page number
    const char16_t* toUnicode;       // 256 units, one per byte; bytes 0..0x7F map to themselves
};

inline constexpr std::size_t kSingleByteTableCount = 15;
// Every unit appears at most once in a table, so each byte can be encoded back.
extern const SingleByteTable kSingleByteTables[kSingleByteTableCount];

}  // namespace brindle::detail
