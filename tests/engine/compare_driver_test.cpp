// The compare driver: text or binary by detection, cancellation, failures, merge and output
// files, and quiet batch actions.
#include "engine/batch_actions.h"
#include "engine/cancel_flag.h"
#include "engine/comp_file_opt.h"
#include "engine/compare_driver.h"
#include "engine/engine_strings.h"
#include "engine/progress.h"
#include "engine/script_file.h"
#include "platform/file_system.h"
#include "platform/memory_settings_store.h"
#include "platform/profile.h"
#include "platform/utf8.h"
#include "support/case_name.h"
#include "support/file_size_limit.h"
#include "support/scoped_cancel.h"
#include "support/scoped_progress_factory.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace brindle {
namespace {

using test::CTempDir;
using test::readBytes;
using namespace std::string_literals;

CCompFileOpt recordFor(const std::string& file1, const std::string& file2)
{
    CCompFileOpt record;
    record.m_file1Path = pathFromNative(file1);
    record.m_file2Path = pathFromNative(file2);
    return record;
}

std::string labels(const SReport& report)
{
    std::string text;
    for (const SSectionItem& item : report.items)
        text += (item.image == kImageCommon ? "same " : "diff ") + u8(item.label) + "\n";
    return text;
}

TEST(RunComparison, TextWithMergeFileInFile1Encoding)
{
    CTempDir dir;
    CCompFileOpt record = recordFor(dir.write("a",
                                              "\xFF\xFE"
                                              "a\0\r\0\n\0b\0"s),
                                    dir.write("b", "a\r\nc"));
    SReport report;
    const SRunOutcome outcome = RunComparison(record, pathFromNative(dir.file("merge")), report);
    EXPECT_EQ(outcome.status, SRunOutcome::Status::Completed);
    EXPECT_TRUE(outcome.mergeFileWritten);
    EXPECT_EQ(labels(report), "same 1;1\ndiff 2;2\n");
    EXPECT_EQ(record.m_comparisonKind, kComparisonText);
    EXPECT_EQ(readBytes(dir.file("merge")),
              "\xFF\xFE"
              "a\0\r\0\n\0|\0<\0<\0b\0\r\0\n\0|\0|\0>\0>\0c\0\r\0\n\0"s);
    EXPECT_FALSE(report.left.empty());
}

// An input that cannot be read ends the run with a message naming it, on every road and either
// side, and nothing is written: it is never compared as an empty file. A FIFO is never opened, so
// nothing waits for a writer that never comes.
struct SUnreadableInput {
    const char* name;
    std::function<std::string(CTempDir&)> make;  // the input's path
    const char* message;
};

void PrintTo(const SUnreadableInput& input, std::ostream* os) { *os << input.name; }

class UnreadableInputTest : public testing::TestWithParam<SUnreadableInput> {};

TEST_P(UnreadableInputTest, EndsTheRunWithItsNameAndWritesNothing)
{
    CTempDir dir;
    const std::string input = GetParam().make(dir);
    if (input.empty())
        GTEST_SKIP() << "permissions do not bind this user";
    const std::string text = dir.write("text", "a\n");
    const std::string output = dir.file("out.txt");
    ::alarm(20);  // a blocked open ends the test program instead of hanging the run
    for (const bool first : {true, false}) {
        const CCompFileOpt record = first ? recordFor(input, text) : recordFor(text, input);
        for (const std::int32_t kind : {kComparisonText, kComparisonBinary}) {
            CCompFileOpt window = record;
            window.m_comparisonKind = kind;
            window.m_outputFile = pathFromNative(output);
            SReport report;
            const SRunOutcome outcome = RunComparison(window, pathFromNative(dir.file("merge.txt")), report);
            EXPECT_EQ(outcome.status, SRunOutcome::Status::Failed) << first << kind;
            EXPECT_NE(outcome.message.find(input + GetParam().message), std::string::npos) << outcome.message;
            EXPECT_TRUE(report.items.empty());
        }
        CCompFileOpt action = record;
        action.m_outputFile = pathFromNative(output);
        const SQuietOutcome quiet = RunQuietComparison(action);
        EXPECT_EQ(quiet.status, SQuietOutcome::Status::Failed) << first;
        EXPECT_NE(quiet.message.find(input + GetParam().message), std::string::npos) << quiet.message;
    }
    ::alarm(0);
    EXPECT_FALSE(pathExists(pathFromNative(output)));
    EXPECT_FALSE(pathExists(pathFromNative(dir.file("merge.txt"))));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, UnreadableInputTest,
    testing::Values(
        SUnreadableInput{"Missing", [](CTempDir& dir) { return dir.file("none.txt"); }, ": No such file"},
        SUnreadableInput{"Folder", [](CTempDir& dir) { return dir.path().string(); }, " is a folder"},
        SUnreadableInput{"Fifo",
                         [](CTempDir& dir) {
                             const std::string fifo = dir.file("fifo");
                             return ::mkfifo(fifo.c_str(), 0644) == 0 ? fifo : "mkfifo failed";
                         },
                         " is not an ordinary file"},
        SUnreadableInput{"Device", [](CTempDir&) { return std::string("/dev/zero"); }, " is not an ordinary file"},
        SUnreadableInput{"NoPermission",
                         [](CTempDir& dir) {
                             const std::string file = dir.write("secret", "a\n");
                             ::chmod(file.c_str(), 0);
                             return ::access(file.c_str(), R_OK) == 0 ? std::string() : file;
                         },
                         ": Permission denied"},
        // An ordinary file whose read fails (EIO): not a shorter file.
        SUnreadableInput{"ReadError", [](CTempDir&) { return std::string("/proc/self/mem"); }, ": Input/output error"}),
    test::SCaseName());

TEST(RunComparison, BinaryOnOneSideComparesBytes)
{
    CTempDir dir;
    CCompFileOpt record = recordFor(dir.write("a", "text"), dir.write("b", "te\x01t"));
    SReport report;
    const SRunOutcome outcome = RunComparison(record, pathFromNative(dir.file("merge")), report);
    EXPECT_EQ(outcome.status, SRunOutcome::Status::Completed);
    EXPECT_EQ(record.m_comparisonKind, kComparisonBinary);
    EXPECT_FALSE(outcome.mergeFileWritten);
    EXPECT_FALSE(report.items.empty());
    EXPECT_EQ(readBytes(dir.file("merge")), "") << "no merge file for binary pairs";
}

TEST(RunComparison, OutputFileUsesBareLfWhenFile1Does)
{
    CTempDir dir;
    CCompFileOpt record = recordFor(dir.write("a", "x\ny"), dir.write("b", "x\r\nz"));
    record.m_outputFile = pathFromNative(dir.file("out"));
    SReport report;
    EXPECT_EQ(RunComparison(record, u"", report).status, SRunOutcome::Status::Completed);
    EXPECT_EQ(readBytes(dir.file("out")), "x\n|<<y\n||>>z\n");
}

TEST(RunComparison, MergeFileNamingAComparedFileIsRefused)
{
    CTempDir dir;
    const std::string a = dir.write("a.txt", "one");
    CCompFileOpt record = recordFor(a, dir.write("b.txt", "two"));
    SReport report;
    const SRunOutcome outcome = RunComparison(record, pathFromNative(dir.file("A.TXT")), report);
    EXPECT_EQ(outcome.status, SRunOutcome::Status::Completed);
    EXPECT_TRUE(outcome.mergeFileRefused);
    EXPECT_EQ(readBytes(a), "one");
}

TEST(RunComparison, EmptyPathDoesNothing)
{
    CCompFileOpt record;
    record.m_file1Path = u"/somewhere";
    SReport report;
    EXPECT_EQ(RunComparison(record, u"", report).status, SRunOutcome::Status::NoFiles);
    EXPECT_TRUE(report.items.empty());
}

TEST(RunComparison, FailureIsCaughtOnceWithItsMessage)
{
    CTempDir dir;
    CCompFileOpt record = recordFor(dir.write("a", "x"), dir.write("b", "y"));
    record.m_outputFile = pathFromNative(dir.file("no/such/folder/out"));
    const std::string merge = dir.write("merge", "previous");
    SReport report;
    const SRunOutcome outcome = RunComparison(record, pathFromNative(merge), report);
    EXPECT_EQ(outcome.status, SRunOutcome::Status::Failed);
    EXPECT_NE(outcome.message.find("no/such/folder/out"), std::string::npos) << outcome.message;
    EXPECT_TRUE(report.items.empty());
    EXPECT_EQ(readBytes(merge), "previous");
}

// The names in dir, sorted, so that a temporary file left behind shows.
std::string listing(const CTempDir& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string text;
    for (const std::string& name : names)
        text += name + " ";
    return text;
}

// The merge file's lines are written on a thread of their own while the report is built: a
// failure there still ends the run with the merge file's name and reason, and leaves neither a
// changed merge file nor a temporary file behind.
TEST(RunComparison, MergeFileFailingWhileTheReportIsBuiltEndsTheRun)
{
    struct SCase {
        const char* name;
        const char* merge;  // in the folder
        rlim_t sizeLimit;   // 0: none
        const char* reason;
    };
    const SCase cases[] = {
        {"folder missing", "no/such/folder/merge", 0, "No such file or directory"},
        {"write fails midway", "merge", 16384, "File too large"},
    };
    std::string text1;
    std::string text2;
    // Far more merge file than the size limit allows.
    for (int i = 0; i < 20000; ++i) {
        text1 += "line " + std::to_string(i) + "\n";
        text2 += "line " + std::to_string(i % 7 ? i : -i) + "\n";
    }
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CTempDir dir;
        CCompFileOpt record = recordFor(dir.write("a", text1), dir.write("b", text2));
        dir.write("merge", "previous merge");
        SReport report;
        SRunOutcome outcome;
        {
            std::optional<test::CFileSizeLimit> limit;
            if (c.sizeLimit)
                limit.emplace(c.sizeLimit);
            outcome = RunComparison(record, pathFromNative(dir.file(c.merge)), report);
        }
        EXPECT_EQ(outcome.status, SRunOutcome::Status::Failed);
        EXPECT_THAT(outcome.message, testing::HasSubstr(dir.file(c.merge)));
        EXPECT_THAT(outcome.message, testing::HasSubstr(c.reason));
        EXPECT_TRUE(report.items.empty());
        EXPECT_TRUE(report.left.empty());
        EXPECT_EQ(readBytes(dir.file("merge")), "previous merge");
        EXPECT_EQ(listing(dir), "a b merge ");
    }
}

