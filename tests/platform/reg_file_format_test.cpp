#include "platform/reg_file_format.h"

#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

const std::u16string kKey = u"Software\\Tollan Software Inc.\\Brindle\\Settings";

CRegistryData reparsed(const CRegistryData& data)
{
    CRegistryData result;
    SRegParseError error;
    EXPECT_TRUE(result.parse(data.serialize(), &error)) << error.line << ": " << error.message;
    return result;
}

TEST(RegFileFormat, TrickyTextsSurviveAsNamesValuesAndKeys)
{
    const std::u16string texts[] = {
        u"",
        u"\"quoted\" and \\\"escaped\\\"",
        u"C:\\folder\\",
        u"\\",
        u"line one\r\nline two\nthree\rfour",
        u"a=b\"=\"c",
        u"]",
        u"[Key]",
        u"@",
        u";not a comment",
        u"hex:01,02",
        u"\\u0041 is not an escape",
        u"  padded  ",
        u"tab\there\x0001\x001F",
        u"\u00e9\u4e2d\U0001F600",
        u"\xD800",
        u"x\xDBFFy",
        u"\xDFFF\xD800",
        u"\xDC80",
        u"\xDCC3\xDCA9",  // the byte form of these two would decode as one letter
        u"trailing backslash\\",
    };
    // Names are unique by their number, whatever the text.
    auto nameOf = [](const std::u16string& text, int index) { return text + u"#" + u16(std::to_string(index)); };
    CRegistryData data;
    int index = 0;
    for (const std::u16string& text : texts) {
        const std::u16string name = nameOf(text, index++);
        data.set(kKey, name, SRegValue::fromString(text));
        if (CRegistryData::isStorableKey(text))
            data.set(u"Keys\\" + text, u"", SRegValue::fromString(text));
    }
    const CRegistryData copy = reparsed(data);
    index = 0;
    for (const std::u16string& text : texts) {
        const std::u16string name = nameOf(text, index++);
        EXPECT_EQ(copy.readString(kKey, name), text) << u8(name);
        if (CRegistryData::isStorableKey(text)) {
            EXPECT_EQ(copy.readString(u"Keys\\" + text, u""), text) << u8(text);
        }
    }
    EXPECT_EQ(copy.serialize(), data.serialize());
}

TEST(RegFileFormat, DwordAndBinaryRoundTrip)
{
    const std::uint32_t dwords[] = {0, 10, 0x7fffffff, 0x80000000, 0xffffffff};
    std::vector<std::vector<std::uint8_t>> blobs = {{}, {0}, {0x00, 0xff, 0x7f, 0x80}, std::vector<std::uint8_t>(300, 0xa5)};
    CRegistryData data;
    for (std::uint32_t value : dwords)
        data.set(kKey, u"d" + u16(std::to_string(value)), SRegValue::fromDword(value));
    for (std::size_t i = 0; i < blobs.size(); ++i)
        data.set(kKey, u"b" + u16(std::to_string(i)), SRegValue::fromBinary(blobs[i]));
    const CRegistryData copy = reparsed(data);
    for (std::uint32_t value : dwords)
        EXPECT_EQ(copy.readDword(kKey, u"d" + u16(std::to_string(value))), value);
    for (std::size_t i = 0; i < blobs.size(); ++i)
        EXPECT_EQ(copy.readBinary(kKey, u"b" + u16(std::to_string(i))), blobs[i]);
}

TEST(RegFileFormat, WritesTheDocumentedLayout)
{
    CRegistryData data;
    data.set(u"Software\\A", u"Font Name", SRegValue::fromString(u"Times \"New\" Roman"));
    data.set(u"Software\\A", u"Font Size", SRegValue::fromDword(10));
    data.set(u"Software\\B", u"", SRegValue::fromBinary({0x01, 0xab}));
    data.set(u"Software\\B", u"Empty", SRegValue::fromBinary({}));
    data.set(u"Software\\A", u"Path", SRegValue::fromString(u"C:\\x\r\n"));
    EXPECT_EQ(data.serialize(),
              "Windows Registry Editor Version 5.00\n"
              "\n"
              "[Software\\A]\n"
              "\"Font Name\"=\"Times \\\"New\\\" Roman\"\n"
              "\"Font Size\"=dword:0000000a\n"
              "\"Path\"=\"C:\\\\x\\r\\n\"\n"
              "\n"
              "[Software\\B]\n"
              "@=hex:01,ab\n"
              "\"Empty\"=hex:\n");
}

