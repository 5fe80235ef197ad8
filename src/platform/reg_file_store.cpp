#include "platform/reg_file_store.h"

#include "platform/atomic_file.h"
#include "platform/file_system.h"
#include "platform/reg_file_format.h"
#include "platform/utf8.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <pwd.h>
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
    return SFileStamp{true, info.st_dev, info.st_ino, info.st_size, nanoseconds(info.st_mtim),
                      nanoseconds(info.st_ctim)};
}

enum class ELoad { Ok, Missing, Unreadable, Corrupt };

ELoad loadFile(const std::string& path, CRegistryData& data, SFileStamp& stamp)
{
    data.clear();
    stamp = SFileStamp{};
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? ELoad::Missing : ELoad::Unreadable;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0;
    std::string text;
    char buffer[65536];
    while (ok) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0)
            break;
        if (count < 0 && errno != EINTR)
            ok = false;
        else if (count > 0)
            text.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(fd);
    if (!ok)
        return ELoad::Unreadable;
    stamp = stampOf(info);
    if (data.parse(text).empty())
        return ELoad::Ok;
    data.clear();
    return ELoad::Corrupt;
}

// mkdir -p with mode 0700: settings are private to the user.
bool makeFolders(const std::string& folder)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        if (::mkdir(folder.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
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

    bool lock(const std::string& path)
    {
        m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0)
            return false;
        while (::flock(m_fd, LOCK_EX) != 0) {
            if (errno != EINTR)
                return false;
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
    passwd entry {};
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
    CRegistryData data;
    SFileStamp stamp;
    bool loaded = false;
    bool corrupt = false;

    void refresh();
    bool write(std::u16string_view key, std::u16string_view name, SRegValue value);
};

void CRegFileStore::Cache::refresh()
{
    struct stat info {};
    SFileStamp current;
    if (::stat(native.c_str(), &info) == 0) {
        current = stampOf(info);
    } else if (errno != ENOENT) {
        data.clear();
        corrupt = true;
        loaded = false;
        return;
    }
    if (loaded && current == stamp)
        return;
    const ELoad result = current.exists ? loadFile(native, data, stamp) : ELoad::Missing;
    if (result == ELoad::Missing) {
        data.clear();
        stamp = SFileStamp{};
    }
    corrupt = result == ELoad::Corrupt || result == ELoad::Unreadable;
    // An unreadable file may become readable (permissions fixed): try again on the next read.
    loaded = result != ELoad::Unreadable;
}

bool CRegFileStore::Cache::write(std::u16string_view key, std::u16string_view name, SRegValue value)
{
    if (!CRegistryData::isStorableKey(key))
        return false;
    std::lock_guard guard(mutex);
    CFileLock lock;
    if (!makeFolders(nativePath(parentFolder(path))) || !lock.lock(native + ".lock"))
        return false;
    // Another process may have written since the last read: start from the file as it is now.
    loaded = false;
    switch (loadFile(native, data, stamp)) {
    case ELoad::Unreadable:
        return false;
    case ELoad::Corrupt:
        if (::rename(native.c_str(), (native + ".bad").c_str()) != 0)
            return false;
        data.clear();
        break;
    case ELoad::Ok:
    case ELoad::Missing:
        break;
    }
    corrupt = false;
    if (!data.set(key, name, std::move(value))) {
        loaded = stamp.exists;
        return true;
    }
    const std::string text = data.serialize();
    CAtomicFile file;
    file.setNewFileMode(0600);
    if (!file.open(path) || !file.write(text.data(), text.size()) || !file.commit())
        return false;
    struct stat info {};
    if (::stat(native.c_str(), &info) == 0) {
        stamp = stampOf(info);
        loaded = true;
    }
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

bool CRegFileStore::isCorrupt() const
{
    std::lock_guard guard(m_cache->mutex);
    m_cache->refresh();
    return m_cache->corrupt;
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

bool CRegFileStore::writeBinary(std::u16string_view key, std::u16string_view name,
                                std::span<const std::uint8_t> value)
{
    return m_cache->write(key, name, SRegValue::fromBinary({value.begin(), value.end()}));
}

}  // namespace brindle