// A progress display that cancels after a number of updates, as a user pressing Cancel.
int g_updatesLeft = 0;

class CCancellingProgress final : public CProgress {
public:
    void setTotal(std::int64_t) override {}
    void setPosition(std::int64_t) override
    {
        if (--g_updatesLeft == 0)
            setCancelRequested(true);
    }
    void setMessage(int) override {}
};

std::unique_ptr<CProgress> cancellingProgress(int, std::int64_t, bool)
{
    return std::make_unique<CCancellingProgress>();
}

TEST(RunComparison, CancelLeavesNoReportAndKeepsPreviousFiles)
{
    CTempDir dir;
    std::string text1;
    std::string text2;
    // Long enough for the report to show progress fifty times (once every 256 rows).
    for (int i = 0; i < 20000; ++i) {
        text1 += "line " + std::to_string(i) + "\n";
        text2 += "line " + std::to_string(i % 7 ? i : -i) + "\n";
    }
    CCompFileOpt record = recordFor(dir.write("a", text1), dir.write("b", text2));
    record.m_outputFile = pathFromNative(dir.write("out", "previous output"));
    const std::string merge = dir.write("merge", "previous merge");
    const test::CScopedCancel cancel;
    const test::CScopedProgressFactory factory(&cancellingProgress);
    g_updatesLeft = 50;
    SReport report;
    // By then the report documents have gone to their files in part.
    SRunOptions options;
    options.documentFile1 = pathFromNative(dir.write("left.rtf", "previous left"));
    options.documentFile2 = pathFromNative(dir.write("right.rtf", "previous right"));
    const SRunOutcome outcome = RunComparison(record, pathFromNative(merge), report, options);
    EXPECT_EQ(outcome.status, SRunOutcome::Status::Cancelled);
    EXPECT_TRUE(report.items.empty());
    EXPECT_TRUE(report.left.empty());
    EXPECT_EQ(readBytes(dir.file("out")), "previous output");
    EXPECT_EQ(readBytes(merge), "previous merge");
    EXPECT_EQ(readBytes(dir.file("left.rtf")), "previous left");
    EXPECT_EQ(readBytes(dir.file("right.rtf")), "previous right");
}

