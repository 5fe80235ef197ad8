// Deciding whether a file is binary, from its first 1024 bytes.
#pragma once

#include <string_view>

namespace brindle {

// True when one of the first 1024 bytes is below 0x09, unless the file starts with the UTF-16
// little-endian mark FF FE and holds more than two bytes. A file that cannot be read counts as
// text. When bareLf is given it is set to true when the first LF among those bytes is not the
// first byte and has no CR before it (the file uses LF-only line ends); it is never set to
// false, and a file with the UTF-16 mark leaves it alone.
bool IsBinary(std::u16string_view path, bool* bareLf = nullptr);

}  // namespace brindle
