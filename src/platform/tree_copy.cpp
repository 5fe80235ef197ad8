#include "platform/tree_copy.h"

#include "platform/atomic_file.h"
#include "platform/file_system.h"
#include "platform/folder_listing.h"
#include "platform/utf8.h"
#include "platform/whole_file.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace brindle {

namespace {

std::string describe(const std::string& path, const std::error_code& error) { return path + ": " + errorText(error); }

bool copyFile(const std::string& source, const std::string& target, std::string& problem)
{
    std::error_code error;
    const std::optional<SFileContents> contents = readWholeFile(pathFromNative(source), &error);
    if (!contents) {
        problem = describe(source, error);
        return false;
    }
    struct stat info {};
    CAtomicFile file;
    if (::stat(source.c_str(), &info) == 0)
        file.setNewFileMode(info.st_mode & 07777);
    const std::span<const std::uint8_t> bytes = contents->bytes();
    if (!file.open(pathFromNative(target)) || !file.write(bytes.data(), bytes.size()) || !file.commit()) {
        problem = describe(target, file.error());
        return false;
    }
    return true;
}

bool copyLink(const std::string& source, const std::string& target, std::string& problem)
{
    std::error_code error;
    const std::string text = linkTarget(source, error);
    if (error) {
        problem = describe(source, error);
        return false;
    }
    // A link cannot be replaced in one step: the old one goes first.
    if (::unlink(target.c_str()) != 0 && errno != ENOENT) {
        problem = describe(target, std::error_code(errno, std::generic_category()));
        return false;
    }
    if (::symlink(text.c_str(), target.c_str()) != 0) {
        problem = describe(target, std::error_code(errno, std::generic_category()));
        return false;
    }
    return true;
}

bool copyFolder(const std::string& source, const std::string& target, std::string& problem)
{
    if (::mkdir(target.c_str(), 0777) != 0 && errno != EEXIST) {
        problem = describe(target, std::error_code(errno, std::generic_category()));
        return false;
    }
    std::error_code error;
    const std::vector<SFolderItem> items = listFolder(source, error);
    if (error) {
        problem = describe(source, error);
        return false;
    }
    for (const SFolderItem& item : items) {
        if (item.kind == EFolderItemKind::Special)
            continue;
        if (!copyTree(source + '/' + item.name, target + '/' + item.name, problem))
            return false;
    }
    return true;
}

}  // namespace

bool copyTree(const std::string& source, const std::string& target, std::string& problem)
{
    problem.clear();
    struct stat info {};
    if (::lstat(source.c_str(), &info) != 0) {
        problem = describe(source, std::error_code(errno, std::generic_category()));
        return false;
    }
    if (S_ISLNK(info.st_mode))
        return copyLink(source, target, problem);
    if (S_ISDIR(info.st_mode))
        return copyFolder(source, target, problem);
    if (S_ISREG(info.st_mode))
        return copyFile(source, target, problem);
    return true;
}

}  // namespace brindle
