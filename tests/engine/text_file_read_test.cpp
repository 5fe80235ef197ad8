// Reading text files: encodings, line ends, malformed input, files that cannot be read.
#include "engine/line_list.h"
#include "engine/text_file_read.h"
#include "engine/text_file_write.h"
#include "platform/utf8.h"
#include "support/random_text.h"
#include "support/temp_dir.h"

#include "support/case_name.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace brindle {
namespace {

using test::CTempDir;
using test::readBytes;

struct SReadCase {
    const char* name;
    std::string bytes;
    int encoding;
    std::vector<std::u16string> lines;
};

std::vector<std::u16string> readAll(const std::string& path, int* encoding = nullptr)
{
    CTextFileRead reader;
    reader.Open(pathFromNative(path));
    std::vector<std::u16string> lines;
    std::u16string line;
    while (reader.ReadLine(line))
        lines.push_back(line);
    if (encoding)
        *encoding = reader.Encoding();
    return lines;
}

std::string bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

class TextFileReadTest : public testing::TestWithParam<SReadCase> {};

TEST_P(TextFileReadTest, ReadsLinesAndEncoding)
{
    const SReadCase& c = GetParam();
    CTempDir dir;
    int encoding = -1;
    const auto lines = readAll(dir.write("f", c.bytes), &encoding);
    EXPECT_EQ(encoding, c.encoding);
    EXPECT_EQ(lines, c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, TextFileReadTest,
    testing::Values(SReadCase{"Empty", "", 0, {u""}}, SReadCase{"NoFinalEnd", "a\r\nb", 0, {u"a", u"b"}},
                    SReadCase{"FinalCrLf", "a\r\nb\r\n", 0, {u"a", u"b", u""}},
                    SReadCase{"LoneCr", "a\rb", 0, {u"a", u"b"}}, SReadCase{"LoneLf", "a\nb\n", 0, {u"a", u"b", u""}},
                    SReadCase{"LfCrIsTwoEnds", "a\n\rb", 0, {u"a", u"", u"b"}},
                    SReadCase{"CrCr", "a\r\rb", 0, {u"a", u"", u"b"}}, SReadCase{"FinalCr", "a\r", 0, {u"a", u""}},
                    SReadCase{"OnlyLineEnd", "\r\n", 0, {u"", u""}}, SReadCase{"OneByte", "x", 0, {u"x"}}),
    test::SCaseName());

INSTANTIATE_TEST_SUITE_P(
    Encodings, TextFileReadTest,
    testing::Values(
        // Code page 1252 for text without a mark.
        SReadCase{"AnsiEuro", bytes({0x80, 0xE9}), 0, {u"\u20AC\u00E9"}},
        SReadCase{"HalfUtf8MarkIsText", bytes({0xEF, 0xBB, 0x41}), 0, {u"\u00EF\u00BBA"}},
        SReadCase{"Utf8", bytes({0xEF, 0xBB, 0xBF, 'a', 0xC3, 0xA9, 0xE4, 0xB8, 0xAD}), 3, {u"a\u00E9\u4E2D"}},
        SReadCase{"Utf8MarkOnly", bytes({0xEF, 0xBB, 0xBF}), 3, {u""}},
        SReadCase{"Utf16Le", bytes({0xFF, 0xFE, 'a', 0, '\r', 0, '\n', 0, 'b', 0}), 2, {u"a", u"b"}},
        SReadCase{"Utf16Be", bytes({0xFE, 0xFF, 0, 'a', 0x4E, 0x2D}), 1, {u"a\u4E2D"}},
        SReadCase{"Utf16MarkOnly", bytes({0xFF, 0xFE}), 2, {u""}},
        SReadCase{"Utf16SurrogatesPassThrough", bytes({0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE}), 2, {u"\U0001F600"}},
        SReadCase{"Utf16LoneCrAndLfCr", bytes({0xFF, 0xFE, 'a', 0, '\n', 0, '\r', 0, 'b', 0}), 2, {u"a", u"", u"b"}}),
    test::SCaseName());

INSTANTIATE_TEST_SUITE_P(
    MalformedInput, TextFileReadTest,
    testing::Values(
        // A byte that starts or continues no valid sequence is kept as 0xDC00 + byte.
        SReadCase{"StrayContinuation",
                  bytes({0xEF, 0xBB, 0xBF, 0x80, 'a'}),
                  3,
                  {u"\xDC80"
                   u"a"}},
        SReadCase{"FourByteSequence", bytes({0xEF, 0xBB, 0xBF, 0xF0, 0x9F, 0x98, 0x80}), 3, {u"\U0001F600"}},
        SReadCase{"BrokenSequenceKeepsLineEnd", bytes({0xEF, 0xBB, 0xBF, 0xC3, '\n', 'b'}), 3, {u"\xDCC3", u"b"}},
        // Regression: a Latin-1 byte took the line end and the character after it.
        SReadCase{"Latin1ByteBeforeLf",
                  "\xEF\xBB\xBF"
                  "caf\xE9\nnext line",
                  3,
                  {u"caf\xDCE9", u"next line"}},
        SReadCase{"OverlongLfIsNoLineEnd",
                  bytes({0xEF, 0xBB, 0xBF, 'a', 0xC0, 0x8A, 'b'}),
                  3,
                  {u"a\xDCC0\xDC8A"
                   u"b"}},
        SReadCase{"Utf8CutAtEnd", bytes({0xEF, 0xBB, 0xBF, 'a', 0xE4, 0xB8}), 3, {u"a\xDCE4\xDCB8"}},
        SReadCase{"Utf16OddLastByte", bytes({0xFF, 0xFE, 'a', 0, 'b'}), 2, {u"a\xDC62"}},
        SReadCase{"NulKept", bytes({'a', 0, 'b'}), 0, {std::u16string(u"a\0b", 3)}}),
    test::SCaseName());

// Reads the file and writes its lines back in its encoding with CR LF between them.
std::string readAndWriteBack(const std::string& fileBytes, std::vector<std::u16string>* readLines = nullptr)
{
    CTempDir dir;
    CTextFileRead reader;
    reader.Open(pathFromNative(dir.write("in", fileBytes)));
    std::vector<std::u16string> lines;
    std::u16string line;
    while (reader.ReadLine(line))
        lines.push_back(line);
    CTextFileWrite writer;
    writer.setEndsWithOddByte(reader.endsWithOddByte());
    writer.Open(pathFromNative(dir.file("out")), reader.Encoding());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            writer.WriteEndl();
        writer.WriteString(lines[i]);
    }
    writer.Close();
    if (readLines)
        *readLines = lines;
    return readBytes(dir.file("out"));
}

// A file with a mark loses no byte between reading and writing.
class LosslessReadTest : public testing::TestWithParam<SReadCase> {};

TEST_P(LosslessReadTest, LinesWriteBackToTheSameBytes)
{
    const SReadCase& c = GetParam();
    std::vector<std::u16string> lines;
    EXPECT_EQ(readAndWriteBack(c.bytes, &lines), c.bytes);
    EXPECT_EQ(lines, c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    KnownCases, LosslessReadTest,
    testing::Values(SReadCase{"EmojiIsOnePair",
                              "\xEF\xBB\xBF"
                              "a\xF0\x9F\x98\x80"
                              "b",
                              3,
                              {u"a\U0001F600b"}},
                    SReadCase{"OverlongSlash", "\xEF\xBB\xBF\xC0\xAF", 3, {u"\xDCC0\xDCAF"}},
                    SReadCase{"EncodedSurrogate", "\xEF\xBB\xBF\xED\xA0\x80", 3, {u"\xDCED\xDCA0\xDC80"}},
                    SReadCase{"AboveU10FFFF", "\xEF\xBB\xBF\xF4\x90\x80\x80", 3, {u"\xDCF4\xDC90\xDC80\xDC80"}},
                    SReadCase{"CutOffAtEnd",
                              "\xEF\xBB\xBF"
                              "a\xE2\x82",
                              3,
                              {u"a\xDCE2\xDC82"}},
                    SReadCase{"Latin1ByteBeforeCrLf",
                              "\xEF\xBB\xBF"
                              "caf\xE9\r\nnext line",
                              3,
                              {u"caf\xDCE9", u"next line"}},
                    SReadCase{"StrayByteAfterPair", "\xEF\xBB\xBF\xF0\x9F\x98\x80\xBF", 3, {u"\U0001F600\xDCBF"}},
                    SReadCase{"Utf16LeOddLastByte",
                              "\xFF\xFE"
                              "a\0b"s,
                              2,
                              {u"a\xDC62"}},
                    SReadCase{"Utf16BeOddLastByte", "\xFE\xFF\0a\xE9"s, 1, {u"a\xDCE9"}},
                    SReadCase{"Utf16OddByteAfterLineEnd",
                              "\xFF\xFE"
                              "a\0\r\0\n\0\n"s,
                              2,
                              {u"a", u"\xDC0A"}},
                    SReadCase{"Utf16OnlyAnOddByte", "\xFF\xFE\x00"s, 2, {u"\xDC00"}},
                    // Even length: a lone low surrogate at the end is a unit of the text, written whole.
                    SReadCase{"Utf16LoneLowSurrogateAtEnd",
                              "\xFF\xFE"
                              "a\0\x62\xDC"s,
                              2,
                              {u"a\xDC62"}},
                    SReadCase{"Utf16LoneSurrogates",
                              "\xFE\xFF\xD8\x00\0a\xDF\xFF"s,
                              1,
                              {u"\xD800"
                               u"a\xDFFF"}}),
    test::SCaseName());

// Random files behind each mark, lines separated by CR LF: reading and writing back gives the
// bytes.
TEST(TextFileRead, RandomFilesWithMarkRoundTrip)
{
    std::mt19937 rng(20250611);
    std::uniform_int_distribution<std::size_t> length(0, 60);
    for (const int encoding : {kEncodingUtf8, kEncodingUtf16Le, kEncodingUtf16Be}) {
        for (int round = 0; round < 300; ++round) {
            const std::string file = test::randomMarkedFile(rng, encoding, length(rng), {u"\r\n"});
            ASSERT_EQ(readAndWriteBack(file), file) << testing::PrintToString(file);
        }
    }
}

TEST(TextFileRead, FilesThatCannotBeReadGiveNoLines)
{
    CTempDir dir;
    EXPECT_TRUE(readAll(dir.file("missing")).empty());
    EXPECT_TRUE(readAll(dir.path().string()).empty()) << "a folder";

    CTextFileRead reader;
    EXPECT_FALSE(reader.Open(pathFromNative(dir.file("missing"))));
    std::u16string line = u"stale";
    EXPECT_FALSE(reader.ReadLine(line));
    EXPECT_EQ(line, u"");
}

TEST(TextFileRead, LinesCrossingBlockBoundariesStayWhole)
{
    // CR LF split across the reader's blocks, and lines far longer than a block.
    CTempDir dir;
    for (const std::size_t first : {std::size_t{5000}, std::size_t{65535}, std::size_t{65536}, std::size_t{200000}}) {
        const std::string text = std::string(first, 'x') + "\r\n" + std::string(first / 2, 'y') + "\r\nz";
        const auto lines = readAll(dir.write("long", text));
        ASSERT_EQ(lines.size(), 3u) << first;
        EXPECT_EQ(lines[0], std::u16string(first, u'x'));
        EXPECT_EQ(lines[1], std::u16string(first / 2, u'y'));
        EXPECT_EQ(lines[2], u"z");
    }
}

TEST(TextFileRead, Utf8SequencesAcrossBlockBoundaries)
{
    CTempDir dir;
    std::string text = "\xEF\xBB\xBF";
    std::u16string expected;
    for (int i = 0; i < 40000; ++i) {
        text += "a\xC3\xA9\xE4\xB8\xAD";
        expected += u"a\u00E9\u4E2D";
    }
    const auto lines = readAll(dir.write("utf8", text));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], expected);
}

TEST(LoadLines, NumbersLinesAndRecordsEncoding)
{
    CTempDir dir;
    const std::string path = dir.write("f",
                                       "\xFF\xFE"
                                       "a\0\n\0b\0"s);
    CLineList list;
    EXPECT_EQ(LoadLines(pathFromNative(path), list), 2u);
    EXPECT_EQ(list.encoding(), 2);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].text(), u"a");
    EXPECT_EQ(list[1].text(), u"b");
    EXPECT_EQ(list[1].number(), 2);
}

TEST(LoadLines, FiftyMegabyteLine)
{
    CTempDir dir;
    const std::string path = dir.write("big", std::string(50u << 20, 'q') + "\nend");
    CLineList list;
    ASSERT_EQ(LoadLines(pathFromNative(path), list), 2u);
    EXPECT_EQ(list[0].length(), 50u << 20);
    EXPECT_FALSE(list[0].isWide());
    EXPECT_EQ(list[1].text(), u"end");
}

}  // namespace
}  // namespace brindle
