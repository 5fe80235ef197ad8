#include "engine/diff_section.h"

#include "engine/line_list.h"

#include <algorithm>

namespace brindle {

CDiffLine* CDiffSection::firstPairedLine() const
{
    const auto it =
        std::find_if(m_lines.begin(), m_lines.end(), [](const CDiffLine* line) { return line->isPaired(); });
    return it == m_lines.end() ? nullptr : *it;
}

std::int32_t CDiffSection::file2FirstNumber() const
{
    // The partner of the first line would be wrong when the partner section begins with an
    // unpaired blank line (ignore whitespace): it would point below the section's start.
    if (m_partner && !m_partner->m_lines.empty())
        return m_partner->firstNumber();
    return firstNumber();
}

std::size_t CDiffSection::file2LineCount() const { return m_partner ? m_partner->lineCount() : lineCount(); }

CSectionList::~CSectionList() = default;

void CSectionList::clear()
{
    m_sections.clear();
    m_lineLists.clear();
}

void CSectionList::keepAlive(std::shared_ptr<CLineList> lines)
{
    if (lines && std::find(m_lineLists.begin(), m_lineLists.end(), lines) == m_lineLists.end())
        m_lineLists.push_back(std::move(lines));
}

}  // namespace brindle
