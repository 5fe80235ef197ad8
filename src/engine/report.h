// What a report gives the comparison window: two RTF documents and the section-list items.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace brindle {

class CReportPane;

// Section-list images.
enum SectionImage : int {
    kImageCommon = 0,
    kImageDifference = 2,
};

// One item under the root of the section list.
struct SSectionItem {
    std::u16string label;  // "1-10;1-10", "2;2-3", "5-7;missing", ...
    int image = kImageCommon;
    std::int32_t reportLine = 0;  // the report line (or dump row) at which the item starts
};

struct SReport {
    std::string left;   // RTF of the file-1 pane
    std::string right;  // RTF of the file-2 pane
    // The panes of a text comparison as references to the compared lines, when asked for
    // instead of the RTF documents.
    std::shared_ptr<const CReportPane> leftPane;
    std::shared_ptr<const CReportPane> rightPane;
    std::u16string rootText;  // "Comparison Results"
    std::vector<SSectionItem> items;
    std::int32_t reportLines = 0;  // lines (rows) in each pane
};

}  // namespace brindle
