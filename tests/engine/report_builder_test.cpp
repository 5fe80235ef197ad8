// The text report: exact RTF of both panes, highlighting, escaping, items and the output file.
#include "engine/comp_file_opt.h"
#include "engine/compare_lines.h"
#include "engine/line_list.h"
#include "engine/report_builder.h"
#include "platform/code_page.h"
#include "platform/utf8.h"
#include "support/case_name.h"
#include "support/scoped_code_page.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace brindle {
namespace {

using test::CTempDir;
using test::readBytes;

const std::string kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Times New Roman;}}"
    "{\\colortbl ;\\red0\\green0\\blue255;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}"
    "\\viewkind4\\uc1\\pard\\cf3\\f0\\fs20 ";

std::shared_ptr<CLineList> lines(const std::vector<std::u16string>& texts)
{
    auto list = std::make_shared<CLineList>();
    for (const std::u16string& text : texts)
        list->append(text);
    return list;
}

SReport report(CCompFileOpt& options, const std::vector<std::u16string>& a, const std::vector<std::u16string>& b)
{
    options.m_sections.clear();
    EXPECT_TRUE(CompareLines(lines(a), lines(b), {}, options.m_sections));
    SReport result;
    EXPECT_TRUE(BuildReport(options, u"\r\n", result));
    return result;
}

std::string itemsText(const SReport& result)
{
    std::ostringstream out;
    for (const SSectionItem& item : result.items)
        out << u8(item.label) << ":" << item.image << "@" << item.reportLine << " ";
    return out.str();
}

struct SRtfCase {
    const char* name;
    std::vector<std::u16string> file1;
    std::vector<std::u16string> file2;
    bool numbers;
    std::string left;  // after the header
    std::string right;
};

class ReportRtfTest : public testing::TestWithParam<SRtfCase> {};

