// The merge file: layout of markers per difference group, encodings, and safe replacement.
#include "engine/comp_file_opt.h"
#include "engine/compare_lines.h"
#include "engine/file_exception.h"
#include "engine/line_list.h"
#include "engine/merge_file.h"
#include "platform/utf8.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

namespace brindle {
namespace {

using test::CTempDir;
using test::readBytes;
using namespace std::string_literals;

std::shared_ptr<CLineList> lines(std::initializer_list<const char16_t*> texts)
{
    auto list = std::make_shared<CLineList>();
    for (const char16_t* text : texts)
        list->append(text);
    return list;
}

void compare(CCompFileOpt& options, const std::shared_ptr<CLineList>& a, const std::shared_ptr<CLineList>& b)
{
    options.m_sections.clear();
    ASSERT_TRUE(CompareLines(a, b,
                             SLineCompareOptions{options.m_ignoreWhitespace != 0, options.m_ignoreCase != 0, nullptr},
                             options.m_sections));
}

std::string mergeText(const CCompFileOpt& options, int encoding = 0)
{
    CTempDir dir;
    const std::string path = dir.file("merge.txt");
    WriteMergeFile(options, pathFromNative(path), encoding);
    return readBytes(path);
}

CCompFileOpt withMarkers()
{
    CCompFileOpt options;
    options.m_file1SectionHeader = u"H1";
    options.m_file1SectionFooter = u"F1";
    options.m_file2SectionHeader = u"H2";
    options.m_file2SectionFooter = u"F2";
    return options;
}

TEST(MergeFile, ChangedLineWithDefaultMarkers)
{
    CCompFileOpt options;
    compare(options, lines({u"a", u"b", u"e"}), lines({u"a", u"x", u"e"}));
    EXPECT_EQ(mergeText(options), "a\r\n|<<b\r\n||>>x\r\ne\r\n");
}

TEST(MergeFile, HeadersAndFootersFrameEachSide)
{
    CCompFileOpt options = withMarkers();
    compare(options, lines({u"a", u"b", u"e"}), lines({u"a", u"x", u"e"}));
    EXPECT_EQ(mergeText(options), "a\r\nH1\r\n|<<b\r\nF1\r\nH2\r\n||>>x\r\nF2\r\ne\r\n");
}

TEST(MergeFile, RemovalOnlyAndAdditionOnly)
{
    CCompFileOpt options = withMarkers();
    compare(options, lines({u"a", u"b", u"c", u"e"}), lines({u"a", u"e"}));
    EXPECT_EQ(mergeText(options), "a\r\nH1\r\n|<<b\r\n|<<c\r\nF1\r\ne\r\n");
    compare(options, lines({u"a", u"e"}), lines({u"a", u"y", u"e"}));
    EXPECT_EQ(mergeText(options), "a\r\nH2\r\n||>>y\r\nF2\r\ne\r\n");
}

TEST(MergeFile, HeadersWithoutFooters)
{
    CCompFileOpt options;
    options.m_file1SectionHeader = u"<<<";
    options.m_file2SectionHeader = u">>>";
    compare(options, lines({u"a", u"b", u"e"}), lines({u"a", u"x", u"e"}));
    EXPECT_EQ(mergeText(options), "a\r\n<<<\r\n|<<b\r\n>>>\r\n||>>x\r\ne\r\n");
}

TEST(MergeFile, FooterOfAnOpenSideWithoutFooterFallsToTheOther)
{
    CCompFileOpt options = withMarkers();
    options.m_file1SectionFooter.clear();
    compare(options, lines({u"a", u"b", u"e"}), lines({u"a", u"x", u"e"}));
    EXPECT_EQ(mergeText(options), "a\r\nH1\r\n|<<b\r\nH2\r\n||>>x\r\nF2\r\ne\r\n");
}

TEST(MergeFile, MovedBlockGivesTwoGroups)
{
    // The moved block shows as file-2 lines before the common lines and file-1 lines after.
    CCompFileOpt options;
    options.m_file2SectionFooter = u"F2";
    options.m_file1SectionFooter = u"F1";
    compare(options, lines({u"p", u"q", u"r", u"s"}), lines({u"r", u"s", u"p", u"q"}));
    EXPECT_EQ(mergeText(options), "||>>r\r\n||>>s\r\nF2\r\np\r\nq\r\n|<<r\r\n|<<s\r\nF1\r\n");
}

TEST(MergeFile, CommonSectionsOff)
{
    CCompFileOpt options;
    options.m_writeCommonSections = 0;
    compare(options, lines({u"a", u"b", u"e"}), lines({u"a", u"x", u"e"}));
    EXPECT_EQ(mergeText(options), "|<<b\r\n||>>x\r\n");
    compare(options, lines({u"same"}), lines({u"same"}));
    EXPECT_EQ(mergeText(options, 0), "");
    EXPECT_EQ(mergeText(options, 2), "\xFF\xFE");
    EXPECT_EQ(mergeText(options, 3), "\xEF\xBB\xBF");
}

TEST(MergeFile, EmptyPrefixesWriteBareLines)
{
    CCompFileOpt options;
    options.m_file1LinePrefix.clear();
    options.m_file2LinePrefix.clear();
    compare(options, lines({u"a", u"b"}), lines({u"a", u"x"}));
    EXPECT_EQ(mergeText(options), "a\r\nb\r\nx\r\n");
}

TEST(MergeFile, Utf16LittleEndianLikeFile1)
{
    CCompFileOpt options;
    compare(options, lines({u"a"}), lines({u"b"}));
    EXPECT_EQ(mergeText(options, 2), "\xFF\xFE|\0<\0<\0a\0\r\0\n\0|\0|\0>\0>\0b\0\r\0\n\0"s);
}

TEST(MergeFile, EmptyPathWritesNothing)
{
    CCompFileOpt options;
    EXPECT_NO_THROW(WriteMergeFile(options, u"", 0));
}

TEST(MergeFile, ReadOnlyTargetIsReplaced)
{
    CTempDir dir;
    const std::string path = dir.write("ro.txt", "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    CCompFileOpt options;
    compare(options, lines({u"a"}), lines({u"a"}));
    WriteMergeFile(options, pathFromNative(path), 0);
    EXPECT_EQ(readBytes(path), "a\r\n");
}

TEST(MergeFile, FailureLeavesThePreviousFile)
{
    CTempDir dir;
    const std::string blocker = dir.write("blocker", "a file, not a folder");
    CCompFileOpt options;
    compare(options, lines({u"a"}), lines({u"b"}));
    EXPECT_THROW(WriteMergeFile(options, pathFromNative(blocker + "/merge.txt"), 0), CFileException);
    EXPECT_EQ(readBytes(blocker), "a file, not a folder");
}

// Splits a merge file written with distinct prefixes back into the two files.
void reconstruct(const std::string& merge, std::vector<std::string>& file1, std::vector<std::string>& file2)
{
    std::istringstream in(merge);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("@2@", 0) == 0)
            file2.push_back(line.substr(3));
        else if (line.rfind("@1@", 0) == 0)
            file1.push_back(line.substr(3));
        else
            file1.push_back(line), file2.push_back(line);
    }
}

TEST(MergeFile, ReconstructsBothInputs)
{
    std::mt19937 random(11);
    const char16_t* vocabulary[] = {u"int a;", u"}", u"{", u"return 0;", u"x++;", u"", u"// note", u"f();"};
    const auto randomLines = [&](int count) {
        auto list = std::make_shared<CLineList>();
        for (int i = 0; i < count; ++i)
            list->append(vocabulary[random() % std::size(vocabulary)]);
        return list;
    };
    for (int round = 0; round < 100; ++round) {
        auto a = randomLines(static_cast<int>(random() % 30));
        auto b = randomLines(static_cast<int>(random() % 30));
        CCompFileOpt options;
        options.m_file1LinePrefix = u"@1@";
        options.m_file2LinePrefix = u"@2@";
        compare(options, a, b);
        std::vector<std::string> file1;
        std::vector<std::string> file2;
        reconstruct(mergeText(options), file1, file2);
        std::vector<std::string> expected1;
        std::vector<std::string> expected2;
        for (CDiffLine* line : a->lines())
            expected1.push_back(u8(line->text()));
        for (CDiffLine* line : b->lines())
            expected2.push_back(u8(line->text()));
        ASSERT_EQ(file1, expected1) << "round " << round;
        ASSERT_EQ(file2, expected2) << "round " << round;
    }
}

}  // namespace
}  // namespace brindle
