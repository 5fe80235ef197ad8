#include "engine/rtf_document.h"

#include "engine/line_scan_p.h"
#include "engine/report_pane.h"
#include "platform/code_page.h"

#include <algorithm>
#include <cstdio>

namespace brindle {

namespace {

constexpr std::uint32_t kDocumentCodePage = 1252;

bool isRtfSpecial(char c) { return c == '{' || c == '}' || c == '\\'; }

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

void CRtfDocument::lineNumber(std::int32_t number)
{
    char prefix[24];
    m_bytes.append(prefix, formatLineNumber(number, prefix));
}

bool CRtfDocument::needsUnicodeEscapes(std::u16string_view line)
{
    if (!ansiIsDocumentPage())
        return std::any_of(line.begin(), line.end(), [](char16_t c) { return c >= 0x80; });
    return std::any_of(line.begin(), line.end(), [](char16_t c) { return c > 0xFF; });
}

void CRtfDocument::escapedBytes(std::string_view bytes)
{
    // Copy runs between special characters in one piece: most lines have none, and eight bytes
    // at a time are tested for them.
    using namespace line_scan;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    std::size_t from = 0;
    std::size_t i = 0;
    for (;;) {
        while (bytes.size() - i >= 8) {
            const std::uint64_t word = load(data + i);
            if (hasByte(word, '{') | hasByte(word, '}') | hasByte(word, '\\'))
                break;
            i += 8;
        }
        if (i == bytes.size())
            break;
        if (isRtfSpecial(bytes[i])) {
            m_bytes.append(bytes.data() + from, i - from);
            m_bytes.push_back('\\');
            from = i;
        }
        ++i;
    }
    m_bytes.append(bytes.data() + from, bytes.size() - from);
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
                m_bytes.push_back('\\');
            m_bytes.push_back(static_cast<char>(c));
        } else {
            char escape[16];
            std::snprintf(escape, sizeof escape, "\\u%u?", static_cast<unsigned>(c));
            m_bytes.append(escape);
        }
    }
}

}  // namespace brindle
