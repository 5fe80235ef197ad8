// Where the go-to-line dialog (CGotoDlg) takes the caret.
#pragma once

#include "editor/text_pos.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace brindle {

// The 0-based target line for the text typed into the go-to-line box, or nullopt when the text
// is not a signed decimal number or the result is negative (the command then does nothing).
// A number with a leading "+" or "-" is relative: the caret line (0-based) is added to it. The
// result is then reduced by one unless it is 0, so an absolute number is a 1-based line number
// and 0 and 1 both mean the first line, and limited to the last line. Blanks around the number
// are ignored.
std::optional<std::int32_t> EdGotoLineTarget(std::u16string_view text, std::int32_t caretLine, std::int32_t lineCount);

// The caret after going to line target: the caret's character index, limited to the last
// character of the target line (0 on an empty line).
STextPos EdGotoLineCaret(std::int32_t caretChar, std::int32_t target, std::int32_t targetLength);

}  // namespace brindle
