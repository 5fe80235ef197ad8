// The command line: the tokenizer, what each form of command line does, and the raw command line
// built from the program's arguments.
#include "app/brd_app.h"
#include "app/command_line.h"
#include "engine/comp_file_opt.h"
#include "framework/qt_utf16.h"
#include "platform/memory_settings_store.h"
#include "platform/profile.h"
#include "platform/settings_names.h"
#include "support/case_name.h"
#include "support/temp_dir.h"

#include <QDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <sys/wait.h>
#include <thread>
#include <utility>
#include <vector>

namespace brindle {
namespace {

std::string str(const QString& text) { return text.toStdString(); }
std::string str(const std::u16string& text) { return toQString(text).toStdString(); }

// The first three tokens of text, then what is left.
std::vector<std::string> tokenize(QString text)
{
    std::vector<std::string> tokens;
    for (int i = 0; i < 3; ++i)
        tokens.push_back(str(nextCommandLineToken(text)));
    tokens.push_back(str(text));
    return tokens;
}

struct STokenCase {
    const char* name;
    QString text;
    std::vector<std::string> tokensAndRest;  // three tokens, then the rest
};

class CommandLineTokenizerTest : public testing::TestWithParam<STokenCase> {};

TEST_P(CommandLineTokenizerTest, SplitsAsTheShellExtensionQuotes)
{
    EXPECT_EQ(tokenize(GetParam().text), GetParam().tokensAndRest);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CommandLineTokenizerTest,
    testing::Values(
        STokenCase{"Empty", "", {"", "", "", ""}}, STokenCase{"OnlyWhiteSpace", " \t  ", {"", "", "", ""}},
        STokenCase{"TwoPlainNames", "a.txt b.txt", {"a.txt", "b.txt", "", ""}},
        STokenCase{"TwoQuotedNamesWithBlanks", "\"a b.txt\" \"c d.txt\"", {"a b.txt", "c d.txt", "", ""}},
        STokenCase{"LeadingWhiteSpaceOfEveryKind", " \t\r\n a  \t b", {"a", "b", "", ""}},
        STokenCase{"TabInsideUnquotedName", "a\tb.txt c", {"a\tb.txt", "c", "", ""}},
        STokenCase{"EscapedQuotesInQuotedName", "\"say \\\"hi\\\".txt\" x", {"say \"hi\".txt", "x", "", ""}},
        STokenCase{"EscapedQuoteInPlainName", "a\\\"b c", {"a\"b", "c", "", ""}},
        STokenCase{"BackslashElsewhereStays", "dir\\ \"x\\y\\\\z\"", {"dir\\", "x\\y\\\\z", "", ""}},
        // The quote after the final backslash counts as escaped: the first token runs on to the
        // opening quote of the second name, and the two names are not separated as written.
        STokenCase{"QuotedNameEndingInBackslash", "\"C:\\dir\\\" \"b.txt\"", {"C:\\dir\" ", "b.txt\"", "", ""}},
        STokenCase{"UnclosedQuoteRunsToTheEnd", "\"a b c", {"a b c", "", "", ""}},
        STokenCase{"LoneEscapedQuoteIsUnclosed", "\"\\\"", {"\"", "", "", ""}},
        STokenCase{"EmptyQuotedName", "\"\" b", {"", "b", "", ""}},
        STokenCase{"QuoteInsidePlainName", "a\"b c\"", {"a\"b", "c\"", "", ""}},
        STokenCase{"ThirdTokenAndMore", "a \"b\" \"c c\" d e", {"a", "b", "c c", " d e"}},
        STokenCase{"QuotedNameDirectlyFollowedByText", "\"a\"b c", {"a", "b", "c", ""}}),
    test::SCaseName());

// Records what command-line processing asks of the program.
class CRecordingActions final : public CCommandLineActions {
public:
    CRecordingActions() : m_profile(m_store) {}

