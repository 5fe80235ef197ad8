// Tests for the lossless UTF-8 <-> UTF-16 conversion.
#include "platform/utf8.h"

#include <random>

#include <gtest/gtest.h>

namespace brindle {
namespace {

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::u16string units;
};

// Every case must also encode back to its bytes.
const DecodeCase kDecodeCases[] = {
    {"empty", "", u""},
    {"nul", std::string(1, '\0'), std::u16string(1, u'\0')},
    {"two byte", "\xC3\xA9", u"\u00E9"},
    {"three byte", "\xE2\x82\xAC", u"\u20AC"},
    {"last before surrogates", "\xED\x9F\xBF", u"\uD7FF"},
    {"four byte", "\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
    {"highest code point", "\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"},
    {"overlong two byte", "\xC0\x80", u"\xDCC0\xDC80"},
    {"overlong C1", "\xC1\xBF", u"\xDCC1\xDCBF"},
    {"overlong three byte", "\xE0\x80\x80", u"\xDCE0\xDC80\xDC80"},
    {"overlong three byte top", "\xE0\x9F\xBF", u"\xDCE0\xDC9F\xDCBF"},
    {"overlong four byte", "\xF0\x8F\xBF\xBF", u"\xDCF0\xDC8F\xDCBF\xDCBF"},
    {"encoded high surrogate", "\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},
    {"encoded low surrogate", "\xED\xBF\xBF", u"\xDCED\xDCBF\xDCBF"},
    {"above U+10FFFF", "\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},
    {"F5 lead", "\xF5\x80\x80\x80", u"\xDCF5\xDC80\xDC80\xDC80"},
    {"FE FF", "\xFE\xFF", u"\xDCFE\xDCFF"},
    {"lone continuations", "\x80\xBF", u"\xDC80\xDCBF"},
    {"truncated two byte at end", "a\xC3", u"a\xDCC3"},
    {"truncated three byte at end", "\xE2\x82", u"\xDCE2\xDC82"},
    {"truncated four byte at end", "\xF0\x9F\x98", u"\xDCF0\xDC9F\xDC98"},
    {"truncated then ASCII",
     "\xE2\x82"
     "A",
     u"\xDCE2\xDC82"
     "A"},
    {"bad lead then valid", "\xC0\xC3\xA9", u"\xDCC0\u00E9"},
    {"truncated then valid", "\xE2\xC3\xA9", u"\xDCE2\u00E9"},
    {"four byte cut by valid", "\xF0\x9F\xC3\xA9", u"\xDCF0\xDC9F\u00E9"},
    {"ASCII run ends inside a word", "abcdefghi\xC3\xA9jklmnopq\xFF", u"abcdefghi\u00E9jklmnopq\xDCFF"},
};

TEST(Utf8, DecodesHostileBytesAndEncodesThemBack)
{
    for (const auto& c : kDecodeCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf16FromUtf8Lossless(c.bytes), c.units);
        std::string bytes = "prefix";
        EXPECT_FALSE(appendUtf8FromUtf16Lossless(c.units, bytes));
        EXPECT_EQ(bytes, "prefix" + c.bytes);
    }
}

struct EncodeCase {
    const char* name;
    std::u16string units;
    std::string bytes;
    bool replaced;
};

const EncodeCase kEncodeCases[] = {
    {"U+07FF", u"\u07FF", "\xDF\xBF", false},
    {"U+0800", u"\u0800", "\xE0\xA0\x80", false},
    {"U+FFFF", u"\xFFFF", "\xEF\xBF\xBF", false},
    {"escaped bytes", u"\xDC80\xDCFF", "\x80\xFF", false},
    {"high surrogate completed by an escape unit is a pair", u"\xD800\xDC80", "\xF0\x90\x82\x80", false},
    {"DC7F is not an escape", u"\xDC7F", "?", true},
    {"lone high surrogate",
     u"a\xD800"
     "b",
     "a?b", true},
    {"high surrogate at end", u"a\xD800", "a?", true},
    {"two high surrogates then low", u"\xD800\xD83D\xDE00", "?\xF0\x9F\x98\x80", true},
    {"reversed pair", u"\xDC00\xD800", "??", true},
    {"lone DFFF", u"\xDFFF", "?", true},
};

TEST(Utf8, EncodesLoneSurrogatesAsReplacement)
{
    for (const auto& c : kEncodeCases) {
        SCOPED_TRACE(c.name);
        std::string bytes;
        EXPECT_EQ(appendUtf8FromUtf16Lossless(c.units, bytes), c.replaced);
        EXPECT_EQ(bytes, c.bytes);
    }
    std::string custom;
    EXPECT_TRUE(appendUtf8FromUtf16Lossless(u"\xD800", custom, '_'));
    EXPECT_EQ(custom, "_");
}

// Bytes weighted towards the values that start, continue or break sequences.
std::string randomBytes(std::mt19937& rng, std::size_t length)
{
    static const unsigned char kInteresting[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0,
                                                 0xC1, 0xC2, 0xDF, 0xE0, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF};
    std::uniform_int_distribution<int> any(0, 255);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kInteresting) - 1);
    std::string bytes;
    for (std::size_t i = 0; i < length; ++i)
        bytes += static_cast<char>(any(rng) % 2 ? kInteresting[pick(rng)] : any(rng));
    return bytes;
}

TEST(Utf8, EveryByteStringRoundTrips)
{
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<std::size_t> length(0, 40);
    for (int i = 0; i < 20000; ++i) {
        const std::string bytes = randomBytes(rng, length(rng));
        const std::u16string units = utf16FromUtf8Lossless(bytes);
        std::string back;
        ASSERT_FALSE(appendUtf8FromUtf16Lossless(units, back)) << testing::PrintToString(bytes);
        ASSERT_EQ(back, bytes);
        EXPECT_EQ(nativePath(pathFromNative(bytes)), bytes);
    }
}

TEST(Utf8, ValidUtf16RoundTripsAcrossChunkBoundaries)
{
    // Several thousand units of each length class, with pairs at odd offsets, so that pairs
    // straddle the encoder's internal chunk ends and output sizing is at its worst.
    std::mt19937 rng(7);
    std::uniform_int_distribution<std::uint32_t> kind(0, 3);
    std::u16string text;
    while (text.size() < 20000) {
        switch (kind(rng)) {
        case 0: text += u'x'; break;
        case 1: text += u'\u00E9'; break;
        case 2: text += u'\u4E2D'; break;
        default: text += u"\xD83D\xDE00"; break;
        }
    }
    const std::string bytes = utf8FromUtf16Lossless(text);
    EXPECT_EQ(utf16FromUtf8Lossless(bytes), text);

    // A pair split exactly at 4096 units after the widest possible prefix.
    const std::u16string straddle = std::u16string(4095, u'\u4E2D') + u"\xD83D\xDE00z";
    std::string wide;
    EXPECT_FALSE(appendUtf8FromUtf16Lossless(straddle, wide));
    EXPECT_EQ(wide.size(), 3 * 4095u + 5u);
    EXPECT_EQ(utf16FromUtf8Lossless(wide), straddle);
}

}  // namespace
}  // namespace brindle
