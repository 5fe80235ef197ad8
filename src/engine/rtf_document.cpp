#include "engine/rtf_document.h"

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
    raw(";}}{\\colortbl ;\\red0\\green0\\blue255;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}\\viewkind4\\uc1\\pard\\cf3\\f0\\fs");
    char size[16];
    std::snprintf(size, sizeof size, "%d ", static_cast<int>(fontSizePoints * 2));
    raw(size);
}

void CRtfDocument::lineNumber(std::int32_t number)
{
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "%4ld - ", static_cast<long>(number));
    raw(prefix);
}

bool CRtfDocument::needsUnicodeEscapes(std::u16string_view line)
{
    if (!ansiIsDocumentPage())
        return std::any_of(line.begin(), line.end(), [](char16_t c) { return c >= 0x80; });
    return std::any_of(line.begin(), line.end(), [](char16_t c) { return c > 0xFF; });
}

void CRtfDocument::escapedBytes(std::string_view bytes)
{
    for (const char c : bytes) {
        if (isRtfSpecial(c))
            m_bytes.push_back('\\');
        m_bytes.push_back(c);
    }
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
