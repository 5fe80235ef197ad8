// Tests for the code pages: known bytes, lossless round trips, encoding with replacement,
// upper-casing, ANSI choice.
#include "platform/code_page.h"

#include <cstdlib>
#include <optional>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "platform/unicode_case.h"

namespace brindle {
namespace {

const std::uint32_t kSingleBytePages[] = {874,  1250, 1251,  1252,  1253,  1254,  1255, 1256,
                                          1257, 1258, 20866, 28591, 28592, 28595, 28605};

const CCodePage& page(std::uint32_t number)
{
    const CCodePage* found = CCodePage::byNumber(number);
    EXPECT_NE(found, nullptr) << number;
    return found != nullptr ? *found : CCodePage::ansi();
}

std::string allBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

TEST(CodePage, EverySingleBytePageRoundTripsAllBytes)
{
    for (const std::uint32_t number : kSingleBytePages) {
        SCOPED_TRACE(number);
        const CCodePage& cp = page(number);
        EXPECT_EQ(cp.number(), number);
        EXPECT_TRUE(cp.isSingleByte());
        EXPECT_EQ(CCodePage::byNumber(number), &cp);
        std::u16string units = u"pre";
        cp.appendUtf16(allBytes(), units);
        ASSERT_EQ(units.size(), 259u);
        std::string back = "pre";
        EXPECT_FALSE(cp.appendBytes(units.substr(3), back));
        EXPECT_EQ(back, "pre" + allBytes());
        for (int b = 0; b < 256; ++b) {
            std::uint8_t byte = 0;
            EXPECT_TRUE(cp.byteFor(units[3 + b], byte));
            EXPECT_EQ(byte, b);
        }
    }
}

struct ByteCase {
    std::uint32_t page;
    std::string bytes;
    std::u16string units;
};

const ByteCase kByteCases[] = {
    {1252, "\x80", u"\u20AC"},
    {1252, "\x81", u"\u0081"},
    {1252, "\x9F", u"\u0178"},
    {1252, "\xE9", u"\u00E9"},
    {1252, std::string(1, '\0'), std::u16string(1, u'\0')},
    {28591, "\x80", u"\u0080"},
    {28591, "\xA4", u"\u00A4"},
    {28605, "\xA4", u"\u20AC"},
    {28605, "\xBE", u"\u0178"},
    {1251, "\xC0", u"\u0410"},
    {1251, "\xA8", u"\u0401"},
    {1251, "\x98", u"\u0098"},
    {20866, "\xC1", u"\u0430"},
    {20866, "\xE1", u"\u0410"},
    {28595, "\xB0", u"\u0410"},
    {28592, "\xA1", u"\u0104"},
    {1250, "\x8A", u"\u0160"},
    {1253, "\xC1", u"\u0391"},
    {1254, "\xDD", u"\u0130"},
    {1254, "\xFD", u"\u0131"},
    {1255, "\xE0", u"\u05D0"},
    {1256, "\xC7", u"\u0627"},
    {1257, "\xC0", u"\u0104"},
    {1258, "\xD2", u"\u0309"},
    {874, "\xA1", u"\u0E01"},
    {437, "\x80", u"\u00C7"},
    {850, "\x9B", u"\u00F8"},
    // Accents after a letter stay two characters: 1258 is read byte by byte, never composed.
    {1258, "A\xEC", u"A\u0301"},
    {932, "\x82\xA0", u"\u3042"},
    {932, "\xB1", u"\uFF71"},
    {932, "\x83\x5C", u"\u30BD"},
    {932, "\xFA\x5C", u"\u7E8A"},
    {936, "\xD6\xD0", u"\u4E2D"},
    {936, "\x80", u"\u20AC"},
    {950, "\xA4\xA4", u"\u4E2D"},
    {949, "\xC7\xD1", u"\uD55C"},
    {54936, "\x94\x39\xFC\x36", u"\U0001F600"},
};

TEST(CodePage, KnownBytes)
{
    for (const auto& c : kByteCases) {
        SCOPED_TRACE(testing::Message() << c.page << " " << testing::PrintToString(c.bytes));
        const CCodePage& cp = page(c.page);
        EXPECT_EQ(cp.toUtf16(c.bytes), c.units);
        EXPECT_EQ(cp.toBytes(c.units), c.bytes);
    }
}

// Bytes that are no character of a multi-byte page are kept one by one as 0xDC00 + byte, and
// decoding goes on with the next byte, which may start a character of its own.
TEST(CodePage, MultiByteKeepsBytesItCannotDecode)
{
    const ByteCase cases[] = {
        {932, "a\x82", u"a\xDC82"},                // cut off at the end
        {932, "\x82 \x82\xA0", u"\xDC82 \u3042"},  // lead byte before a space
        {932, "\x80\xA0\xFD\xFE\xFF", u"\xDC80\xDCA0\xDCFD\xDCFE\xDCFF"},
        {936, "\xD6\xD0\xFF\xD6", u"\u4E2D\xDCFF\xDCD6"},
        {950, "\x81\xA4\xA4\xA4", u"\xDC81\u4E2D\xDCA4"},
        {949, "\xC7", u"\xDCC7"},
        {54936, "\x81\x30",
         u"\xDC81"
         "0"},  // four-byte character cut after two
        // NEC's row of a kanji that 932 encodes to IBM's row (FA 5C) is kept as bytes.
        {932, "\xED\x40\xFA\x5C", u"\xDCED@\u7E8A"},
        {950, "\xA2\xCC", u"\xDCA2\xDCCC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.page << " " << testing::PrintToString(c.bytes));
        const CCodePage& cp = page(c.page);
        EXPECT_EQ(cp.toUtf16(c.bytes), c.units);
        std::string back;
        EXPECT_FALSE(cp.appendBytes(c.units, back));
        EXPECT_EQ(back, c.bytes);
    }
}

const std::uint32_t kMultiBytePages[] = {932, 936, 949, 950, 20932, 51949, 54936};

// Whatever the bytes, decoding and encoding give them back, on every page.
TEST(CodePage, RandomBytesRoundTrip)
{
    std::mt19937 random(5);
    std::vector<std::uint32_t> pages(std::begin(kSingleBytePages), std::end(kSingleBytePages));
    pages.insert(pages.end(), std::begin(kMultiBytePages), std::end(kMultiBytePages));
    pages.insert(pages.end(), {437u, 850u, kCodePageUtf8});
    for (const std::uint32_t number : pages) {
        SCOPED_TRACE(number);
        const CCodePage& cp = page(number);
        for (int round = 0; round < 200; ++round) {
            std::string bytes(random() % 24, '\0');
            // Mostly high bytes, so that lead and trail bytes meet in every order.
            for (char& c : bytes)
                c = static_cast<char>(random() % 4 == 0 ? random() % 0x80 : 0x80 + random() % 0x80);
            std::string back;
            EXPECT_FALSE(cp.appendBytes(cp.toUtf16(bytes), back)) << testing::PrintToString(bytes);
            ASSERT_EQ(back, bytes);
        }
    }
}

struct EncodeCase {
    std::uint32_t page;
    std::u16string text;
    char replacement;
    std::string bytes;
    bool replaced;
};

const EncodeCase kEncodeCases[] = {
    {1252, u"\u4E2D", '?', "?", true},
    {1252,
     u"a\u4E2D"
     "b",
     '#', "a#b", true},
    {1252, u"\u0100", '?', "?", true},  // no best fit to 'A'
    {1252, u"\xD800", '?', "?", true},
    {1252, u"\u00E9\u20AC", '?', "\xE9\x80", false},
    {1252,
     u"a\U0001F600"
     "b",
     '?', "a?b", true},                     // one replacement for a surrogate pair
    {1252, u"\xDC9D", '?', "\x9D", false},  // a kept byte goes back
    {28591, u"\u20AC", '?', "?", true},
    {1251, u"\u0410\u00E9", '?', "\xC0?", true},
    {20866, u"\u0410", '?', "\xE1", false},
    {932,
     u"\u3042\u00E9"
     "b",
     '?', "\x82\xA0?b", true},
    {932,
     u"\U0001F600\xD800"
     "a\xDC82",
     '_', "__a\x82", true},
    {936, u"\U0001F600", '?', "?", true},
    {54936, u"\U0001F600\xDBFF", '?', "\x94\x39\xFC\x36?", true},
    {kCodePageUtf8, u"\u4E2D\xDCFF", '?', "\xE4\xB8\xAD\xFF", false},
    {kCodePageUtf8, u"a\xD800", '_', "a_", true},
};

TEST(CodePage, UnrepresentableUnitsBecomeReplacement)
{
    for (const auto& c : kEncodeCases) {
        SCOPED_TRACE(testing::Message() << c.page << " " << testing::PrintToString(c.bytes));
        std::string out;
        EXPECT_EQ(page(c.page).appendBytes(c.text, out, c.replacement), c.replaced);
        EXPECT_EQ(out, c.bytes);
    }
}

struct UpperCase {
    std::uint32_t page;
    std::uint8_t byte;
    std::uint8_t upper;
};

const UpperCase kUpperCases[] = {
    {1252, 'a', 'A'},    {1252, 'z', 'Z'},   {1252, 'A', 'A'},   {1252, '{', '{'},          {1252, 0xE9, 0xC9},
    {1252, 0xE0, 0xC0},  {1252, 0xFE, 0xDE}, {1252, 0xFF, 0x9F}, {1252, 0x9A, 0x8A},        {1252, 0x9C, 0x8C},
    {1252, 0xB5, 0xB5},  {1252, 0xDF, 0xDF}, {1252, 0xF7, 0xF7}, {1252, 0xC9, 0xC9},        {1251, 0xE0, 0xC0},
    {1251, 0xFF, 0xDF},  {1251, 0xB8, 0xA8}, {1251, 0x9A, 0x8A}, {1251, 0xA2, 0xA1},        {1251, 0xB3, 0xB2},
    {1251, 0xBC, 0xA3},  {1251, 0x83, 0x81}, {1251, 0xB4, 0xA5}, {1251, 0xC0, 0xC0},        {20866, 0xC1, 0xE1},
    {20866, 0xA3, 0xB3}, {1253, 0xE1, 0xC1}, {1253, 0xF2, 0xD3}, {1253, 0xDC, 0xA2},        {1253, 0xB5, 0xCC},
    {1254, 0xFD, 'I'},   {1254, 'i', 'I'},   {1254, 0xDD, 0xDD}, {kCodePageUtf8, 'a', 'a'}, {kCodePageUtf8, 0xC3, 0xC3},
    {437, 0x87, 0x80},   {932, 0x82, 0x82},  {932, 'a', 'a'},
};

TEST(CodePage, UpperByte)
{
    for (const auto& c : kUpperCases) {
        EXPECT_EQ(int(page(c.page).upperByte(c.byte)), int(c.upper)) << c.page << " byte " << std::hex << int(c.byte);
    }
}

// Guards the reverse lookup the upper table is built from, on every page and byte.
TEST(CodePage, UpperByteAgreesWithUnicodeAndIsStable)
{
    for (const std::uint32_t number : kSingleBytePages) {
        const CCodePage& cp = page(number);
        for (int b = 0; b < 256; ++b) {
            const auto byte = static_cast<std::uint8_t>(b);
            const std::uint8_t upper = cp.upperByte(byte);
            const char16_t unit = cp.toUtf16(std::string(1, static_cast<char>(byte)))[0];
            const char16_t upperUnit = cp.toUtf16(std::string(1, static_cast<char>(upper)))[0];
            EXPECT_TRUE(upper == byte || upperUnit == simpleUpper(unit)) << number << " byte " << b;
            EXPECT_EQ(cp.upperByte(upper), upper) << number << " byte " << b;
        }
    }
}

TEST(CodePage, Utf8PageIsLossless)
{
    const CCodePage& cp = page(kCodePageUtf8);
    EXPECT_EQ(cp.number(), kCodePageUtf8);
    EXPECT_FALSE(cp.isSingleByte());
    const std::string bytes = "a\xC3\xA9\xFF\xED\xA0\x80";
    EXPECT_EQ(cp.toUtf16(bytes), u"a\u00E9\xDCFF\xDCED\xDCA0\xDC80");
    EXPECT_EQ(cp.toBytes(cp.toUtf16(bytes)), bytes);
    std::uint8_t byte = 0;
    EXPECT_TRUE(cp.byteFor(u'A', byte));
    EXPECT_EQ(byte, 'A');
    EXPECT_FALSE(cp.byteFor(0x00E9, byte));
}

struct NumberCase {
    std::uint32_t number;
    bool known;
    bool singleByte;
};

// Pages iconv knows are there; pages that are not ASCII with CR and LF of their own are not.
const NumberCase kNumberCases[] = {
    {437, true, true},     {850, true, true},  {1252, true, true},   {28599, true, true},
    {932, true, false},    {936, true, false}, {949, true, false},   {950, true, false},
    {54936, true, false},  {1, false, false},  {999, false, false},  {1200, false, false},
    {65000, false, false}, {37, false, false}, {1361, false, false}, {50220, false, false},
};

TEST(CodePage, ByNumber)
{
    EXPECT_EQ(CCodePage::byNumber(kCodePageAnsi), &CCodePage::ansi());
    for (const auto& c : kNumberCases) {
        SCOPED_TRACE(c.number);
        const CCodePage* cp = CCodePage::byNumber(c.number);
        ASSERT_EQ(cp != nullptr, c.known);
        if (cp) {
            EXPECT_EQ(cp->number(), c.number);
            EXPECT_EQ(cp->isSingleByte(), c.singleByte);
            EXPECT_EQ(CCodePage::byNumber(c.number), cp);
        }
    }
}

TEST(CodePage, ByteForOnMultiBytePages)
{
    const CCodePage& cp = page(932);
    std::uint8_t byte = 0;
    EXPECT_TRUE(cp.byteFor(u'A', byte));
    EXPECT_EQ(byte, 'A');
    EXPECT_TRUE(cp.byteFor(0xFF71, byte));  // half-width katakana: one byte
    EXPECT_EQ(byte, 0xB1);
    EXPECT_FALSE(cp.byteFor(0x3042, byte));  // two bytes
    EXPECT_FALSE(cp.byteFor(0xFFFF, byte));
}

// Sets the locale variables for one test and puts back what CTest gave us.
class AnsiCodePage : public testing::Test {
protected:
    static constexpr const char* kVariables[] = {"BRINDLE_ACP", "LC_ALL", "LC_CTYPE", "LANG"};

    void SetUp() override
    {
        for (std::size_t i = 0; i < std::size(kVariables); ++i) {
            if (const char* value = std::getenv(kVariables[i]))
                m_saved[i] = value;
        }
    }

    void TearDown() override
    {
        for (std::size_t i = 0; i < std::size(kVariables); ++i)
            set(kVariables[i], m_saved[i] ? m_saved[i]->c_str() : nullptr);
        CCodePage::resetAnsiForTesting();
    }

    static void set(const char* name, const char* value)
    {
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }

    std::optional<std::string> m_saved[std::size(kVariables)];
};

struct AnsiCase {
    const char* acp;
    const char* lcAll;
    const char* lcCtype;
    const char* lang;
    std::uint32_t expected;
};

const AnsiCase kAnsiCases[] = {
    {"1252", nullptr, nullptr, nullptr, 1252},
    {"1251", nullptr, nullptr, "C.UTF-8", 1251},
    {"65001", nullptr, nullptr, "de_DE.ISO-8859-1", 65001},
    {"0", nullptr, nullptr, "de_DE.ISO-8859-1", 28591},
    {"999", nullptr, nullptr, "de_DE.ISO-8859-1", 28591},
    {"125x", nullptr, nullptr, "ru_RU.KOI8-R", 20866},
    {"", nullptr, nullptr, "pl_PL.ISO-8859-2", 28592},
    {nullptr, nullptr, nullptr, nullptr, 65001},
    {nullptr, nullptr, nullptr, "", 65001},
    {nullptr, nullptr, nullptr, "C", 65001},
    {nullptr, nullptr, nullptr, "POSIX", 65001},
    {nullptr, nullptr, nullptr, "C.UTF-8", 65001},
    {nullptr, nullptr, nullptr, "en_US.utf8@euro", 65001},
    {nullptr, nullptr, nullptr, "de_DE.ISO-8859-15@euro", 28605},
    {nullptr, nullptr, nullptr, "de_DE.iso885915", 28605},
    {nullptr, nullptr, nullptr, "ru_RU.iso88595", 28595},
    {nullptr, nullptr, nullptr, "ru_RU.CP1251", 1251},
    {nullptr, nullptr, nullptr, "cs_CZ.windows-1250", 1250},
    {nullptr, nullptr, nullptr, "xx_XX.CP437", 437},
    {nullptr, nullptr, nullptr, "ja_JP.EUC-JP", 20932},
    {nullptr, nullptr, nullptr, "ja_JP.SJIS", 932},
    {nullptr, nullptr, nullptr, "zh_CN.gbk", 936},
    {nullptr, nullptr, nullptr, "zh_CN.GB18030", 54936},
    {nullptr, nullptr, nullptr, "zh_TW.Big5", 950},
    {nullptr, nullptr, nullptr, "ko_KR.eucKR", 51949},
    {nullptr, nullptr, nullptr, "xx_XX.IBM037", 65001},
    {nullptr, nullptr, nullptr, "xx_XX.ISO-8859-16", 65001},
    {"932", nullptr, nullptr, "C.UTF-8", 932},
    {"1200", nullptr, nullptr, "zh_TW.BIG5", 950},
    {nullptr, nullptr, nullptr, "de_DE", 65001},
    {nullptr, "de_DE.ISO-8859-1", "ru_RU.KOI8-R", "C.UTF-8", 28591},
    {nullptr, "", "ru_RU.KOI8-R", "C.UTF-8", 20866},
    {nullptr, "C", "ru_RU.KOI8-R", "de_DE.ISO-8859-1", 65001},
};

TEST_F(AnsiCodePage, ChosenFromEnvironment)
{
    for (const auto& c : kAnsiCases) {
        SCOPED_TRACE(testing::Message() << (c.acp ? c.acp : "-") << " " << (c.lcAll ? c.lcAll : "-") << " "
                                        << (c.lcCtype ? c.lcCtype : "-") << " " << (c.lang ? c.lang : "-"));
        set("BRINDLE_ACP", c.acp);
        set("LC_ALL", c.lcAll);
        set("LC_CTYPE", c.lcCtype);
        set("LANG", c.lang);
        CCodePage::resetAnsiForTesting();
        EXPECT_EQ(CCodePage::ansi().number(), c.expected);
        EXPECT_EQ(CCodePage::byNumber(kCodePageAnsi), &CCodePage::ansi());
    }
}

TEST_F(AnsiCodePage, CachedUntilReset)
{
    set("BRINDLE_ACP", "1251");
    CCodePage::resetAnsiForTesting();
    EXPECT_EQ(CCodePage::ansi().number(), 1251u);
    set("BRINDLE_ACP", "1253");
    EXPECT_EQ(CCodePage::ansi().number(), 1251u);
    CCodePage::resetAnsiForTesting();
    EXPECT_EQ(CCodePage::ansi().number(), 1253u);
}

}  // namespace
}  // namespace brindle
