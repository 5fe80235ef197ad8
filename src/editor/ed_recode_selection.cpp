#include "editor/ed_recode_selection.h"

#include "editor/ed_search_target.h"
#include "editor/ed_text_buffer.h"
#include "editor/recode_range.h"

#include <algorithm>

namespace brindle {

std::u16string SelectedText(CEdSearchTarget& target)
{
    STextPos start;
    STextPos end;
    target.GetSelection(start, end);
    std::u16string text;
    if (const CEdTextBuffer* buffer = target.SearchBuffer(); buffer != nullptr && start != end)
        buffer->CopyRange(start.line, start.ch, end.line, end.ch, text);
    return text;
}

int RecodeSelection(CEdSearchTarget& target, int sourceSet, int destinationSet, bool alphabetOnly,
                    const CCodePage* codePage)
{
    CEdTextBuffer* buffer = target.SearchBuffer();
    STextPos start;
    STextPos end;
    target.GetSelection(start, end);
    if (buffer == nullptr || !target.IsEditable() || start == end)
        return kRecodeRefused;
    const STextPos caret = target.GetCursorPos();
    STextPos newEnd = end;
    const int result = recodeBufferRange(*buffer, target.SearchSourceView(), start.line, start.ch, end.line, end.ch,
                                         sourceSet, destinationSet, alphabetOnly, codePage, newEnd.line, newEnd.ch);
    if (result != kRecodeOk)
        return result;

    STextPos newCaret = caret;
    const bool lineExists = caret.line < buffer->LineCount();
    if (!lineExists || caret.ch > buffer->LineLength(caret.line))
        newCaret = {0, std::min(caret.line, buffer->LineCount() - 1)};
    target.SetAnchor(newCaret == start ? newEnd : start);
    target.SetSelection(start, newEnd);
    target.SetCursorPos(newCaret);
    target.EnsureVisible(newCaret);
    return kRecodeOk;
}

}  // namespace brindle
