#include "engine/rtf_document.h"

#include "engine/line_scan_p.h"
#include "engine/report_pane.h"
#include "platform/code_page.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>

namespace brindle {

namespace {

constexpr std::uint32_t kDocumentCodePage = 1252;

bool isRtfSpecial(char c) { return c == '{' || c == '}' || c == '\\'; }

// The high bit of each byte of word that equals byte, exactly: unlike line_scan::hasByte no borrow
// crosses into the next byte, so every bit set marks a match.
std::uint64_t bytesEqualTo(std::uint64_t word, std::uint8_t byte)
{
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const std::uint64_t x = word ^ (line_scan::kOnes * byte);
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// The bytes of word (loaded in memory order, lowest address lowest) that RTF escapes.
std::uint64_t specialBytes(std::uint64_t word)
{
    static_assert(std::endian::native == std::endian::little, "the lowest set bit must be the first byte");
    return bytesEqualTo(word, '{') | bytesEqualTo(word, '}') | bytesEqualTo(word, '\\');
}

bool ansiIsDocumentPage() { return CCodePage::ansi().number() == kDocumentCodePage; }

}  // namespace

void CRtfDocument::start(std::u16string_view fontName, std::int32_t fontSizePoints)
{
    raw("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 ");
    text(fontName);
    raw(";}}{\\colortbl "
        ";\\red0\\green0\\blue255;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}\\viewkind4\\uc1\\pard\\cf3\\f0\\fs");
    char size[16];
    std::snprintf(size, sizeof size, "%d ", static_cast<int>(fontSizePoints * 2));
    raw(size);
}

void CRtfDocument::grow(std::size_t n)
{
    // Sized ahead by a step that keeps growing rare without touching much memory before it is
    // written; past the capacity the string doubles as usual.
    constexpr std::size_t kStep = 64 * 1024;
    m_bytes.resize(std::max(m_used + n, std::min(m_bytes.size() + kStep, std::max(m_bytes.capacity(), m_used + n))));
}

void CRtfDocument::lineNumber(std::int32_t number)
{
    // The longest prefix: a sign, ten digits and " - ".
    m_used += formatLineNumber(number, room(16));
}

bool CRtfDocument::needsUnicodeEscapes(std::u16string_view line)
{
    if (!ansiIsDocumentPage())
        return std::any_of(line.begin(), line.end(), [](char16_t c) { return c >= 0x80; });
    return std::any_of(line.begin(), line.end(), [](char16_t c) { return c > 0xFF; });
}

void CRtfDocument::escapedBytes(std::string_view bytes)
{
    // Eight bytes are tested at a time and runs between special characters copied in one piece:
    // most lines have none.
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t from = 0;
    const auto escapeAt = [&](std::size_t base, std::uint64_t mask) {
        for (; mask != 0; mask &= mask - 1) {
            const std::size_t at = base + static_cast<std::size_t>(std::countr_zero(mask) >> 3);
            append(bytes.data() + from, at - from);
            append("\\", 1);
            from = at;
        }
    };
    std::size_t i = 0;
    for (; size - i >= 8; i += 8)
        escapeAt(i, specialBytes(line_scan::load(data + i)));
    if (i < size) {
        std::uint64_t tail = 0;
        std::memcpy(&tail, data + i, size - i);  // the zero bytes after it are not special
        escapeAt(i, specialBytes(tail));
    }
    append(bytes.data() + from, size - from);
}

void CRtfDocument::text(std::u16string_view part, bool unicodeEscapes)
{
    if (!unicodeEscapes) {
        m_converted.clear();
        CCodePage::ansi().appendBytes(part, m_converted);
        escapedBytes(m_converted);
        return;
    }
    for (const char16_t c : part) {
        if (c < 0x80) {
            if (isRtfSpecial(static_cast<char>(c)))
                append("\\", 1);
            const char byte = static_cast<char>(c);
            append(&byte, 1);
        } else {
            char escape[16];
            const int length = std::snprintf(escape, sizeof escape, "\\u%u?", static_cast<unsigned>(c));
            append(escape, static_cast<std::size_t>(length));
        }
    }
}

}  // namespace brindle
