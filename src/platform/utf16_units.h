// UTF-16 units of lossless 8-bit text: surrogate pairs, and the units that stand for one byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace brindle {

inline bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// True when a surrogate pair starts at text[i].
inline bool startsSurrogatePair(std::u16string_view text, std::size_t i)
{
    return isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]);
}

// A byte that is no character of its code page decodes to 0xDC00 + byte. Such bytes are never
// ASCII, so the units are 0xDC80..0xDCFF, which are low surrogates and never text of their own.
inline constexpr char16_t kByteUnitBase = 0xDC00;
inline char16_t byteUnit(std::uint8_t byte) { return static_cast<char16_t>(kByteUnitBase + byte); }

// True when text[i] stands for a byte: 0xDC80..0xDCFF and not the second half of a pair.
inline bool isByteUnit(std::u16string_view text, std::size_t i)
{
    return text[i] >= 0xDC80 && text[i] <= 0xDCFF && (i == 0 || !isHighSurrogate(text[i - 1]));
}

}  // namespace brindle
