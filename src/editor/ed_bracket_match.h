// Bracket matching of the edit view ("Match Bracket"): the partner of the bracket at the caret.
#pragma once

#include "editor/text_pos.h"

#include <optional>

namespace brindle {

class CEdTextBuffer;
struct STextType;

// The brackets "{}()[]<>", paired in that order.
bool isEdOpeningBracket(char16_t ch);
bool isEdClosingBracket(char16_t ch);

// The position of the bracket that pairs with the one at caret, or nullopt. The bracket is the
// character at the caret or, when that is no bracket or the caret is at the line end, the one
// before it. An opening bracket is matched forwards, a closing one backwards, counting nested
// brackets of the same pair. Text the type's parser colours as comment (block comments and
// line comments to the line end) is skipped; type nullptr, or a type without parser, skips
// nothing. The parser runs from the first line, so states are exact.
std::optional<STextPos> EdFindMatchingBracket(const CEdTextBuffer& buffer, STextPos caret, const STextType* type);

}  // namespace brindle
