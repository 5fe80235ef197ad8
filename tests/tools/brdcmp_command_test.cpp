// brdcmp end to end: section-list output, exit statuses, merge files, and hostile input.
#include "brdcmp/brdcmp_command.h"
#include "engine/comp_file_opt.h"
#include "engine/text_encoding.h"
#include "platform/memory_settings_store.h"
#include "platform/profile.h"
#include "platform/reg_file_store.h"
#include "platform/settings_store.h"
#include "platform/utf8.h"
#include "support/case_name.h"
#include "support/file_size_limit.h"
#include "support/random_text.h"
#include "support/scoped_code_page.h"
#include "support/scoped_settings_store.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

namespace brindle {
namespace {

using test::CTempDir;
using test::readBytes;
using namespace std::string_literals;

struct SResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs brdcmp in-process with a settings store of its own.
class BrdcmpTest : public testing::Test {
protected:
    SResult run(std::vector<std::string> args)
    {
        std::ostringstream out;
        std::ostringstream err;
        SResult result;
        result.status = runBrdcmp(args, out, err);
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    SResult compare(const std::string& a, const std::string& b, std::vector<std::string> options = {})
    {
        options.push_back(m_dir.write("file1", a));
        options.push_back(m_dir.write("file2", b));
        return run(options);
    }

    CMemorySettingsStore m_store;
    test::CScopedSettingsStore m_useStore{m_store};
    CTempDir m_dir;
};

struct SCompareCase {
    const char* name;
    std::string file1;
    std::string file2;
    std::vector<std::string> options;
    std::string output;
    int status;
};

class BrdcmpCompareTest : public BrdcmpTest, public testing::WithParamInterface<SCompareCase> {};

TEST_P(BrdcmpCompareTest, PrintsSectionList)
{
    const SCompareCase& c = GetParam();
    const SResult result = compare(c.file1, c.file2, c.options);
    EXPECT_EQ(result.out, c.output);
    EXPECT_EQ(result.status, c.status) << result.err;
    EXPECT_EQ(result.err, "");
}

std::string numbered(int from, int to)
{
    std::string text;
    for (int i = from; i <= to; ++i)
        text += "line " + std::to_string(i) + (i < to ? "\n" : "");
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Labels, BrdcmpCompareTest,
    testing::Values(
        SCompareCase{"Identical", numbered(1, 10), numbered(1, 10), {}, "same 1-10;1-10\n", 0},
        SCompareCase{"ReplacedByTwo", "a\nb\nc", "a\nx\ny\nc", {}, "same 1;1\ndiff 2;2-3\nsame 3;4\n", 1},
        SCompareCase{"File1Only",
                     "1\n2\n3\n4\n5\n6\n7\n8",
                     "1\n2\n3\n4\n8",
                     {},
                     "same 1-4;1-4\ndiff 5-7;missing\nsame 8;5\n",
                     1},
        SCompareCase{"File2Only", "1\n2\n3\n5", "1\n2\n3\n4\n5", {}, "same 1-3;1-3\ndiff missing;4\nsame 4;5\n", 1},
        SCompareCase{
            "MovedBlock", "p\nq\nr\ns", "r\ns\np\nq", {}, "diff missing;1-2\nsame 1-2;3-4\ndiff 3-4;missing\n", 1},
        SCompareCase{"FinalLineEndIsALine", "a\n", "a", {}, "same 1;1\ndiff 2;missing\n", 1},
        SCompareCase{"IgnoreCase", "ABC", "abc", {"-i"}, "same 1;1\n", 0},
        SCompareCase{"CaseMatters", "ABC", "abc", {}, "diff 1;1\n", 1},
        SCompareCase{"IgnoreWhitespace", "a  b\nc", "ab\n\nc", {"--ignore-whitespace"}, "same 1-2;1-3\n", 0},
        // The file-2 range of a common section starts at its first line, blank or not.
        SCompareCase{"LeadingBlankOnFile2", "a\nb", "\na\nb", {"-w"}, "same 1-2;1-3\n", 0},
        SCompareCase{"EmptyFiles", "", "", {}, "same 1;1\n", 0},
        SCompareCase{"EmptyAgainstText", "", "x\ny", {}, "diff 1;1-2\n", 1},
        SCompareCase{"MixedLineEnds", "a\r\nb\rc\n", "a\nb\r\nc\r", {}, "same 1-4;1-4\n", 0},
        SCompareCase{"Utf16AgainstAnsi",
                     "\xFF\xFE"
                     "a\0\r\0\n\0b\0"s,
                     "a\r\nb",
                     {},
                     "same 1-2;1-2\n",
                     0},
        SCompareCase{"MalformedUtf8",
                     "\xEF\xBB\xBF\xF0\x9F\x98\x80\n\xC3",
                     "\xEF\xBB\xBF\xF0\x9F\x98\x80\n\xC3",
                     {},
                     "same 1-2;1-2\n",
                     0},
        // The odd last byte is kept, as 0xDC00 + byte, so the files differ.
        SCompareCase{"OddLengthUtf16",
                     "\xFF\xFE"
                     "a\0b"s,
                     "\xFF\xFE"
                     "a\0"s,
                     {},
                     "diff 1;1\n",
                     1},
        SCompareCase{"BinaryOnOneSide", "text", "te\x01t", {}, "diff 0-3;0-3\n", 1},
        SCompareCase{"ItemsWithReportLines",
                     "a\nb\nc",
                     "a\nx\ny\nc",
                     {"--items"},
                     "same 1;1 @0\ndiff 2;2-3 @1\nsame 3;4 @3\n",
                     1}),
    test::SCaseName());

TEST_F(BrdcmpTest, MergeFileInFile1Encoding)
{
    const std::string merge = m_dir.file("merge.txt");
    const SResult result = compare("a\nb\ne", "a\nx\ne", {"-m", merge, "--header1", "<<", "--footer2", ">>"});
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(readBytes(merge), "a\n<<\n|<<b\n||>>x\n>>\ne\n");

    const SResult utf8 = compare(
        "\xEF\xBB\xBF"
        "a\nb",
        "a\nc", {"--merge=" + merge, "--no-common", "--prefix1", "1:", "--prefix2", "2:"});
    EXPECT_EQ(utf8.status, 1) << utf8.err;
    EXPECT_EQ(readBytes(merge),
              "\xEF\xBB\xBF"
              "1:b\n2:c\n");
}

// A UTF-8 file with a mark compared with itself gives a merge file of its own bytes, with CR LF
// after the last line: no byte of a broken or four-byte sequence is lost on the way.
TEST_F(BrdcmpTest, MergeFileOfUtf8FileWithItselfIsTheFile)
{
    std::mt19937 rng(5);
    std::uniform_int_distribution<std::size_t> length(0, 80);
    const std::string merge = m_dir.file("m.txt");
    for (int round = 0; round < 100; ++round) {
        std::string bytes = test::randomMarkedFile(rng, kEncodingUtf8, length(rng), {u"\r\n"});
        // Bytes below 09 would make it a binary file.
        std::replace_if(
            bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x09; }, 'x');
        const std::string file = m_dir.write("f", bytes);
        const SResult result = run({"-m", merge, file, file});
        ASSERT_EQ(result.status, 0) << result.err;
        ASSERT_EQ(readBytes(merge), readBytes(file) + "\r\n") << testing::PrintToString(readBytes(file));
    }
}

// A merge file brdcmp did not write as it stands is kept as NAME.~N~, and stderr says so; one it
// wrote and nobody changed is replaced quietly, so running again leaves no litter.
TEST_F(BrdcmpTest, ChangedMergeFileIsKeptAsNumberedBackup)
{
    const std::string merge = m_dir.write("merge.txt", "the user's edits");
    const SResult first = compare("a\nb", "a\nc", {"-m", merge});
    EXPECT_EQ(first.status, 1);
    EXPECT_NE(first.err.find("kept as " + merge + ".~1~"), std::string::npos) << first.err;
    EXPECT_EQ(readBytes(merge + ".~1~"), "the user's edits");

    const SResult again = compare("a\nb", "a\nc", {"-m", merge});
    EXPECT_EQ(again.err, "");
    EXPECT_FALSE(std::filesystem::exists(merge + ".~2~"));
}

TEST_F(BrdcmpTest, OptionsComeFromTheSettingsStore)
{
    const std::u16string key = CProfile(m_store).sectionKey(kCompareFilesSection);
    m_store.writeDword(key, kIgnoreCaseValue, 1);
    m_store.writeString(key, kFile1LinePrefixValue, u"<");
    const std::string merge = m_dir.file("m.txt");
    const SResult result = compare("A\nb", "a\nc", {"-m", merge});
    EXPECT_EQ(result.out, "same 1;1\ndiff 2;2\n");
    EXPECT_EQ(readBytes(merge), "A\n<b\n||>>c\n");
}

struct STroubleCase {
    const char* name;
    std::vector<std::string> args;  // "$1", "$2" stand for two good files, "$D" for the folder
    std::string message;            // expected in the error output
};

class BrdcmpTroubleTest : public BrdcmpTest, public testing::WithParamInterface<STroubleCase> {};

TEST_P(BrdcmpTroubleTest, ExitsWithTwoAndAMessage)
{
    const std::string one = m_dir.write("one.txt", "a");
    const std::string two = m_dir.write("two.txt", "b");
    m_dir.write("binary.bin", "\x01\x02\x03"s);
    const std::string fifo = m_dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    std::vector<std::string> args;
    for (const std::string& arg : GetParam().args) {
        std::string value = arg;
        for (const auto& [from, to] : {std::pair{"$1"s, one}, {"$2"s, two}, {"$D"s, m_dir.path().string()}}) {
            if (const auto at = value.find(from); at != std::string::npos)
                value.replace(at, from.size(), to);
        }
        args.push_back(value);
    }
    const SResult result = run(args);
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find(GetParam().message), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrdcmpTroubleTest,
    testing::Values(STroubleCase{"MissingFile", {"$1", "$D/none.txt"}, "No such file"},
                    STroubleCase{"FolderAsFile", {"$D", "$2"}, "is a folder"},
                    STroubleCase{"Device", {"$1", "/dev/zero"}, "brdcmp: /dev/zero is not an ordinary file\n"},
                    STroubleCase{
                        "ReadError", {"/proc/self/mem", "$2"}, "Cannot read /proc/self/mem: Input/output error"},
                    STroubleCase{"OutputIsFile2", {"--output", "$2", "$1", "$2"}, "must not be one of"},
                    STroubleCase{"ReportIsFile1", {"--report1", "$D/ONE.txt", "$1", "$2"}, "must not be one of"},
                    STroubleCase{"ScriptWithoutActions", {"--script", "$1"}, "not a batch script"},
                    STroubleCase{"ScriptIsAFifo", {"--script", "$D/fifo"}, "fifo is not an ordinary file"},
                    STroubleCase{"OneFile", {"$1"}, "expected two files"},
                    STroubleCase{"UnknownOption", {"--frobnicate", "$1", "$2"}, "unknown option"},
                    STroubleCase{"MissingValue", {"$1", "$2", "-m"}, "needs a value"},
                    STroubleCase{"MergeIsFile1", {"-m", "$1", "$1", "$2"}, "must not be one of"},
                    STroubleCase{"MergeIsFile2OtherCase", {"-m", "$D/TWO.TXT", "$1", "$2"}, "must not be one of"},
                    STroubleCase{"MergeIsFile1ByIdentity", {"-m", "$D/./one.txt", "$1", "$2"}, "must not be one of"},
                    STroubleCase{"MergeFolderMissing", {"-m", "$D/no/such/merge.txt", "$1", "$2"}, "Cannot"},
                    STroubleCase{"MergeIsAFifo", {"-m", "$D/fifo", "$1", "$2"}, "Not an ordinary file"},
                    STroubleCase{"OutputIsAFifo", {"--output", "$D/fifo", "$1", "$2"}, "Not an ordinary file"},
                    STroubleCase{"ReportIsAFifo", {"--report2", "$D/fifo", "$1", "$2"}, "Not an ordinary file"}),
    test::SCaseName());

TEST_F(BrdcmpTest, ReportDocumentsAndOutputFile)
{
    const std::string left = m_dir.file("left.rtf");
    const std::string right = m_dir.file("right.rtf");
    const std::string output = m_dir.file("out.txt");
    const SResult result = compare("a\nb", "a\nc", {"--report1", left, "--report2", right, "--output", output});
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(readBytes(left).rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
    EXPECT_NE(readBytes(left).find("}{\\cf2 b}{\\cf1 "), std::string::npos);
    EXPECT_NE(readBytes(right).find("}{\\cf2 c}{\\cf1 "), std::string::npos);
    EXPECT_EQ(readBytes(output), "a\n|<<b\n||>>c\n");
}

// Both report documents are opened before the report is built: one that cannot be created ends
// the run with its name (file 1's first), and neither replaces its file.
TEST_F(BrdcmpTest, ReportDocumentThatCannotBeCreatedEndsTheRunBeforeAnyIsWritten)
{
    struct SCase {
        const char* name;
        const char* report1;  // in the folder
        const char* report2;
        const char* named;  // the one the message names
        bool leftWritten;
        bool rightWritten;
    };
    const SCase cases[] = {
        {"file 1's folder missing", "no/left.rtf", "right.rtf", "no/left.rtf", false, false},
        {"file 2's folder missing", "left.rtf", "no/right.rtf", "no/right.rtf", false, false},
        {"both missing", "no/left.rtf", "none/right.rtf", "no/left.rtf", false, false},
        {"both fine", "left.rtf", "right.rtf", nullptr, true, true},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(m_dir.file("left.rtf"));
        std::filesystem::remove(m_dir.file("right.rtf"));
        const SResult result =
            compare("a\nb", "a\nc", {"--report1", m_dir.file(c.report1), "--report2", m_dir.file(c.report2)});
        EXPECT_EQ(result.status, c.named ? 2 : 1) << result.err;
        if (c.named) {
            EXPECT_THAT(result.err, testing::HasSubstr(m_dir.file(c.named)));
        }
        EXPECT_EQ(std::filesystem::exists(m_dir.file("left.rtf")), c.leftWritten);
        EXPECT_EQ(std::filesystem::exists(m_dir.file("right.rtf")), c.rightWritten);
        if (c.rightWritten) {
            EXPECT_NE(readBytes(m_dir.file("right.rtf")).find("}{\\cf2 c}{\\cf1 "), std::string::npos);
        }
    }
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.path()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"file1", "file2", "left.rtf", "right.rtf"})) << "no temporary file left";
}