// Report documents written to files as they are built hold what the report would have held.
struct SDocumentFileCase {
    const char* name;
    std::string text1;
    std::string text2;
};

std::string numberedLines(int count, int changeEvery)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "line {" + std::to_string(i % changeEvery ? i : -i) + "} \xE9\n";
    return text;
}

class DocumentFileTest : public testing::TestWithParam<SDocumentFileCase> {};

TEST_P(DocumentFileTest, HoldsTheDocumentsTheReportWouldHold)
{
    const SDocumentFileCase& c = GetParam();
    CTempDir dir;
    const std::string file1 = dir.write("a", c.text1);
    const std::string file2 = dir.write("b", c.text2);
    CCompFileOpt inMemory = recordFor(file1, file2);
    SReport expected;
    ASSERT_EQ(RunComparison(inMemory, {}, expected).status, SRunOutcome::Status::Completed);

    CCompFileOpt toFiles = recordFor(file1, file2);
    SRunOptions options;
    options.documentFile1 = pathFromNative(dir.file("left.rtf"));
    options.documentFile2 = pathFromNative(dir.file("right.rtf"));
    SReport report;
    ASSERT_EQ(RunComparison(toFiles, {}, report, options).status, SRunOutcome::Status::Completed);
    EXPECT_TRUE(report.left.empty());
    EXPECT_TRUE(report.right.empty());
    EXPECT_EQ(labels(report), labels(expected));
    EXPECT_EQ(readBytes(dir.file("left.rtf")), expected.left);
    EXPECT_EQ(readBytes(dir.file("right.rtf")), expected.right);
}

