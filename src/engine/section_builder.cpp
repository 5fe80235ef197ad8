#include "engine/section_builder.h"

#include "engine/cancel_flag.h"
#include "engine/diff_section.h"
#include "engine/line_hash.h"
#include "engine/line_matcher.h"
#include "engine/line_span.h"

namespace brindle {

CSectionBuilder::CSectionBuilder(CLineSpan own, CLineSpan other, bool ignoreWhitespace)
    : m_own(own), m_other(other), m_ignoreWhitespace(ignoreWhitespace)
{
    if (m_ignoreWhitespace) {
        m_ownNext = significantFrom(m_own);
        m_otherNext = significantFrom(m_other);
    }
}

std::vector<std::uint32_t> CSectionBuilder::significantFrom(CLineSpan list) const
{
    std::vector<std::uint32_t> result(list.size() + 1);
    result[list.size()] = static_cast<std::uint32_t>(list.size());
    for (std::size_t i = list.size(); i-- > 0;) {
        const CDiffLine& line = *list[i];
        result[i] = line.isPaired() || !IsBlankLine(line) ? static_cast<std::uint32_t>(i) : result[i + 1];
    }
    return result;
}

std::size_t CSectionBuilder::next(CLineSpan list, const std::vector<std::uint32_t>& skip, std::size_t index) const
{
    const std::size_t candidate = index + 1;
    if (candidate >= list.size())
        return npos;
    if (!m_ignoreWhitespace)
        return candidate;
    const std::size_t found = skip[candidate];
    return found >= list.size() ? npos : found;
}

// When Next() runs off the end of the list over blank lines: a single trailing line joins the
// run, more of them form runs of their own.
std::size_t CSectionBuilder::endAfterLastPaired(std::size_t y) const
{
    return m_own.size() - y - 1 <= 1 ? m_own.size() : y + 1;
}

std::size_t CSectionBuilder::commonRunEnd(std::size_t x) const
{
    std::size_t y = x;
    if (!m_own[x]->isPaired()) {  // an unpaired blank line under ignore whitespace
        const std::size_t n = nextOwn(x);
        if (n == npos)
            return endAfterLastPaired(x);
        if (!m_own[n]->isPaired())
            return n;
        y = n;
    }
    for (;;) {
        const std::size_t n = nextOwn(y);
        if (n == npos)
            return endAfterLastPaired(y);
        if (!m_own[n]->isPaired())
            return n;
        const std::size_t p = positionInRun(m_other, m_own[y]->partner());
        const std::size_t q = p == npos ? npos : nextOther(p);
        if (q == npos || m_own[n]->partner() != m_other[q])
            return n;
        y = n;
    }
}

std::size_t CSectionBuilder::changedRunEnd(std::size_t x) const
{
    std::size_t end = x + 1;
    while (end < m_own.size() && !m_own[end]->isPaired())
        ++end;
    return end;
}

std::vector<SLineRun> CSectionBuilder::BuildSections(std::int32_t changedKind)
{
    std::vector<SLineRun> runs;
    std::size_t x = 0;
    while (x < m_own.size()) {
        if (pollCancel())
            break;
        const CDiffLine& first = *m_own[x];
        const bool common = first.isPaired() || (m_ignoreWhitespace && IsBlankLine(first));
        const std::size_t end = common ? commonRunEnd(x) : changedRunEnd(x);
        runs.push_back({x, end, common ? std::int32_t{kSectionCommon} : changedKind});
        x = end;
    }
    return runs;
}

}  // namespace brindle
