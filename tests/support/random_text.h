// Random text files with a byte-order mark, for round trips through the text-file layer.
#pragma once

#include "engine/text_encoding.h"

#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>

namespace brindle::test {

inline std::string byteOrderMark(int encoding)
{
    switch (encoding) {
    case kEncodingUtf16Be: return "\xFE\xFF";
    case kEncodingUtf16Le: return "\xFF\xFE";
    case kEncodingUtf8: return "\xEF\xBB\xBF";
    default: return "";
    }
}

// Bytes that start, continue and break UTF-8 sequences, whole sequences of two to four bytes,
// and never CR or LF.
inline void appendRandomUtf8(std::mt19937& rng, std::string& out)
{
    static const unsigned char kEdges[] = {0x00, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1,
                                           0xC2, 0xDF, 0xE0, 0xE9, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF};
    static const char* const kSequences[] = {"\xC3\xA9",         "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                                             "\xF4\x8F\xBF\xBF", "\xED\x9F\xBF", "\xEF\xBB\xBF"};
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_int_distribution<int> anyByte(0, 255);
    switch (kind(rng)) {
    case 0:
    case 1: out += kSequences[static_cast<std::size_t>(anyByte(rng)) % std::size(kSequences)]; return;
    case 2:
    case 3: out += static_cast<char>(kEdges[static_cast<std::size_t>(anyByte(rng)) % std::size(kEdges)]); return;
    case 4:
    case 5: {
        const int b = anyByte(rng);
        out += static_cast<char>(b == '\r' || b == '\n' ? 'x' : b);
        return;
    }
    default: out += static_cast<char>(' ' + anyByte(rng) % 95); return;
    }
}

inline void appendUtf16Unit(char16_t unit, bool bigEndian, std::string& out)
{
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

// Units of every kind, lone and paired surrogates among them, and never CR or LF.
inline char16_t randomUtf16Unit(std::mt19937& rng)
{
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_int_distribution<int> anyUnit(0, 0xFFFF);
    switch (kind(rng)) {
    case 0:
    case 1: return static_cast<char16_t>(0xD800 + anyUnit(rng) % 0x800);
    case 2: return static_cast<char16_t>(0xDC00 + anyUnit(rng) % 0x100);
    case 3:
    case 4:
    case 5: return static_cast<char16_t>(' ' + anyUnit(rng) % 95);
    default: {
        const auto unit = static_cast<char16_t>(anyUnit(rng));
        return unit == u'\r' || unit == u'\n' ? u'x' : unit;
    }
    }
}

// A file in encoding (kEncodingUtf16Be, kEncodingUtf16Le or kEncodingUtf8) with its mark and
// `length` pieces of text, some of them line ends picked from lineEnds (none when it is empty). A
// UTF-16 file ends with an odd byte about every other time.
inline std::string randomMarkedFile(std::mt19937& rng, int encoding, std::size_t length,
                                    std::initializer_list<std::u16string_view> lineEnds)
{
    const bool utf8 = encoding == kEncodingUtf8;
    const bool bigEndian = encoding == kEncodingUtf16Be;
    std::uniform_int_distribution<int> percent(0, 99);
    std::string file = byteOrderMark(encoding);
    for (std::size_t i = 0; i < length; ++i) {
        if (lineEnds.size() > 0 && percent(rng) < 8) {
            const auto pick = static_cast<std::size_t>(percent(rng)) % lineEnds.size();
            const std::u16string_view lineEnd = lineEnds.begin()[pick];
            for (const char16_t unit : lineEnd) {
                if (utf8)
                    file += static_cast<char>(unit);
                else
                    appendUtf16Unit(unit, bigEndian, file);
            }
        } else if (utf8) {
            appendRandomUtf8(rng, file);
        } else {
            appendUtf16Unit(randomUtf16Unit(rng), bigEndian, file);
        }
    }
    if (!utf8 && percent(rng) < 50)
        file += static_cast<char>(std::uniform_int_distribution<int>(0, 255)(rng));
    return file;
}

}  // namespace brindle::test