TEST_P(ReportRtfTest, WritesExactDocuments)
{
    CCompFileOpt options;
    options.m_showLineNumbers = GetParam().numbers;
    const SReport result = report(options, GetParam().file1, GetParam().file2);
    EXPECT_EQ(result.left, kHeader + GetParam().left);
    EXPECT_EQ(result.right, kHeader + GetParam().right);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportRtfTest,
    testing::Values(SRtfCase{"ChangedLineNumbered",
                             {u"a", u"b", u"e"},
                             {u"a", u"x", u"e"},
                             true,
                             "{\\cf3    1 - a\\par }{\\cf1    2 - }{\\cf2 b}{\\cf1 \\par }{\\cf3    3 - e\\par }}",
                             "{\\cf3    1 - a\\par }{\\cf1    2 - }{\\cf2 x}{\\cf1 \\par }{\\cf3    3 - e\\par }}"},
                    SRtfCase{"ChangedLineBare",
                             {u"a", u"b", u"e"},
                             {u"a", u"x", u"e"},
                             false,
                             "{\\cf3 a\\par }{\\cf1 }{\\cf2 b}{\\cf1 \\par }{\\cf3 e\\par }}",
                             "{\\cf3 a\\par }{\\cf1 }{\\cf2 x}{\\cf1 \\par }{\\cf3 e\\par }}"},
                    SRtfCase{"MiddleOfLineRed",
                             {u"int a = 1;"},
                             {u"int b = 1;"},
                             false,
                             "{\\cf1 int }{\\cf2 a }{\\cf1 = 1;\\par }}",
                             "{\\cf1 int }{\\cf2 b }{\\cf1 = 1;\\par }}"},
                    // An equal ending that starts with a space leaves the space red.
                    SRtfCase{"SpaceBeforeEqualEndStaysRed",
                             {u"ab c"},
                             {u"xy c"},
                             false,
                             "{\\cf1 }{\\cf2 ab }{\\cf1 c\\par }}",
                             "{\\cf1 }{\\cf2 xy }{\\cf1 c\\par }}"},
                    // Replaced by two: the second file-2 line faces a filler and is red as a whole.
                    SRtfCase{
                        "ReplacedByTwo",
                        {u"a", u"b", u"c"},
                        {u"a", u"x", u"y", u"c"},
                        true,
                        "{\\cf3    1 - a\\par }{\\cf1    2 - }{\\cf2 b}{\\cf1 \\par \\par }{\\cf3    3 - c\\par }}",
                        "{\\cf3    1 - a\\par }{\\cf1    2 - }{\\cf2 x}{\\cf1 \\par }{\\cf2    3 - y}{\\cf1 \\par "
                        "}{\\cf3    4 - c\\par }}"},
                    SRtfCase{"File1OnlyIsRed",
                             {u"a", u"b"},
                             {u"a"},
                             true,
                             "{\\cf3    1 - a\\par }{\\cf2    2 - b\\par }}",
                             "{\\cf3    1 - a\\par }{\\cf1 \\par }}"},
                    // The switches go between whole escapes, never inside one.
                    SRtfCase{"BraceAdded",
                             {u"x"},
                             {u"x{"},
                             false,
                             "{\\cf1 x}{\\cf2 }{\\cf1 \\par }}",
                             "{\\cf1 x}{\\cf2 \\{}{\\cf1 \\par }}"},
                    SRtfCase{"EscapedParIsText",
                             {u"a\\par b"},
                             {u"a\\par c"},
                             false,
                             "{\\cf1 a\\\\par }{\\cf2 b}{\\cf1 \\par }}",
                             "{\\cf1 a\\\\par }{\\cf2 c}{\\cf1 \\par }}"},
                    SRtfCase{"WideLineUsesUnicodeEscapes",
                             {u"\u00E9\u4E2D{"},
                             {u"\u00E9"},
                             false,
                             "{\\cf1 \\u233?}{\\cf2 \\u20013?\\{}{\\cf1 \\par }}",
                             "{\\cf1 \xE9}{\\cf2 }{\\cf1 \\par }}"},
                    // A character above U+FFFF is red as a whole, where its pairs share the first unit and
                    // where they share the second.
                    SRtfCase{"PairsSharingTheirFirstUnit",
                             {u"x\U0001F600"},
                             {u"x\U0001F601"},
                             false,
                             "{\\cf1 x}{\\cf2 \\u55357?\\u56832?}{\\cf1 \\par }}",
                             "{\\cf1 x}{\\cf2 \\u55357?\\u56833?}{\\cf1 \\par }}"},
                    SRtfCase{"PairsSharingTheirSecondUnit",
                             {u"\U0001F600x"},
                             {u"\U0001FA00x"},
                             false,
                             "{\\cf1 }{\\cf2 \\u55357?\\u56832?}{\\cf1 x\\par }}",
                             "{\\cf1 }{\\cf2 \\u55358?\\u56832?}{\\cf1 x\\par }}"}),
    test::SCaseName());

// Lines equal only under Ignore case or Ignore whitespace are common, and each pane shows its
// own file's text.
TEST(ReportBuilder, EachPaneShowsItsOwnFileWhereLinesMatchUnderAnOption)
{
    struct SCase {
        const char* name;
        bool ignoreWhitespace;
        bool ignoreCase;
        std::u16string line1;
        std::u16string line2;
    };
    const SCase cases[] = {
        {"ignore case", false, true, u"second line", u"second LINE"},
        {"ignore whitespace", true, false, u"a  b", u"ab "},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        SLineCompareOptions compare;
        compare.ignoreWhitespace = c.ignoreWhitespace;
        compare.ignoreCase = c.ignoreCase;
        CCompFileOpt options;
        options.m_showLineNumbers = 0;
        ASSERT_TRUE(CompareLines(lines({u"first", c.line1}), lines({u"first", c.line2}), compare, options.m_sections));
        SReport result;
        ASSERT_TRUE(BuildReport(options, u"\r\n", result));
        EXPECT_EQ(itemsText(result), "1-2;1-2:0@0 ");
        EXPECT_EQ(result.left, kHeader + "{\\cf3 first\\par " + u8(c.line1) + "\\par }}");
        EXPECT_EQ(result.right, kHeader + "{\\cf3 first\\par " + u8(c.line2) + "\\par }}");
    }
}

