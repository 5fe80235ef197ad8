// Binary comparison: match blocks, hex-dump report, section items and the output file.
#include "engine/binary_comparison.h"

#include "engine/cancel_flag.h"
#include "engine/comp_file_opt.h"
#include "engine/file_exception.h"
#include "engine/report.h"
#include "platform/utf8.h"
#include "support/case_name.h"
#include "support/scoped_cancel.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace brindle {

// Found by argument-dependent lookup, so in the namespace of SMatchBlock.
[[maybe_unused]] static void PrintTo(const SMatchBlock& b, std::ostream* os)
{
    *os << b.start1 << "-" << b.end1 << ";" << b.start2 << "-" << b.end2;
}

namespace {

using namespace std::string_literals;

std::span<const std::uint8_t> bytesOf(const std::string& s)
{
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::string randomBytes(std::mt19937& rng, std::size_t n)
{
    std::string s(n, '\0');
    for (char& c : s)
        c = static_cast<char>(rng() & 0xFF);
    return s;
}

std::string randomBytes(unsigned seed, std::size_t n)
{
    std::mt19937 rng(seed);
    return randomBytes(rng, n);
}

// Bytes that differ from their neighbours, so that no block grows into them by chance.
std::string insertedAt(std::string s, std::size_t at, std::size_t n)
{
    std::string run(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        run[i] = static_cast<char>(s[at - 1] ^ s[at] ^ 0x5A ^ static_cast<char>(i));
    return s.insert(at, run);
}

const std::string kBase = randomBytes(1, 4000);

// ---- MatchBinary ----

struct SMatchCase {
    const char* name;
    std::string file1;
    std::string file2;
    std::vector<SMatchBlock> blocks;
};

void PrintTo(const SMatchCase& c, std::ostream* os) { *os << c.name; }

class MatchBinaryTest : public testing::TestWithParam<SMatchCase> {};

TEST_P(MatchBinaryTest, FindsBlocks)
{
    EXPECT_EQ(MatchBinary(bytesOf(GetParam().file1), bytesOf(GetParam().file2), nullptr), GetParam().blocks);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, MatchBinaryTest,
    testing::Values(
        SMatchCase{"Identical", kBase.substr(0, 1000), kBase.substr(0, 1000), {{0, 999, 0, 999}}},
        SMatchCase{"InsertedRun", kBase, insertedAt(kBase, 500, 10), {{0, 499, 0, 499}, {500, 3999, 510, 4009}}},
        SMatchCase{"ChangedByte",
                   kBase.substr(0, 2000),
                   kBase.substr(0, 1000) + char(~kBase[1000]) + kBase.substr(1001, 999),
                   {{0, 999, 0, 999}, {1001, 1999, 1001, 1999}}},
        SMatchCase{"DeletedRun",
                   kBase.substr(0, 2000),
                   kBase.substr(0, 300) + kBase.substr(350, 1650),
                   {{0, 299, 0, 299}, {350, 1999, 300, 1949}}},
        // A probe inside the block just found once anchored in it again (5-999;1005-1999).
        SMatchCase{"File2IsFile1Twice",
                   kBase.substr(0, 1000),
                   kBase.substr(0, 1000) + kBase.substr(0, 1000),
                   {{0, 999, 0, 999}}},
        // The probe after the second block lands on its last byte.
        SMatchCase{"ProbeAtLastByteOfBlock",
                   kBase.substr(0, 1000),
                   kBase.substr(0, 200) + char(~kBase[200]) + kBase.substr(201, 109) + char(~kBase[310]) +
                       kBase.substr(309, 691),
                   {{0, 199, 0, 199}, {201, 309, 201, 309}, {310, 999, 312, 1001}}},
        // Fewer than 30 bytes left: only the bytes both sides have are compared.
        SMatchCase{"File2IsShortPrefix", kBase.substr(0, 1000), kBase.substr(0, 20), {{0, 19, 0, 19}}},
        SMatchCase{"ShortFiles", "0123456789", "0123456789", {{0, 9, 0, 9}}},
        SMatchCase{"OneEqualByte", "x", "x", {{0, 0, 0, 0}}}, SMatchCase{"OneDifferentByte", "x", "y", {}},
        SMatchCase{"File1Empty", "", "abc", {}}, SMatchCase{"File2Empty", "abc", "", {}},
        // A difference longer than the search window is not resynchronised.
        SMatchCase{"LeadBeyondWindow", kBase.substr(0, 1000), randomBytes(2, 102400) + kBase.substr(0, 1000), {}}),
    test::SCaseName());

// Invariants over random and hostile pairs: increasing, non-overlapping, equal, inside the images.
// Regression: a probe with no match used to anchor on the last byte of file 2 by chance, and that
// block ended all further matching.
TEST(MatchBinary, LastByteOfFile2IsNoAnchorByChance)
{
    std::string a = randomBytes(21, 3000);
    std::string b = randomBytes(22, 3000);
    b.back() = a.front();
    EXPECT_TRUE(MatchBinary(bytesOf(a), bytesOf(b), nullptr).empty());
    b += a.substr(100);  // the real match comes later and is still found
    const auto blocks = MatchBinary(bytesOf(a), bytesOf(b), nullptr);
    ASSERT_FALSE(blocks.empty());
    EXPECT_EQ(blocks.back().end1, 2999);
}

TEST(MatchBinaryProperty, BlocksAreOrderedEqualAndInside)
{
    std::mt19937 rng(7);
    std::vector<std::pair<std::string, std::string>> pairs = {{"", ""},
                                                              {"a", ""},
                                                              {"", "a"},
                                                              {"a", "a"},
                                                              {"a", "b"},
                                                              {std::string(5000, '\0'), std::string(7000, '\0')},
                                                              {std::string(7000, 'z'), std::string(300, 'z')},
                                                              {kBase, kBase},
                                                              {kBase, kBase + kBase},
                                                              {kBase + kBase, kBase},
                                                              {std::string(29, 'q') + "r", std::string(3000, 'q')}};
    for (int i = 0; i < 200; ++i) {
        std::string a = randomBytes(rng, rng() % 20000);
        std::string b = a;
        for (int edits = static_cast<int>(rng() % 30); edits > 0; --edits) {
            const std::size_t at = b.empty() ? 0 : rng() % b.size();
            const std::size_t n = 1 + rng() % (i % 4 == 0 ? 3000 : 40);
            switch (rng() % 3) {
            case 0: b.insert(at, randomBytes(rng, n)); break;
            case 1: b.erase(at, n); break;
            default: b.replace(at, std::min(n, b.size() - at), randomBytes(rng, std::min(n, b.size() - at)));
            }
        }
        if (i % 5 == 0) {  // two byte values: many false anchor starts
            for (std::string* s : {&a, &b})
                for (char& c : *s)
                    c = static_cast<char>(c & 1);
        }
        pairs.emplace_back(std::move(a), std::move(b));
    }
    for (const auto& [a, b] : pairs) {
        const auto blocks = MatchBinary(bytesOf(a), bytesOf(b), nullptr);
        std::int64_t next1 = 0, next2 = 0;
        for (const SMatchBlock& k : blocks) {
            SCOPED_TRACE(testing::Message() << a.size() << "/" << b.size() << ": " << testing::PrintToString(k));
            ASSERT_GE(k.start1, next1);
            ASSERT_GE(k.start2, next2);
            ASSERT_LE(k.start1, k.end1);
            ASSERT_EQ(k.end1 - k.start1, k.end2 - k.start2);
            ASSERT_LT(k.end1, static_cast<std::int64_t>(a.size()));
            ASSERT_LT(k.end2, static_cast<std::int64_t>(b.size()));
            ASSERT_EQ(a.compare(k.start1, k.end1 - k.start1 + 1, b, k.start2, k.end2 - k.start2 + 1), 0);
            next1 = k.end1 + 1;
            next2 = k.end2 + 1;
        }
        if (a == b && !a.empty()) {
            const auto last = static_cast<std::int64_t>(a.size()) - 1;
            EXPECT_EQ(blocks, (std::vector<SMatchBlock>{{0, last, 0, last}}));
        }
    }
}

// ---- CompareBinary ----

struct SItem {
    std::string label;
    int image;
    std::int32_t row;
    bool operator==(const SItem&) const = default;
};

void PrintTo(const SItem& item, std::ostream* os) { *os << item.label << "/" << item.image << "@" << item.row; }

std::vector<SItem> itemsOf(const SReport& report)
{
    std::vector<SItem> items;
    for (const SSectionItem& item : report.items)
        items.push_back({u8(item.label), item.image, item.reportLine});
    return items;
}

std::size_t countOf(const std::string& text, std::string_view part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++n;
    return n;
}

struct SPairFixture {
    test::CTempDir dir;
    CCompFileOpt record;
    SReport report;

    SPairFixture(const std::string& a, const std::string& b)
    {
        record.m_file1Path = pathFromNative(dir.write("a.bin", a));
        record.m_file2Path = pathFromNative(dir.write("b.bin", b));
    }
    bool compare(bool documents = true) { return CompareBinary(record, report, documents); }
};

struct SReportCase {
    const char* name;
    std::string file1;
    std::string file2;
    std::vector<SItem> items;
    std::int32_t rows;
};

void PrintTo(const SReportCase& c, std::ostream* os) { *os << c.name; }

class CompareBinaryReportTest : public testing::TestWithParam<SReportCase> {};

TEST_P(CompareBinaryReportTest, ItemsAndRows)
{
    SPairFixture pair(GetParam().file1, GetParam().file2);
    ASSERT_TRUE(pair.compare());
    EXPECT_EQ(u8(pair.report.rootText), "Comparison Results");
    EXPECT_EQ(itemsOf(pair.report), GetParam().items);
    EXPECT_EQ(pair.report.reportLines, GetParam().rows);
    // Both panes keep the same number of rows.
    EXPECT_EQ(countOf(pair.report.left, "\\par "), static_cast<std::size_t>(GetParam().rows));
    EXPECT_EQ(countOf(pair.report.right, "\\par "), static_cast<std::size_t>(GetParam().rows));

    SReport withDocuments = pair.report;
    ASSERT_TRUE(pair.compare(false));
    EXPECT_EQ(pair.report.left, "");
    EXPECT_EQ(pair.report.right, "");
    EXPECT_EQ(itemsOf(pair.report), itemsOf(withDocuments));
    EXPECT_EQ(pair.report.reportLines, withDocuments.reportLines);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, CompareBinaryReportTest,
    testing::Values(
        SReportCase{"Identical1000", kBase.substr(0, 1000), kBase.substr(0, 1000), {{"0-999;0-999", 0, 0}}, 63},
        SReportCase{"InsertedRun",
                    kBase,
                    insertedAt(kBase, 500, 10),
                    {{"0-499;0-499", 0, 0}, {"missing;500-509", 2, 32}, {"500-3999;510-4009", 0, 33}},
                    252},
        SReportCase{"ChangedByte",
                    kBase.substr(0, 2000),
                    kBase.substr(0, 1000) + char(~kBase[1000]) + kBase.substr(1001, 999),
                    {{"0-999;0-999", 0, 0}, {"1000-1000;1000-1000", 2, 63}, {"1001-1999;1001-1999", 0, 64}},
                    127},
        SReportCase{"TailOnlyInFile1",
                    kBase.substr(0, 1000),
                    kBase.substr(0, 900),
                    {{"0-899;0-899", 0, 0}, {"900-999;missing", 2, 57}},
                    64},
        SReportCase{"File2IsFile1Twice",
                    kBase.substr(0, 1000),
                    kBase.substr(0, 1000) + kBase.substr(0, 1000),
                    {{"0-999;0-999", 0, 0}, {"missing;1000-1999", 2, 63}},
                    126},
        SReportCase{"AllDifferent", "abc", "xyz", {{"0-2;0-2", 2, 0}}, 1},
        SReportCase{"File1Empty", "", "hello", {{"missing;0-4", 2, 0}}, 1}, SReportCase{"BothEmpty", "", "", {}, 0}),
    test::SCaseName());

TEST(CompareBinary, UnreadableSideIsAnErrorNotAnEmptyFile)
{
    for (const char* other : {"missing.bin", "."}) {
        SPairFixture pair("hello", "");
        pair.record.m_file2Path = pathFromNative(pair.dir.file(other));
        EXPECT_THROW(pair.compare(), CFileException) << other;
    }
}

TEST(CompareBinary, ExactDocumentsWithEscapedBraceAndBackslash)
{
    SPairFixture pair("A{\\}\x7F\xFF\0"s, "A{\\}\x7F\xFF\0xyz"s);
    pair.record.m_binaryFontSize = 101;
    ASSERT_TRUE(pair.compare());
    EXPECT_EQ(pair.record.m_binaryFontSize, 10);
    const std::string header =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Courier;}}"
        "{\\colortbl ;\\red0\\green0\\blue255;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}"
        "\\viewkind4\\uc1\\pard\\cf3\\f0\\fs20 ";
    const std::string block =
        "{\\cf3 417B5C7D7FFF00" + std::string(18, ' ') + "    A\\{\\\\\\}..." + std::string(9, ' ') + "\\par }";
    EXPECT_EQ(pair.report.left, header + block + "{\\cf2 \\par }}");
    EXPECT_EQ(pair.report.right,
              header + block + "{\\cf2 78797A" + std::string(26, ' ') + "    xyz" + std::string(13, ' ') + "\\par }}");
    EXPECT_EQ(itemsOf(pair.report), (std::vector<SItem>{{"0-6;0-6", 0, 0}, {"missing;7-9", 2, 1}}));
}

TEST(CompareBinary, LastRowOfIdenticalFilesHoldsEightBytes)
{
    std::string text(1000, ' ');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char>('a' + i % 26);
    SPairFixture pair(text, text);
    ASSERT_TRUE(pair.compare());
    const std::string lastRow =
        "65666768696A6B6C" + std::string(16, ' ') + "    efghijkl" + std::string(8, ' ') + "\\par }}";
    ASSERT_GE(pair.report.left.size(), lastRow.size());
    EXPECT_EQ(pair.report.left.substr(pair.report.left.size() - lastRow.size()), lastRow);
    EXPECT_EQ(pair.report.left, pair.report.right);
}

// ---- Output file ----

const std::string kCommon = "0123456789abcdefghij\0klmnopqrstuvwxyzABCD"s;

TEST(CompareBinaryOutput, WritesEachSectionWholeZeroBytesIncluded)
{
    SPairFixture pair("a\0b"s + kCommon + "one\0one"s, "cd" + kCommon + "two2\0x"s);
    pair.record.m_outputFile = pathFromNative(pair.dir.write("out.bin", "old"));
    ASSERT_TRUE(pair.compare(false));
    EXPECT_EQ(itemsOf(pair.report),
              (std::vector<SItem>{{"0-2;0-1", 2, 0}, {"3-43;2-42", 0, 1}, {"44-50;43-48", 2, 4}}));
    EXPECT_EQ(test::readBytes(pair.dir.file("out.bin")), "a\0b"s + "cd" + kCommon + "one\0one"s + "two2\0x"s);
}

TEST(CompareBinaryOutput, NeverWrittenOverAComparedFile)
{
    for (const char* name : {"a.bin", "A.BIN", "./b.bin"}) {
        SPairFixture pair("left", "right");
        pair.record.m_outputFile = pathFromNative(pair.dir.file(name));
        ASSERT_TRUE(pair.compare());
        EXPECT_EQ(pair.record.m_outputFile, u"") << name;
        EXPECT_EQ(test::readBytes(pair.dir.file("a.bin")), "left");
        EXPECT_EQ(test::readBytes(pair.dir.file("b.bin")), "right");
        EXPECT_FALSE(std::filesystem::exists(pair.dir.file("A.BIN")));
    }
}

TEST(CompareBinaryOutput, UncreatableFileThrows)
{
    SPairFixture pair("left", "right");
    pair.record.m_outputFile = pathFromNative(pair.dir.file("no-such-folder/out.bin"));
    EXPECT_THROW(pair.compare(), CFileException);
}

// ---- Cancel ----

TEST(CompareBinaryCancel, CancelDuringMatchingReportsTheRestAsDifference)
{
    const test::CScopedCancel cancel([] { setCancelRequested(true); });
    SPairFixture pair(kBase, kBase);
    pair.record.m_outputFile = pathFromNative(pair.dir.file("out.bin"));
    ASSERT_TRUE(pair.compare());
    EXPECT_EQ(itemsOf(pair.report), (std::vector<SItem>{{"0-3999;0-3999", 2, 0}}));
    EXPECT_EQ(pair.report.reportLines, 250);
    EXPECT_TRUE(std::filesystem::exists(pair.dir.file("out.bin")));
}

}  // namespace
}  // namespace brindle
