// Binary comparison: equal byte stretches of two files and their side-by-side hex-dump report.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace brindle {

class CCompFileOpt;
class CProgress;
struct SReport;

// An equal stretch of the two files: byte offsets, 0-based, both ends inclusive. The stretches
// have the same length and equal bytes.
struct SMatchBlock {
    std::int64_t start1 = 0;
    std::int64_t end1 = 0;
    std::int64_t start2 = 0;
    std::int64_t end2 = 0;

    bool operator==(const SMatchBlock&) const = default;
};

// Finds the equal stretches of file1 and file2 by probing file 1 at intervals and looking for a
// 30-byte anchor in the 102400 bytes of file 2 after the previous block, then extending the
// anchor both ways. The blocks come in increasing order in both files and never overlap, so
// every stretch between them has a length of 0 or more. Polls the cancel flag at every probe;
// cancelling keeps the blocks found so far. progress (may be null) gets the probe offset.
std::vector<SMatchBlock> MatchBinary(std::span<const std::uint8_t> file1, std::span<const std::uint8_t> file2,
                                     CProgress* progress);

// Compares the files record.m_file1Path and record.m_file2Path byte by byte and builds the
// report: two RTF hex dumps (skipped when buildDocuments is false), one section-list item per
// block and per difference, and the row count; writes the record's output file when it names
// neither compared file (clearing it in the record when it names one): each section whole, for a
// difference the bytes of file 1 and then those of file 2, for a block the bytes of file 1. A
// file that cannot be opened or read, or a folder, counts as empty. The binary font size in the record is corrected
// to a valid one. Cancelling the matching shortens the block list, and the rest becomes the
// trailing difference; the report is always completed, so the result is true. Throws
// CFileException when the output file cannot be written, std::bad_alloc when memory runs out.
bool CompareBinary(CCompFileOpt& record, SReport& report, bool buildDocuments = true);

}  // namespace brindle