TEST(ReportBuilder, ItemsCarryLabelsImagesAndStartLines)
{
    CCompFileOpt options;
    const SReport result =
        report(options, {u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8"}, {u"1", u"2", u"x", u"y", u"5", u"8", u"9"});
    EXPECT_EQ(itemsText(result), "1-2;1-2:0@0 3-4;3-4:2@2 5;5:0@4 6-7;missing:2@5 8;6:0@7 missing;7:2@8 ");
    EXPECT_EQ(result.rootText, u"Comparison Results");
    EXPECT_EQ(result.reportLines, 9);
}

TEST(ReportBuilder, GroupAtTheLimitIsRedAsAWhole)
{
    std::vector<std::u16string> a;
    std::vector<std::u16string> b;
    for (int i = 0; i < 300; ++i) {
        a.push_back(u"a" + u16(std::to_string(i)));
        b.push_back(u"b" + u16(std::to_string(i)));
    }
    CCompFileOpt options;
    options.m_showLineNumbers = 0;
    SReport result = report(options, a, b);
    EXPECT_EQ(result.left.substr(kHeader.size(), 9), "{\\cf2 a0\\");
    EXPECT_EQ(result.right.substr(kHeader.size(), 9), "{\\cf2 b0\\");
    EXPECT_EQ(result.left.find("}{\\cf2 "), std::string::npos);

    options.m_maxLinesShowDiff = 301;
    result = report(options, a, b);
    EXPECT_EQ(result.left.substr(kHeader.size(), 6), "{\\cf1 ");
}

TEST(ReportBuilder, FontNameIsEscapedAndSizeCorrected)
{
    CCompFileOpt options;
    options.m_fontName = u"Odd{Font}";
    options.m_fontSize = 101;
    const SReport result = report(options, {u"a"}, {u"a"});
    EXPECT_NE(result.left.find("\\fcharset0 Odd\\{Font\\};}}"), std::string::npos);
    EXPECT_NE(result.left.find("\\fs20 "), std::string::npos);
    EXPECT_EQ(options.m_fontSize, 10);
}

TEST(ReportBuilder, Utf8SystemWritesUnicodeEscapes)
{
    const test::CScopedCodePage acp("65001");
    CCompFileOpt options;
    options.m_showLineNumbers = 0;
    const SReport result = report(options, {u"caf\u00E9"}, {u"caf\u00E9"});
    EXPECT_EQ(result.left, kHeader + "{\\cf3 caf\\u233?\\par }}");
}

struct SRtfShape {
    int lineEnds = 0;
    bool balanced = true;
};

// Reads RTF as a reader would: escapes, control words and groups.
SRtfShape shapeOf(const std::string& rtf)
{
    SRtfShape shape;
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '{') {
            ++depth;
        } else if (rtf[i] == '}') {
            shape.balanced &= --depth >= 0;
        } else if (rtf[i] == '\\' && i + 1 < rtf.size()) {
            std::size_t end = i + 1;
            while (end < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[end])))
                ++end;
            if (end == i + 1)
                ++i;  // an escaped character
            else if (rtf.compare(i + 1, end - i - 1, "par") == 0)
                ++shape.lineEnds;
            if (end > i + 1)
                i = end - 1;
        }
    }
    shape.balanced &= depth == 0;
    return shape;
}

// Whatever the lines, both panes hold the same number of lines and every group closes.
TEST(ReportBuilder, PanesStayAlignedOnRandomInput)
{
    std::mt19937 random(9);
    const std::u16string pieces[] = {u"a", u"b", u"{", u"}", u"\\", u"\\par", u" ", u"\u00E9", u"\u4E2D", u""};
    const auto randomLines = [&](int count) {
        std::vector<std::u16string> result;
        for (int i = 0; i < count; ++i) {
            std::u16string line;
            for (int k = static_cast<int>(random() % 4); k > 0; --k)
                line += pieces[random() % std::size(pieces)];
            result.push_back(line);
        }
        return result;
    };
    for (int round = 0; round < 300; ++round) {
        CCompFileOpt options;
        options.m_showLineNumbers = static_cast<int>(random() % 2);
        const SReport result =
            report(options, randomLines(static_cast<int>(random() % 12)), randomLines(static_cast<int>(random() % 12)));
        for (const std::string* text : {&result.left, &result.right}) {
            const SRtfShape shape = shapeOf(*text);
            ASSERT_EQ(shape.lineEnds, result.reportLines) << round << *text;
            ASSERT_TRUE(shape.balanced) << round << *text;
        }
    }
}

