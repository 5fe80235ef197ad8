// What the text buffer calls on the views attached to it.
#pragma once

#include "editor/ed_text_buffer.h"

#include <cstdint>
#include <string_view>

namespace brindle {

struct STextType;

// A view of a CEdTextBuffer. The buffer does not own its views; a view detaches itself before
// it is destroyed. The calls come on the thread that changes the buffer.
class CEdBufferView {
public:
    virtual ~CEdBufferView() = default;

    // The buffer changed. sourceView is the view that made the change (nullptr for undo, redo,
    // loading and flag changes); context, when given, moves positions that lay in the text
    // before the change and is valid only during the call; updateFlags is a combination of
    // CEdTextBuffer::UpdateFlags; line is the first line concerned, -1 for everything.
    virtual void OnBufferChanged(CEdBufferView* sourceView, const CEdTextBuffer::CUpdateContext* context,
                                 std::uint32_t updateFlags, std::int32_t line) = 0;

    // An undo group closed by this view ended with a record of this action and text.
    virtual void OnEditCompleted(std::int32_t action, std::u16string_view text) = 0;

    // The text type for the buffer's file; nullptr when no type matches the file name.
    virtual void ApplyTextType(const STextType* type) = 0;
};

}  // namespace brindle
