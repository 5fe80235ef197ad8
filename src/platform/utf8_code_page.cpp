#include "platform/utf8_code_page.h"

#include "platform/utf8.h"

namespace brindle {

void CUtf8CodePage::appendUtf16(std::string_view bytes, std::u16string& out) const
{
    appendUtf16FromUtf8Lossless(bytes, out);
}

bool CUtf8CodePage::appendBytes(std::u16string_view text, std::string& out, char replacement) const
{
    return appendUtf8FromUtf16Lossless(text, out, replacement);
}

bool CUtf8CodePage::byteFor(char16_t ch, std::uint8_t& byte) const
{
    if (ch >= 0x80)
        return false;
    byte = static_cast<std::uint8_t>(ch);
    return true;
}

}  // namespace brindle
