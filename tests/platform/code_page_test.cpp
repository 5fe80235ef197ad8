// Tests for the code pages: byte tables, encoding with replacement, upper-casing, ANSI choice.
#include "platform/code_page.h"

#include <cstdlib>
#include <optional>

#include <gtest/gtest.h>

#include "platform/unicode_case.h"

namespace brindle {
namespace {

const std::uint32_t kSingleBytePages[] = {874,  1250,  1251,  1252,  1253,  1254,  1255, 1256,
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
    std::uint8_t byte;
    char16_t unit;
};

const ByteCase kByteCases[] = {
    {1252, 0x80, 0x20AC}, {1252, 0x81, 0x0081},  {1252, 0x9F, 0x0178}, {1252, 0xE9, 0x00E9},
    {1252, 0x00, 0x0000}, {28591, 0x80, 0x0080}, {28591, 0xA4, 0x00A4}, {28605, 0xA4, 0x20AC},
    {28605, 0xBE, 0x0178}, {1251, 0xC0, 0x0410}, {1251, 0xA8, 0x0401}, {1251, 0x98, 0x0098},
    {20866, 0xC1, 0x0430}, {20866, 0xE1, 0x0410}, {28595, 0xB0, 0x0410}, {28592, 0xA1, 0x0104},
    {1250, 0x8A, 0x0160}, {1253, 0xC1, 0x0391},  {1254, 0xDD, 0x0130}, {1254, 0xFD, 0x0131},
    {1255, 0xE0, 0x05D0}, {1256, 0xC7, 0x0627},  {1257, 0xC0, 0x0104}, {1258, 0xD2, 0x0309},
    {874, 0xA1, 0x0E01},
};

TEST(CodePage, KnownBytes)
{
    for (const auto& c : kByteCases) {
        SCOPED_TRACE(testing::Message() << c.page << " byte " << int(c.byte));
        const CCodePage& cp = page(c.page);
        EXPECT_EQ(cp.toUtf16(std::string(1, static_cast<char>(c.byte))), std::u16string(1, c.unit));
        EXPECT_EQ(cp.toBytes(std::u16string(1, c.unit)), std::string(1, static_cast<char>(c.byte)));
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
    {1252, u"a\u4E2D" "b", '#', "a#b", true},
    {1252, u"\u0100", '?', "?", true},  // no best fit to 'A'
    {1252, u"\xD800", '?', "?", true},
    {1252, u"\u00E9\u20AC", '?', "\xE9\x80", false},
    {28591, u"\u20AC", '?', "?", true},
    {1251, u"\u0410\u00E9", '?', "\xC0?", true},
    {20866, u"\u0410", '?', "\xE1", false},
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
    {1252, 'a', 'A'},   {1252, 'z', 'Z'},   {1252, 'A', 'A'},   {1252, '{', '{'},   {1252, 0xE9, 0xC9},
    {1252, 0xE0, 0xC0}, {1252, 0xFE, 0xDE}, {1252, 0xFF, 0x9F}, {1252, 0x9A, 0x8A}, {1252, 0x9C, 0x8C},
    {1252, 0xB5, 0xB5}, {1252, 0xDF, 0xDF}, {1252, 0xF7, 0xF7}, {1252, 0xC9, 0xC9}, {1251, 0xE0, 0xC0},
    {1251, 0xFF, 0xDF}, {1251, 0xB8, 0xA8}, {1251, 0x9A, 0x8A}, {1251, 0xA2, 0xA1}, {1251, 0xB3, 0xB2},
    {1251, 0xBC, 0xA3}, {1251, 0x83, 0x81}, {1251, 0xB4, 0xA5}, {1251, 0xC0, 0xC0}, {20866, 0xC1, 0xE1},
    {20866, 0xA3, 0xB3}, {1253, 0xE1, 0xC1}, {1253, 0xF2, 0xD3}, {1253, 0xDC, 0xA2}, {1253, 0xB5, 0xCC},
    {1254, 0xFD, 'I'},  {1254, 'i', 'I'},   {1254, 0xDD, 0xDD}, {kCodePageUtf8, 'a', 'a'},
    {kCodePageUtf8, 0xC3, 0xC3},
};

TEST(CodePage, UpperByte)
{
    for (const auto& c : kUpperCases) {
        EXPECT_EQ(int(page(c.page).upperByte(c.byte)), int(c.upper))
            << c.page << " byte " << std::hex << int(c.byte);
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

TEST(CodePage, ByNumber)
{
    EXPECT_EQ(CCodePage::byNumber(kCodePageAnsi), &CCodePage::ansi());
    for (const std::uint32_t unknown : {1u, 437u, 850u, 932u, 1200u, 65000u, 28599u})
        EXPECT_EQ(CCodePage::byNumber(unknown), nullptr) << unknown;
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
    {nullptr, nullptr, nullptr, "xx_XX.CP437", 65001},
    {nullptr, nullptr, nullptr, "ja_JP.EUC-JP", 65001},
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
