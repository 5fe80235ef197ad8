// A code page of one byte per character, converted through its byte table.
#pragma once

#include "platform/code_page.h"

#include <array>
#include <vector>

namespace brindle {

// Converts by table alone, so conversion costs one lookup per character and any thread may
// convert. The table is read from iconv once (see code_page_loader.h); bytes 0..0x7F are ASCII and
// no two bytes share a unit, so every byte encodes back to itself. Immutable after construction.
class CSingleByteCodePage final : public CCodePage {
public:
    CSingleByteCodePage(std::uint32_t number, const std::array<char16_t, 256>& toUnicode);

    std::uint32_t number() const override { return m_number; }
    bool isSingleByte() const override { return true; }
    void appendUtf16(std::string_view bytes, std::u16string& out) const override;
    bool appendBytes(std::u16string_view text, std::string& out, char replacement) const override;
    bool byteFor(char16_t ch, std::uint8_t& byte) const override;
    std::uint8_t upperByte(std::uint8_t byte) const override { return m_upper[byte]; }

private:
    // For a unit of 0x80 or more; 0 when the page has no byte for it (byte 0 is only U+0000,
    // which never gets here).
    std::uint8_t lookup(char16_t ch) const { return m_blocks[m_blockOf[ch >> 8]][ch & 0xFF]; }
    void fillUpper();

    std::uint32_t m_number;
    std::array<char16_t, 256> m_toUnicode;
    // Reverse mapping in 256-unit blocks; block 0 is empty and shared by all unused ones.
    std::array<std::uint8_t, 256> m_blockOf{};
    std::vector<std::array<std::uint8_t, 256>> m_blocks;
    std::array<std::uint8_t, 256> m_upper{};
};

}  // namespace brindle
