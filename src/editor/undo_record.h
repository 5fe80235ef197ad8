// One step of the editor's undo history: what was inserted or deleted where, by which action.
#pragma once

#include "editor/text_pos.h"
#include "engine/text_encoding.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace brindle {

// The text of a record is held as compactly as the history needs: a text of exactly one
// character (the usual typed character) lives inside the record without an allocation; a longer
// text is an owned copy, terminated for callers that want a C string; an empty text holds
// nothing. The length is kept too, so a text with U+0000 characters comes back whole. Move-only:
// a record frees its copy when it is destroyed.
struct SUndoRecord {
    enum Flags : std::uint32_t {
        UndoInsert = 0x1,        // the step inserted text (else it deleted text)
        UndoLineEnds = 0x2,      // the record holds the line ends of the lines it deleted
        UndoGroupStart = 0x100,  // first record of an undo group
    };

    std::uint32_t flags = 0;
    STextPos start;
    STextPos end;
    std::int32_t action = 0;

    SUndoRecord() = default;
    ~SUndoRecord();
    SUndoRecord(SUndoRecord&& other) noexcept;
    SUndoRecord& operator=(SUndoRecord&& other) noexcept;
    SUndoRecord(const SUndoRecord&) = delete;
    SUndoRecord& operator=(const SUndoRecord&) = delete;

    bool isInsert() const { return (flags & UndoInsert) != 0; }
    bool isGroupStart() const { return (flags & UndoGroupStart) != 0; }

    // The text; valid until the record is changed or destroyed.
    std::u16string_view text() const;
    // Sets the text and, for a deletion, the line ends of the lines it took: one per line break
    // of the text (a CR, or CR LF), kept behind the text's terminator.
    void setText(std::u16string_view text, std::span<const ELineEnd> lineEnds = {});
    // The line ends setText was given; empty when none were.
    std::vector<ELineEnd> lineEnds() const;

private:
    void freeText();

    union {
        char16_t* m_heap;   // length > 1: owned, length + 1 units, terminated
        char16_t m_inline;  // length == 1
    } m_text{nullptr};
    std::int32_t m_textLength = 0;
};

}  // namespace brindle
