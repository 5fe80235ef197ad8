#include "editor/ed_search_target.h"

#include "editor/ed_history_table.h"
#include "editor/ed_text_buffer.h"
#include "platform/fill_template.h"

namespace brindle {

bool FindInTarget(CEdSearchTarget& target, std::u16string_view text, STextPos start, STextPos blockBegin,
                  STextPos blockEnd, std::uint32_t flags, bool wrap, SEdSearchHit& hit)
{
    const CEdTextBuffer* buffer = target.SearchBuffer();
    if (buffer == nullptr || buffer->LineCount() == 0)
        return false;
    const CEdLineSourceOf<CEdTextBuffer> lines(*buffer);
    if (!CEdSearch(text, flags).findInBlock(lines, start, blockBegin, blockEnd, wrap, hit))
        return false;
    target.SearchState().matchLength = hit.length;
    return true;
}

bool FindInTarget(CEdSearchTarget& target, std::u16string_view text, STextPos start, std::uint32_t flags, bool wrap,
                  SEdSearchHit& hit)
{
    const CEdTextBuffer* buffer = target.SearchBuffer();
    if (buffer == nullptr || buffer->LineCount() == 0)
        return false;
    const std::int32_t last = buffer->LineCount() - 1;
    return FindInTarget(target, text, start, {0, 0}, {buffer->LineLength(last), last}, flags, wrap, hit);
}

void SelectHit(CEdSearchTarget& target, const SEdSearchHit& hit, bool caretAtStart)
{
    const STextPos caret = caretAtStart ? hit.start : hit.end;
    target.SetAnchor(caretAtStart ? hit.end : hit.start);
    target.SetSelection(hit.start, hit.end);
    target.SetCursorPos(caret);
    target.EnsureVisible(caret);
}

std::u16string FindNextText(CEdSearchTarget& target)
{
    const SEdViewSearchState& state = target.SearchState();
    if (!state.lastText.empty())
        return state.lastText;
    return CEdHistoryTable::instance().first(kFindTextHistory);
}

bool CanFindNext(CEdSearchTarget& target) { return target.SearchBuffer() != nullptr && !FindNextText(target).empty(); }

STextPos SearchStartOf(const CEdSearchTarget& target, bool up)
{
    STextPos start;
    STextPos end;
    target.GetSelection(start, end);
    if (start == end)
        return target.GetCursorPos();
    return up ? start : end;
}

EdFindResult FindNextCommand(CEdSearchTarget& target, bool previous)
{
    const std::u16string text = FindNextText(target);
    if (target.SearchBuffer() == nullptr || text.empty())
        return EdFindResult::NoText;
    SEdViewSearchState& state = target.SearchState();
    std::uint32_t flags = state.lastFlags;
    if (previous)
        flags ^= kEdFindUp;
    const bool up = (flags & kEdFindUp) != 0;

    const STextPos start = SearchStartOf(target, up);
    state.searched = true;
    state.lastText = text;
    SEdSearchHit hit;
    if (!FindInTarget(target, text, start, flags, true, hit)) {
        target.ReportNotFound(text);
        return EdFindResult::NotFound;
    }
    SelectHit(target, hit, up);
    return EdFindResult::Found;
}

std::u16string FormatNotFound(std::u16string_view format, std::u16string_view text)
{
    return fillTemplate(format, {text});
}

}  // namespace brindle
