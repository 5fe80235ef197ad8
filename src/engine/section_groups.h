// The entries of the section list: each common section, and each difference group (a maximal
// run of file-1-only and file-2-only sections), with the line ranges its label shows.
#pragma once

#include "engine/diff_section.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

struct SSectionGroup {
    std::size_t first = 0;  // index of the group's first section in the result list
    std::size_t end = 0;    // one past its last section
    bool common = false;
    std::int32_t file1First = 0;  // first line number on each side (0 when the side has none)
    std::int32_t file1Count = 0;
    std::int32_t file2First = 0;
    std::int32_t file2Count = 0;
};

// The entries in result-list order.
std::vector<SSectionGroup> groupSections(const CSectionList& sections);

// "f1-l1;f2-l2" with a single number for a side of one line and `missing` for a side without
// lines: "1-10;1-10", "2;2-3", "5-7;missing", "missing;4".
std::u16string sectionLabel(const SSectionGroup& group, std::u16string_view missing);

}  // namespace brindle
