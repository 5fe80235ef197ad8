// Copying a file, link or whole folder over its counterpart in another tree.
#pragma once

#include <string>

namespace brindle {

// Copies source (a file, a symbolic link as a link, or a folder with everything in it) to
// target, which is replaced or, for a folder, merged into. Each file is written beside its
// target and then put in its place, so that a failed copy leaves every target file whole.
// Special files are not copied. False with problem set at the first failure.
bool copyTree(const std::string& source, const std::string& target, std::string& problem);

}  // namespace brindle
