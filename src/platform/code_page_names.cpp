#include "platform/code_page_names.h"

#include <cctype>
#include <charconv>

namespace brindle {

namespace {

struct SNamedPage {
    std::uint32_t number;
    std::string_view name;
};

// Pages whose iconv name is not "CP" and the number, with fall-backs where glibc has a page
// under more than one name.
constexpr SNamedPage kIconvNames[] = {
    {932, "CP932"},         {932, "SJIS"},          {936, "CP936"},        {936, "GBK"},          {949, "CP949"},
    {949, "UHC"},           {950, "CP950"},         {950, "BIG5"},         {10000, "MACINTOSH"},  {20866, "KOI8-R"},
    {21866, "KOI8-U"},      {20932, "EUC-JP"},      {51932, "EUC-JP"},     {51936, "EUC-CN"},     {51949, "EUC-KR"},
    {54936, "GB18030"},     {28591, "ISO-8859-1"},  {28592, "ISO-8859-2"}, {28593, "ISO-8859-3"}, {28594, "ISO-8859-4"},
    {28595, "ISO-8859-5"},  {28596, "ISO-8859-6"},  {28597, "ISO-8859-7"}, {28598, "ISO-8859-8"}, {28599, "ISO-8859-9"},
    {28603, "ISO-8859-13"}, {28605, "ISO-8859-15"},
};

// Locale character sets, as normalizedCodeset() writes them, that name a page of their own.
constexpr SNamedPage kCodesets[] = {
    {65001, "UTF8"},    {932, "SJIS"},        {932, "SHIFTJIS"},    {936, "GBK"},       {949, "UHC"},
    {950, "BIG5"},      {10000, "MACINTOSH"}, {20866, "KOI8R"},     {21866, "KOI8U"},   {20932, "EUCJP"},
    {51936, "GB2312"},  {51936, "EUCCN"},     {51949, "EUCKR"},     {54936, "GB18030"}, {874, "TIS620"},
    {874, "ISO885911"}, {28603, "ISO885913"}, {28605, "ISO885915"},
};

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

// "CP1251", "WINDOWS1250", "IBM850", and ISO-8859-1 to -9 (28591 to 28599).
std::uint32_t numberedCodeset(std::string_view name)
{
    constexpr std::string_view kIso = "ISO8859";
    if (name.starts_with(kIso)) {
        const std::uint32_t part = parseCodePageNumber(name.substr(kIso.size()));
        return part >= 1 && part <= 9 ? 28590 + part : 0;
    }
    constexpr std::string_view kPrefixes[] = {"WINDOWS", "CP", "IBM"};
    for (const std::string_view prefix : kPrefixes) {
        if (name.starts_with(prefix))
            return parseCodePageNumber(name.substr(prefix.size()));
    }
    return 0;
}

}  // namespace

std::uint32_t parseCodePageNumber(std::string_view text)
{
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size())
        return 0;
    return number;
}

std::vector<std::string> iconvNamesFor(std::uint32_t number)
{
    std::vector<std::string> names;
    for (const SNamedPage& page : kIconvNames) {
        if (page.number == number)
            names.emplace_back(page.name);
    }
    if (names.empty())
        names.push_back("CP" + std::to_string(number));
    return names;
}

std::uint32_t codePageForCodeset(std::string_view codeset)
{
    const std::string name = normalizedCodeset(codeset);
    for (const SNamedPage& page : kCodesets) {
        if (page.name == name)
            return page.number;
    }
    return numberedCodeset(name);
}

}  // namespace brindle
