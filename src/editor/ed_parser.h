// Parser objects that an edit view can carry instead of a table parser: line colouring and
// word-wrap break positions.
#pragma once

#include "editor/text_type.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace brindle {

class CEdParser {
public:
    CEdParser() = default;
    CEdParser(const CEdParser&) = default;
    CEdParser& operator=(const CEdParser&) = default;
    virtual ~CEdParser() = default;

    // Colours one line from the state at its start, appending blocks in increasing start order
    // (blocks may be nullptr when only the end state is wanted), and returns the state at its
    // end. The base defines no blocks and returns 0.
    virtual std::uint32_t ColourLine(std::uint32_t state, std::u16string_view line, std::vector<SColourBlock>* blocks);

    // Replaces breaks with the positions at which the second and later screen rows of line
    // start when rows are width display columns wide (at least 1). A tab advances to the next
    // multiple of tabSize counted from the start of its row. A row ends after the last blank
    // that fits, blanks at a row's end may pass the width, and a word longer than a row is cut
    // at the width. A line that fits gets no breaks.
    virtual void WrapLine(std::u16string_view line, std::int32_t width, std::int32_t tabSize,
                          std::vector<std::int32_t>& breaks);
};

}  // namespace brindle