TEST(RegFileFormat, ReadsAHandEditedFile)
{
    const std::string text =
        "\xEF\xBB\xBFREGEDIT4\r\n"
        "; settings, edited by hand\r\n"
        "\r\n"
        "  [HKEY_CURRENT_USER\\Software\\A]  \r\n"
        "\"Size\" = dword:A\r\n"
        "\"Big\"=DWORD:FFFFFFFF\r\n"
        "@=\"unnamed\"\r\n"
        "\"Blob\"=hex:01,02,\\\r\n"
        "    03,0A,\\\r\n"
        "\tff\r\n"
        "\"Caf\xC3\xA9\"=\"Latin-1 \xE9 byte\"\r\n";
    CRegistryData data;
    SRegParseError error;
    ASSERT_TRUE(data.parse(text, &error)) << error.line << ": " << error.message;
    ASSERT_EQ(data.keys().size(), 1u);
    EXPECT_EQ(data.keys()[0].path, u"Software\\A");
    EXPECT_EQ(data.readDword(u"Software\\A", u"Size"), 10u);
    EXPECT_EQ(data.readDword(u"Software\\A", u"Big"), 0xffffffffu);
    EXPECT_EQ(data.readString(u"Software\\A", u""), u"unnamed");
    EXPECT_EQ(data.readBinary(u"Software\\A", u"Blob"), (std::vector<std::uint8_t>{1, 2, 3, 10, 255}));
    EXPECT_EQ(data.readString(u"Software\\A", u"Caf\u00e9"), u"Latin-1 \xDCE9 byte");
}

TEST(RegFileFormat, CorruptTextIsRejectedWithItsLine)
{
    struct SCase {
        const char* text;
        int line;
    };
    const SCase cases[] = {
        {"\"a\"=\"x\"\n", 1},                          // value before the first key
        {"[K]\n\"a\"=\"x\\t\"\n", 2},                  // unknown escape
        {"[K]\n\"a\"=\"x\\u12\"\n", 2},                // short \u escape
        {"[K]\n\n\"a\"=\"unterminated\n", 3},
        {"[K]\n\"a=\"x\"\n", 2},                       // unterminated name
        {"[K]\n\"a\"=\"x\"y\n", 2},                    // text after the closing quote
        {"[K]\n\"a\"\"x\"\n", 2},                      // no '='
        {"[K]\n\"a\"=hex(2):00\n", 2},                 // unknown type
        {"[K]\n\"a\"=-\n", 2},
        {"[K]\n\"a\"=hex:0g\n", 2},                    // bad hex digit
        {"[K]\n\"a\"=hex:01,,02\n", 2},
        {"[K]\n\"a\"=hex:100\n", 2},
        {"[K]\n\"a\"=dword:123456789\n", 2},           // dword longer than 8 digits
        {"[K]\n\"a\"=dword:\n", 2},
        {"[K]\n\"a\"=dword:-1\n", 2},
        {"[K\n", 1},                                   // key without closing bracket
        {"[K]\ngarbage\n", 2},
        {"[K]\n\"a\"=hex:01,\\\n  02\n\"b\"=hex:xy\n", 4},  // lines counted across continuations
    };
    for (const SCase& c : cases) {
        CRegistryData data;
        data.set(u"Old", u"v", SRegValue::fromDword(1));
        SRegParseError error;
        EXPECT_FALSE(data.parse(c.text, &error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_TRUE(data.empty()) << c.text;
    }
}

TEST(RegFileFormat, KeysAndNamesIgnoreAsciiCaseAndKeepFirstSpelling)
{
    CRegistryData data;
    EXPECT_TRUE(data.set(u"Software\\Foo", u"Name", SRegValue::fromDword(1)));
    EXPECT_TRUE(data.set(u"SOFTWARE\\foo", u"NAME", SRegValue::fromDword(2)));
    EXPECT_FALSE(data.set(u"HKEY_CURRENT_USER\\software\\FOO", u"name", SRegValue::fromDword(2)));
    EXPECT_TRUE(data.set(u"Software\\Foo", u"\u00c9", SRegValue::fromDword(3)));
    EXPECT_TRUE(data.set(u"Software\\Foo", u"\u00e9", SRegValue::fromDword(4)));  // not ASCII: distinct
    EXPECT_TRUE(data.set(u"Software\\Bar", u"x", SRegValue::fromString(u"")));

    ASSERT_EQ(data.keys().size(), 2u);
    EXPECT_EQ(data.keys()[0].path, u"Software\\Foo");
    EXPECT_EQ(data.keys()[1].path, u"Software\\Bar");
    ASSERT_EQ(data.keys()[0].values.size(), 3u);
    EXPECT_EQ(data.keys()[0].values[0].name, u"Name");
    EXPECT_EQ(data.readDword(u"software\\foo", u"nAmE"), 2u);
    EXPECT_EQ(data.readDword(u"Software\\Foo", u"\u00e9"), 4u);
}

}  // namespace
}  // namespace brindle