// Documents written to their files in pieces while they are built (on a thread of their own)
// come out byte for byte as those built in memory, whichever of them has a file.
TEST(ReportBuilder, DocumentFilesEqualTheDocumentsBuiltInMemory)
{
    struct SCase {
        const char* name;
        int lines;  // of each file; 40000 make documents of several pieces
        bool file1;
        bool file2;
    };
    const SCase cases[] = {
        {"both, a few lines", 20, true, true},
        {"both, several pieces", 40000, true, true},
        {"file 1's only", 40000, true, false},
        {"file 2's only", 40000, false, true},
    };
    std::mt19937 random(5);
    const std::u16string pieces[] = {u"abcdefgh", u"{", u"}", u"\\", u" ", u"\u00E9", u"\u4E2D", u"\U0001F600", u""};
    const auto randomLines = [&](int count) {
        std::vector<std::u16string> result;
        for (int i = 0; i < count; ++i) {
            std::u16string line;
            for (int k = static_cast<int>(random() % 6); k > 0; --k)
                line += pieces[random() % std::size(pieces)];
            result.push_back(line);
        }
        return result;
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::u16string> a = randomLines(c.lines);
        std::vector<std::u16string> b = a;
        for (std::u16string& line : b) {
            if (random() % 5 == 0)
                line = randomLines(1)[0];
        }
        CCompFileOpt options;
        options.m_showLineNumbers = 1;
        const SReport inMemory = report(options, a, b);
        ASSERT_GT(inMemory.left.size(), std::size_t{100});

        CTempDir dir;
        SReportOptions toFiles;
        if (c.file1)
            toFiles.documentFile1 = pathFromNative(dir.file("left.rtf"));
        if (c.file2)
            toFiles.documentFile2 = pathFromNative(dir.file("right.rtf"));
        SReport written;
        ASSERT_TRUE(BuildReport(options, u"\r\n", written, toFiles));
        EXPECT_EQ(c.file1 ? readBytes(dir.file("left.rtf")) : written.left, inMemory.left);
        EXPECT_EQ(c.file2 ? readBytes(dir.file("right.rtf")) : written.right, inMemory.right);
        EXPECT_EQ(c.file1 ? written.left : "", "");
        EXPECT_EQ(c.file2 ? written.right : "", "");
        EXPECT_EQ(itemsText(written), itemsText(inMemory));
    }
}

TEST(ReportBuilder, OutputFileInMergeLayoutWithBareLf)
{
    CTempDir dir;
    CCompFileOpt options;
    options.m_outputFile = pathFromNative(dir.file("out.txt"));
    options.m_file1LinePrefix = u"<";
    options.m_file2LinePrefix = u">";
    options.m_sections.clear();
    ASSERT_TRUE(CompareLines(lines({u"a", u"b", u"\u20AC"}), lines({u"a", u"x", u"\u20AC"}), {}, options.m_sections));
    SReport result;
    SReportOptions withoutDocuments;
    withoutDocuments.buildDocuments = false;
    ASSERT_TRUE(BuildReport(options, u"\n", result, withoutDocuments));
    EXPECT_EQ(readBytes(dir.file("out.txt")), "a\n<b\n>x\n\x80\n");
    EXPECT_TRUE(result.left.empty());
    EXPECT_EQ(result.items.size(), 3u);
}

TEST(ReportBuilder, OutputFileNamingACompredFileIsNotWritten)
{
    CTempDir dir;
    const std::string file1 = dir.write("File1.txt", "keep");
    CCompFileOpt options;
    options.m_file1Path = pathFromNative(file1);
    options.m_file2Path = pathFromNative(dir.write("two.txt", "other"));
    for (const std::string& output : {dir.file("FILE1.TXT"), dir.file("./File1.txt")}) {
        options.m_outputFile = pathFromNative(output);
        options.m_sections.clear();
        ASSERT_TRUE(CompareLines(lines({u"a"}), lines({u"b"}), {}, options.m_sections));
        SReport result;
        ASSERT_TRUE(BuildReport(options, u"\r\n", result));
        EXPECT_TRUE(options.m_outputFile.empty());
        EXPECT_EQ(readBytes(file1), "keep");
    }
}

}  // namespace
}  // namespace brindle
