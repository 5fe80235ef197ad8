#include "platform/atomic_file.h"

#include "platform/file_system.h"
#include "platform/numbered_backup.h"
#include "platform/utf8.h"
#include "platform/written_files.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

namespace brindle {

namespace {

std::error_code lastError() { return std::error_code(errno, std::generic_category()); }

std::pair<std::string, std::string> splitNative(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// Reading the umask with umask() means setting it for a moment, which races with threads that
// create files meanwhile; Linux reports it read-only in /proc, so that is tried first.
mode_t currentUmask()
{
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status))
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (found)
            return static_cast<mode_t>(mask);
    }
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// Follows symbolic links itself rather than with realpath() so that a link to a file that does
// not exist yet still names that file: writing through it then creates the file and keeps the
// link.
bool resolveTarget(std::string path, std::string& resolved, std::error_code& error)
{
    for (int hops = 0; hops < 40; ++hops) {
        auto [folder, name] = splitNative(path);
        struct stat info {};
        if (name.empty()) {
            error = std::make_error_code(std::errc::is_a_directory);
            return false;
        }
        if (::lstat(path.c_str(), &info) == 0) {
            if (S_ISDIR(info.st_mode)) {
                error = std::make_error_code(std::errc::is_a_directory);
                return false;
            }
            if (!S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode)) {
                error = notOrdinaryFileError();
                return false;
            }
            if (S_ISLNK(info.st_mode)) {
                std::string link(PATH_MAX, '\0');
                const ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
                if (length < 0) {
                    error = lastError();
                    return false;
                }
                link.resize(static_cast<std::size_t>(length));
                path = link.starts_with('/') ? link : folder + "/" + link;
                continue;
            }
        } else if (errno != ENOENT) {
            error = lastError();
            return false;
        }
        // An absolute folder keeps commit() working after the process changes its folder.
        char* realFolder = ::realpath(folder.c_str(), nullptr);
        if (!realFolder) {
            error = lastError();
            return false;
        }
        const std::string absolute = realFolder;
        std::free(realFolder);
        resolved = (absolute == "/" ? absolute : absolute + "/") + name;
        return true;
    }
    error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return false;
}

// A large file that the rename is about to replace, held open so that the rename does not wait
// while the system frees its blocks (which may include discarding them on the disk, tens of
// milliseconds); -1 for a small or missing one.
int holdLargeTarget(const std::string& path)
{
    constexpr off_t kLarge = 4 << 20;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < kLarge) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Closes the last hold on a replaced file on a thread of its own: freeing its blocks then goes on
// beside the caller's work. The thread touches nothing but the descriptor.
void letGoInBackground(int fd)
{
    try {
        std::thread([fd] { ::close(fd); }).detach();
    } catch (const std::system_error&) {
        ::close(fd);
    }
}

}  // namespace

CAtomicFile::~CAtomicFile() { discard(); }

CAtomicFile::CAtomicFile(CAtomicFile&& other) noexcept { takeFrom(other); }

CAtomicFile& CAtomicFile::operator=(CAtomicFile&& other) noexcept
{
    if (this != &other) {
        discard();
        takeFrom(other);
    }
    return *this;
}

void CAtomicFile::takeFrom(CAtomicFile& other) noexcept
{
    m_fd = std::exchange(other.m_fd, -1);
    m_target = std::exchange(other.m_target, {});
    m_realTarget = std::exchange(other.m_realTarget, {});
    m_tempPath = std::exchange(other.m_tempPath, {});
    m_error = other.m_error;
    m_newFileMode = other.m_newFileMode;
    m_ownerWritable = other.m_ownerWritable;
    m_record = other.m_record;
    m_hash = other.m_hash;
    m_targetAhead = std::exchange(other.m_targetAhead, std::nullopt);
    m_targetHashed = std::exchange(other.m_targetHashed, false);
    m_written = std::exchange(other.m_written, 0);
    m_writebackStarted = std::exchange(other.m_writebackStarted, 0);
    m_keptBackup = std::exchange(other.m_keptBackup, {});
    m_registration = std::move(other.m_registration);
}

bool CAtomicFile::open(std::u16string_view target)
{
    discard();
    m_error.clear();
    m_target = target;
    m_realTarget.clear();
    if (!resolveTarget(nativePath(target), m_realTarget, m_error))
        return false;
    auto [folder, name] = splitNative(m_realTarget);
    // Leaves room for the dot and ".XXXXXX" within the longest file name.
    constexpr std::size_t kMaxName = NAME_MAX - 8;
    if (name.size() > kMaxName)
        name.resize(kMaxName);
    std::string pattern = (folder == "/" ? folder : folder + "/") + "." + name + ".XXXXXX";
    const CInterruptGuard guard;
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0) {
        m_error = lastError();
        return false;
    }
    m_tempPath = std::move(pattern);
    m_registration = CTempFileRegistration(m_tempPath);
    m_hash = CContentHash();
    m_targetAhead.reset();
    m_targetHashed = false;
    m_written = 0;
    m_writebackStarted = 0;
    m_keptBackup.clear();
    return true;
}

