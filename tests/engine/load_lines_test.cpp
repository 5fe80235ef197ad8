// Loading a file for comparison gives exactly the lines the text-file reader gives.
#include "engine/file_exception.h"
#include "engine/line_list.h"
#include "engine/line_scan_p.h"
#include "engine/text_file_read.h"
#include "platform/utf8.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>

namespace brindle {
namespace {

std::vector<std::u16string> viaReader(const std::u16string& path, int& encoding)
{
    CTextFileRead reader;
    reader.Open(path);
    std::vector<std::u16string> lines;
    std::u16string line;
    while (reader.ReadLine(line))
        lines.push_back(line);
    encoding = reader.Encoding();
    return lines;
}

std::vector<std::u16string> viaLoadLines(const std::u16string& path, int& encoding)
{
    CLineList list;
    const std::size_t count = LoadLines(path, list);
    EXPECT_EQ(count, list.size());
    std::vector<std::u16string> lines;
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].number(), static_cast<std::int32_t>(i + 1));
        lines.push_back(list[i].text());
    }
    encoding = list.encoding();
    return lines;
}

// Bytes rich in line ends, NULs, high bytes and byte-order-mark fragments.
std::string randomBytes(std::mt19937& random)
{
    static const std::string pieces[] = {"\r",       "\n",       "\r\n", "\n\r",
                                         "a",        "bc",       "\xE9", "\x80",
                                         "\xFF\xFE", "\xEF\xBB", "\xBF", std::string(1, '\0'),
                                         "\xC3\xA9", " ",        "\t",   std::string(70, 'w')};
    std::string bytes;
    const int count = static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i)
        bytes += pieces[random() % std::size(pieces)];
    return bytes;
}

TEST(LoadLines, AgreesWithTheReaderOnRandomFiles)
{
    test::CTempDir dir;
    std::mt19937 random(3);
    for (int round = 0; round < 3000; ++round) {
        const std::string bytes = randomBytes(random);
        const std::u16string path = pathFromNative(dir.write("f", bytes));
        int readerEncoding = -1;
        int loadedEncoding = -1;
        const auto expected = viaReader(path, readerEncoding);
        ASSERT_EQ(viaLoadLines(path, loadedEncoding), expected) << "round " << round;
        ASSERT_EQ(loadedEncoding, readerEncoding) << "round " << round;
        // The count sizes the records ahead of loading 8-bit files (those without a mark).
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        if (!bytes.starts_with("\xFF\xFE") && !bytes.starts_with("\xFE\xFF") && !bytes.starts_with("\xEF\xBB\xBF")) {
            ASSERT_EQ(countLines(data, data + bytes.size()), expected.size()) << "round " << round;
        }
    }
}

TEST(LoadLines, AgreesWithTheReaderOnEdgeFiles)
{
    test::CTempDir dir;
    for (const std::string& bytes : {std::string(), std::string("\r"), std::string("\n"), std::string("x"),
                                     std::string("\xFF"), std::string("\xFF\xFE"), std::string("\xEF\xBB\xBF\r\n"),
                                     std::string(100000, '\n'), std::string(70000, 'z') + "\r",
                                     // read through the reader, its records moved as they grow
                                     "\xEF\xBB\xBF" + std::string(5000, '\n')}) {
        const std::u16string path = pathFromNative(dir.write("f", bytes));
        int readerEncoding = -1;
        int loadedEncoding = -1;
        EXPECT_EQ(viaLoadLines(path, loadedEncoding), viaReader(path, readerEncoding)) << bytes.size() << " bytes";
        EXPECT_EQ(loadedEncoding, readerEncoding);
    }
}

TEST(LoadLines, UnreadableFilesAreErrorsNotEmptyFiles)
{
    test::CTempDir dir;
    CLineList list;
    EXPECT_THROW(LoadLines(pathFromNative(dir.file("missing")), list), CFileException);
    EXPECT_THROW(LoadLines(pathFromNative(dir.path().string()), list), CFileException);
    EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace brindle
