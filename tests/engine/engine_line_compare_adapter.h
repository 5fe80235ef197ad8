// Runs the engine's line comparison on in-memory lines and describes its result in the form the
// reference comparison uses, so the two can be compared value by value.
#pragma once

#include "reference_line_compare.h"

#include <string>
#include <vector>

namespace brindle::testing {

struct SEngineOutcome {
    bool completed = false;
    std::vector<reference::SSection> sections;
    std::string sectionList;  // "same LABEL" / "diff LABEL" lines from the engine's own labels
};

// Compares under code page 1252 folding whatever the process's ANSI code page is.
SEngineOutcome engineCompare(const std::vector<std::u16string>& file1, const std::vector<std::u16string>& file2,
                             reference::SOptions options);

// Lines as C string literals ("a", "\t", "\x00e9"), for failure messages.
std::string escapeLines(const std::vector<std::u16string>& lines);

// One section a line: "1 [4 5] <- [2 3] pairs [2 3]" style dump.
std::string dumpSections(const std::vector<reference::SSection>& sections);

}  // namespace brindle::testing
