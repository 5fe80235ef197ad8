#include "platform/reg_file_store.h"

#include "platform/atomic_file.h"
#include "platform/file_system.h"
#include "platform/reg_file_format.h"
#include "platform/utf8.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <pwd.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brindle {

namespace {

// What identifies one version of the file. The atomic replace gives every write a new inode,
// and an edit in place changes size or times.
struct SFileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modified = 0;
    std::int64_t changed = 0;

    friend bool operator==(const SFileStamp&, const SFileStamp&) = default;
};

SFileStamp stampOf(const struct stat& info)
{
    auto nanoseconds = [](const timespec& time) { return std::int64_t(time.tv_sec) * 1'000'000'000 + time.tv_nsec; };
    return SFileStamp{
        true, info.st_dev, info.st_ino, info.st_size, nanoseconds(info.st_mtim), nanoseconds(info.st_ctim)};
}

using ERefusal = SSettingsFileReport::ERefusal;

// What reading a file gave: its bytes, that it is missing, or why it was refused.
struct SFileRead {
    enum class EStatus { Read, Missing, Refused };
    EStatus status = EStatus::Missing;
    ERefusal refusal = ERefusal::None;
    std::string error;
    std::string text;
    SFileStamp stamp;  // not set when even stat() failed
};

SFileRead refused(ERefusal why, SFileStamp stamp, int error = 0)
{
    SFileRead read;
    read.status = SFileRead::EStatus::Refused;
    read.refusal = why;
    read.stamp = stamp;
    if (error != 0)
        read.error = errorText(std::error_code(error, std::generic_category()));
    return read;
}

// A FIFO or device is refused by what stat() says before it is opened, since opening a FIFO
// waits for a writer and /dev/zero never ends.
std::optional<ERefusal> refusalOf(const struct stat& info)
{
    if (!S_ISREG(info.st_mode))
        return ERefusal::NotOrdinaryFile;
    if (info.st_size > kMaxSettingsFileSize)
        return ERefusal::TooLarge;
    return std::nullopt;
}

bool readAll(int fd, std::string& text)
{
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0)
            return true;
        if (count < 0 && errno != EINTR)
            return false;
        if (count > 0)
            text.append(buffer, static_cast<std::size_t>(count));
        if (text.size() > static_cast<std::size_t>(kMaxSettingsFileSize))
            return true;  // grew since fstat(); refused by the caller
    }
}

// Reads the file at path (links followed) when it is an ordinary file of at most
// kMaxSettingsFileSize bytes. Never blocks: openInputFile checks the type again, in case the file
// was swapped for a FIFO after stat().
SFileRead readOrdinaryFile(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT ? SFileRead{} : refused(ERefusal::Unreadable, {}, errno);
    if (const auto why = refusalOf(info))
        return refused(*why, stampOf(info));
    std::error_code error;
    const int fd = openInputFile(pathFromNative(path), error);
    if (fd < 0) {
        if (error == std::errc::no_such_file_or_directory)
            return SFileRead{};
        if (error == notOrdinaryFileError() || error == std::errc::is_a_directory)
            return refused(ERefusal::NotOrdinaryFile, stampOf(info));
        return refused(ERefusal::Unreadable, stampOf(info), error.value());
    }
    SFileRead read;
    read.status = SFileRead::EStatus::Read;
    if (::fstat(fd, &info) != 0)
        read = refused(ERefusal::Unreadable, stampOf(info), errno);
    else if (const auto why = refusalOf(info))
        read = refused(*why, stampOf(info));
    else if (!readAll(fd, read.text))
        read = refused(ERefusal::Unreadable, stampOf(info), errno);
    else if (read.text.size() > static_cast<std::size_t>(kMaxSettingsFileSize))
        read = refused(ERefusal::TooLarge, stampOf(info));
    else
        read.stamp = stampOf(info);
    ::close(fd);
    return read;
}

// True when path is an ordinary file holding exactly text.
bool holds(const std::string& path, std::string_view text)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size != static_cast<off_t>(text.size()))
        return false;
    const SFileRead read = readOrdinaryFile(path);
    return read.status == SFileRead::EStatus::Read && read.text == text;
}

// Writes text to a file at path that must not exist yet: an existing file, link or FIFO there
// is never opened. errno is kept for the caller.
bool createNewFile(const std::string& path, std::string_view text)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    int error = writeAll(fd, text.data(), text.size()) && ::fsync(fd) == 0 ? 0 : errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(path.c_str());  // a copy cut short would pass for one
        errno = error;
        return false;
    }
    return true;
}

