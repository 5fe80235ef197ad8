// The line comparison: two line lists in, the ordered result list of sections out.
#pragma once

#include "engine/diff_section.h"
#include "engine/line_hash.h"
#include "engine/section_chain.h"

#include <memory>

namespace brindle {

class CLineList;

// Interleaves the two section lists into result: every section of each list is emitted once,
// in its list's order; a common section whose partner is the current section of the other list
// is emitted with it (it then owns that partner), any other section is emitted as changed.
// Of two common sections paired crosswise the one with fewer lines is given up, on equal
// counts the file-2 one. Emptying both lists. False when cancelled; sections emitted before
// stay in result.
bool MergeSections(CSectionChain& list1, CSectionChain& list2, CSectionList& result);

// Compares two files' lines. A list that is empty on entry is first loaded from its path.
// Pairs lines (common beginning and end, unique lines as anchors, extension), cuts both files
// into sections, refines the changed regions and merges the two section lists into result,
// which afterwards keeps both line lists alive. Returns false when cancelled (result then holds
// what was emitted before the cancel).
//
// For every pair of files, without ignore options, the common lines and the file-1-only lines of
// the result are file 1 in order, and the file-2 lines of the common sections and the
// file-2-only lines are file 2 in order.
bool CompareLines(const std::shared_ptr<CLineList>& file1, const std::shared_ptr<CLineList>& file2,
                  const SLineCompareOptions& options, CSectionList& result);

}  // namespace brindle