    CProfile& profile() override { return m_profile; }
    void openComparison(const CCompFileOpt& record, const QString& mergePath) override
    {
        events.push_back("open " + str(record.m_file1Path) + " | " + str(record.m_file2Path) + " | merge " +
                         str(mergePath));
        opened = record;
    }
    void setTextFont(const QString& face, int pointSize) override
    {
        events.push_back("font " + str(face) + " " + std::to_string(pointSize));
    }
    void runQuietActions(std::vector<CCompFileOpt>& actions) override
    {
        std::string event = "quiet";
        for (const CCompFileOpt& action : actions)
            event += " " + str(action.m_file1Path);
        events.push_back(event);
    }
    void postCompareFiles() override { events.push_back("post Compare Files"); }

    std::vector<std::string> events;
    CCompFileOpt opened;

private:
    CMemorySettingsStore m_store;
    CProfile m_profile;
};

struct SProcessCase {
    const char* name;
    std::string commandLine;  // "$D" stands for the folder of the test files, "$L" for a file and
                              // "$S" for a script behind paths of 1,000 and 999 characters
    int showMergeEditor;      // -1: not in the settings
    std::string storedOutputFile;
    bool handled;
    std::vector<std::string> events;
    std::string pathsFile1;  // "File1" and "File11" in "Paths" afterwards
};

// a.txt and "b c.txt" are text files; the .ini files are scripts.
class CommandLineProcessingTest : public testing::TestWithParam<SProcessCase> {
protected:
    void SetUp() override
    {
        m_dir.write("a.txt", "one\ntwo\n");
        m_dir.write("b c.txt", "one\nthree\n");
        m_dir.write("one.ini", expand("[Action1]\r\nFile1=$D/a.txt\r\nFile2=$D/b c.txt\r\nQuiet Mode=0\r\n"
                                      "Font Name=ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd\r\nFont Size=12\r\n"
                                      "Compare Output File=$D/out.txt\r\n"));
        m_dir.write("one_without_output.ini", expand("[Action1]\nFile1=$D/a.txt\nFile2=$D/b c.txt\nQuiet Mode=0\n"));
        m_dir.write("two.ini", expand("[Action1]\nFile1=$D/a.txt\nFile2=$D/b c.txt\nQuiet Mode=0\n"
                                      "[Action2]\nFile1=$D/b c.txt\nFile2=$D/a.txt\nQuiet Mode=0\n"));
        m_dir.write("quiet.ini", expand("[Action1]\nFile1=$D/a.txt\nFile2=$D/b c.txt\n"));
        m_dir.write("no_file1.ini", expand("[Action1]\nFile2=$D/a.txt\n"));
        m_long = m_dir.writeDeep(1000, "one\nfour\n");
        m_longScript = m_dir.writeDeep(999, expand("[Action1]\nFile1=$L\nFile2=$D/a.txt\nQuiet Mode=0\n"
                                                   "Compare Output File=$L.out\n"));
    }

    std::string expand(std::string text) const
    {
        for (const auto& [token, value] : {std::pair("$L", m_long), std::pair("$S", m_longScript)}) {
            for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + value.size()))
                text.replace(at, 2, value);
        }
        for (std::size_t at = text.find("$D"); at != std::string::npos; at = text.find("$D", at))
            text.replace(at, 2, m_dir.path().string());
        return text;
    }
    std::vector<std::string> expand(std::vector<std::string> texts) const
    {
        for (std::string& text : texts)
            text = expand(text);
        return texts;
    }

    test::CTempDir m_dir;
    std::string m_long;
    std::string m_longScript;
};

