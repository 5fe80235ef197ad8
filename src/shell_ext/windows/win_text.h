// Moving text between the Windows API's wide strings and the shell core's UTF-16 strings; on
// Windows both are UTF-16, so this only changes the character type.
#pragma once

#include <string>
#include <string_view>

namespace brindle {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

inline std::u16string ToU16(std::wstring_view text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

inline std::wstring ToWide(std::u16string_view text)
{
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

}  // namespace brindle
