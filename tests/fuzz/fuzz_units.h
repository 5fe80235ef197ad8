// Turns fuzz bytes into UTF-16 text: a byte is the unit of the same value, except that 0xFF takes
// the next two bytes as one unit of any value (surrogates included).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace brindle::fuzz {

inline std::u16string unitsFromBytes(const std::uint8_t* data, std::size_t size)
{
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF && i + 2 < size) {
            text.push_back(static_cast<char16_t>(data[i + 1] << 8 | data[i + 2]));
            i += 2;
        } else {
            text.push_back(static_cast<char16_t>(data[i]));
        }
    }
    return text;
}

}  // namespace brindle::fuzz
