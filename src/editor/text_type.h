// Text types: what depends on the kind of file (parser, flags, tab size, comment markers).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace brindle {

// One colour block of a line: it starts at `start` and runs to the next block or the line end.
struct SColourBlock {
    std::int32_t start = 0;
    std::int32_t colour = 0;  // colour index of the editor's colour table

    friend bool operator==(const SColourBlock&, const SColourBlock&) = default;
};

// A line parser: the line's characters and the state at its start; appends the line's blocks in
// increasing start order to blocks (nullptr when the caller only wants the state at the line end)
// and returns the state at its end. States are private to each parser; 0 before the first line.
using LineParser = std::uint32_t (*)(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);

// Text type flags.
enum TextTypeFlags : std::uint32_t {
    kTextTypeInsertTabs = 0x1,
    kTextTypeShowTabs = 0x2,
    kTextTypeBackspaceAtBol = 0x4,
    kTextTypeSelMargin = 0x8,
    kTextTypeAutoIndent = 0x10,
    kTextTypeBracketIndent = 0x20,
    kTextTypeBracketStepIndent = 0x40,
    kTextTypeEolDos = 0x80,
    kTextTypeEolUnix = 0x100,
    kTextTypeEolMac = 0x200,
    kTextTypeFnBrace = 0x400,
    kTextTypeWordWrap = 0x800,
};

// One row of the fixed table of 24 text types.
struct STextType {
    std::int32_t type;               // row index 0-23
    std::u16string_view name;        // "Plain", "C", ..., "Compare"
    std::u16string_view extensions;  // comma-separated, lower case, no dots
    LineParser parser;               // nullptr for "Plain"
    std::uint32_t flags;
    std::uint32_t tabSize;
    std::u16string_view openComment;
    std::u16string_view closeComment;
    std::u16string_view lineComment;
    std::int32_t encoding;  // source encoding for recoding; -1 = none

    // The buffer's line-end style from the flags: 0 DOS, 1 UNIX, 2 MAC, -1 none.
    std::int32_t lineEndStyle() const;
};

// The table, rows 0-23 in order.
std::span<const STextType> textTypes();

// The first row whose extension list holds the extension of path (the part after the last ".";
// a bare extension works too), compared in lower case; nullptr when none.
const STextType* TextTypeOfPath(std::u16string_view path);

}  // namespace brindle