TEST_P(CommandLineProcessingTest, DoesWhatTheFormAsks)
{
    const SProcessCase& c = GetParam();
    CRecordingActions actions;
    if (c.showMergeEditor >= 0)
        actions.profile().writeInt(kSettingsSection, kShowMergeEditorValue, c.showMergeEditor);
    actions.profile().writeString(kCompareFilesSection, kOutputFileValue,
                                  QString::fromStdString(expand(c.storedOutputFile)).toStdU16String());

    EXPECT_EQ(processCommandLine(QString::fromStdString(expand(c.commandLine)), actions), c.handled);
    EXPECT_EQ(actions.events, expand(c.events));
    EXPECT_EQ(str(actions.profile().readString(kPathsSection, kFile1PathValue)), expand(c.pathsFile1));
    EXPECT_EQ(str(actions.profile().readString(kPathsSection, pathHistoryValue(kFile1PathValue, 1))),
              expand(c.pathsFile1));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CommandLineProcessingTest,
    testing::Values(
        SProcessCase{"TwoFilesWithoutMergeEditor",
                     "\"$D/b c.txt\" \"$D/a.txt\"",
                     0,
                     "$D/out.txt",
                     true,
                     {"open $D/b c.txt | $D/a.txt | merge "},
                     ""},
        SProcessCase{"TwoFilesMergeEditorSettingMissing",
                     "$D/a.txt $D/a.txt",
                     -1,
                     "$D/out.txt",
                     true,
                     {"open $D/a.txt | $D/a.txt | merge "},
                     ""},
        SProcessCase{"TwoFilesWithMergeEditor",
                     "\"$D/b c.txt\" \"$D/a.txt\"",
                     1,
                     "$D/out.txt",
                     true,
                     {"open $D/b c.txt | $D/a.txt | merge $D/out.txt"},
                     ""},
        SProcessCase{"TwoFilesWithMergeEditorButNoOutputFile",
                     "$D/a.txt $D/a.txt",
                     1,
                     "",
                     true,
                     {"open $D/a.txt | $D/a.txt | merge "},
                     ""},
        SProcessCase{
            "TwoMissingFilesStillOpen", "$D/none1 $D/none2", 0, "", true, {"open $D/none1 | $D/none2 | merge "}, ""},
        SProcessCase{"ThirdTokenHasNoEffect",
                     "$D/a.txt \"$D/b c.txt\" $D/one.ini",
                     0,
                     "",
                     true,
                     {"open $D/a.txt | $D/b c.txt | merge "},
                     ""},
        SProcessCase{"ScriptWithOneShownAction",
                     "$D/one.ini",
                     0,
                     "",
                     true,
                     {"font ABCDEFGHIJKLMNOPQRSTUVWXYZ01234 12", "open $D/a.txt | $D/b c.txt | merge $D/out.txt"},
                     ""},
        SProcessCase{"ScriptWithOneShownActionWithoutOutputFile",
                     "\"$D/one_without_output.ini\"",
                     1,
                     "",
                     true,
                     {"font Times New Roman 10", "open $D/a.txt | $D/b c.txt | merge "},
                     ""},
        SProcessCase{"ScriptWithTwoActionsRunsQuietly", "$D/two.ini", 0, "", false, {"quiet $D/a.txt $D/b c.txt"}, ""},
        SProcessCase{"ScriptInQuietModeRunsQuietly", "$D/quiet.ini", 0, "", false, {"quiet $D/a.txt"}, ""},
        SProcessCase{"SingleExistingFile", "$D/a.txt", 0, "", true, {"post Compare Files"}, "$D/a.txt"},
        SProcessCase{"SingleQuotedFileWithBlank", "\"$D/b c.txt\"", 0, "", true, {"post Compare Files"}, "$D/b c.txt"},
        SProcessCase{"SingleFolder", "$D", 0, "", true, {"post Compare Files"}, "$D"},
        SProcessCase{"ScriptWithoutActionsIsASingleFile",
                     "$D/no_file1.ini",
                     0,
                     "",
                     true,
                     {"post Compare Files"},
                     "$D/no_file1.ini"},
        SProcessCase{"SingleMissingFile", "$D/missing.txt", 0, "", false, {}, ""},
        // Paths are never cut: a shorter name would be another file.
        SProcessCase{"TwoFilesOfLongPaths", "\"$L\" $L", 0, "", true, {"open $L | $L | merge "}, ""},
        SProcessCase{"SingleFileOfALongPath", "$L", 0, "", true, {"post Compare Files"}, "$L"},
        SProcessCase{"ScriptOfALongPathNamingLongPaths",
                     "\"$S\"",
                     0,
                     "",
                     true,
                     {"font Times New Roman 10", "open $L | $D/a.txt | merge $L.out"},
                     ""},
        SProcessCase{"EmptyFirstTokenIsNoFile", "\"\" $D/a.txt", 0, "", false, {}, ""},
        SProcessCase{"OnlyWhiteSpace", "   ", 0, "", false, {}, ""}, SProcessCase{"Empty", "", 0, "", false, {}, ""}),
    test::SCaseName());

