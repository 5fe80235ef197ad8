// Keeping output away from the files being compared.
#pragma once

#include <string_view>

namespace brindle {

// True when path names file1 or file2: equal with ASCII letters compared without regard to case,
// or the same existing file (same device and inode, which catches "./a.txt", links and other
// spellings). Output and merge files are never written over a compared file.
bool namesComparedFile(std::u16string_view path, std::u16string_view file1, std::u16string_view file2);

}  // namespace brindle
