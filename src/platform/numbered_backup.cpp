#include "platform/numbered_backup.h"

#include "platform/file_system.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace brindle {

namespace {

std::error_code lastError() { return std::error_code(errno, std::generic_category()); }

std::pair<std::string, std::string> splitFolder(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// The number of "name.~N~", or 0 when entry is not such a backup.
unsigned long backupNumber(std::string_view entry, std::string_view name)
{
    if (entry.size() < name.size() + 4 || !entry.starts_with(name) || !entry.ends_with("~"))
        return 0;
    const std::string_view middle = entry.substr(name.size(), entry.size() - name.size() - 1);
    if (!middle.starts_with(".~") || middle.size() < 3)
        return 0;
    unsigned long number = 0;
    const char* first = middle.data() + 2;
    const char* last = middle.data() + middle.size();
    const auto [end, status] = std::from_chars(first, last, number);
    return status == std::errc() && end == last && *first != '0' ? number : 0;
}

unsigned long highestBackupNumber(const std::string& folder, const std::string& name)
{
    unsigned long highest = 0;
    if (DIR* directory = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(directory))
            highest = std::max(highest, backupNumber(entry->d_name, name));
        ::closedir(directory);
    }
    return highest;
}

bool copyContent(int from, int to)
{
    std::vector<char> block(1 << 20);
    for (;;) {
        const ssize_t got = ::read(from, block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0;
        if (!writeAll(to, block.data(), static_cast<std::size_t>(got)))
            return false;
    }
}

// For file systems without hard links. O_EXCL keeps an existing backup from being replaced.
bool copyAs(const std::string& source, const std::string& backup, std::error_code& error)
{
    const int from = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0) {
        error = lastError();
        return false;
    }
    struct stat info {};
    ::fstat(from, &info);
    const int to = ::open(backup.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 07777);
    if (to < 0) {
        error = lastError();
        ::close(from);
        return false;
    }
    const bool copied = copyContent(from, to) && ::fsync(to) == 0;
    if (!copied)
        error = lastError();
    ::close(from);
    if (::close(to) != 0 && copied) {
        error = lastError();
        ::unlink(backup.c_str());
        return false;
    }
    if (!copied)
        ::unlink(backup.c_str());
    return copied;
}

}  // namespace

std::optional<std::string> makeNumberedBackup(const std::string& nativePath, std::error_code& error)
{
    const auto [folder, name] = splitFolder(nativePath);
    unsigned long number = highestBackupNumber(folder, name);
    // Another process may take a number meanwhile: link and the exclusive copy fail then, and the
    // next number is tried.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (number == ULONG_MAX) {
            error = std::make_error_code(std::errc::file_exists);
            return std::nullopt;
        }
        const std::string backup = nativePath + ".~" + std::to_string(++number) + "~";
        if (::link(nativePath.c_str(), backup.c_str()) == 0)
            return backup;
        if (errno == EEXIST)
            continue;
        error.clear();
        if (copyAs(nativePath, backup, error))
            return backup;
        if (error != std::errc::file_exists)
            return std::nullopt;
    }
    error = std::make_error_code(std::errc::file_exists);
    return std::nullopt;
}

}  // namespace brindle
