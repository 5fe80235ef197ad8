// Texts of the shell extension's tests in failure messages: ASCII as it is, anything else "?".
#pragma once

#include <string>
#include <string_view>

namespace brindle::test {

inline std::string narrow(std::u16string_view text)
{
    std::string out;
    for (const char16_t ch : text)
        out += ch < 0x80 ? static_cast<char>(ch) : '?';
    return out;
}

}  // namespace brindle::test
