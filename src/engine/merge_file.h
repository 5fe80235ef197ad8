// Writing the merge file of a text comparison.
#pragma once

#include <string_view>

namespace brindle {

class CCompFileOpt;

// Writes the merge layout of the record's result list to path in the given encoding (the
// driver passes file 1's), every line ending in lineEnd (the driver passes LF when file 1 uses
// bare LF line ends, so a merge of two LF files is an LF file), and returns true. Writes nothing and returns
// false for an empty path or one that names a compared file of the record (by name without
// regard to ASCII case, or by identity). The new file is writable by its owner even when the
// previous one was read-only. The file is replaced only once completely written: on any failure
// the previous file stays as it was and CFileException is thrown. A previous file that this
// program did not write in its present state is kept as NAME.~N~ (openOutputFileSink).
bool WriteMergeFile(const CCompFileOpt& record, std::u16string_view path, int encoding,
                    std::u16string_view lineEnd = u"\r\n");

}  // namespace brindle
