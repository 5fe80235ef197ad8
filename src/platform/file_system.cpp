#include "platform/file_system.h"

#include "platform/utf8.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brindle {

namespace {

void setError(std::error_code* error, int code)
{
    if (error)
        *error = std::error_code(code, std::generic_category());
}

bool statPath(std::u16string_view path, struct stat& info) { return ::stat(nativePath(path).c_str(), &info) == 0; }

// Mirrors POSIX dirname/basename: trailing slashes do not make an empty name, so "a/b/" is
// the file "b" in folder "a".
std::u16string_view withoutTrailingSlashes(std::u16string_view path)
{
    while (path.size() > 1 && path.back() == u'/')
        path.remove_suffix(1);
    return path;
}

}  // namespace

std::optional<SFileAttributes> fileAttributes(std::u16string_view path)
{
    struct stat info {};
    if (!statPath(path, info))
        return std::nullopt;
    SFileAttributes attributes;
    attributes.directory = S_ISDIR(info.st_mode);
    attributes.readOnly = (info.st_mode & S_IWUSR) == 0;
    attributes.size = attributes.directory ? 0 : static_cast<std::int64_t>(info.st_size);
    attributes.lastWriteTime = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    return attributes;
}

bool pathExists(std::u16string_view path)
{
    struct stat info {};
    return statPath(path, info);
}

CWritableForSave::CWritableForSave(std::u16string_view path) : m_path(nativePath(path))
{
    struct stat info {};
    if (::stat(m_path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR))
        return;
    m_mode = info.st_mode & 07777;
    m_restore = ::chmod(m_path.c_str(), m_mode | S_IWUSR) == 0;
}

CWritableForSave::~CWritableForSave()
{
    if (m_restore)
        ::chmod(m_path.c_str(), m_mode);
}

bool sameFile(std::u16string_view a, std::u16string_view b)
{
    struct stat infoA {};
    struct stat infoB {};
    return statPath(a, infoA) && statPath(b, infoB) && infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
}

bool sameFileOrPath(std::u16string_view a, std::u16string_view b)
{
    if (a.empty() || b.empty())
        return false;
    return a == b || sameFile(a, b);
}

bool equalsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    auto lower = [](char16_t ch) { return ch >= u'A' && ch <= u'Z' ? char16_t(ch + 32) : ch; };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

bool removeFile(std::u16string_view path) { return ::unlink(nativePath(path).c_str()) == 0; }

std::u16string parentFolder(std::u16string_view path)
{
    path = withoutTrailingSlashes(path);
    const std::size_t slash = path.rfind(u'/');
    if (slash == std::u16string_view::npos)
        return u".";
    std::u16string_view folder = path.substr(0, slash);
    while (folder.size() > 1 && folder.back() == u'/')
        folder.remove_suffix(1);
    return folder.empty() ? u"/" : std::u16string(folder);
}

std::u16string fileName(std::u16string_view path)
{
    path = withoutTrailingSlashes(path);
    if (path == u"/")
        return {};
    const std::size_t slash = path.rfind(u'/');
    return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

std::u16string tempFolder()
{
    const char* folder = std::getenv("TMPDIR");
    return pathFromNative(folder && *folder ? folder : "/tmp");
}

std::optional<std::u16string> createTempFile(std::u16string_view folder, std::u16string_view prefix,
                                             std::error_code* error)
{
    std::string pattern = nativePath(folder.empty() ? std::u16string_view(u".") : folder);
    if (pattern.back() != '/')
        pattern += '/';
    pattern += nativePath(prefix);
    pattern += "XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        setError(error, errno);
        return std::nullopt;
    }
    ::close(fd);
    return pathFromNative(pattern);
}

namespace {

class CFileErrorCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "brindle.file"; }
    std::string message(int) const override { return "Not an ordinary file (a device, pipe or socket)"; }
};

}  // namespace

std::error_code notOrdinaryFileError()
{
    static const CFileErrorCategory category;
    return std::error_code(1, category);
}

namespace {

std::error_code inputFileProblem(const struct stat& info)
{
    if (S_ISDIR(info.st_mode))
        return std::make_error_code(std::errc::is_a_directory);
    return S_ISREG(info.st_mode) ? std::error_code() : notOrdinaryFileError();
}

}  // namespace

int openInputFile(std::u16string_view path, std::error_code& error)
{
    const std::string native = nativePath(path);
    struct stat info {};
    if (::stat(native.c_str(), &info) != 0) {
        error = std::error_code(errno, std::generic_category());
        return -1;
    }
    if ((error = inputFileProblem(info)))
        return -1;
    const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        error = std::error_code(errno, std::generic_category());
        return -1;
    }
    // Swapped for a FIFO or device between stat() and open().
    if (::fstat(fd, &info) != 0 || (error = inputFileProblem(info))) {
        if (!error)
            error = std::error_code(errno, std::generic_category());
        ::close(fd);
        return -1;
    }
    error.clear();
    return fd;
}

std::size_t readFileStart(std::u16string_view path, std::span<std::uint8_t> into)
{
    std::error_code error;
    const int fd = openInputFile(path, error);
    if (fd < 0)
        return 0;
    std::size_t got = 0;
    while (got < into.size()) {
        const ssize_t n = ::read(fd, into.data() + got, into.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return got;
}

int openListedFile(const std::string& native, std::error_code& error)
{
    const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW);
    if (fd < 0) {
        error = std::error_code(errno, std::generic_category());
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || (error = inputFileProblem(info))) {
        if (!error)
            error = std::error_code(errno, std::generic_category());
        ::close(fd);
        return -1;
    }
    error.clear();
    return fd;
}

bool canOpenInputFile(std::u16string_view path, std::error_code* error)
{
    std::error_code problem;
    const int fd = openInputFile(path, problem);
    if (fd >= 0)
        ::close(fd);
    if (error)
        *error = problem;
    return fd >= 0;
}

bool writeAll(int fd, const void* data, std::size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

std::string errorText(const std::error_code& error) { return error.message(); }

}  // namespace brindle
