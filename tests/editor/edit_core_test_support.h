// Test helpers for the edit view's logic: a view that forwards to its CEdEditCore, and texts
// with markers: "|" is the caret, "^" the anchor when there is a selection.
#pragma once

#include "editor/ed_buffer_view.h"
#include "editor/ed_edit_core.h"
#include "editor/ed_text_buffer.h"

#include <string>
#include <vector>

namespace brindle::test {

// A view of a buffer that moves its core's positions with every change and hands completed edits
// to it, as the edit view does.
class CEditPane : public CEdBufferView {
public:
    explicit CEditPane(CEdTextBuffer& buffer) : core(buffer, this) { core.Buffer().AttachView(this); }
    ~CEditPane() override { core.Buffer().DetachView(this); }

    void OnBufferChanged(CEdBufferView*, const CEdTextBuffer::CUpdateContext* context, std::uint32_t,
                         std::int32_t) override
    {
        if (context)
            core.AdjustPositions(*context);
    }
    void OnEditCompleted(std::int32_t action, std::u16string_view text) override { core.OnEditCompleted(action, text); }
    void ApplyTextType(const STextType*) override {}

    CEdEditCore core;
};

// A buffer with one view forwarding to its core (CEditPane), filled from and read back as texts
// with markers.
class CEditHarness {
public:
    // Fills the buffer from lines with markers and sets caret and anchor.
    void set(const std::vector<std::string>& lines, std::uint32_t flags = 0, std::int32_t tabSize = 4)
    {
        buffer.ClearAll();
        STextPos caret;
        STextPos anchor{-1, -1};
        for (std::size_t i = 0; i < lines.size(); ++i) {
            std::u16string text;
            for (const char c : lines[i]) {
                const STextPos here{static_cast<std::int32_t>(text.size()), static_cast<std::int32_t>(i)};
                if (c == '|')
                    caret = here;
                else if (c == '^')
                    anchor = here;
                else
                    text += static_cast<char16_t>(static_cast<unsigned char>(c));
            }
            buffer.AddLine(text);
        }
        core.SetSelection(anchor.line < 0 ? caret : anchor, caret);
        SEdEditSettings settings = core.Settings();
        settings.flags = flags;
        settings.tabSize = tabSize;
        core.SetSettings(settings);
    }

    // The text with markers; lines joined by "\n".
    std::string text() const
    {
        std::string out;
        for (std::int32_t line = 0; line < buffer.LineCount(); ++line) {
            if (line > 0)
                out += '\n';
            const std::u16string_view chars = buffer.LineText(line);
            for (std::int32_t ch = 0; ch <= static_cast<std::int32_t>(chars.size()); ++ch) {
                const STextPos here{ch, line};
                if (core.HasSelection() && core.Anchor() == here)
                    out += '^';
                if (core.Caret() == here)
                    out += '|';
                if (ch < static_cast<std::int32_t>(chars.size()))
                    out += static_cast<char>(chars[static_cast<std::size_t>(ch)]);
            }
        }
        return out;
    }

    CEdTextBuffer buffer;
    CEditPane pane{buffer};
    CEdEditCore& core = pane.core;
};

}  // namespace brindle::test
