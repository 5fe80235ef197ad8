// Test helpers for the text buffer: a view that records what the buffer tells it, and lines.
#pragma once

#include "editor/ed_buffer_view.h"
#include "editor/ed_text_buffer.h"

#include <string>
#include <vector>

namespace brindle::test {

struct SNotice {
    CEdBufferView* source;
    std::uint32_t flags;
    std::int32_t line;
    bool operator==(const SNotice&) const = default;
};

// Records every call; moves `caret` with each change's context, as a real view moves its caret.
class CRecordingView : public CEdBufferView {
public:
    void OnBufferChanged(CEdBufferView* source, const CEdTextBuffer::CUpdateContext* context, std::uint32_t flags,
                         std::int32_t line) override
    {
        notices.push_back({source, flags, line});
        if (context)
            context->AdjustPosition(caret);
    }
    void OnEditCompleted(std::int32_t action, std::u16string_view text) override
    {
        completed.emplace_back(action, std::u16string(text));
    }
    void ApplyTextType(const STextType* type) override { types.push_back(type); }

    std::vector<SNotice> notices;
    std::vector<std::pair<std::int32_t, std::u16string>> completed;
    std::vector<const STextType*> types;
    STextPos caret;
};

inline std::vector<std::u16string> linesOf(const CEdTextBuffer& buffer)
{
    std::vector<std::u16string> lines;
    for (std::int32_t i = 0; i < buffer.LineCount(); ++i)
        lines.emplace_back(buffer.LineText(i));
    return lines;
}

inline void fill(CEdTextBuffer& buffer, const std::vector<std::u16string>& lines)
{
    buffer.ClearAll();
    for (const std::u16string& line : lines)
        buffer.AddLine(line);
}

}  // namespace brindle::test