bool CAtomicFile::write(const void* data, std::size_t size)
{
    if (m_fd < 0) {
        m_error = std::make_error_code(std::errc::bad_file_descriptor);
        return false;
    }
    if (m_record)
        m_hash.add(data, size);
    if (!writeAll(m_fd, data, size)) {
        m_error = lastError();
        return false;
    }
    startWriteback(size);
    return true;
}

// Starts writing what has gathered to disk, without waiting, so that the flush of commit() (or
// sync()) finds only the last part left: for large files it would otherwise wait for all of it.
// Only a hint: a failure shows in the flush.
void CAtomicFile::startWriteback(std::size_t written)
{
    constexpr std::uint64_t kStep = 8 << 20;
    m_written += written;
    if (m_written - m_writebackStarted < kStep)
        return;
    ::sync_file_range(m_fd, static_cast<off_t>(m_writebackStarted), static_cast<off_t>(m_written - m_writebackStarted),
                      SYNC_FILE_RANGE_WRITE);
    m_writebackStarted = m_written;
}

bool CAtomicFile::sync()
{
    if (m_fd < 0 || m_error) {
        if (!m_error)
            m_error = std::make_error_code(std::errc::bad_file_descriptor);
        return false;
    }
    if (::fsync(m_fd) != 0) {
        m_error = lastError();
        return false;
    }
    if (!m_targetHashed)
        hashTargetAhead();
    return true;
}

void CAtomicFile::hashTargetAhead()
{
    if (!m_record || m_fd < 0)
        return;
    m_targetAhead = hashFileAhead(m_realTarget);
    m_targetHashed = true;
}

bool CAtomicFile::commit()
{
    if (m_fd < 0) {
        if (!m_error)
            m_error = std::make_error_code(std::errc::bad_file_descriptor);
        return false;
    }
    // A failed write() left the content incomplete: replacing the target would lose data.
    if (m_error) {
        discard();
        return false;
    }
    struct stat info {};
    mode_t mode = ::stat(m_realTarget.c_str(), &info) == 0 ? (info.st_mode & 07777)
                  : m_newFileMode >= 0                     ? static_cast<mode_t>(m_newFileMode)
                                                           : (0666 & ~currentUmask());
    if (m_ownerWritable)
        mode |= S_IWUSR;
    if (::fsync(m_fd) != 0 || ::fchmod(m_fd, mode) != 0) {
        m_error = lastError();
        discard();
        return false;
    }
    // close() can report a delayed write error (network file systems).
    if (::close(std::exchange(m_fd, -1)) != 0 || !keepTargetIfChanged()) {
        if (!m_error)
            m_error = lastError();
        discard();
        return false;
    }
    if (!renameIntoPlace()) {
        discard();
        return false;
    }
    if (m_record)
        m_record->remember(m_realTarget, m_hash.value());
    // The rename is durable only once the folder is flushed; failing that is not worth failing
    // the commit, as the new content is already in place.
    const int folder = ::open(splitNative(m_realTarget).first.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

bool CAtomicFile::keepTargetIfChanged()
{
    struct stat existing {};
    if (!m_record || ::stat(m_realTarget.c_str(), &existing) != 0 ||
        m_record->holdsWhatWasWritten(m_realTarget, m_targetAhead ? &*m_targetAhead : nullptr))
        return true;
    const auto backup = makeNumberedBackup(m_realTarget, m_error);
    if (!backup)
        return false;
    m_keptBackup = pathFromNative(*backup);
    return true;
}

bool CAtomicFile::renameIntoPlace()
{
    const int previous = holdLargeTarget(m_realTarget);
    const CInterruptGuard guard;
    if (::rename(m_tempPath.c_str(), m_realTarget.c_str()) != 0) {
        m_error = lastError();
        if (previous >= 0)
            ::close(previous);
        return false;
    }
    m_tempPath.clear();
    m_registration.release();
    if (previous >= 0)
        letGoInBackground(previous);
    return true;
}

void CAtomicFile::discard()
{
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    if (!m_tempPath.empty()) {
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
    m_registration.release();
}

}  // namespace brindle
