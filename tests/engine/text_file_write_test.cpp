// Writing text files: byte-exact encodings, replacement of unrepresentable characters, and
// never leaving a half-written file behind.
#include "engine/byte_sink.h"
#include "engine/file_exception.h"
#include "engine/text_file_read.h"
#include "engine/text_file_write.h"
#include "platform/utf8.h"
#include "support/temp_dir.h"

#include "support/case_name.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <vector>

namespace brindle {
namespace {

using test::CTempDir;
using test::readBytes;

std::string written(int encoding, std::u16string_view text, bool endl = false)
{
    CTempDir dir;
    const std::string path = dir.file("out");
    CTextFileWrite writer;
    EXPECT_TRUE(writer.Open(pathFromNative(path), encoding));
    writer.WriteString(text);
    if (endl)
        writer.WriteEndl();
    writer.Close();
    return readBytes(path);
}

struct SWriteCase {
    const char* name;
    int encoding;
    std::u16string text;
    std::string bytes;
};

class TextFileWriteTest : public testing::TestWithParam<SWriteCase> {};

TEST_P(TextFileWriteTest, WritesExactBytes)
{
    EXPECT_EQ(written(GetParam().encoding, GetParam().text), GetParam().bytes);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Encodings, TextFileWriteTest,
    testing::Values(SWriteCase{"AnsiNoMark", 0, u"a\u00E9\u20AC", "a\xE9\x80"},
                    SWriteCase{"Utf8Mark", 3, u"\u00E9", "\xEF\xBB\xBF\xC3\xA9"},
                    SWriteCase{"Utf16BeMark", 1, u"\u00E9", "\xFE\xFF\x00\xE9"s},
                    SWriteCase{"Utf16LeMark", 2, u"\u00E9", "\xFF\xFE\xE9\x00"s},
                    SWriteCase{"Utf8ThreeBytes", 3, u"\u4E2D", "\xEF\xBB\xBF\xE4\xB8\xAD"},
                    SWriteCase{"Utf8PairIsOneSequence", 3, u"\U0001F600", "\xEF\xBB\xBF\xF0\x9F\x98\x80"},
                    // Units the reader gives bytes that were no characters become those bytes.
                    SWriteCase{"Utf8ByteUnits", 3, u"caf\xDCE9\xDC80",
                               "\xEF\xBB\xBF"
                               "caf\xE9\x80"},
                    // Other lone surrogates, from UTF-16 text: their three-byte form, not "?".
                    SWriteCase{"Utf8LoneSurrogates", 3,
                               u"\xD800"
                               u"a\xDC7F",
                               "\xEF\xBB\xBF\xED\xA0\x80"
                               "a\xED\xB1\xBF"},
                    SWriteCase{"Unrepresentable", 0, u"x\u4E2Dy", "x?y"}, SWriteCase{"EmptyUtf16", 2, u"", "\xFF\xFE"}),
    test::SCaseName());

TEST(TextFileWrite, LineEndIsEncodedLikeText)
{
    EXPECT_EQ(written(0, u"a", true), "a\r\n");
    EXPECT_EQ(written(2, u"a", true),
              "\xFF\xFE"
              "a\0\r\0\n\0"s);
    EXPECT_EQ(written(1, u"", true), "\xFE\xFF\0\r\0\n"s);
}

TEST(TextFileWrite, ReportsReplacement)
{
    CTempDir dir;
    CTextFileWrite writer;
    writer.Open(pathFromNative(dir.file("r")), 0);
    writer.SetReplacementChar('#');
    writer.WriteString(u"ok");
    EXPECT_FALSE(writer.ReplacementUsed());
    writer.WriteString(u"\u4E2D");
    EXPECT_TRUE(writer.ReplacementUsed());
    writer.Close();
    EXPECT_EQ(readBytes(dir.file("r")), "ok#");
}

// An odd last byte of UTF-16, read as the unit 0xDC00 + byte, is written as that byte only when
// it is still the last unit of the file.
TEST(TextFileWrite, OddLastByteOnlyAtTheVeryEnd)
{
    const struct {
        const char* name;
        int encoding;
        std::vector<std::u16string> pieces;
        std::string bytes;
    } cases[] = {
        {"LastUnit",
         2,
         {u"a\xDC62"},
         "\xFF\xFE"
         "a\0b"s},
        {"BigEndian", 1, {u"a", u"\xDCE9"}, "\xFE\xFF\0a\xE9"s},
        {"NotLast",
         2,
         {u"\xDC62", u"a"},
         "\xFF\xFE\x62\xDC"
         "a\0"s},
        {"LastUnitNoByteUnit", 2, {u"\xDD62"}, "\xFF\xFE\x62\xDD"s},
        {"Utf8WritesByteUnitsAnyway", 3, {u"\xDCE9"}, "\xEF\xBB\xBF\xE9"},
    };
    CTempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTextFileWrite writer;
        writer.setEndsWithOddByte(true);
        writer.Open(pathFromNative(dir.file("odd")), c.encoding);
        for (const auto& piece : c.pieces)
            writer.WriteString(piece);
        writer.Close();
        EXPECT_EQ(readBytes(dir.file("odd")), c.bytes);
    }
}

TEST(TextFileWrite, RoundTripsEveryEncoding)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> unit(1, 0xFFFF);
    CTempDir dir;
    for (int encoding : {1, 2, 3}) {
        for (int round = 0; round < 20; ++round) {
            std::u16string text;
            for (int i = 0; i < 300; ++i) {
                char16_t c = static_cast<char16_t>(unit(random));
                if (c == u'\r' || c == u'\n')
                    c = u'x';
                // UTF-8 holds pairs and units that stand for bytes, not other lone surrogates.
                if (encoding == 3 && c >= 0xD800 && c <= 0xDFFF)
                    text += c < 0xDC00 ? u"\xD83D\xDE00" : u"\xDCE9";
                else
                    text.push_back(c);
            }
            const std::string path = dir.file("rt");
            {
                CTextFileWrite writer;
                writer.Open(pathFromNative(path), encoding);
                writer.WriteString(text);
                writer.Close();
            }
            CTextFileRead reader;
            reader.Open(pathFromNative(path));
            std::u16string line;
            ASSERT_TRUE(reader.ReadLine(line));
            EXPECT_EQ(reader.Encoding(), encoding);
            ASSERT_EQ(line, text) << "encoding " << encoding;
        }
    }
}

