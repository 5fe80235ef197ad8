// A comparison too large for the memory available is refused before any file is read, on every
// road that compares text or makes a binary report, and what it would cost is estimated from the
// files' starts.
#include "engine/comp_file_opt.h"
#include "engine/compare_driver.h"
#include "engine/memory_estimate.h"
#include "platform/available_memory.h"
#include "platform/utf8.h"
#include "support/case_name.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

using test::CTempDir;
using test::readBytes;

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;

std::string repeated(std::string_view line, std::size_t times)
{
    std::string text;
    text.reserve(line.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        text += line;
    return text;
}

struct SFitCase {
    const char* name;
    std::uint64_t available;
    bool completes;
};

void PrintTo(const SFitCase& c, std::ostream* os) { *os << c.name; }

class ComparisonFitTest : public testing::TestWithParam<SFitCase> {};

// Half a million short lines a side: a few MiB to hold, far more than a 4 MiB machine has.
TEST_P(ComparisonFitTest, RefusesBeforeReadingWhatWouldNotFit)
{
    CTempDir dir;
    const std::string file1 = dir.write("one.txt", repeated("x\n", 500000));
    const std::string file2 = dir.write("two.txt", repeated("y\n", 500000));
    const std::string merge = dir.write("merge.txt", "previous");
    const CAvailableMemoryOverride machine(GetParam().available);

    CCompFileOpt window;
    window.m_file1Path = pathFromNative(file1);
    window.m_file2Path = pathFromNative(file2);
    CCompFileOpt quiet = window;
    quiet.m_outputFile = pathFromNative(merge);
    SReport report;
    const SRunOutcome outcome = RunComparison(window, pathFromNative(merge), report);
    const SQuietOutcome quietOutcome = RunQuietComparison(quiet);

    if (GetParam().completes) {
        EXPECT_EQ(outcome.status, SRunOutcome::Status::Completed);
        EXPECT_EQ(quietOutcome.status, SQuietOutcome::Status::Written);
        return;
    }
    EXPECT_EQ(outcome.status, SRunOutcome::Status::Failed);
    EXPECT_EQ(quietOutcome.status, SQuietOutcome::Status::Failed);
    for (const std::string& message : {outcome.message, quietOutcome.message}) {
        EXPECT_NE(message.find(file1), std::string::npos) << message;
        EXPECT_NE(message.find(file2), std::string::npos) << message;
        EXPECT_NE(message.find("only 4.0 MiB is available"), std::string::npos) << message;
    }
    EXPECT_TRUE(report.items.empty());
    EXPECT_EQ(readBytes(merge), "previous");
}

INSTANTIATE_TEST_SUITE_P(Machines, ComparisonFitTest,
                         testing::Values(SFitCase{"Small", 4 * kMiB, false}, SFitCase{"Large", 4096 * kMiB, true}),
                         test::SCaseName());

// Report documents written to their files while they are built are never held whole: on a machine
// with room for the comparison but not for both documents besides, brdcmp's road with document
// files completes where documents kept in memory are refused.
TEST(ComparisonFit, DocumentsGoingToFilesAreNotCountedAsHeld)
{
    CTempDir dir;
    const std::string file1 = dir.write("one.txt", repeated("x\n", 500000));
    const std::string file2 = dir.write("two.txt", repeated("y\n", 500000));
    const SInputCost cost1 = estimateInputCost(pathFromNative(file1));
    const SInputCost cost2 = estimateInputCost(pathFromNative(file2));
    const std::uint64_t without = estimatedComparisonMemory(cost1, cost2, false);
    const std::uint64_t with = estimatedComparisonMemory(cost1, cost2, true);
    ASSERT_LT(without, with);
    const CAvailableMemoryOverride machine((without + with) / 2);

    const auto run = [&](bool toFiles) {
        CCompFileOpt record;
        record.m_file1Path = pathFromNative(file1);
        record.m_file2Path = pathFromNative(file2);
        SRunOptions options;
        if (toFiles) {
            options.documentFile1 = pathFromNative(dir.file("left.rtf"));
            options.documentFile2 = pathFromNative(dir.file("right.rtf"));
        }
        SReport report;
        return RunComparison(record, {}, report, options).status;
    };
    EXPECT_EQ(run(true), SRunOutcome::Status::Completed);
    EXPECT_FALSE(readBytes(dir.file("left.rtf")).empty());
    EXPECT_EQ(run(false), SRunOutcome::Status::Failed);
}

// A binary comparison maps its files, but its report (hex dumps, and for the window panes made
// from them) grows with them: 1 MiB a side is refused on a 4 MiB machine where a report is made,
// and compared where none is.
struct SBinaryFitCase {
    const char* name;
    std::uint64_t available;
    bool documents;
    bool panes;
    bool completes;
};

void PrintTo(const SBinaryFitCase& c, std::ostream* os) { *os << c.name; }

class BinaryReportFitTest : public testing::TestWithParam<SBinaryFitCase> {};

TEST_P(BinaryReportFitTest, RefusesAReportThatWouldNotFit)
{
    const SBinaryFitCase& c = GetParam();
    CTempDir dir;
    const std::string file1 = dir.write("one.bin", std::string(1 << 20, '\0'));
    const std::string file2 = dir.write("two.bin", std::string(1 << 20, '\1'));
    const CAvailableMemoryOverride machine(c.available);
    CCompFileOpt record;
    record.m_file1Path = pathFromNative(file1);
    record.m_file2Path = pathFromNative(file2);
    SRunOptions options;
    options.buildDocuments = c.documents;
    options.panesOnly = c.panes;
    SReport report;
    const SRunOutcome outcome = RunComparison(record, {}, report, options);
    if (c.completes) {
        EXPECT_EQ(outcome.status, SRunOutcome::Status::Completed) << outcome.message;
        EXPECT_EQ(report.items.size(), 1u);
        return;
    }
    EXPECT_EQ(outcome.status, SRunOutcome::Status::Failed);
    EXPECT_NE(outcome.message.find(file1 + " and " + file2 + " needs about "), std::string::npos) << outcome.message;
    EXPECT_NE(outcome.message.find("only 4.0 MiB is available"), std::string::npos) << outcome.message;
    EXPECT_TRUE(report.items.empty());
}

INSTANTIATE_TEST_SUITE_P(Machines, BinaryReportFitTest,
                         testing::Values(SBinaryFitCase{"WindowOnASmallMachine", 4 * kMiB, true, true, false},
                                         SBinaryFitCase{"DocumentsOnASmallMachine", 4 * kMiB, true, false, false},
                                         SBinaryFitCase{"NoReportOnASmallMachine", 4 * kMiB, false, false, true},
                                         SBinaryFitCase{"WindowOnALargeMachine", 4096 * kMiB, true, true, true}),
                         test::SCaseName());

struct SCostCase {
    const char* name;
    std::string bytes;
    std::uint64_t lines;
    bool wide;
};

void PrintTo(const SCostCase& c, std::ostream* os) { *os << c.name; }

class InputCostTest : public testing::TestWithParam<SCostCase> {};

// Files longer than the sample are counted from it: 3 MiB of three-byte lines has about a
// million lines, not the 350,000 of its first mebibyte.
TEST_P(InputCostTest, ExtendsTheSampleToTheWholeFile)
{
    CTempDir dir;
    const SInputCost cost = estimateInputCost(pathFromNative(dir.write("f", GetParam().bytes)));
    EXPECT_EQ(cost.bytes, GetParam().bytes.size());
    EXPECT_NEAR(static_cast<double>(cost.lines), static_cast<double>(GetParam().lines),
                static_cast<double>(GetParam().lines) / 100 + 1);
    EXPECT_EQ(cost.wide, GetParam().wide);
}

INSTANTIATE_TEST_SUITE_P(Files, InputCostTest,
                         testing::Values(SCostCase{"Empty", "", 0, false}, SCostCase{"OneLineNoEnd", "abc", 1, false},
                                         SCostCase{"ThreeMebibytes", repeated("ab\n", 1048576), 1048577, false},
                                         SCostCase{"Utf16", "\xFF\xFE" + repeated(std::string("a\0\n\0", 4), 100), 101,
                                                   true},
                                         SCostCase{"MostlyNonAscii", repeated("\xC3\xA9\xC3\xA9\n", 1000), 1001, true}),
                         test::SCaseName());

TEST(MemorySizeText, NamesTheLargestWholeUnit)
{
    const std::pair<std::uint64_t, std::u16string> cases[] = {
        {0, u"0 bytes"},
        {1023, u"1023 bytes"},
        {1024, u"1.0 KiB"},
        {1536, u"1.5 KiB"},
        {4 * kMiB, u"4.0 MiB"},
        {123 * kMiB, u"123 MiB"},
        {3 * kMiB * 1024, u"3.0 GiB"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(memorySizeText(bytes), text) << bytes;
}

}  // namespace
}  // namespace brindle
