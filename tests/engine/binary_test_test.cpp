// The binary test and the bare-LF flag, from the first 1024 bytes of a file.
#include "engine/binary_test.h"
#include "platform/utf8.h"
#include "support/temp_dir.h"

#include "support/case_name.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

using namespace std::string_literals;

struct SBinaryCase {
    const char* name;
    std::string bytes;
    bool binary;
    bool bareLf;
};

class BinaryTestTest : public testing::TestWithParam<SBinaryCase> {};

TEST_P(BinaryTestTest, ClassifiesFile)
{
    test::CTempDir dir;
    const std::u16string path = pathFromNative(dir.write("f", GetParam().bytes));
    bool bareLf = false;
    EXPECT_EQ(IsBinary(path, &bareLf), GetParam().binary);
    EXPECT_EQ(bareLf, GetParam().bareLf);
    EXPECT_EQ(IsBinary(path), GetParam().binary);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BinaryTestTest,
    testing::Values(SBinaryCase{"PlainLf", "x\ny", false, true}, SBinaryCase{"CrLf", "x\r\ny", false, false},
                    SBinaryCase{"LeadingLf", "\nx\ny", false, false}, SBinaryCase{"Empty", "", false, false},
                    SBinaryCase{"TabsAndHighBytes", "\t\x7F\xFF\x09", false, false},
                    SBinaryCase{"ByteBelowTab", "abc\x08", true, false}, SBinaryCase{"Nul", "a\0b"s, true, false},
                    // UTF-16 big-endian holds 0x00 bytes; little-endian with its mark is text.
                    SBinaryCase{"Utf16BeWithMark", "\xFE\xFF\0a\0\n"s, true, true},
                    SBinaryCase{"Utf16LeWithMark",
                                "\xFF\xFE"
                                "a\0\n\0"s,
                                false, false},
                    SBinaryCase{"Utf16LeMarkOnly", "\xFF\xFE", false, false},
                    SBinaryCase{"Utf16WithoutMark", "a\0b\0"s, true, false},
                    SBinaryCase{"NulAfterFirst1024Bytes", std::string(1024, 'a') + "\0"s, false, false}),
    test::SCaseName());

TEST(BinaryTest, UnreadableCountsAsText)
{
    test::CTempDir dir;
    EXPECT_FALSE(IsBinary(pathFromNative(dir.file("missing"))));
    EXPECT_FALSE(IsBinary(pathFromNative(dir.path().string())));
}

}  // namespace
}  // namespace brindle