// A sink that fails after a given number of bytes, like a disk that fills up.
class CFailingSink final : public CByteSink {
public:
    explicit CFailingSink(std::size_t capacity, bool* committed) : m_capacity(capacity), m_committed(committed) {}
    bool write(const void*, std::size_t size) override
    {
        if (size > m_capacity)
            return false;
        m_capacity -= size;
        return true;
    }
    bool commit() override { return *m_committed = true; }
    void discard() override {}
    std::error_code error() const override { return std::make_error_code(std::errc::no_space_on_device); }

private:
    std::size_t m_capacity;
    bool* m_committed;
};

TEST(TextFileWrite, FullDiskThrowsAndNeverCommits)
{
    bool committed = false;
    CTextFileWrite writer;
    writer.Open(std::make_unique<CFailingSink>(10, &committed), 0, u"disk");
    writer.WriteString(u"more than ten bytes");
    EXPECT_THROW(writer.Close(), CFileException);
    EXPECT_FALSE(committed);
}

TEST(TextFileWrite, FileThatCannotBeCreatedIsReported)
{
    CTempDir dir;
    const std::u16string path = pathFromNative(dir.file("no-such-folder/out.txt"));
    {
        CTextFileWrite writer;
        EXPECT_FALSE(writer.Open(path, 0));
        writer.WriteString(u"short");
        try {
            writer.Close();
            FAIL() << "Close succeeded without a file";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.path(), path);
            EXPECT_EQ(e.operation(), CFileException::Operation::Create);
        }
    }
    CTextFileWrite writer;
    writer.Open(path, 0);
    EXPECT_THROW(writer.WriteString(std::u16string(1024, u'x')), CFileException);
}

TEST(TextFileWrite, TargetSurvivesAnInterruptedWrite)
{
    CTempDir dir;
    const std::string path = dir.write("keep", "precious");
    try {
        CTextFileWrite writer;
        writer.Open(pathFromNative(path), 0);
        writer.WriteString(std::u16string(100000, u'x'));
        throw std::runtime_error("interrupted");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(readBytes(path), "precious");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "temporary file left behind";
}

TEST(TextFileWrite, DestructorClosesAnOpenWriter)
{
    CTempDir dir;
    const std::string path = dir.write("f", "old");
    {
        CTextFileWrite writer;
        writer.Open(pathFromNative(path), 0);
        writer.WriteString(u"new");
    }
    EXPECT_EQ(readBytes(path), "new");
}

}  // namespace
}  // namespace brindle
