// Converting a range of a text buffer in place, as one undo group.
#pragma once

#include "editor/recode_text.h"

#include <cstdint>
#include <new>
#include <string>

namespace brindle {

// The undo action of a conversion (CEdTextBuffer::Recode).
inline constexpr std::int32_t kRecodeUndoAction = 18;

// Converts the text of a buffer range as RecodeText does and puts the result in its place: one
// undo group holding the deletion of the range, then the insertion of the result, both recorded
// as kRecodeUndoAction by sourceView. codePage is the page the buffer's text was read with;
// nullptr takes each unit as its own 8-bit code.
// Returns kRecodeOk and sets newEndLine and newEndChar to the end of the inserted text. A
// conversion error returns its code without touching the buffer; kRecodeRefused when the buffer
// refuses the change (read-only). Exceptions from the changing operations pass through after the
// group is closed.
//
// Buffer needs the operations of CEdTextBuffer: CopyRange(startLine, startChar, endLine,
// endChar, std::u16string&) joining lines with "\r\n", OpenUndoGroup(), CloseUndoGroup(view),
// DeleteRange(view, startLine, startChar, endLine, endChar, action) and InsertTextAt(view, line,
// ch, text, endLine&, endChar&, action), the last two returning false when refused.
template <class Buffer, class View>
int recodeBufferRange(Buffer& buffer, View* sourceView, std::int32_t startLine, std::int32_t startChar,
                      std::int32_t endLine, std::int32_t endChar, int sourceSet, int destinationSet, bool alphabetOnly,
                      const CCodePage* codePage, std::int32_t& newEndLine, std::int32_t& newEndChar)
{
    std::u16string converted;
    try {
        std::u16string text;
        buffer.CopyRange(startLine, startChar, endLine, endChar, text);
        const int result = codePage != nullptr
                               ? RecodeText(text, sourceSet, destinationSet, alphabetOnly, *codePage, converted)
                               : RecodeText(text, sourceSet, destinationSet, alphabetOnly, converted);
        if (result != kRecodeOk)
            return result;
    } catch (const std::bad_alloc&) {
        return kRecodeNoMemory;
    }

    struct SGroup {
        Buffer& buffer;
        View* view;
        ~SGroup() { buffer.CloseUndoGroup(view); }
    };
    buffer.OpenUndoGroup();
    const SGroup group{buffer, sourceView};
    if (!buffer.DeleteRange(sourceView, startLine, startChar, endLine, endChar, kRecodeUndoAction))
        return kRecodeRefused;
    std::int32_t insertedLine = startLine;
    std::int32_t insertedChar = startChar;
    if (!buffer.InsertTextAt(sourceView, startLine, startChar, converted, insertedLine, insertedChar,
                             kRecodeUndoAction))
        return kRecodeRefused;
    newEndLine = insertedLine;
    newEndChar = insertedChar;
    return kRecodeOk;
}

}  // namespace brindle
