#include "platform/folder_listing.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace brindle {

namespace {

struct SDirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

EFolderItemKind kindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return EFolderItemKind::File;
    if (S_ISDIR(mode))
        return EFolderItemKind::Folder;
    if (S_ISLNK(mode))
        return EFolderItemKind::Link;
    return EFolderItemKind::Special;
}

// Examines one item relative to the open folder; false when it is gone.
bool examine(int folderFd, SFolderItem& item)
{
    struct stat info {};
    if (::fstatat(folderFd, item.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT)
            return false;
        item.error = std::error_code(errno, std::generic_category());
        return true;
    }
    item.kind = kindOf(info.st_mode);
    item.size = item.kind == EFolderItemKind::File ? static_cast<std::int64_t>(info.st_size) : 0;
    item.lastWriteTime = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    if (item.kind == EFolderItemKind::Special) {
        item.fileType = info.st_mode & S_IFMT;
        if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
            item.device = static_cast<std::uint64_t>(info.st_rdev);
    }
    return true;
}

}  // namespace

std::vector<SFolderItem> listFolder(const std::string& folder, std::error_code& error)
{
    error.clear();
    std::vector<SFolderItem> items;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error = std::error_code(errno, std::generic_category());
        return items;
    }
    const std::unique_ptr<DIR, SDirCloser> dir(::fdopendir(fd));
    if (!dir) {
        error = std::error_code(errno, std::generic_category());
        ::close(fd);
        return items;
    }
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (!entry) {
            if (errno != 0)
                error = std::error_code(errno, std::generic_category());
            break;
        }
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        SFolderItem item;
        item.name = name;
        if (examine(fd, item))
            items.push_back(std::move(item));
    }
    std::sort(items.begin(), items.end(), [](const SFolderItem& a, const SFolderItem& b) { return a.name < b.name; });
    return items;
}

std::string linkTarget(const std::string& path, std::error_code& error)
{
    error.clear();
    std::string target(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0) {
            error = std::error_code(errno, std::generic_category());
            return {};
        }
        if (static_cast<std::size_t>(length) < target.size()) {
            target.resize(static_cast<std::size_t>(length));
            return target;
        }
        target.resize(target.size() * 2);
    }
}

}  // namespace brindle