INSTANTIATE_TEST_SUITE_P(
    RunComparison, DocumentFileTest,
    testing::Values(SDocumentFileCase{"Equal", "a\nb\n", "a\nb\n"}, SDocumentFileCase{"EmptyAgainstText", "", "x\n"},
                    // Several pieces of 256 KiB, with a difference across a piece's end.
                    SDocumentFileCase{"ManyPieces", numberedLines(60000, 1000), numberedLines(60000, 7)},
                    SDocumentFileCase{"Binary", "a\0b"s, "a\0c"s}),
    test::SCaseName());

// A progress display that runs out of memory at its first update, as an allocation deep in the
// comparison would.
class COutOfMemoryProgress final : public CProgress {
public:
    void setTotal(std::int64_t) override {}
    void setPosition(std::int64_t) override { throw std::bad_alloc(); }
    void setMessage(int) override {}
};

std::unique_ptr<CProgress> outOfMemoryProgress(int, std::int64_t, bool)
{
    return std::make_unique<COutOfMemoryProgress>();
}

std::u16string germanMemoryText(int id)
{
    return id == kStrNotEnoughMemory ? u"Nicht genug Speicher" : std::u16string();
}

// The message of a comparison that ran out of memory is the string table's, in the user's
// language when a loader gives one.
TEST(RunComparison, OutOfMemoryFailsWithTheStringTablesMessage)
{
    const struct {
        const char* name;
        StringLoader loader;
        const char* message;
    } cases[] = {
        {"built-in text", nullptr, "Not enough memory to compare the files."},
        {"loaded text", &germanMemoryText, "Nicht genug Speicher"},
    };
    CTempDir dir;
    std::string text1;
    for (int i = 0; i < 200; ++i)
        text1 += "line " + std::to_string(i) + "\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CCompFileOpt record = recordFor(dir.write("a", text1), dir.write("b", "other\n" + text1));
        setStringLoader(c.loader);
        setProgressFactory(&outOfMemoryProgress);
        SReport report;
        const SRunOutcome outcome = RunComparison(record, u"", report);
        setProgressFactory(nullptr);
        setStringLoader(nullptr);
        EXPECT_EQ(outcome.status, SRunOutcome::Status::Failed);
        EXPECT_EQ(outcome.message, c.message);
        EXPECT_TRUE(report.items.empty());
    }
}

