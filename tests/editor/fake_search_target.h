// Test helper: a view over a real text buffer that implements the search commands' target.
#pragma once

#include "editor/ed_buffer_view.h"
#include "editor/ed_search_target.h"
#include "editor/ed_text_buffer.h"

#include <string>
#include <vector>

namespace brindle::test {

// Keeps caret, anchor and selection as a view does (moved by each buffer change) and records
// the failures and beeps it is told of.
class CFakeSearchTarget : public CEdSearchTarget, public CEdBufferView {
public:
    explicit CFakeSearchTarget(const std::vector<std::u16string>& lines)
    {
        for (const std::u16string& line : lines)
            buffer.AddLine(line);
        buffer.AttachView(this);
    }
    ~CFakeSearchTarget() override { buffer.DetachView(this); }

    CEdTextBuffer* SearchBuffer() override { return &buffer; }
    CEdBufferView* SearchSourceView() override { return this; }
    bool IsEditable() const override { return editable; }
    STextPos GetCursorPos() const override { return caret; }
    void SetCursorPos(STextPos pos) override { caret = pos; }
    void SetAnchor(STextPos pos) override { anchor = pos; }
    void GetSelection(STextPos& start, STextPos& end) const override
    {
        start = selStart;
        end = selEnd;
    }
    void SetSelection(STextPos start, STextPos end) override
    {
        selStart = start;
        selEnd = end;
    }
    void EnsureVisible(STextPos pos) override { visible = pos; }
    SEdViewSearchState& SearchState() override { return state; }
    void ReportNotFound(std::u16string_view text) override { notFound.emplace_back(text); }
    void Beep() override { ++beeps; }

    void OnBufferChanged(CEdBufferView*, const CEdTextBuffer::CUpdateContext* context, std::uint32_t,
                         std::int32_t) override
    {
        if (context == nullptr)
            return;
        for (STextPos* pos : {&caret, &anchor, &selStart, &selEnd})
            context->AdjustPosition(*pos);
    }
    void OnEditCompleted(std::int32_t, std::u16string_view) override {}
    void ApplyTextType(const STextType*) override {}

    // Selects start..end with the caret at end, as a user's selection.
    void select(STextPos start, STextPos end)
    {
        anchor = selStart = start;
        caret = selEnd = end;
    }
    void place(STextPos pos) { caret = anchor = selStart = selEnd = pos; }

    std::vector<std::u16string> lines() const
    {
        std::vector<std::u16string> result;
        for (std::int32_t i = 0; i < buffer.LineCount(); ++i)
            result.emplace_back(buffer.LineText(i));
        return result;
    }

    CEdTextBuffer buffer;
    bool editable = true;
    STextPos caret;
    STextPos anchor;
    STextPos selStart;
    STextPos selEnd;
    STextPos visible{-1, -1};
    SEdViewSearchState state;
    std::vector<std::u16string> notFound;
    int beeps = 0;
};

}  // namespace brindle::test
