#include "platform/single_byte_code_page.h"

#include "platform/unicode_case.h"
#include "platform/utf16_units.h"

namespace brindle {

CSingleByteCodePage::CSingleByteCodePage(std::uint32_t number, const std::array<char16_t, 256>& toUnicode)
    : m_number(number), m_toUnicode(toUnicode), m_blocks(1)
{
    for (unsigned b = 0x80; b < 0x100; ++b) {
        const char16_t u = m_toUnicode[b];
        auto& block = m_blockOf[u >> 8];
        if (block == 0) {
            block = static_cast<std::uint8_t>(m_blocks.size());
            m_blocks.emplace_back();
        }
        m_blocks[block][u & 0xFF] = static_cast<std::uint8_t>(b);
    }
    fillUpper();
}

void CSingleByteCodePage::fillUpper()
{
    for (unsigned b = 0; b < 0x100; ++b) {
        std::uint8_t upper = static_cast<std::uint8_t>(b);
        if (b >= 'a' && b <= 'z') {
            upper = static_cast<std::uint8_t>(b - 'a' + 'A');
        } else if (b >= 0x80) {
            // Only a one-to-one case pair inside the page counts: 1252's µ (U+00B5) upper-cases
            // to Greek U+039C, which 1252 lacks, so the byte stays as it is.
            const char16_t u = m_toUnicode[b];
            const char16_t up = simpleUpper(u);
            std::uint8_t byte = 0;
            if (up != u && byteFor(up, byte))
                upper = byte;
        }
        m_upper[b] = upper;
    }
}

void CSingleByteCodePage::appendUtf16(std::string_view bytes, std::u16string& out) const
{
    const std::size_t start = out.size();
    out.resize(start + bytes.size());
    char16_t* dst = out.data() + start;
    for (const char c : bytes)
        *dst++ = m_toUnicode[static_cast<unsigned char>(c)];
}

bool CSingleByteCodePage::appendBytes(std::u16string_view text, std::string& out, char replacement) const
{
    bool replaced = false;
    const std::size_t start = out.size();
    // Never more bytes than units: a surrogate pair gives one replacement.
    out.resize(start + text.size());
    char* dst = out.data() + start;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i];
        const std::uint8_t byte = ch < 0x80 ? static_cast<std::uint8_t>(ch) : lookup(ch);
        if (byte != 0 || ch == 0) {
            *dst++ = static_cast<char>(byte);
        } else if (isByteUnit(text, i)) {
            *dst++ = static_cast<char>(ch - kByteUnitBase);
        } else {
            *dst++ = replacement;
            replaced = true;
            if (startsSurrogatePair(text, i))
                ++i;
        }
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
    return replaced;
}

bool CSingleByteCodePage::byteFor(char16_t ch, std::uint8_t& byte) const
{
    if (ch < 0x80) {
        byte = static_cast<std::uint8_t>(ch);
        return true;
    }
    const std::uint8_t found = lookup(ch);
    if (found == 0)
        return false;
    byte = found;
    return true;
}

}  // namespace brindle
