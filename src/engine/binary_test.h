// Deciding whether a file is binary, from its first 1024 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace brindle {

// True when one of the first 1024 bytes is below 0x09, unless the file starts with the UTF-16
// little-endian mark FF FE and holds more than two bytes. A file that cannot be read counts as
// text. When bareLf is given it is set to true when the first LF among those bytes is not the
// first byte and has no CR before it (the file uses LF-only line ends); it is never set to
// false, and a file with the UTF-16 mark leaves it alone.
bool IsBinary(std::u16string_view path, bool* bareLf = nullptr);

// The same test on bytes already read: probe is the start of the file, its first
// kBinaryProbeBytes bytes or the whole file when shorter.
inline constexpr std::size_t kBinaryProbeBytes = 1024;
bool IsBinaryProbe(std::span<const std::uint8_t> probe, bool* bareLf = nullptr);

}  // namespace brindle