TEST(CommandLineProcessing, TwoFilesTakeTheStoredOptions)
{
    CRecordingActions actions;
    actions.profile().writeInt(kCompareFilesSection, kIgnoreCaseValue, 1);
    actions.profile().writeString(kCompareFilesSection, kFile1LinePrefixValue, u"<1>");
    processCommandLine(QStringLiteral("x y"), actions);
    EXPECT_EQ(actions.opened.m_ignoreCase, 1);
    EXPECT_EQ(str(actions.opened.m_file1LinePrefix), "<1>");
}

struct SArgumentsCase {
    const char* name;
    QStringList arguments;
};

class RawCommandLineTest : public testing::TestWithParam<SArgumentsCase> {};

TEST_P(RawCommandLineTest, TokenizesBackToTheArguments)
{
    const QStringList& arguments = GetParam().arguments;
    std::vector<std::string> expected;
    for (const QString& argument : arguments)
        expected.push_back(str(argument));
    expected.resize(3);
    expected.push_back("");  // nothing left
    EXPECT_EQ(tokenize(CBRDApp::rawCommandLine(arguments)), expected) << str(CBRDApp::rawCommandLine(arguments));
}

INSTANTIATE_TEST_SUITE_P(
    Names, RawCommandLineTest,
    testing::Values(SArgumentsCase{"None", {}}, SArgumentsCase{"Plain", {"a.txt", "b.txt"}},
                    SArgumentsCase{"Blanks", {"/tmp/my files/a b.txt", " lead and trail "}},
                    SArgumentsCase{"Quotes", {"say \"hi\".txt", "\"", "\"\"x\""}},
                    SArgumentsCase{"BackslashBeforeQuote", {"x\\\"y", "a\\\\\"b"}},
                    SArgumentsCase{"BackslashesElsewhere", {"C:\\dir\\a.txt", "\\\\server\\share"}},
                    SArgumentsCase{"TabsAndNewLines", {"a\tb", "c\nd"}},
                    SArgumentsCase{"NonAscii", {QString::fromUtf8("\xc3\xbc \xe2\x82\xac.txt"), "b"}},
                    SArgumentsCase{"ThreeArguments", {"a", "b c", "d"}}, SArgumentsCase{"EmptyArgument", {""}},
                    SArgumentsCase{"PathOf1000Characters", {u'/' + QString(999, u'p'), "b"}}),
    test::SCaseName());

// The tokenizer has no way to write a backslash just before a closing quote: in "dir\" the quote
// counts as escaped. A name ending in a backslash (a folder) therefore does not come back, and it
// takes the following argument with it. Guards that rawCommandLine does not pretend otherwise.
TEST(RawCommandLine, NameEndingInBackslashDoesNotSurvive)
{
    const QString raw = CBRDApp::rawCommandLine({QStringLiteral("dir\\"), QStringLiteral("b.txt")});
    EXPECT_EQ(str(raw), "\"dir\\\" \"b.txt\"");
    EXPECT_EQ(tokenize(raw), (std::vector<std::string>{"dir\" ", "b.txt\"", "", ""}));
}

}  // namespace
}  // namespace brindle

namespace brindle {
namespace {

// Regression: a second copy handed "a.txt" to the running copy, which read it in its own folder.
TEST(CommandLineArguments, RelativeNamesOfExistingFilesBecomeAbsolute)
{
    test::CTempDir dir;
    dir.write("a.txt", "x");
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.path().string()));
    const QStringList result = absoluteFileArguments(
        {QStringLiteral("a.txt"), QStringLiteral("missing.txt"), QStringLiteral("/abs/b.txt"), QString()});
    QDir::setCurrent(before);
    EXPECT_EQ(result[0], QString::fromStdString(dir.file("a.txt")));
    EXPECT_EQ(result[1], QStringLiteral("missing.txt"));
    EXPECT_EQ(result[2], QStringLiteral("/abs/b.txt"));
    EXPECT_EQ(result[3], QString());
}