struct SQuietCase {
    const char* name;
    std::string file1;
    std::string file2;
    const char* output;  // relative to the folder; "" for none
    SQuietOutcome::Status status;
};

class RunQuietComparisonTest : public testing::TestWithParam<SQuietCase> {};

TEST_P(RunQuietComparisonTest, WritesOnlyWhatItMay)
{
    CTempDir dir;
    CCompFileOpt record = recordFor(dir.write("one.txt", GetParam().file1), dir.write("two.txt", GetParam().file2));
    if (*GetParam().output)
        record.m_outputFile = pathFromNative(dir.file(GetParam().output));
    EXPECT_EQ(RunQuietComparison(record).status, GetParam().status);
    EXPECT_EQ(readBytes(dir.file("one.txt")), GetParam().file1) << "an input was overwritten";
    EXPECT_TRUE(record.m_sections.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunQuietComparisonTest,
    testing::Values(SQuietCase{"Written", "a\nb", "a\nc", "out.txt", SQuietOutcome::Status::Written},
                    SQuietCase{"NoOutput", "a", "b", "", SQuietOutcome::Status::NoOutputFile},
                    SQuietCase{"BinarySkipped", "a\x02", "b", "out.txt", SQuietOutcome::Status::Binary},
                    SQuietCase{"OutputIsInputOtherCase", "a", "b", "ONE.TXT", SQuietOutcome::Status::Refused},
                    SQuietCase{"OutputIsInputOtherSpelling", "a", "b", "./one.txt", SQuietOutcome::Status::Refused},
                    SQuietCase{"OutputFolderMissing", "a", "b", "none/out.txt", SQuietOutcome::Status::Failed}),
    [](const testing::TestParamInfo<SQuietCase>& param) { return std::string(param.param.name); });

TEST(BatchRun, QuietActionsWriteTheirOutputFiles)
{
    CTempDir dir;
    dir.write("a1", "x\ny");
    dir.write("b1", "x\nz");
    dir.write("a2", "same");
    dir.write("b2", "same");
    const std::string script = "[Action1]\nFile1=" + dir.file("a1") + "\nFile2=" + dir.file("b1") +
                               "\nCompare Output File=" + dir.file("o1") + "\n[Action2]\nFile1=" + dir.file("a2") +
                               "\nFile2=" + dir.file("b2") + "\nCompare Output File=" + dir.file("o2") +
                               "\nWrite Common Sections=0\n";
    CMemorySettingsStore store;
    CProfile profile(store);
    std::vector<CCompFileOpt> actions;
    ASSERT_EQ(LoadActions(actions, CScriptFile::Read(pathFromNative(dir.write("s.ini", script))), profile), 2u);
    for (CCompFileOpt& action : actions)
        EXPECT_EQ(RunQuietComparison(action).status, SQuietOutcome::Status::Written);
    EXPECT_EQ(readBytes(dir.file("o1")), "x\n|<<y\n||>>z\n");
    EXPECT_EQ(readBytes(dir.file("o2")), "");
}

// A script behind a long path whose action names files behind long paths: every path reaches the
// comparison whole.
TEST(BatchRun, QuietActionOfPathsOf1000CharactersWritesItsOutputFile)
{
    CTempDir dir;
    const std::string file1 = dir.writeDeep(1000, "x\ny");
    const std::string file2 = dir.writeDeep(999, "x\nz");
    const std::string output = file1 + ".out";
    const std::string script =
        dir.writeDeep(998, "[Action1]\nFile1=" + file1 + "\nFile2=" + file2 + "\nCompare Output File=" + output + "\n");
    CMemorySettingsStore store;
    CProfile profile(store);
    std::vector<CCompFileOpt> actions;
    ASSERT_EQ(LoadActions(actions, CScriptFile::Read(pathFromNative(script)), profile), 1u);
    EXPECT_EQ(actions[0].m_file1Path, pathFromNative(file1));
    EXPECT_EQ(actions[0].m_file2Path, pathFromNative(file2));
    EXPECT_EQ(RunQuietComparison(actions[0]).status, SQuietOutcome::Status::Written);
    EXPECT_EQ(readBytes(output), "x\n|<<y\n||>>z\n");
}

}  // namespace
}  // namespace brindle
