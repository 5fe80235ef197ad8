// Whether a comparison fits in the memory this process can still take, found out before any
// file is read, so that a comparison too large for the machine is refused with a message instead
// of ending with the process killed.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brindle {

// A comparison needs more memory than is available. what() is the user's message.
class CMemoryException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What one input costs while it is compared: its size and its lines, counted from a sample of
// its start.
struct SInputCost {
    std::uint64_t bytes = 0;
    std::uint64_t lines = 0;
    bool wide = false;  // text beyond 8 bits (UTF-16, or many non-ASCII characters)
};

// Reads up to the first mebibyte of the file at path and extends what it finds to the whole file.
// A file that cannot be read costs its size (the comparison itself then reports why).
SInputCost estimateInputCost(std::u16string_view path);

// Bytes a text comparison of the two inputs takes at its peak; withDocuments adds both report
// documents.
std::uint64_t estimatedComparisonMemory(const SInputCost& file1, const SInputCost& file2, bool withDocuments);

// Throws CMemoryException naming both files, the estimate and what is available when the text
// comparison of file1 and file2 (with the report documents when withDocuments) would not fit; does
// nothing when the available memory is unknown.
void checkComparisonFits(std::u16string_view file1, std::u16string_view file2, bool withDocuments);

// Bytes the report of a binary comparison of files of the given sizes takes: its two hex-dump
// documents, and withPanes the window's panes made from them.
std::uint64_t estimatedBinaryReportMemory(std::uint64_t size1, std::uint64_t size2, bool withPanes);

// As checkComparisonFits, for the report of a binary comparison (the files are mapped, not read).
void checkBinaryReportFits(std::u16string_view file1, std::u16string_view file2, bool withPanes);

// "512 KiB", "1.5 MiB", "12 GiB": sizes in the user's messages.
std::u16string memorySizeText(std::uint64_t bytes);

}  // namespace brindle
