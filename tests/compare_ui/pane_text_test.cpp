// The comparison window's panes read a text comparison in place from the compared lines. They
// must show exactly what the report document of the same comparison shows: the same lines, the
// same characters in the same colours, the same positions for selections and searches.
#include "compare_ui/pane_text.h"

#include "engine/comp_file_opt.h"
#include "engine/compare_driver.h"
#include "platform/utf8.h"
#include "support/case_name.h"
#include "support/random_text.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace brindle {
namespace {

using test::CTempDir;

struct SPair {
    const char* name;
    std::string file1;
    std::string file2;
    bool ignoreWhitespace = false;
    bool ignoreCase = false;
    bool lineNumbers = true;
    std::int32_t maxLinesShowDiff = 10;
};

void PrintTo(const SPair& pair, std::ostream* os) { *os << pair.name; }

// Both panes of one comparison, once from the report documents and once read in place.
struct SPanes {
    std::unique_ptr<CPaneText> rtf[2];
    std::unique_ptr<CPaneText> inPlace[2];
};

SPanes comparePanes(const SPair& pair)
{
    CTempDir dir;
    CCompFileOpt record;
    record.m_file1Path = pathFromNative(dir.write("one.txt", pair.file1));
    record.m_file2Path = pathFromNative(dir.write("two.txt", pair.file2));
    record.m_ignoreWhitespace = pair.ignoreWhitespace;
    record.m_ignoreCase = pair.ignoreCase;
    record.m_showLineNumbers = pair.lineNumbers;
    record.m_maxLinesShowDiff = pair.maxLinesShowDiff;
    CCompFileOpt second = record;
    SReport documents;
    SReport inPlace;
    EXPECT_EQ(RunComparison(record, u"", documents).status, SRunOutcome::Status::Completed);
    SRunOptions options;
    options.panesOnly = true;
    EXPECT_EQ(RunComparison(second, u"", inPlace, options).status, SRunOutcome::Status::Completed);
    EXPECT_TRUE(inPlace.left.empty());
    EXPECT_EQ(inPlace.items.size(), documents.items.size());
    SPanes panes;
    panes.rtf[0] = CPaneText::fromRtf(documents.left);
    panes.rtf[1] = CPaneText::fromRtf(documents.right);
    panes.inPlace[0] = CPaneText::fromReportPane(inPlace.leftPane);
    panes.inPlace[1] = CPaneText::fromReportPane(inPlace.rightPane);
    return panes;
}

// The colour of every character of a line, in order.
std::vector<QColor> colours(const CPaneText& text, int line)
{
    std::vector<QColor> result;
    for (const SPaneRun& run : text.runs(line))
        result.insert(result.end(), static_cast<std::size_t>(run.length), run.colour);
    return result;
}

void expectSameView(const CPaneText& expected, const CPaneText& actual)
{
    ASSERT_EQ(actual.lineCount(), expected.lineCount());
    ASSERT_EQ(actual.textLength(), expected.textLength());
    EXPECT_EQ(actual.fontFamily(), expected.fontFamily());
    EXPECT_EQ(actual.pointSize(), expected.pointSize());
    for (int line = 0; line < expected.lineCount(); ++line) {
        ASSERT_EQ(actual.line(line), expected.line(line)) << "line " << line;
        ASSERT_EQ(actual.lineStart(line), expected.lineStart(line)) << "line " << line;
        ASSERT_EQ(actual.lineEnd(line), expected.lineEnd(line)) << "line " << line;
        ASSERT_EQ(colours(actual, line), colours(expected, line)) << "line " << line;
    }
    if (expected.lineCount() > 0) {
        EXPECT_EQ(actual.line(actual.longestLine()).size(), expected.line(expected.longestLine()).size());
    }
    const qsizetype length = expected.textLength();
    EXPECT_EQ(actual.text(0, length), expected.text(0, length));
    for (qsizetype offset = -1; offset <= length + 1; offset += std::max<qsizetype>(1, length / 97))
        ASSERT_EQ(actual.lineOfOffset(offset), expected.lineOfOffset(offset)) << "offset " << offset;
    for (qsizetype from = 0; from < length; from += std::max<qsizetype>(1, length / 13))
        EXPECT_EQ(actual.text(from, from + 37), expected.text(from, from + 37)) << "from " << from;
}

class PaneTextTest : public testing::TestWithParam<SPair> {};

TEST_P(PaneTextTest, ShowsWhatTheReportDocumentShows)
{
    const SPanes panes = comparePanes(GetParam());
    for (int side = 0; side < 2; ++side) {
        SCOPED_TRACE(side == 0 ? "file 1" : "file 2");
        expectSameView(*panes.rtf[side], *panes.inPlace[side]);
    }
}

std::string randomLines(std::mt19937& rng, int count)
{
    static const char* const kLines[] = {
        "alpha",      "beta",        "Alpha",       "  alpha ", "",
        "\t{braces}", "back\\slash", "caf\xC3\xA9", "x y  z",   "\xF0\x9F\x98\x80 smile"};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kLines) - 1);
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::string(kLines[pick(rng)]) + (i % 5 == 0 ? "\r\n" : "\n");
    return text;
}

