// Reading report documents: the report writer's own output comes back as the lines it wrote, in
// the colours it gave, and hostile input is read as far as it makes sense.
#include "compare_ui/rtf_lines.h"
#include "framework/qt_utf16.h"

#include "engine/rtf_document.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brindle {
namespace {

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

struct SPiece {
    std::string_view colour;  // kRtfBlue, kRtfRed, kRtfBlack
    std::u16string text;
};

// One report line written the way the report builder writes it: colour groups, \par at the end.
std::string writeDocument(const std::vector<std::vector<SPiece>>& lines, std::u16string_view font = u"Courier New")
{
    CRtfDocument document;
    document.start(font, 10);
    for (const auto& line : lines) {
        for (const SPiece& piece : line) {
            document.raw(piece.colour);
            document.text(piece.text);
            document.raw("}");
        }
        document.raw(kRtfLineEnd);
    }
    document.raw("}");
    return document.takeBytes();
}

QString joined(const std::vector<std::vector<SPiece>>& lines)
{
    QStringList out;
    for (const auto& line : lines) {
        QString text;
        for (const SPiece& piece : line)
            text += toQString(piece.text);
        out << text;
    }
    return out.join(u'\n');
}

struct SWriterCase {
    const char* name;
    std::vector<std::vector<SPiece>> lines;
};

class RtfLinesWriterTest : public ::testing::TestWithParam<SWriterCase> {};

TEST_P(RtfLinesWriterTest, ReadsBackWhatTheReportWriterWrote)
{
    const SWriterCase& c = GetParam();
    const CRtfLines lines = CRtfLines::read(writeDocument(c.lines));
    ASSERT_EQ(lines.lineCount(), static_cast<int>(c.lines.size()));
    EXPECT_EQ(lines.text(), joined(c.lines));
    for (int i = 0; i < lines.lineCount(); ++i) {
        const std::vector<SRtfRun> runs = lines.runs(i);
        // Runs of the same colour may merge; compare character by character.
        QString expectedColours;
        QString actualColours;
        for (const SPiece& piece : c.lines[static_cast<std::size_t>(i)]) {
            const QChar tag = piece.colour == kRtfBlue ? u'b' : piece.colour == kRtfRed ? u'r' : u'k';
            expectedColours += QString(toQString(piece.text).size(), tag);
        }
        for (const SRtfRun& run : runs) {
            const QChar tag = run.colour == kBlue    ? u'b'
                              : run.colour == kRed   ? u'r'
                              : run.colour == kBlack ? u'k'
                                                     : u'?';
            actualColours += QString(run.text.size(), tag);
        }
        EXPECT_EQ(actualColours, expectedColours) << "line " << i;
    }
    EXPECT_EQ(lines.fontFamily(), QStringLiteral("Courier New"));
    EXPECT_EQ(lines.pointSize(), 10);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfLinesWriterTest,
    ::testing::Values(SWriterCase{"Plain", {{{kRtfBlack, u"int main()"}}, {{kRtfBlack, u"{"}}, {{kRtfBlack, u"}"}}}},
                      SWriterCase{"Escapes", {{{kRtfBlack, u"a\\b {c} \\par x"}}}},
                      SWriterCase{"Latin1", {{{kRtfBlack, u"caf\u00e9 \u00fc\u00df"}}}},
                      SWriterCase{"Unicode", {{{kRtfBlue, u"\u0416\u4e2d\U0001F600 end"}}}},
                      SWriterCase{"IntraLineRuns",
                                  {{{kRtfBlue, u"same "}, {kRtfRed, u"changed"}, {kRtfBlue, u" tail"}},
                                   {{kRtfRed, u"whole line red"}}}},
                      SWriterCase{"EmptyLines", {{}, {{kRtfBlack, u"x"}}, {}}},
                      SWriterCase{"TabsAndControlWordsInText", {{{kRtfBlack, u"\tif\\cf2 x\\'41"}}}}),
    test::SCaseName());

TEST(RtfLinesTest, LineNumbersAndFontNameWithBraces)
{
    CRtfDocument document;
    document.start(u"Odd {Font}", 9);
    document.raw(kRtfBlack);
    document.lineNumber(12);
    document.text(u"text");
    document.raw("}");
    document.raw(kRtfLineEnd);
    document.raw("}");
    const CRtfLines lines = CRtfLines::read(document.bytes());
    ASSERT_EQ(lines.lineCount(), 1);
    EXPECT_EQ(lines.line(0).toString(), QStringLiteral("  12 - text"));
    EXPECT_EQ(lines.fontFamily(), QStringLiteral("Odd {Font}"));
    EXPECT_EQ(lines.pointSize(), 9);
}

struct SHostileCase {
    const char* name;
    std::string rtf;
    QString text;
};

class RtfLinesHostileTest : public ::testing::TestWithParam<SHostileCase> {};

TEST_P(RtfLinesHostileTest, ReadsAsFarAsItMakesSense)
{
    const SHostileCase& c = GetParam();
    const CRtfLines lines = CRtfLines::read(c.rtf);
    EXPECT_EQ(lines.text(), c.text);
    EXPECT_EQ(lines.lineCount(), c.text.isEmpty() ? 0 : c.text.count(u'\n') + 1) << "every \"\\n\" starts a line";
    for (int i = 0; i < lines.lineCount(); ++i) {
        qsizetype covered = 0;
        for (const SRtfRun& run : lines.runs(i))
            covered += run.text.size();
        EXPECT_EQ(covered, lines.line(i).size());
    }
}

// A hex escape cut after one digit takes that digit as its value.
INSTANTIATE_TEST_SUITE_P(
    Cases, RtfLinesHostileTest,
    ::testing::Values(
        SHostileCase{"Empty", "", QString()}, SHostileCase{"UnbalancedClose", "}}}a\\par }", QStringLiteral("a")},
        SHostileCase{"UnclosedGroups", "{{{{a\\par b", QStringLiteral("a\nb")},
        SHostileCase{"TruncatedHexEscape", "{\\rtf1 a\\'4", QStringLiteral("a") + QChar(4)},
        SHostileCase{"TruncatedControlWord", "{\\rtf1 a\\", QStringLiteral("a")},
        SHostileCase{"HugeColourIndex", "{\\rtf1{\\colortbl;\\red1;}\\cf99999999999999 a\\par}", QStringLiteral("a")},
        SHostileCase{"NegativeUnicode", "{\\rtf1 \\u-10179?\\u-8704?\\par}", toQString(u"\U0001F600")},
        SHostileCase{"IgnoredDestination", "{\\rtf1{\\*\\generator x;}a\\par}", QStringLiteral("a")},
        SHostileCase{"DeepNesting", std::string(100000, '{') + "a\\par", QStringLiteral("a")},
        SHostileCase{"RawLineBreaksIgnored", "{\\rtf1 a\r\nb\\par}", QStringLiteral("ab")},
        SHostileCase{"EscapedLineFeedEndsTheLine", "{\\rtf1 a\\'0ab\\u10?c\\par}", QStringLiteral("a\nb\nc")}),
    test::SCaseName());

TEST(RtfLinesTest, OffsetsMapToLines)
{
    const CRtfLines lines = CRtfLines::read("{\\rtf1 ab\\par c\\par \\par}");
    ASSERT_EQ(lines.lineCount(), 3);
    const struct {
        qsizetype offset;
        int line;
    } cases[] = {{-5, 0}, {0, 0}, {2, 0}, {3, 1}, {4, 1}, {5, 2}, {99, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(lines.lineOfOffset(c.offset), c.line) << "offset " << c.offset;
}

}  // namespace
}  // namespace brindle
