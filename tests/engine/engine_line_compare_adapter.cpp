// Bridges the engine's result list to the reference comparison's plain description.
#include "engine_line_compare_adapter.h"

#include "engine/compare_lines.h"
#include "engine/line_list.h"
#include "engine/line_span.h"
#include "engine/section_groups.h"
#include "platform/code_page.h"

#include <cstdio>
#include <memory>

namespace brindle::testing {
namespace {

std::shared_ptr<CLineList> makeList(const std::vector<std::u16string>& lines)
{
    auto list = std::make_shared<CLineList>();
    for (const std::u16string& line : lines)
        list->append(line);
    return list;
}

std::vector<int> numbers(CLineSpan lines)
{
    std::vector<int> result;
    for (const CDiffLine* line : lines)
        result.push_back(line->number());
    return result;
}

reference::SSection describe(const CDiffSection& section)
{
    reference::SSection result{section.kind(), numbers(section.lines()), {}, {}};
    if (section.kind() != kSectionCommon)
        return result;
    if (section.partner())
        result.partnerLines = numbers(section.partner()->lines());
    for (const CDiffLine* line : section.lines())
        result.pairedWith.push_back(line->partner() ? line->partner()->number() : 0);
    return result;
}

std::string narrow(const std::u16string& text)
{
    std::string result;
    for (char16_t ch : text)
        result += ch < 0x80 ? static_cast<char>(ch) : '?';
    return result;
}

std::string joined(const std::vector<int>& values)
{
    std::string text;
    for (int value : values)
        text += (text.empty() ? "" : " ") + std::to_string(value);
    return "[" + text + "]";
}

}  // namespace

SEngineOutcome engineCompare(const std::vector<std::u16string>& file1, const std::vector<std::u16string>& file2,
                             reference::SOptions options)
{
    static const CCaseFolder& folder = CCaseFolder::forCodePage(*CCodePage::byNumber(1252));
    const SLineCompareOptions engineOptions{options.ignoreWhitespace, options.ignoreCase, &folder};
    CSectionList result;
    SEngineOutcome outcome;
    outcome.completed = CompareLines(makeList(file1), makeList(file2), engineOptions, result);
    for (std::size_t i = 0; i < result.size(); ++i)
        outcome.sections.push_back(describe(result[i]));
    for (const SSectionGroup& group : groupSections(result))
        outcome.sectionList += (group.common ? "same " : "diff ") + narrow(sectionLabel(group, u"missing")) + "\n";
    return outcome;
}

std::string escapeLines(const std::vector<std::u16string>& lines)
{
    std::string text = "{";
    for (const std::u16string& line : lines) {
        text += text.size() > 1 ? ", u\"" : "u\"";
        for (char16_t ch : line) {
            if (ch == u'"' || ch == u'\\') {
                text += '\\';
                text += static_cast<char>(ch);
            } else if (ch >= 0x20 && ch < 0x7F) {
                text += static_cast<char>(ch);
            } else {
                char buffer[16];
                std::snprintf(buffer, sizeof buffer, "\\x%04x\"u\"", static_cast<unsigned>(ch));
                text += buffer;
            }
        }
        text += '"';
    }
    return text + "}";
}

std::string dumpSections(const std::vector<reference::SSection>& sections)
{
    std::string text;
    for (const reference::SSection& section : sections) {
        text += std::to_string(section.kind) + " " + joined(section.lines);
        if (section.kind == kSectionCommon)
            text += " <- " + joined(section.partnerLines) + " pairs " + joined(section.pairedWith);
        text += "\n";
    }
    return text;
}

}  // namespace brindle::testing
