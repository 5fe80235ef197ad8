// Pairing equal lines of two lists: common beginning and end, unique lines as anchors, and
// extension of every anchor while lines stay equal.
#pragma once

#include "engine/diff_line.h"
#include "engine/line_hash.h"
#include "engine/line_span.h"

#include <cstddef>
#include <vector>

namespace brindle {

// The lists are consecutive lines of their files (a whole file, or one section). Every loop
// polls the cancel flag and stops when it is set; callers test cancelRequested() afterwards.
class CLineMatcher {
public:
    explicit CLineMatcher(const SLineCompareOptions& options) : m_options(options) {}

    const SLineCompareOptions& options() const { return m_options; }

    // Pairs a and b when they are equal, releasing partners they had before.
    bool Link(CDiffLine& a, CDiffLine& b);
    static void Unlink(CDiffLine& line);

    // Pairs forwards from (i, j) while lines are equal, then backwards from (i - 1, j - 1),
    // never comparing the first line of either list backwards. Under ignore whitespace, blank
    // lines that interrupt a run are skipped on each side. True when anything was paired.
    bool ExtendMatch(CLineSpan list1, std::size_t i, CLineSpan list2, std::size_t j);

    // The common beginning, the common end, then every line unique in both lists as an anchor,
    // extended both ways. True when anything was paired.
    bool MatchPass(CLineSpan list1, CLineSpan list2);

private:
    enum class EDirection { Forward, Backward };
    struct SExtension {
        bool paired = false;
        bool cancelled = false;
    };
    // ExtendMatch's walk in one direction, starting at (i, j).
    SExtension extendOneWay(CLineSpan list1, std::size_t i, CLineSpan list2, std::size_t j, EDirection direction);
    bool equal(CDiffLine& a, CDiffLine& b) { return LinesEqual(a, b, m_options); }
    bool blank(const CDiffLine& line) const { return IsBlankLine(line); }
    void hashAll(CLineSpan lines);
    // Hashes both lists, long ones side by side (list 2 on a thread of its own), and returns
    // uniqueHashes(list1), found while list 2 is still being hashed.
    std::vector<bool> hashBoth(CLineSpan list1, CLineSpan list2);
    std::vector<bool> uniqueHashes(CLineSpan lines);

    SLineCompareOptions m_options;
};

// Position of line within list, a run of consecutive lines of one file; npos when it is not
// part of the run.
std::size_t positionInRun(CLineSpan list, const CDiffLine* line);

}  // namespace brindle