// The documents are written while the report is built: one that cannot be written (the disk
// full) ends the run with its name before the merge file is written, and leaves neither document
// nor a temporary file behind.
TEST_F(BrdcmpTest, ReportDocumentThatCannotBeWrittenEndsTheRun)
{
    std::string text1;
    std::string text2;
    for (int i = 0; i < 20000; ++i) {
        text1 += "line " + std::to_string(i) + "\n";
        text2 += "line " + std::to_string(i % 1000 ? i : -i) + "\n";
    }
    const std::string file1 = m_dir.write("file1", text1);
    const std::string file2 = m_dir.write("file2", text2);
    const std::string merge = m_dir.file("m.txt");
    SResult result;
    {
        // Room for the merge file of the differences, not for a document of every line.
        const test::CFileSizeLimit limit(64 * 1024);
        result = run({"--no-common", "-m", merge, "--report1", m_dir.file("left.rtf"), "--report2",
                      m_dir.file("right.rtf"), file1, file2});
    }
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, testing::HasSubstr(m_dir.file("left.rtf")));
    EXPECT_THAT(result.err, testing::HasSubstr("File too large"));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"file1", "file2"}));
}

// Shift-JIS under code page 932: あいう against あかう, where い (82 A2) and か (82 A9) share their
// lead byte. One difference, and the red part of each line is that character, whole.
TEST_F(BrdcmpTest, ShiftJisDifferenceIsRedAsWholeCharacters)
{
    const test::CScopedCodePage shiftJis("932");
    const std::string left = m_dir.file("left.rtf");
    const std::string right = m_dir.file("right.rtf");
    const SResult result = compare("a\n\x82\xA0\x82\xA2\x82\xA4\nz", "a\n\x82\xA0\x82\xA9\x82\xA4\nz",
                                   {"--report1", left, "--report2", right});
    EXPECT_EQ(result.out, "same 1;1\ndiff 2;2\nsame 3;3\n");
    EXPECT_NE(readBytes(left).find("\\u12354?}{\\cf2 \\u12356?}{\\cf1 \\u12358?\\par "), std::string::npos);
    EXPECT_NE(readBytes(right).find("\\u12354?}{\\cf2 \\u12363?}{\\cf1 \\u12358?\\par "), std::string::npos);
}

