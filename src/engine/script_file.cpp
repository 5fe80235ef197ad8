#include "engine/script_file.h"

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/utf8.h"
#include "platform/whole_file.h"

#include <algorithm>
#include <limits>

namespace brindle {

namespace {

std::u16string decode(std::string_view bytes)
{
    std::u16string text;
    if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFF\xFE") {
        // A truncated file may end in half a unit; that byte is dropped.
        text.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            text.push_back(static_cast<char16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                                 static_cast<std::uint8_t>(bytes[i + 1]) << 8));
    } else if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        // Editors save UTF-8 with a mark by default; through the ANSI page the mark would become
        // part of the first section line, which would then open no section.
        appendUtf16FromUtf8Lossless(bytes.substr(3), text);
    } else {
        CCodePage::ansi().appendUtf16(bytes, text);
    }
    return text;
}

char16_t foldAscii(char16_t ch) { return ch >= u'A' && ch <= u'Z' ? char16_t(ch + (u'a' - u'A')) : ch; }

std::u16string foldAscii(std::u16string_view text)
{
    std::u16string folded(text);
    for (char16_t& ch : folded)
        ch = foldAscii(ch);
    return folded;
}

bool isCSpace(char16_t ch) { return ch == u' ' || (ch >= u'\t' && ch <= u'\r'); }

// atol: white space, sign, digits up to the first other character; saturates instead of
// overflowing.
std::int32_t parseInt(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - u'0');
        if (magnitude > kLimit)
            magnitude = kLimit;
    }
    if (negative)
        return static_cast<std::int32_t>(-magnitude);
    return static_cast<std::int32_t>(std::min(magnitude, kLimit - 1));
}

}  // namespace

CScriptFile CScriptFile::Read(std::u16string_view path)
{
    const std::optional<SFileContents> contents = readWholeFile(path);
    if (!contents)
        return {};
    return FromBytes(contents->text());
}

CScriptFile CScriptFile::FromBytes(std::string_view bytes) { return FromText(decode(bytes)); }

CScriptFile CScriptFile::FromText(std::u16string_view text)
{
    CScriptFile script;
    CSection* current = nullptr;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t lf = text.find(u'\n', start);
        const std::size_t next = lf == std::u16string_view::npos ? text.size() : lf + 1;
        std::u16string_view line = text.substr(start, next - start);
        start = next;
        if (!line.empty() && line.back() == u'\n')
            line.remove_suffix(1);
        if (!line.empty() && line.back() == u'\r' && lf != std::u16string_view::npos)
            line.remove_suffix(1);

        const std::size_t close = line.find(u']');
        if (!line.empty() && line.front() == u'[' && close != std::u16string_view::npos) {
            const std::u16string_view name = line.substr(1, close - 1);
            script.m_index.emplace(foldAscii(name), script.m_sections.size());
            current = &script.m_sections.emplace_back(CSection{std::u16string(name), {}});
        } else if (current && line.find(u'=') != std::u16string_view::npos) {
            current->m_entries.emplace_back(line);
        }
    }
    return script;
}

const CSection* CScriptFile::FindSection(std::u16string_view name) const
{
    const auto found = m_index.find(foldAscii(name));
    return found == m_index.end() ? nullptr : &m_sections[found->second];
}

bool CScriptFile::GetString(const CSection& section, std::u16string_view key, std::u16string& value)
{
    for (const std::u16string& entry : section.m_entries) {
        if (entry.size() > key.size() && entry[key.size()] == u'=' &&
            equalsIgnoreAsciiCase(std::u16string_view(entry).substr(0, key.size()), key)) {
            value = entry.substr(key.size() + 1);
            return true;
        }
    }
    return false;
}

bool CScriptFile::GetInt(const CSection& section, std::u16string_view key, std::int32_t& value)
{
    std::u16string text;
    if (!GetString(section, key, text))
        return false;
    value = parseInt(text);
    return true;
}

}  // namespace brindle
