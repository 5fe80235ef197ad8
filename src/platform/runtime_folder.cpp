#include "platform/runtime_folder.h"

#include "platform/file_system.h"
#include "platform/utf8.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace brindle {

namespace {

std::u16string fallbackFolder()
{
    std::u16string folder = tempFolder();
    if (folder.empty() || folder.back() != u'/')
        folder += u'/';
    return folder + u"brindle-runtime-" + pathFromNative(std::to_string(::getuid()));
}

}  // namespace

bool isPrivateFolder(std::u16string_view folder, std::error_code& error)
{
    struct stat info {};
    if (::lstat(nativePath(folder).c_str(), &info) != 0) {
        error = std::error_code(errno, std::generic_category());
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        error = std::make_error_code(std::errc::not_a_directory);
        return false;
    }
    if (info.st_uid != ::getuid() || (info.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
        error = std::make_error_code(std::errc::permission_denied);
        return false;
    }
    error.clear();
    return true;
}

SRuntimeFolder privateRuntimeFolder()
{
    SRuntimeFolder folder;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/') {
        folder.path = pathFromNative(runtime);
    } else {
        folder.path = fallbackFolder();
        // An existing folder is examined below like any other: mkdir never changes its mode.
        if (::mkdir(nativePath(folder.path).c_str(), S_IRWXU) != 0 && errno != EEXIST) {
            folder.error = std::error_code(errno, std::generic_category());
            return folder;
        }
    }
    isPrivateFolder(folder.path, folder.error);
    return folder;
}

}  // namespace brindle
