// The program-wide merge tag list: the six tag texts of the current merge file, read by the
// merge-file colouring.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace brindle {

// Positions in the list, in its fixed order.
enum class MergeTag : std::size_t {
    File1Header,
    File1Footer,
    File1Prefix,
    File2Header,
    File2Footer,
    File2Prefix,
};

constexpr std::size_t kMergeTagCount = 6;

// The six texts in MergeTag order; an empty text means the tag is not used.
using MergeTagTexts = std::array<std::u16string, kMergeTagCount>;

// Replaces the program-wide list with copies of tags. Filled when a comparison opens its merge
// file; user-interface thread only, like every reader.
void setMergeTags(const MergeTagTexts& tags);

// The program-wide list; all empty until set.
const MergeTagTexts& mergeTags();

// The first non-empty tag of tags, in list order, whose whole text stands in line at position;
// -1 when none does (or position is past the line).
int mergeTagAt(const MergeTagTexts& tags, std::u16string_view line, std::size_t position);

// How a line is recognised as tagged: 1 to 6 for the first non-empty tag of the program-wide
// list, in list order, that the line begins with; 0 when it begins with none.
int taggedLineKind(std::u16string_view line);

}  // namespace brindle
