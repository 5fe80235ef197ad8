#include "engine/section_groups.h"

namespace brindle {

namespace {

bool isChange(const CDiffSection& section) { return section.kind() != kSectionCommon; }

SSectionGroup commonGroup(const CDiffSection& section, std::size_t index)
{
    SSectionGroup group;
    group.first = index;
    group.end = index + 1;
    group.common = true;
    group.file1First = section.firstNumber();
    group.file1Count = static_cast<std::int32_t>(section.lineCount());
    group.file2First = section.file2FirstNumber();
    group.file2Count = static_cast<std::int32_t>(section.file2LineCount());
    return group;
}

void addToDifference(SSectionGroup& group, const CDiffSection& section)
{
    const bool file1 = section.kind() == kSectionFile1Only;
    std::int32_t& first = file1 ? group.file1First : group.file2First;
    std::int32_t& count = file1 ? group.file1Count : group.file2Count;
    if (count == 0)
        first = section.firstNumber();
    count += static_cast<std::int32_t>(section.lineCount());
}

void appendRange(std::u16string& out, std::int32_t first, std::int32_t count, std::u16string_view missing)
{
    const auto number = [&out](std::int32_t n) {
        const std::string digits = std::to_string(n);
        out.append(digits.begin(), digits.end());
    };
    if (count <= 0) {
        out += missing;
        return;
    }
    number(first);
    if (count > 1) {
        out += u'-';
        number(first + count - 1);
    }
}

}  // namespace

std::vector<SSectionGroup> groupSections(const CSectionList& sections)
{
    std::vector<SSectionGroup> groups;
    std::size_t i = 0;
    while (i < sections.size()) {
        if (!isChange(sections[i])) {
            groups.push_back(commonGroup(sections[i], i));
            ++i;
            continue;
        }
        SSectionGroup group;
        group.first = i;
        while (i < sections.size() && isChange(sections[i]))
            addToDifference(group, sections[i++]);
        group.end = i;
        groups.push_back(group);
    }
    return groups;
}

std::u16string sectionLabel(const SSectionGroup& group, std::u16string_view missing)
{
    std::u16string label;
    appendRange(label, group.file1First, group.file1Count, missing);
    label += u';';
    appendRange(label, group.file2First, group.file2Count, missing);
    return label;
}

}  // namespace brindle
