#include "platform/reg_file_format.h"

#include "platform/utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <string_view>
#include <vector>

namespace brindle {
namespace {

const std::u16string kKey = u"Software\\Tollan Software Inc.\\Brindle\\Settings";

// The line numbers of what parse() left out.
std::vector<int> skippedLines(const std::vector<SRegParseError>& skipped)
{
    std::vector<int> lines;
    for (const SRegParseError& error : skipped)
        lines.push_back(error.line);
    return lines;
}

CRegistryData reparsed(const CRegistryData& data)
{
    CRegistryData result;
    EXPECT_EQ(skippedLines(result.parse(data.serialize())), std::vector<int>{});
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

// A key line that names the user's root twice keeps the second one: written out, it reads back as
// the same key, not merged into the key without it (found by fuzz_settings_file).
TEST(RegFileFormat, KeyNamingTheRootTwiceReadsBackTheSame)
{
    CRegistryData store;
    store.parse(
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\B]\r\n\"N\"=dword:00000020\r\n"
        "[HKEY_CURRENT_USER\\HKEY_CURRENT_USER\\Software\\B]\r\n\"M\"=dword:00000001\r\n");
    ASSERT_EQ(store.keys().size(), 2u);
    EXPECT_EQ(store.keys()[0].values.size(), 1u);  // the value under the second line stays there
    EXPECT_EQ(store.keys()[1].values.size(), 1u);
    const std::string written = store.serialize();
    CRegistryData reread;
    EXPECT_TRUE(reread.parse(written).empty());
    ASSERT_EQ(reread.keys().size(), 2u);
    EXPECT_EQ(reread.keys()[1].path, store.keys()[1].path);
    EXPECT_EQ(reread.serialize(), written);
}

TEST(RegFileFormat, DwordAndBinaryRoundTrip)
{
    const std::uint32_t dwords[] = {0, 10, 0x7fffffff, 0x80000000, 0xffffffff};
    std::vector<std::vector<std::uint8_t>> blobs = {
        {}, {0}, {0x00, 0xff, 0x7f, 0x80}, std::vector<std::uint8_t>(300, 0xa5)};
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
    ASSERT_EQ(skippedLines(data.parse(text)), std::vector<int>{});
    ASSERT_EQ(data.keys().size(), 1u);
    EXPECT_EQ(data.keys()[0].path, u"Software\\A");
    EXPECT_EQ(data.readDword(u"Software\\A", u"Size"), 10u);
    EXPECT_EQ(data.readDword(u"Software\\A", u"Big"), 0xffffffffu);
    EXPECT_EQ(data.readString(u"Software\\A", u""), u"unnamed");
    EXPECT_EQ(data.readBinary(u"Software\\A", u"Blob"), (std::vector<std::uint8_t>{1, 2, 3, 10, 255}));
    EXPECT_EQ(data.readString(u"Software\\A", u"Caf\u00e9"), u"Latin-1 \xDCE9 byte");
}

// Each row's text follows "[K]" and a value "a"; "b" after the damage must survive unless the row
// says otherwise, and so must "a", before it.
TEST(RegFileFormat, EachDamagedLineIsSkippedWithItsNumber)
{
    struct SCase {
        const char* damage;
        std::vector<int> lines;
        bool bSurvives = true;
    };
    const SCase cases[] = {
        {"\"x\"=\"x\\t\"\n", {3}},    // unknown escape
        {"\"x\"=\"x\\u12\"\n", {3}},  // short \u escape
        {"\n\"x\"=\"unterminated\n", {4}},
        {"\"x=\"x\"\n", {3}},        // unterminated name
        {"\"x\"=\"x\"y\n", {3}},     // text after the closing quote
        {"\"x\"\"x\"\n", {3}},       // no '='
        {"\"x\"=hex(2):00\n", {3}},  // unknown type
        {"\"x\"=-\n", {3}},
        {"\"x\"=hex:0g\n", {3}},  // bad hex digit
        {"\"x\"=hex:01,,02\n", {3}},
        {"\"x\"=hex:100\n", {3}},
        {"\"x\"=dword:123456789\n", {3}},  // dword longer than 8 digits
        {"\"x\"=dword:\n", {3}},
        {"\"x\"=dword:-1\n", {3}},
        {"garbage\n", {3}},
        {"\x8f\xff\x13\n\x80\x7f\n", {3, 4}},            // random bytes
        {"\"x\"=hex:01,\\\n  02\n\"y\"=hex:xy\n", {5}},  // lines counted across continuations
        {"\"x\"=\"C:\\\n", {3}},                         // cut at a backslash: the next line is not joined
        {"\"x\"=hex:01,\\\n  zz\n", {3, 4}},             // a continuation that is not hex ends the value
        {"[L\n\"x\"=dword:1\n[K]\n", {3, 4}},            // a damaged key line loses its values too
        {"\"x\"=dword:0000", {3}, false},                // a number cut off at the end of the file
        {"\"x\"=hex:01,\\\n  0", {3}, false},            // a wrapped hex value cut off
    };
    for (const SCase& c : cases) {
        const std::string text =
            "[K]\n\"a\"=dword:1\n" + std::string(c.damage) + (c.bSurvives ? "\"b\"=dword:2\n" : "");
        CRegistryData data;
        data.set(u"Old", u"v", SRegValue::fromDword(1));
        EXPECT_EQ(skippedLines(data.parse(text)), c.lines) << text;
        EXPECT_EQ(data.readDword(u"Old", u"v"), std::nullopt) << text;
        EXPECT_EQ(data.readDword(u"K", u"a"), 1u) << text;
        EXPECT_EQ(data.readDword(u"K", u"b"), c.bSurvives ? std::optional<std::uint32_t>(2) : std::nullopt) << text;
        EXPECT_EQ(data.readDword(u"K", u"x"), std::nullopt) << text;
    }
    // Nothing before the first key has a key to go to.
    CRegistryData data;
    EXPECT_EQ(skippedLines(data.parse("\"a\"=\"x\"\n[K]\n\"b\"=dword:2\n")), std::vector<int>{1});
    EXPECT_EQ(data.readDword(u"K", u"b"), 2u);
}

// A settings file as the writer leaves it, with a value of every type and a wrapped hex value as
// regedit writes one.
constexpr std::string_view kHealthyFile =
    "Windows Registry Editor Version 5.00\n"                      // 1
    "\n"                                                          // 2
    "[Software\\Tollan Software Inc.\\Brindle\\Compare Files]\n"  // 3
    "\"Font Name\"=\"Courier New\"\n"                             // 4
    "\"Font Size\"=dword:0000000c\n"                              // 5
    "\"File1 Line Prefix\"=\"<<\"\n"                              // 6
    "\"Ignore Whitespace\"=dword:00000001\n"                      // 7
    "\"Ignore Case\"=dword:00000001\n"                            // 8
    "\n"                                                          // 9
    "[Software\\Tollan Software Inc.\\Brindle\\Settings]\n"       // 10
    "\"Viewer\"=\"gvim +%LINE% \\\"%PATH%\\\"\"\n"                // 11
    "\"Blob\"=hex:01,02,\\\n"                                     // 12
    "  03,04\n"                                                   // 13
    "\"Dialog Font\"=\"Sans\"\n"                                  // 14
    "\n"                                                          // 15
    "[Software\\RodeZor\\Settings]\n"                             // 16
    "\"Tab Size\"=dword:00000004\n"                               // 17
    "\"Font\"=\"Consolas\"\n";                                    // 18

const std::u16string kCompare = u"Software\\Tollan Software Inc.\\Brindle\\Compare Files";
const std::u16string kSettings = u"Software\\Tollan Software Inc.\\Brindle\\Settings";
const std::u16string kEditor = u"Software\\RodeZor\\Settings";

struct SValueOfFile {
    const std::u16string* key;
    std::u16string name;
    SRegValue value;
};

const std::vector<SValueOfFile>& valuesOfHealthyFile()
{
    static const std::vector<SValueOfFile> values = {
        {&kCompare, u"Font Name", SRegValue::fromString(u"Courier New")},
        {&kCompare, u"Font Size", SRegValue::fromDword(12)},
        {&kCompare, u"File1 Line Prefix", SRegValue::fromString(u"<<")},
        {&kCompare, u"Ignore Whitespace", SRegValue::fromDword(1)},
        {&kCompare, u"Ignore Case", SRegValue::fromDword(1)},
        {&kSettings, u"Viewer", SRegValue::fromString(u"gvim +%LINE% \"%PATH%\"")},
        {&kSettings, u"Blob", SRegValue::fromBinary({1, 2, 3, 4})},
        {&kSettings, u"Dialog Font", SRegValue::fromString(u"Sans")},
        {&kEditor, u"Tab Size", SRegValue::fromDword(4)},
        {&kEditor, u"Font", SRegValue::fromString(u"Consolas")},
    };
    return values;
}

// Random bytes (no line end) written over part of one value line: the values of every other line
// survive unchanged, and the rewritten data reads back whole.
TEST(RegFileFormat, RandomDamageToOneLineSparesTheOthers)
{
    const std::string healthy(kHealthyFile);
    // The lines that hold values, by the numbers in kHealthyFile (the wrapped hex value has two).
    const std::pair<int, std::u16string> valueLines[] = {
        {4, u"Font Name"},
        {5, u"Font Size"},
        {6, u"File1 Line Prefix"},
        {7, u"Ignore Whitespace"},
        {8, u"Ignore Case"},
        {11, u"Viewer"},
        {12, u"Blob"},
        {13, u"Blob"},
        {14, u"Dialog Font"},
        {17, u"Tab Size"},
        {18, u"Font"},
    };
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        const auto& [line, damagedName] = valueLines[random() % std::size(valueLines)];
        std::size_t start = 0;
        for (int i = 1; i < line; ++i)
            start = healthy.find('\n', start) + 1;
        const std::size_t length = healthy.find('\n', start) - start;
        std::string text = healthy;
        const std::size_t from = start + random() % length;
        const std::size_t count = 1 + random() % std::min<std::size_t>(8, start + length - from);
        for (std::size_t i = from; i < from + count; ++i) {
            char byte = static_cast<char>(random() % 256);
            // A line end would make two lines of one; a '[' in front would make it a key line.
            const bool inFront = text.find_first_not_of(" \t", start) >= i;
            while (byte == '\n' || (inFront && byte == '['))
                byte = static_cast<char>(random() % 256);
            text[i] = byte;
        }
        SCOPED_TRACE("round " + std::to_string(round) + ", line " + std::to_string(line));
        CRegistryData data;
        const std::vector<int> skipped = skippedLines(data.parse(text));
        EXPECT_LE(skipped.size(), 2u);  // the wrapped value may lose both of its lines
        for (const SValueOfFile& expected : valuesOfHealthyFile()) {
            if (expected.name == damagedName)
                continue;
            const SRegValue* value = data.find(*expected.key, expected.name);
            ASSERT_NE(value, nullptr) << u8(expected.name);
            EXPECT_EQ(*value, expected.value) << u8(expected.name);
        }
        EXPECT_EQ(reparsed(data).serialize(), data.serialize());
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
