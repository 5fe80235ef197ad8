#include "platform/start_program.h"

#include "platform/utf8.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace brindle {

namespace {

void setError(std::error_code* error, int code)
{
    if (error)
        *error = std::error_code(code, std::generic_category());
}

bool isExecutableFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::string searchPath()
{
    if (const char* path = std::getenv("PATH"))
        return path;
    std::string fallback(::confstr(_CS_PATH, nullptr, 0), '\0');
    if (!fallback.empty()) {
        ::confstr(_CS_PATH, fallback.data(), fallback.size());
        fallback.pop_back();
    }
    return fallback;
}

// The file to execute for program, or an error code. The search is done here, before the fork,
// because the child of a threaded process may only call async-signal-safe functions.
int resolveProgram(const std::string& program, std::string& resolved)
{
    if (program.empty())
        return ENOENT;
    if (program.find('/') != std::string::npos) {
        resolved = program;
        return 0;
    }
    const std::string path = searchPath();
    int failure = ENOENT;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(':', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string folder = end == start ? std::string(".") : path.substr(start, end - start);
        const std::string candidate = folder + "/" + program;
        if (isExecutableFile(candidate)) {
            resolved = candidate;
            return 0;
        }
        if (::access(candidate.c_str(), F_OK) == 0)
            failure = EACCES;
        start = end + 1;
    }
    return failure;
}

void reportErrno(int fd, int code)
{
    const ssize_t written = ::write(fd, &code, sizeof code);
    static_cast<void>(written);
}

// Closes every descriptor from 3 up except keep. close_range is missing on kernels before 5.9;
// then each descriptor below limit (taken before the fork, as sysconf may not be called after it)
// is closed one by one.
void closeDescriptorsExcept(int keep, int limit)
{
    const auto closeRange = [limit](int first, int last) {
        if (first > last)
            return;
        if (::close_range(static_cast<unsigned>(first), static_cast<unsigned>(last), 0) == 0)
            return;
        for (int fd = first; fd <= last && fd < limit; ++fd)
            ::close(fd);
    };
    closeRange(3, keep - 1);
    closeRange(keep + 1, std::numeric_limits<int>::max());
}

// Runs in the grandchild: only async-signal-safe calls from here on.
[[noreturn]] void execute(const char* path, char* const* argv, int errorFd, int descriptorLimit)
{
    ::setsid();
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal)
        ::sigaction(signal, &defaultAction, nullptr);
    // With a standard descriptor closed in this process the pipe may have got its number; moved
    // up, it leaves that number closed for the program as it is here.
    if (errorFd < 3) {
        const int moved = ::fcntl(errorFd, F_DUPFD_CLOEXEC, 3);
        if (moved < 0) {
            reportErrno(errorFd, errno);
            ::_exit(127);
        }
        errorFd = moved;
    }
    // errorFd closes itself on a successful exec (O_CLOEXEC); every other descriptor goes now.
    closeDescriptorsExcept(errorFd, descriptorLimit);
    ::execve(path, argv, environ);
    reportErrno(errorFd, errno);
    ::_exit(127);
}

// Reads the child's errno from the pipe: 0 when the pipe closed without one (exec succeeded).
int readChildError(int fd)
{
    int code = 0;
    ssize_t got = 0;
    do {
        got = ::read(fd, &code, sizeof code);
    } while (got < 0 && errno == EINTR);
    return got == static_cast<ssize_t>(sizeof code) ? code : 0;
}

}  // namespace

bool startProgram(std::u16string_view program, const std::vector<std::u16string>& arguments, std::error_code* error)
{
    std::vector<std::string> texts;
    texts.reserve(arguments.size() + 1);
    texts.push_back(nativePath(program));
    for (const std::u16string& argument : arguments)
        texts.push_back(nativePath(argument));
    std::string path;
    if (const int failure = resolveProgram(texts.front(), path)) {
        setError(error, failure);
        return false;
    }
    std::vector<char*> argv;
    for (std::string& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    const long openMax = ::sysconf(_SC_OPEN_MAX);
    const int descriptorLimit =
        openMax > 0 && openMax < std::numeric_limits<int>::max() ? static_cast<int>(openMax) : 65536;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        setError(error, errno);
        return false;
    }
    // Double fork: the middle process ends at once and is reaped here, so the program is adopted
    // by init (or the nearest subreaper) and never waits as our zombie.
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        // _Fork, not fork: the middle process is the child of a possibly threaded one, where the
        // fork handlers that fork runs could wait for locks no thread will ever release.
        const pid_t grandchild = ::_Fork();
        if (grandchild == 0)
            execute(path.c_str(), argv.data(), fds[1], descriptorLimit);
        if (grandchild < 0)
            reportErrno(fds[1], errno);
        ::_exit(grandchild < 0 ? 1 : 0);
    }
    const int forkError = child < 0 ? errno : 0;
    ::close(fds[1]);
    if (child > 0) {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
    const int childError = forkError ? forkError : readChildError(fds[0]);
    ::close(fds[0]);
    if (childError) {
        setError(error, childError);
        return false;
    }
    return true;
}

}  // namespace brindle
