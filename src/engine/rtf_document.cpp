#include "engine/rtf_document.h"

#include "engine/line_scan_p.h"
#include "engine/report_pane.h"
#include "platform/code_page.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace brindle {

namespace {

constexpr std::uint32_t kDocumentCodePage = 1252;

bool isRtfSpecial(char c) { return c == '{' || c == '}' || c == '\\'; }

// The high bit of each byte of word that equals byte.
std::uint64_t bytesEqualTo(std::uint64_t word, std::uint8_t byte)
{
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const std::uint64_t x = word ^ (line_scan::kOnes * byte);
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// The high bit of each byte of word that RTF escapes.
std::uint64_t specialBytes(std::uint64_t word)
{
    return bytesEqualTo(word, '{') | bytesEqualTo(word, '}') | bytesEqualTo(word, '\\');
}

// Copies count bytes to out, each special one after a backslash; returns the end.
char* escapeEach(const std::uint8_t* bytes, std::size_t count, char* out)
{
    for (std::size_t i = 0; i < count; ++i) {
        const char c = static_cast<char>(bytes[i]);
        if (isRtfSpecial(c))
            *out++ = '\\';
        *out++ = c;
    }
    return out;
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
    // Whole blocks without a special character, most of them, are tested at once and stored as
    // they are; only a block that holds one goes byte by byte.
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::size_t size = bytes.size();
    // Every byte may double; a block is stored whole, so room for one more past the end.
    char* const start = room(2 * size + 16);
    char* out = start;
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i open = _mm_set1_epi8('{');
    const __m128i close = _mm_set1_epi8('}');
    const __m128i backslash = _mm_set1_epi8('\\');
    for (; size - i >= 16; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i special = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, open), _mm_cmpeq_epi8(block, close)),
                                             _mm_cmpeq_epi8(block, backslash));
        if (_mm_movemask_epi8(special) != 0) {
            out = escapeEach(data + i, 16, out);
            continue;
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), block);
        out += 16;
    }
#endif
    for (; size - i >= 8; i += 8) {
        const std::uint64_t word = line_scan::load(data + i);
        if (specialBytes(word) != 0) {
            out = escapeEach(data + i, 8, out);
            continue;
        }
        std::memcpy(out, &word, sizeof word);
        out += sizeof word;
    }
    out = escapeEach(data + i, size - i, out);
    m_used += static_cast<std::size_t>(out - start);
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
