// Starting programs without a shell: every argument arrives as exactly one argv entry, the program
// inherits nothing it should not, and a program that cannot be started fails cleanly.
#include "platform/start_program.h"

#include "platform/utf8.h"
#include "support/argv_recorder.h"
#include "support/case_name.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <pthread.h>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace brindle {
namespace {

using test::CArgvRecorder;
using test::CTempDir;

std::vector<std::u16string> u16s(const std::vector<std::string>& texts)
{
    std::vector<std::u16string> result;
    for (const std::string& text : texts)
        result.push_back(u16(text));
    return result;
}

// ---- arguments ----

struct SArgvCase {
    const char* name;
    std::vector<std::string> arguments;
};

class StartProgramArgv : public testing::TestWithParam<SArgvCase> {
protected:
    CTempDir m_dir;
    CArgvRecorder m_recorder{m_dir};
};

TEST_P(StartProgramArgv, EachArgumentArrivesUnchangedAndNothingRuns)
{
    // Every case that could run a command would create this file.
    const std::string witness = m_dir.file("pwned");
    std::vector<std::string> arguments;
    for (std::string argument : GetParam().arguments) {
        for (std::size_t at; (at = argument.find("WITNESS")) != std::string::npos;)
            argument.replace(at, 7, witness);
        arguments.push_back(argument);
    }
    std::error_code error;
    ASSERT_TRUE(startProgram(u16(m_recorder.program()), u16s(arguments), &error)) << error.message();
    const auto record = m_recorder.take();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(arguments, record->arguments);
    EXPECT_FALSE(std::filesystem::exists(witness));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, StartProgramArgv,
    testing::Values(SArgvCase{"none", {}}, SArgvCase{"plain", {"a", "b"}},
                    SArgvCase{"empty_arguments_are_kept", {"", "x", ""}},
                    SArgvCase{"blanks_and_tabs", {"a file name.txt", " lead", "trail ", "tab\there"}},
                    SArgvCase{"quotes", {"it's", "\"quoted\"", "'single'", "\\back\\slash\\"}},
                    SArgvCase{"newline", {"first\nsecond", "\n"}}, SArgvCase{"leading_dash", {"-rf", "--help", "-"}},
                    SArgvCase{"semicolon", {"a; touch WITNESS", ";touch WITNESS;"}},
                    SArgvCase{"command_substitution", {"$(touch WITNESS)", "x$(touch WITNESS)y"}},
                    SArgvCase{"backquotes", {"`touch WITNESS`"}},
                    SArgvCase{"pipes_and_redirection", {"| touch WITNESS", "> WITNESS", "&& touch WITNESS &"}},
                    SArgvCase{"variables_and_globs", {"$HOME", "${PATH}", "*", "~", "%PATH%", "%s%n"}},
                    SArgvCase{"non_ascii", {"\xc3\xa9t\xc3\xa9", "\xe6\x97\xa5\xe6\x9c\xac", "\xf0\x9f\x98\x80"}}),
    test::SCaseName());

// ---- what the program inherits ----

// Holds descriptor number `target` open on /dev/null, inheritable, for the lifetime of the object.
class CInheritableDescriptor {
public:
    explicit CInheritableDescriptor(int target) : m_target(target)
    {
        const int fd = ::open("/dev/null", O_RDONLY);
        m_ok = fd >= 0 && ::dup2(fd, target) == target;
        if (fd >= 0 && fd != target)
            ::close(fd);
    }
    ~CInheritableDescriptor() { ::close(m_target); }
    CInheritableDescriptor(const CInheritableDescriptor&) = delete;
    CInheritableDescriptor& operator=(const CInheritableDescriptor&) = delete;
    bool ok() const { return m_ok; }

private:
    int m_target;
    bool m_ok = false;
};

std::string trimmed(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.erase(0, 1);
    return text;
}

TEST(StartProgram, RunsDetachedWithOnlyTheStandardDescriptorsAndDefaultSignals)
{
    CTempDir dir;
    CArgvRecorder recorder(dir);
    CInheritableDescriptor probe(CArgvRecorder::kProbeDescriptor);
    ASSERT_TRUE(probe.ok());
    // A blocked and an ignored signal here must not reach the program.
    sigset_t blocked;
    sigset_t previous;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGUSR1);
    ASSERT_EQ(::pthread_sigmask(SIG_BLOCK, &blocked, &previous), 0);
    struct sigaction ignore {};
    struct sigaction previousAction {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGUSR2, &ignore, &previousAction);

    const bool started = startProgram(u16(recorder.program()), {u"x"});