// A Shift-JIS file cut inside its last character keeps the lone lead byte in the merge file.
TEST_F(BrdcmpTest, ShiftJisCutOffAtTheEndKeepsItsLastByte)
{
    const test::CScopedCodePage shiftJis("932");
    const std::string file = m_dir.write("cut.txt", "\x82\xA0\r\n\x82\xA0\x82");
    const std::string merge = m_dir.file("m.txt");
    const SResult result = run({"-m", merge, file, file});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readBytes(merge), "\x82\xA0\r\n\x82\xA0\x82\r\n");
}

TEST_F(BrdcmpTest, ScriptRunsEveryActionQuietly)
{
    const std::string a = m_dir.write("a.txt", "1\n2");
    const std::string b = m_dir.write("b.txt", "1\n3");
    const std::string binary = m_dir.write("c.bin", "\x01\x02"s);
    const std::string script = m_dir.write(
        "run.ini", "[Action1]\nFile1=" + a + "\nFile2=" + b + "\nCompare Output File=" + m_dir.file("o1.txt") +
                       "\nQuiet Mode=0\n[Action2]\nFile1=" + a + "\nFile2=" + binary +
                       "\nCompare Output File=" + m_dir.file("o2.txt") + "\n[Action3]\nFile1=" + a + "\nFile2=" + b +
                       "\nCompare Output File=" + a + "\n");
    const SResult result = run({"--script", script});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, a + " " + b + " -> " + m_dir.file("o1.txt") + "\n" + a + " " + binary +
                              ": binary files, nothing written\n" + a + " " + b + ": output not written\n");
    EXPECT_NE(result.err.find("binary files are skipped"), std::string::npos);
    EXPECT_NE(result.err.find("was not written"), std::string::npos);
    EXPECT_EQ(readBytes(m_dir.file("o1.txt")), "1\n|<<2\n||>>3\n");
    EXPECT_EQ(readBytes(a), "1\n2");
}

