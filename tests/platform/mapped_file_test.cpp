// Mapped input files: the bytes as on disk, the inputs refused as every input is, and a file cut
// short while mapped read as zeros and flagged instead of killing the process.
#include "platform/mapped_file.h"
#include "platform/utf8.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace brindle {
namespace {

class MappedFileTest : public testing::Test {
protected:
    std::string write(const std::string& name, const std::string& bytes) { return m_dir.write(name, bytes); }

    test::CTempDir m_dir;
};

TEST_F(MappedFileTest, GivesTheBytesOfOrdinaryFilesAndRefusesOtherInputs)
{
    std::string content(3 * 4096 + 17, '\0');
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>(i * 7);
    for (const std::string& bytes : {std::string(), std::string("x"), content}) {
        std::error_code error;
        const std::optional<CMappedFile> mapped = CMappedFile::map(pathFromNative(write("f", bytes)), error);
        ASSERT_TRUE(mapped) << error.message();
        EXPECT_EQ(std::string(mapped->bytes().begin(), mapped->bytes().end()), bytes);
        EXPECT_FALSE(mapped->shrank());
    }
    ASSERT_EQ(::mkfifo((m_dir.path() / "pipe").c_str(), 0600), 0);
    for (const std::filesystem::path& input : {m_dir.path() / "missing", m_dir.path() / "pipe", m_dir.path()}) {
        std::error_code error;
        EXPECT_FALSE(CMappedFile::map(pathFromNative(input.string()), error)) << input;
        EXPECT_TRUE(error) << input;
    }
}

// Another program cuts the file short while it is mapped: its lost pages read as zeros and the
// mapping says so; the pages kept still hold the file's bytes.
TEST_F(MappedFileTest, AFileCutShortReadsAsZerosAndSaysSo)
{
    const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const std::string path = write("cut", std::string(4 * page, 'a'));
    std::error_code error;
    std::optional<CMappedFile> mapped = CMappedFile::map(pathFromNative(path), error);
    ASSERT_TRUE(mapped);
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(page)), 0);
    const volatile std::uint8_t* bytes = mapped->bytes().data();
    EXPECT_EQ(bytes[page - 1], 'a');
    EXPECT_FALSE(mapped->shrank());
    EXPECT_EQ(bytes[3 * page + 5], 0);
    EXPECT_TRUE(mapped->shrank());
    mapped.reset();

    // A later mapping of the same memory starts unflagged.
    std::optional<CMappedFile> again =
        CMappedFile::map(pathFromNative(write("whole", std::string(2 * page, 'b'))), error);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->bytes()[2 * page - 1], 'b');
    EXPECT_FALSE(again->shrank());
}

}  // namespace
}  // namespace brindle