std::vector<SPair> pairs()
{
    std::vector<SPair> result = {
        {"Identical", "a\nb\nc\n", "a\nb\nc\n"},
        {"BothEmpty", "", ""},
        {"OneEmpty", "", "a\nb\n"},
        {"ChangedMiddle", "a\nsame start, then old end\nc\n", "a\nsame start, then new end!\nc\n"},
        {"InsertedAndDeleted", "1\n2\n3\n4\n5\n", "0\n1\n3\n4\n4.5\n5\n6\n"},
        {"LineFacingAnEmptyLine", "a\n\nc\n", "a\nfull\nc\n"},
        {"WithoutNumbers", "a\n\nc\n", "a\nfull\nc\n", false, false, false},
        {"GroupTooLongForRedParts", "a\nb\nc\nd\n", "A\nB\nC\nD\n", false, false, true, 2},
        {"IgnoreCaseShowsOwnText", "Hello\nWorld\n", "hello\nworld\n", false, true},
        {"IgnoreWhitespace", "a b\n\nc\n", "a  b\nc\n", true},
        {"Escapes", "{x}\\y\n", "{x}\\z\n"},
        {"NonAscii", "caf\xC3\xA9 cr\xC3\xA8me\n\xE2\x82\xAC 5\n", "caf\xC3\xA9 cr\xC3\xAA me\n\xE2\x82\xAC 6\n"},
        {"AboveBmp", "\xF0\x9F\x98\x80 a\n", "\xF0\x9F\x98\x81 a\n"},
        {"LineStartingWithZeroWidthNoBreakSpace",
         "a\n\xEF\xBB\xBF"
         "b\n",
         "a\n\xEF\xBB\xBF"
         "c\n",
         false, false, false},
        {"Utf16File",
         std::string("\xFF\xFE"
                     "a\0\n\0b\0\n\0",
                     10),
         "a\nc\n"},
        {"FiveDigitNumbers", std::string(12000, '\n'), std::string(11990, '\n') + "x\n"},
    };
    std::mt19937 rng(7);
    for (const char* name : {"RandomA", "RandomB", "RandomC", "RandomD"}) {
        SPair pair{name, randomLines(rng, 300), randomLines(rng, 280)};
        pair.ignoreWhitespace = name[6] == 'B' || name[6] == 'D';
        pair.ignoreCase = name[6] == 'C' || name[6] == 'D';
        result.push_back(pair);
    }
    return result;
}

INSTANTIATE_TEST_SUITE_P(Pairs, PaneTextTest, testing::ValuesIn(pairs()), test::SCaseName());

}  // namespace
}  // namespace brindle