// Each action that could not be done is one line on the error output and writes nothing; the run
// goes on and ends with 2.
TEST_F(BrdcmpTest, ScriptReportsEveryActionItCouldNotDo)
{
    const std::string a = m_dir.write("a.txt", "1\n2");
    const std::string b = m_dir.write("b.txt", "1\n3");
    const auto action = [](int number, const std::string& file1, const std::string& file2, const std::string& out) {
        return "[Action" + std::to_string(number) + "]\nFile1=" + file1 + "\nFile2=" + file2 +
               "\nCompare Output File=" + out + "\n";
    };
    const std::string script = m_dir.write("run.ini", action(1, m_dir.file("none.txt"), b, m_dir.file("o1.txt")) +
                                                          action(2, a, "/proc/self/mem", m_dir.file("o2.txt")) +
                                                          action(3, a, b, m_dir.file("no/such/o3.txt")) +
                                                          action(4, a, b, m_dir.file("o4.txt")));
    const SResult result = run({"--script", script});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "brdcmp: Cannot open " + m_dir.file("none.txt") +
                              ": No such file or directory\n"
                              "brdcmp: Cannot read /proc/self/mem: Input/output error\n"
                              "brdcmp: Cannot create \"" +
                              m_dir.file("no/such/o3.txt") + "\": No such file or directory\n");
    for (const char* name : {"o1.txt", "o2.txt"})
        EXPECT_FALSE(std::filesystem::exists(m_dir.file(name))) << name;
    EXPECT_EQ(readBytes(m_dir.file("o4.txt")), "1\n|<<2\n||>>3\n");
}