// --help and --version answer without a display: the window system is not reached.
TEST(CommandLineArguments, HelpAndVersionNeedNoDisplay)
{
    for (const char* option : {"--version", "--help"}) {
        const std::string command = std::string("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb timeout 20 ") +
                                    BRINDLE_BRD64_PATH + " " + option + " 2>/dev/null";
        std::FILE* pipe = ::popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string out;
        char block[256];
        while (const std::size_t got = std::fread(block, 1, sizeof block, pipe))
            out.append(block, got);
        const int status = ::pclose(pipe);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << option;
        EXPECT_EQ(out.rfind(std::string_view(option) == "--version" ? "brd64 (Brindle) " : "Usage: brd64", 0), 0u)
            << out;
    }
}

// The processes whose command line holds every one of parts (arguments joined by blanks).
std::vector<pid_t> processesWith(const std::vector<std::string>& parts)
{
    std::vector<pid_t> found;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::string line = test::readBytes(entry.path().string() + "/cmdline");
        std::replace(line.begin(), line.end(), '\0', ' ');
        if (std::all_of(parts.begin(), parts.end(),
                        [&](const std::string& part) { return line.find(part) != std::string::npos; }))
            found.push_back(static_cast<pid_t>(std::stol(name)));
    }
    return found;
}

// The set-up the manual gives for git difftool: git starts brd64 with both files and waits until
// it has ended, also when a copy with "One Instance" on is running, which would take the files
// over and let git go on at once.
TEST(CommandLineArguments, GitDifftoolWaitsForANewInstance)
{
    if (std::system("git --version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "git is not installed";
    test::CTempDir dir;
    std::filesystem::create_directories(dir.file("brindle"));
    dir.write("brindle/user.reg",
              "Windows Registry Editor Version 5.00\n\n"
              "[Software\\Tollan Software Inc.\\Brindle\\Options]\n\"One Instance\"=dword:00000001\n");
    const std::string runtime = dir.file("run");
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    const std::string environment =
        "XDG_CONFIG_HOME='" + dir.path().string() + "' XDG_RUNTIME_DIR='" + runtime + "' QT_QPA_PLATFORM=offscreen ";
    const std::string firstPid = dir.file("first.pid");
    ASSERT_EQ(std::system((environment + BRINDLE_BRD64_PATH " >/dev/null 2>&1 & echo $! >'" + firstPid + "'").c_str()),
              0);
    const auto listening = [&runtime] {
        for (const auto& entry : std::filesystem::directory_iterator(runtime)) {
            if (entry.is_socket())
                return true;
        }
        return false;
    };
    for (int i = 0; i < 200 && !listening(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    // The first copy ends with the test, whichever way the test ends.
    struct SEndsWithTheTest {
        pid_t pid;
        ~SEndsWithTheTest() { ::kill(pid, SIGTERM); }
    } const firstCopy{static_cast<pid_t>(std::stol(test::readBytes(firstPid)))};
    ASSERT_TRUE(listening()) << "the first copy does not listen";
    const std::string repo = dir.file("repo");
    std::filesystem::create_directories(repo);
    dir.write("repo/notes.txt", "a\nb\n");
    const std::string git = "cd '" + repo + "' && git -c user.email=t@example.org -c user.name=t ";
    ASSERT_EQ(std::system((git + "init -q && " + git + "add notes.txt && " + git + "commit -qm one").c_str()), 0);
    dir.write("repo/notes.txt", "a\nchanged\n");
    const std::string done = dir.file("difftool-done");
    const std::string run = "cd '" + repo + "' && (" + environment +
                            "git -c difftool.brindle.cmd='" BRINDLE_BRD64_PATH
                            " --new-instance \"$LOCAL\" \"$REMOTE\"' difftool -y -t brindle >/dev/null 2>&1; touch '" +
                            done + "') &";
    ASSERT_EQ(std::system(run.c_str()), 0);
    std::vector<pid_t> brd64;
    for (int i = 0; i < 200 && brd64.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        brd64 = processesWith({"brd64 --new-instance", "/notes.txt ", "notes.txt"});
    }
    ASSERT_EQ(brd64.size(), 1u) << "brd64 was not started with both files";
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_FALSE(std::filesystem::exists(done)) << "git did not wait for brd64";
    EXPECT_EQ(::kill(brd64.front(), 0), 0) << "brd64 ended by itself";
    ::kill(brd64.front(), SIGTERM);
    for (int i = 0; i < 200 && !std::filesystem::exists(done); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(std::filesystem::exists(done));
}

}  // namespace
}  // namespace brindle
