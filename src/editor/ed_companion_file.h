// The companion source file of a C or C++ file: the header of a source file and the reverse.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

// The file names to try for path, in order: the same name with each other extension of ".c",
// ".cpp", ".inl", ".hpp", ".h"; a source file tries the headers first, a header the sources,
// ".inl" in between. The extension is matched without regard to case; an upper-case extension
// gives upper-case candidates. Empty for any other file.
std::vector<std::u16string> EdCompanionFileCandidates(std::u16string_view path);

// The first candidate for which exists is true (the file system by default); empty when none.
std::u16string EdFindCompanionFile(std::u16string_view path,
                                   const std::function<bool(const std::u16string&)>& exists = {});

}  // namespace brindle