// A file merged with itself is the file again, up to its final line end, for any text bytes in
// every kind of code page and with either line end.
TEST_F(BrdcmpTest, MergeOfAFileWithItselfGivesItBack)
{
    std::mt19937 random(8122026);
    for (const char* page : {"1252", "65001", "932", "936", "949", "950"}) {
        const test::CScopedCodePage codePage(page);
        for (int round = 0; round < 30; ++round) {
            const std::string lineEnd = round % 2 ? "\n" : "\r\n";
            std::string bytes;
            for (std::size_t line = random() % 6 + 1; line > 0; --line) {
                for (std::size_t n = random() % 12; n > 0; --n) {
                    // Bytes below 9 would make it a binary file; CR and LF end lines.
                    const auto byte = static_cast<unsigned char>(random() % 256);
                    bytes += byte < 9 || byte == '\r' || byte == '\n' ? 'x' : static_cast<char>(byte);
                }
                bytes += lineEnd;
            }
            bytes.insert(0, "a");  // no byte-order mark, and a first line end that is the file's own
            const std::string file = m_dir.write("self.txt", bytes);
            const std::string merge = m_dir.file("merge.txt");
            ASSERT_EQ(run({"-m", merge, file, file}).status, 0);
            // Every line of a merge file ends with a line end, the empty last line of a file that
            // ends with one too.
            ASSERT_EQ(readBytes(merge), bytes + lineEnd) << "code page " << page;
        }
    }
}