// Keeps text, a damaged version of the file at native, beside it as "<file>.bad", or as
// "<file>.bad.1", ".bad.2", ... when that name is taken: no earlier copy is ever written over. A
// copy that already holds text is used again, so that reading the same damaged file once more
// (another store, the next run of a tool that only reads) adds no copy. Empty with error set when
// no copy could be made.
std::string keepDamagedCopy(const std::string& native, std::string_view text, std::string& error)
{
    constexpr int kMaxCopies = 1000;
    for (int number = 0; number < kMaxCopies; ++number) {
        const std::string copy = native + ".bad" + (number == 0 ? "" : "." + std::to_string(number));
        struct stat info {};
        if (::lstat(copy.c_str(), &info) == 0) {
            if (holds(copy, text))
                return copy;
            continue;
        }
        if (createNewFile(copy, text))
            return copy;
        if (errno != EEXIST) {
            error = errorText(std::error_code(errno, std::generic_category()));
            return {};
        }
        --number;  // made by another process meanwhile: look at it again
    }
    error = errorText(std::make_error_code(std::errc::file_exists));
    return {};
}

// The system's reason for the failure that just happened.
std::error_code lastError() { return std::error_code(errno, std::generic_category()); }

// mkdir -p with mode 0700: settings are private to the user. False with errno set.
bool makeFolders(const std::string& folder)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
            if (::mkdir(folder.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST)
                return false;
            if (slash == std::string::npos)
                break;
        }
        if (::stat(folder.c_str(), &info) != 0)
            return false;
    }
    if (S_ISDIR(info.st_mode))
        return true;
    errno = ENOTDIR;
    return false;
}

// An exclusive flock() on the lock file, held until destruction. flock() rather than fcntl()
// locks: those belong to the process, so two stores in one process would not exclude each other.
class CFileLock {
public:
    CFileLock() = default;
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;
    ~CFileLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    // Fails, with error set, on a lock file that is not an ordinary file rather than wait on a
    // FIFO or lock a device.
    bool lock(const std::string& path, std::error_code& error)
    {
        m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0600);
        struct stat info {};
        if (m_fd < 0 || ::fstat(m_fd, &info) != 0) {
            error = lastError();
            return false;
        }
        if (!S_ISREG(info.st_mode)) {
            error = notOrdinaryFileError();
            return false;
        }
        while (::flock(m_fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                error = lastError();
                return false;
            }
        }
        return true;
    }

private:
    int m_fd = -1;
};

std::string homeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    passwd entry{};
    passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return "/";
}

}  // namespace

struct CRegFileStore::Cache {
    std::u16string path;
    std::string native;
    std::mutex mutex;  // one store may be shared by threads
    // The file's values; while the file is refused, the values of the session as well.
    CRegistryData data;
    SFileStamp stamp;
    bool loaded = false;
    SSettingsFileReport report;
    std::string writeError;         // why the last write failed; empty after one that succeeded
    bool writeFailureTold = false;  // the reporter hears of the first failure only

    void refresh();
    void take(SFileRead read);
    bool write(std::u16string_view key, std::u16string_view name, SRegValue value);
    bool writeLocked(std::u16string_view key, std::u16string_view name, SRegValue value, std::error_code& error);
    void tellWriteFailure(const std::error_code& error);
};

namespace {
SettingsWriteFailureReporter g_writeFailureReporter = nullptr;
}  // namespace

void setSettingsWriteFailureReporter(SettingsWriteFailureReporter reporter) { g_writeFailureReporter = reporter; }

void CRegFileStore::Cache::refresh()
{
    struct stat info {};
    const SFileStamp current = ::stat(native.c_str(), &info) == 0 ? stampOf(info) : SFileStamp{};
    if (loaded && current == stamp)
        return;
    take(readOrdinaryFile(native));
}

// Makes what was read the store's state. A damaged file is copied aside at once, so that the
// report can name the copy and no later write can lose the lines that were skipped.
void CRegFileStore::Cache::take(SFileRead read)
{
    report = SSettingsFileReport{};
    report.path = path;
    stamp = read.stamp;
    switch (read.status) {
    case SFileRead::EStatus::Missing:
        data.clear();
        loaded = true;
        break;
    case SFileRead::EStatus::Refused:
        // The values already known stay: they are all the session has.
        report.refusal = read.refusal;
        report.error = std::move(read.error);
        // Without a stamp nothing tells when the file is worth trying again: try on every read.
        loaded = stamp.exists;
        break;
    case SFileRead::EStatus::Read: {
        const std::vector<SRegParseError> skipped = data.parse(read.text);
        report.skippedLines = static_cast<int>(skipped.size());
        if (!skipped.empty())
            report.copyPath = pathFromNative(keepDamagedCopy(native, read.text, report.error));
        loaded = true;
        break;
    }
    }
}

