// The file position of a line of a report pane, from the section items of the comparison.
#pragma once

#include "engine/report.h"

#include <cstdint>
#include <vector>

namespace brindle {

// Binary reports show this many bytes per report line.
inline constexpr std::int64_t kBinaryBytesPerReportLine = 16;

// The place in file 1 (side 1) or file 2 (any other side) that report line `line` (counted from
// 1, as the pane shows it) stands for, given the section items of the report (their reportLine
// counted from 0): for a text comparison the number of the line in the file, counted from 1 as
// the pane shows it; for a binary comparison the byte offset, counted from 0.
//
// Walks items in list order while line >= reportLine + 1 (the item's first line counted from 1)
// and takes the label part of the side: before the ';' for file 1, after it for file 2, the whole
// label when it has no ';'. A range "a-b" gives a + (line - reportLine - 1) for text and
// (line - reportLine - 1) * 16 + a for binary, and remembers b. A single number gives itself and
// is remembered, except 0, which gives the number remembered last (0 before any). A part that
// does not begin with a digit ("missing", in whatever language the report was written) counts as
// the number 0. A number in a label stops growing at 2^31 - 1 (text) or 2^62 (binary, whose
// offsets go past 4 GiB). So a line of a range or a single number gives its own number, a line beside
// missing lines the number of the last line before them. A line above the first section gives
// line - 1 for text and line for binary.
std::int64_t reportLinePosition(const std::vector<SSectionItem>& items, std::int64_t line, int side, bool binary);

}  // namespace brindle