TEST_F(BrdcmpTest, RefusedMergeFileIsNotWritten)
{
    const std::string one = m_dir.write("one.txt", "keep me");
    const std::string two = m_dir.write("two.txt", "other");
    EXPECT_EQ(run({"-m", one, one, two}).status, 2);
    EXPECT_EQ(readBytes(one), "keep me");
}

TEST_F(BrdcmpTest, FiftyMegabyteLine)
{
    const std::string big(50u << 20, 'x');
    const SResult result = compare(big + "\nend", big + "y\nend");
    EXPECT_EQ(result.out, "diff 1;1\nsame 2;2\n");
    EXPECT_EQ(result.status, 1);
}

TEST_F(BrdcmpTest, HelpAndVersion)
{
    EXPECT_NE(run({"--help"}).out.find("Usage: brdcmp"), std::string::npos);
    EXPECT_NE(run({"--version"}).out.find("brdcmp (Brindle)"), std::string::npos);
}

// A damaged settings file costs only its damaged line: the options around it still apply, and
// brdcmp says once, on standard error, what was skipped and where the copy is.
TEST(BrdcmpSettingsFile, DamagedFileKeepsItsOptionsAndIsReported)
{
    CTempDir dir;
    const std::string settings = dir.write("user.reg",
                                           "[Software\\Tollan Software Inc.\\Brindle\\Compare Files]\n"
                                           "\"File1 Line Prefix\"=\"1>\"\n"
                                           "\x01\x02 damaged \xff\n"
                                           "\"Ignore Case\"=dword:00000001\n");
    CRegFileStore store(pathFromNative(settings));
    const test::CScopedSettingsStore useStore(store);
    std::ostringstream out;
    std::ostringstream err;
    const std::string merge = dir.file("merge.txt");
    const std::vector<std::string> args = {"-m", merge, dir.write("a", "A\nb"), dir.write("b", "a\nc")};
    const int status = runBrdcmp(args, out, err);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(out.str(), "same 1;1\ndiff 2;2\n");
    EXPECT_EQ(readBytes(merge), "A\n1>b\n||>>c\n");
    EXPECT_EQ(err.str(), "brdcmp: The settings file " + settings +
                             " is damaged: one line could not be read and "
                             "was skipped. All other settings were kept. The damaged file was copied to " +
                             settings + ".bad.\n");
}

