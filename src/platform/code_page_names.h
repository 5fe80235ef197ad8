// Windows code-page numbers <-> the names of character sets in iconv and in locale names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

// The iconv names to try, in order, for a Windows code-page number: the names glibc gives the
// page (KOI8-R for 20866, ISO-8859-2 for 28592, GB18030 for 54936, ...) or "CP" and the number.
// Whether iconv knows a name is for the caller to find out.
std::vector<std::string> iconvNamesFor(std::uint32_t number);

// The number that text is all of ("1252"), or 0 when it is not a number.
std::uint32_t parseCodePageNumber(std::string_view text);

// The Windows code-page number of a locale's character set ("ISO-8859-15", "SJIS", "gbk",
// "windows-1250", "CP437"; case, '-' and '_' do not matter), or 0 for one without a number.
std::uint32_t codePageForCodeset(std::string_view codeset);

}  // namespace brindle
