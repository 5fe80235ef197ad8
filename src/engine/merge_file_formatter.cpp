#include "engine/merge_file_formatter.h"

#include "engine/comp_file_opt.h"
#include "engine/diff_section.h"

namespace brindle {

void CMergeFileFormatter::marker(std::u16string_view text)
{
    if (!text.empty())
        m_sink.writeLine(text, nullptr);
}

void CMergeFileFormatter::commonSection(const CDiffSection& section)
{
    if (!m_options.m_writeCommonSections)
        return;
    for (const CDiffLine* line : section.lines())
        m_sink.writeLine({}, line);
}

void CMergeFileFormatter::beginGroup()
{
    m_file1HeaderOpen = m_file2HeaderOpen = false;
    m_seenFile1 = m_seenFile2 = false;
}

void CMergeFileFormatter::groupSection(const CDiffSection& section)
{
    const bool file1 = section.kind() == kSectionFile1Only;
    bool& seen = file1 ? m_seenFile1 : m_seenFile2;
    if (!seen) {
        seen = true;
        // The other side's footer closes its run before this side's header opens.
        bool& otherOpen = file1 ? m_file2HeaderOpen : m_file1HeaderOpen;
        const std::u16string& otherFooter = file1 ? m_options.m_file2SectionFooter : m_options.m_file1SectionFooter;
        if (otherOpen && !otherFooter.empty()) {
            marker(otherFooter);
            otherOpen = false;
        }
        marker(file1 ? m_options.m_file1SectionHeader : m_options.m_file2SectionHeader);
        (file1 ? m_file1HeaderOpen : m_file2HeaderOpen) = true;
    }
    const std::u16string& prefix = file1 ? m_options.m_file1LinePrefix : m_options.m_file2LinePrefix;
    for (const CDiffLine* line : section.lines())
        m_sink.writeLine(prefix, line);
}

void CMergeFileFormatter::endGroup()
{
    if (m_file1HeaderOpen && !m_options.m_file1SectionFooter.empty())
        marker(m_options.m_file1SectionFooter);
    else if (m_file2HeaderOpen && !m_options.m_file2SectionFooter.empty())
        marker(m_options.m_file2SectionFooter);
}

void CMergeFileFormatter::writeAll()
{
    const CSectionList& sections = m_options.m_sections;
    std::size_t i = 0;
    while (i < sections.size()) {
        if (sections[i].kind() == kSectionCommon) {
            commonSection(sections[i++]);
            continue;
        }
        beginGroup();
        while (i < sections.size() && sections[i].kind() != kSectionCommon)
            groupSection(sections[i++]);
        endGroup();
    }
}

}  // namespace brindle
