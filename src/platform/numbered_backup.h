// Keeping a file as a numbered backup beside it: NAME.~1~, NAME.~2~, ... as GNU cp and mv do.
#pragma once

#include <optional>
#include <string>
#include <system_error>

namespace brindle {

// Makes NAME.~N~ beside the ordinary file at nativePath, N one above the highest number already
// used there, so no earlier backup is ever replaced. The backup is a second name of the same
// file where the file system allows that (nothing is copied, and the mode and time stay), else a
// copy. Returns the backup's path, or nullopt with error set.
std::optional<std::string> makeNumberedBackup(const std::string& nativePath, std::error_code& error);

}  // namespace brindle
