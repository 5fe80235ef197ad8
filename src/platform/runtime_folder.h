// The user's private folder for the files through which copies of the program meet (the
// single-instance socket).
#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace brindle {

struct SRuntimeFolder {
    std::u16string path;    // the folder chosen
    std::error_code error;  // set when it is refused or cannot be made: then it is not to be used
};

// XDG_RUNTIME_DIR when it holds an absolute path; otherwise
// "<temp folder>/brindle-runtime-<user id>" (tempFolder()), made with mode 0700 when missing.
// Either is used only when it is private (isPrivateFolder): in a folder that others may enter or
// that another user owns, someone else could put a socket in the program's way or read what
// copies hand to each other.
SRuntimeFolder privateRuntimeFolder();

// True when folder is a folder itself (not a symbolic link to one) owned by this user, which
// neither its group nor others may read, write or enter. Otherwise false with error set:
// not_a_directory for anything but a folder, permission_denied for a folder that is not
// private, or the system's reason when it cannot be examined.
bool isPrivateFolder(std::u16string_view folder, std::error_code& error);

}  // namespace brindle
