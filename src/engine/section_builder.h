// Cutting a list of lines into runs of paired lines (common) and runs of unpaired lines.
#pragma once

#include "engine/diff_line.h"
#include "engine/line_span.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace brindle {

// One run of a list: [begin, end) with its kind (common, or the changed kind of the list).
struct SLineRun {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::int32_t kind = 0;
};

// A common run continues from one paired line to the next while their partners are neighbours
// in the other list as well; under ignore whitespace unpaired blank lines are stepped over (and
// belong to the run), and a common run may start with them. The other list is only read.
class CSectionBuilder {
public:
    CSectionBuilder(CLineSpan own, CLineSpan other, bool ignoreWhitespace);

    // The runs covering the whole own list, in order. Changed runs get changedKind. Stops early
    // (returning the runs so far) when the cancel flag is set.
    std::vector<SLineRun> BuildSections(std::int32_t changedKind);

private:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    std::size_t commonRunEnd(std::size_t x) const;
    std::size_t changedRunEnd(std::size_t x) const;
    std::size_t endAfterLastPaired(std::size_t y) const;
    std::size_t nextOwn(std::size_t index) const { return next(m_own, m_ownNext, index); }
    std::size_t nextOther(std::size_t index) const { return next(m_other, m_otherNext, index); }
    std::size_t next(CLineSpan list, const std::vector<std::uint32_t>& skip, std::size_t index) const;
    std::vector<std::uint32_t> significantFrom(CLineSpan list) const;

    CLineSpan m_own;
    CLineSpan m_other;
    bool m_ignoreWhitespace;
    // Under ignore whitespace: for each position, the first position at or after it that holds
    // a paired or non-blank line (list size when none), so that stepping over long runs of
    // blank lines stays linear.
    std::vector<std::uint32_t> m_ownNext;
    std::vector<std::uint32_t> m_otherNext;
};

}  // namespace brindle
