// Code pages: 8-bit text <-> UTF-16, and the one-character upper-casing used by ignore case.
#include "platform/code_page.h"

#include <array>
#include <atomic>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <vector>

#include "platform/code_page_tables_p.h"
#include "platform/unicode_case.h"
#include "platform/utf8.h"

namespace brindle {

namespace {

class CUtf8CodePage final : public CCodePage {
public:
    std::uint32_t number() const override { return kCodePageUtf8; }
    bool isSingleByte() const override { return false; }

    void appendUtf16(std::string_view bytes, std::u16string& out) const override
    {
        appendUtf16FromUtf8Lossless(bytes, out);
    }

    bool appendBytes(std::u16string_view text, std::string& out, char replacement) const override
    {
        return appendUtf8FromUtf16Lossless(text, out, replacement);
    }

    bool byteFor(char16_t ch, std::uint8_t& byte) const override
    {
        if (ch >= 0x80)
            return false;
        byte = static_cast<std::uint8_t>(ch);
        return true;
    }

    std::uint8_t upperByte(std::uint8_t byte) const override { return byte; }
};

class CSingleByteCodePage final : public CCodePage {
public:
    explicit CSingleByteCodePage(const detail::SingleByteTable& table);

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

    std::uint32_t m_number;
    const char16_t* m_toUnicode;
    // Reverse mapping in 256-unit blocks; block 0 is empty and shared by all unused ones.
    std::array<std::uint8_t, 256> m_blockOf{};
    std::vector<std::array<std::uint8_t, 256>> m_blocks;
    std::array<std::uint8_t, 256> m_upper{};
};

CSingleByteCodePage::CSingleByteCodePage(const detail::SingleByteTable& table)
    : m_number(table.number), m_toUnicode(table.toUnicode), m_blocks(1)
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
    out.resize(start + text.size());
    char* dst = out.data() + start;
    for (const char16_t ch : text) {
        if (ch < 0x80) {
            *dst++ = static_cast<char>(ch);
            continue;
        }
        const std::uint8_t byte = lookup(ch);
        if (byte != 0) {
            *dst++ = static_cast<char>(byte);
        } else {
            *dst++ = replacement;
            replaced = true;
        }
    }
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

const CCodePage* singleBytePage(std::uint32_t number)
{
    static const std::vector<CSingleByteCodePage> pages = [] {
        std::vector<CSingleByteCodePage> all;
        all.reserve(detail::kSingleByteTableCount);
        for (const auto& table : detail::kSingleByteTables)
            all.emplace_back(table);
        return all;
    }();
    for (const auto& page : pages) {
        if (page.number() == number)
            return &page;
    }
    return nullptr;
}

const CCodePage& utf8Page()
{
    static const CUtf8CodePage page;
    return page;
}

// Locale codesets compare as glibc normalises them: case and '-' / '_' do not matter.
std::string normalizedCodeset(std::string_view codeset)
{
    std::string result;
    for (const char c : codeset) {
        if (c != '-' && c != '_')
            result += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return result;
}

std::uint32_t parseNumber(std::string_view text)
{
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size())
        return 0;
    return number;
}

// Everything unknown, multi-byte or plain ASCII gives UTF-8: it is a lossless superset of
// ASCII, and the single-byte pages would mangle the multi-byte ones.
std::uint32_t codePageForCodeset(std::string_view codeset)
{
    const std::string name = normalizedCodeset(codeset);
    struct Known {
        std::string_view name;
        std::uint32_t number;
    };
    static constexpr Known kKnown[] = {
        {"UTF8", kCodePageUtf8}, {"ISO88591", 28591}, {"ISO885915", 28605},
        {"ISO88592", 28592},     {"ISO88595", 28595}, {"KOI8R", 20866},
    };
    for (const auto& known : kKnown) {
        if (name == known.name)
            return known.number;
    }
    for (const std::string_view prefix : {std::string_view("WINDOWS"), std::string_view("CP")}) {
        if (name.starts_with(prefix)) {
            const std::uint32_t number = parseNumber(std::string_view(name).substr(prefix.size()));
            if (number != 0 && singleBytePage(number))
                return number;
        }
    }
    return kCodePageUtf8;
}

std::string_view localeCodeset()
{
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0')
            continue;
        const std::string_view locale(value);
        const std::size_t dot = locale.find('.');
        if (dot == std::string_view::npos)
            return {};
        const std::string_view rest = locale.substr(dot + 1);
        return rest.substr(0, rest.find('@'));
    }
    return {};
}

const CCodePage& detectAnsi()
{
    if (const char* acp = std::getenv("BRINDLE_ACP")) {
        const std::uint32_t number = parseNumber(acp);
        if (number != kCodePageAnsi) {
            if (const CCodePage* page = CCodePage::byNumber(number))
                return *page;
        }
    }
    return *CCodePage::byNumber(codePageForCodeset(localeCodeset()));
}

// Detecting twice in a race gives the same page, so no lock is needed.
std::atomic<const CCodePage*> g_ansi{nullptr};

}  // namespace

const CCodePage& CCodePage::ansi()
{
    const CCodePage* page = g_ansi.load(std::memory_order_acquire);
    if (page == nullptr) {
        page = &detectAnsi();
        g_ansi.store(page, std::memory_order_release);
    }
    return *page;
}

void CCodePage::resetAnsiForTesting() { g_ansi.store(nullptr, std::memory_order_release); }

const CCodePage* CCodePage::byNumber(std::uint32_t number)
{
    if (number == kCodePageAnsi)
        return &ansi();
    if (number == kCodePageUtf8)
        return &utf8Page();
    return singleBytePage(number);
}

std::u16string CCodePage::toUtf16(std::string_view bytes) const
{
    std::u16string out;
    appendUtf16(bytes, out);
    return out;
}

std::string CCodePage::toBytes(std::u16string_view text, char replacement) const
{
    std::string out;
    appendBytes(text, out, replacement);
    return out;
}

}  // namespace brindle