bool CRegFileStore::Cache::write(std::u16string_view key, std::u16string_view name, SRegValue value)
{
    if (!CRegistryData::isStorableKey(key))
        return false;
    std::lock_guard guard(mutex);
    std::error_code error;
    const bool written = writeLocked(key, name, std::move(value), error);
    if (written)
        writeError.clear();
    else if (error)
        tellWriteFailure(error);
    return written;
}

void CRegFileStore::Cache::tellWriteFailure(const std::error_code& error)
{
    writeError = errorText(error);
    if (writeFailureTold || !g_writeFailureReporter)
        return;
    writeFailureTold = true;
    SSettingsFileReport told = report;
    told.path = path;  // the file may never have been read
    told.writeError = writeError;
    g_writeFailureReporter(told);
}

// Sets error only when the system refused the write: a refused or damaged file left as it is
// was reported when it was read.
bool CRegFileStore::Cache::writeLocked(std::u16string_view key, std::u16string_view name, SRegValue value,
                                       std::error_code& error)
{
    CFileLock lock;
    if (!makeFolders(nativePath(parentFolder(path)))) {
        error = lastError();
        return false;
    }
    if (!lock.lock(native + ".lock", error))
        return false;
    // Another process may have written since the last read: start from the file as it is now.
    take(readOrdinaryFile(native));
    const bool changed = data.set(key, name, std::move(value));
    // A refused file, or a damaged one whose copy failed, is left as it is.
    if (report.refusal != ERefusal::None || (report.damaged() && report.copyPath.empty()))
        return false;
    if (!changed)
        return true;
    const std::string text = data.serialize();
    CAtomicFile file;
    file.setNewFileMode(0600);
    if (!file.open(path) || !file.write(text.data(), text.size()) || !file.commit()) {
        error = file.error();
        loaded = false;  // the value set above is in no file: read the file again
        return false;
    }
    struct stat info {};
    if (::stat(native.c_str(), &info) == 0)
        stamp = stampOf(info);
    else
        loaded = false;
    return true;
}

CRegFileStore::CRegFileStore(std::u16string path) : m_path(std::move(path)), m_cache(std::make_unique<Cache>())
{
    m_cache->path = m_path;
    m_cache->native = nativePath(m_path);
}

CRegFileStore::~CRegFileStore() = default;

std::u16string CRegFileStore::defaultPath()
{
    // Relative values are invalid by the XDG base directory rules and are ignored.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string base = config && config[0] == '/' ? std::string(config) : homeFolder() + "/.config";
    return pathFromNative(base + "/brindle/user.reg");
}

SSettingsFileReport CRegFileStore::fileReport() const
{
    std::lock_guard guard(m_cache->mutex);
    m_cache->refresh();
    SSettingsFileReport report = m_cache->report;
    report.writeError = m_cache->writeError;
    return report;
}

std::optional<std::uint32_t> CRegFileStore::readDword(std::u16string_view key, std::u16string_view name) const
{
    std::lock_guard guard(m_cache->mutex);
    m_cache->refresh();
    return m_cache->data.readDword(key, name);
}

std::vector<std::pair<std::u16string, std::u16string>> CRegFileStore::readStringValues(std::u16string_view key) const
{
    std::lock_guard guard(m_cache->mutex);
    m_cache->refresh();
    return m_cache->data.readStringValues(key);
}

std::optional<std::u16string> CRegFileStore::readString(std::u16string_view key, std::u16string_view name) const
{
    std::lock_guard guard(m_cache->mutex);
    m_cache->refresh();
    return m_cache->data.readString(key, name);
}

std::optional<std::vector<std::uint8_t>> CRegFileStore::readBinary(std::u16string_view key,
                                                                   std::u16string_view name) const
{
    std::lock_guard guard(m_cache->mutex);
    m_cache->refresh();
    return m_cache->data.readBinary(key, name);
}

bool CRegFileStore::writeDword(std::u16string_view key, std::u16string_view name, std::uint32_t value)
{
    return m_cache->write(key, name, SRegValue::fromDword(value));
}

bool CRegFileStore::writeString(std::u16string_view key, std::u16string_view name, std::u16string_view value)
{
    return m_cache->write(key, name, SRegValue::fromString(value));
}

bool CRegFileStore::writeBinary(std::u16string_view key, std::u16string_view name, std::span<const std::uint8_t> value)
{
    return m_cache->write(key, name, SRegValue::fromBinary({value.begin(), value.end()}));
}

}  // namespace brindle