    ::sigaction(SIGUSR2, &previousAction, nullptr);
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    ASSERT_TRUE(started);
    const auto record = recorder.take();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->standardDescriptors, "012");
    EXPECT_FALSE(record->probeOpen);
    EXPECT_NE(record->parentPid, static_cast<long>(::getpid()));
    EXPECT_NE(record->sessionId, static_cast<long>(::getsid(0)));
    EXPECT_EQ(trimmed(record->blockedSignals), "0000000000000000");
    EXPECT_EQ(trimmed(record->ignoredSignals), "0000000000000000");
}

// Regression: with standard input and output closed here, the error pipe took their numbers and
// the cleanup before exec closed the program's standard error as one of "the others".
TEST(StartProgram, ClosedStandardDescriptorsStayClosedAndTheOthersStayOpen)
{
    CTempDir dir;
    CArgvRecorder recorder(dir);
    const int savedIn = ::fcntl(0, F_DUPFD_CLOEXEC, 100);
    const int savedOut = ::fcntl(1, F_DUPFD_CLOEXEC, 100);
    ASSERT_GE(savedIn, 0);
    ASSERT_GE(savedOut, 0);
    ::close(0);
    ::close(1);
    std::error_code error;
    const bool started = startProgram(u16(recorder.program()), {u"x"}, &error);
    ::dup2(savedIn, 0);
    ::dup2(savedOut, 1);
    ::close(savedIn);
    ::close(savedOut);
    ASSERT_TRUE(started) << error.message();
    const auto record = recorder.take();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->standardDescriptors, "--2");
    EXPECT_EQ(record->arguments, std::vector<std::string>{"x"});
}

// ---- finding the program ----

TEST(StartProgram, BareNameIsSearchedAlongPathSkippingFilesThatCannotRun)
{
    CTempDir dir;
    CArgvRecorder recorder(dir);
    std::filesystem::create_directory(dir.path() / "first");
    dir.write("first/record args", "#!/bin/sh\nexit 0\n");  // not executable: skipped
    std::filesystem::create_directory(dir.path() / "first" / "sub");
    const std::string path = dir.file("missing") + ":" + dir.file("first") + ":" + dir.file("viewer bin");
    test::CScopedEnv env("PATH", path.c_str());
    std::error_code error;
    ASSERT_TRUE(startProgram(u"record args", {u"found"}, &error)) << error.message();
    const auto record = recorder.take();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->arguments, std::vector<std::string>{"found"});
}

struct SFailureCase {
    const char* name;
    const char* program;  // "DIR/" is replaced by the test folder
    const char* path;     // PATH while starting; "DIR" is replaced by the test folder
    std::errc expected;
};

class StartProgramFailure : public testing::TestWithParam<SFailureCase> {
protected:
    void SetUp() override
    {
        m_dir.write("plain.txt", "not a program\n");
        m_dir.write("noshebang", "touch \"$0.ran\"\n");
        std::filesystem::permissions(m_dir.file("noshebang"), std::filesystem::perms::owner_all);
        std::filesystem::create_directory(m_dir.path() / "folder");
        std::filesystem::permissions(m_dir.path() / "folder", std::filesystem::perms::owner_all);
    }

    std::string substituted(std::string text) const
    {
        for (std::size_t at; (at = text.find("DIR")) != std::string::npos;)
            text.replace(at, 3, m_dir.path().string());
        return text;
    }

    CTempDir m_dir;
};

TEST_P(StartProgramFailure, ReturnsFalseWithTheReason)
{
    test::CScopedEnv env("PATH", substituted(GetParam().path).c_str());
    std::error_code error;
    EXPECT_FALSE(startProgram(u16(substituted(GetParam().program)), {u"arg"}, &error));
    EXPECT_EQ(error, std::make_error_code(GetParam().expected)) << error.message();
    EXPECT_FALSE(std::filesystem::exists(m_dir.file("noshebang.ran")));
    // Without an error pointer the failure is still only the result.
    EXPECT_FALSE(startProgram(u16(substituted(GetParam().program)), {}));
}

INSTANTIATE_TEST_SUITE_P(
    Failures, StartProgramFailure,
    testing::Values(
        SFailureCase{"empty_program", "", "/usr/bin:/bin", std::errc::no_such_file_or_directory},
        SFailureCase{"missing_file", "DIR/nothing here", "/usr/bin:/bin", std::errc::no_such_file_or_directory},
        SFailureCase{"unknown_bare_name", "brindle-no-such-program", "DIR", std::errc::no_such_file_or_directory},
        SFailureCase{"not_executable", "DIR/plain.txt", "", std::errc::permission_denied},
        SFailureCase{"not_executable_found_on_path", "plain.txt", "DIR", std::errc::permission_denied},
        SFailureCase{"folder", "DIR/folder", "", std::errc::permission_denied},
        SFailureCase{"script_without_interpreter_is_not_run_by_a_shell", "DIR/noshebang", "",
                     std::errc::executable_format_error}),
    test::SCaseName());

}  // namespace
}  // namespace brindle