struct SSettingsFileCase {
    const char* name;
    std::function<void(const std::string& path)> make;
    std::string warning;  // expected on standard error
};

// The program at start with a settings file it must not open or read to the end: it ends, compares
// with the defaults and says so, and leaves the file as it is.
class BrdcmpRefusedSettings : public testing::TestWithParam<SSettingsFileCase> {};

TEST_P(BrdcmpRefusedSettings, DoesNotHangAndSaysWhy)
{
    CTempDir dir;
    std::filesystem::create_directory(dir.path() / "brindle");
    const std::string settings = dir.file("brindle/user.reg");
    GetParam().make(settings);
    const auto kind = [&] { return std::filesystem::symlink_status(settings).type(); };
    const auto kindBefore = kind();
    const std::string command = "XDG_CONFIG_HOME='" + dir.path().string() + "' timeout 20 " BRINDLE_BRDCMP_PATH " " +
                                dir.write("a", "x\ny") + " " + dir.write("b", "x\nz") + " >" + dir.file("out") + " 2>" +
                                dir.file("err");
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 1) << "124 means it hung";
    EXPECT_EQ(readBytes(dir.file("out")), "same 1;1\ndiff 2;2\n");
    EXPECT_EQ(readBytes(dir.file("err")), "brdcmp: The settings file " + settings + " was not read, because " +
                                              GetParam().warning +
                                              ". Default settings are used, and the file "
                                              "will not be written over.\n");
    EXPECT_EQ(kind(), kindBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrdcmpRefusedSettings,
    testing::Values(
        SSettingsFileCase{"Fifo", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); },
                          "it is not an ordinary file"},
        SSettingsFileCase{"LinkToDevZero",
                          [](const std::string& path) { std::filesystem::create_symlink("/dev/zero", path); },
                          "it is not an ordinary file"},
        SSettingsFileCase{"LargerThan16MiB",
                          [](const std::string& path) {
                              std::ofstream{path} << "; takes no room on disk beyond this line\n";
                              std::filesystem::resize_file(path, 17 << 20);
                          },
                          "it is larger than 16 MiB"}),
    test::SCaseName());

// The installed program, as scripts call it: exit status and streams.
TEST(BrdcmpProgram, ExitStatusesFromTheRealBinary)
{
    const char* program = BRINDLE_BRDCMP_PATH;
    CTempDir dir;
    test::CScopedEnv config("XDG_CONFIG_HOME", dir.path().c_str());
    const std::string a = dir.write("a", "x\ny");
    const std::string b = dir.write("b", "x\nz");
    const auto status = [&](const std::string& args) {
        const int raw = std::system((std::string(program) + " " + args + " >/dev/null 2>&1").c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    EXPECT_EQ(status(a + " " + a), 0);
    EXPECT_EQ(status(a + " " + b), 1);
    EXPECT_EQ(status(a + " " + dir.file("missing")), 2);
    // Output that cannot be written is no success, for a comparison or a script.
    const std::string full = " >/dev/full 2>/dev/null";
    const int raw = std::system((std::string(program) + " " + a + " " + b + full).c_str());
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 2);
    const std::string script = dir.write(
        "s.brd", "[Action1]\nFile1=" + a + "\nFile2=" + b + "\nCompare Output File=" + dir.file("out.txt") + "\n");
    const int rawScript = std::system((std::string(program) + " --script " + script + full).c_str());
    EXPECT_EQ(WIFEXITED(rawScript) ? WEXITSTATUS(rawScript) : -1, 2);
}

}  // namespace
}  // namespace brindle
