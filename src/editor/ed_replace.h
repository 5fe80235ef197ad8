// Replacing found text: the replacement escapes, one replacement step and Replace All over an editable text.
#pragma once

#include "editor/ed_line_source.h"
#include "editor/ed_search.h"
#include "editor/text_pos.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace brindle {

// The replacement for a regular-expression hit; groups[n] is the text of group n (groups past
// the span's end are empty). Escapes:
//   \0 .. \9       the group's text
//   \U \L ... \E   upper / lower case for what follows, until \E or \e
//   \u \l          upper / lower case for the next character only (it wins over \U and \L)
//   \n \r \t \a \b line feed (10), carriage return, tab, bell, backspace
//   \xHHHH \oOOOOOO \dDDDDD  the character of that hexadecimal, octal or decimal code: at most 4,
//                  6 or 5 digits, read while the value stays within 0xFFFF; without a digit the
//                  letter itself
//   \ + other      that character; a lone backslash at the end stands for itself
// Case changes apply to every character produced, coded ones included.
std::u16string ExpandReplacement(std::u16string_view replacement, std::span<const std::u16string> groups);

// Text that Replace can change.
class CEdEditTarget : public CEdLineSource {
public:
    // Replaces the text from begin to end (a line end in between counts as one character) by text
    // as one undoable step, and returns the position behind the inserted text. A carriage return,
    // or carriage return and line feed, in text starts a new line, as in the buffer's insertion.
    virtual STextPos ReplaceRange(STextPos begin, STextPos end, std::u16string_view text) = 0;
};

// The block a replace dialog searches. In Selection mode (selection true) the end moves with the
// text whenever a replacement lies on its line; in Whole file mode it is kept at the end of the
// last line.
struct SEdReplaceBlock {
    STextPos begin;
    STextPos end;
    bool selection = false;
};

// Replaces hit with replacement (expanded against the hit when flags hold kEdFindRegExp, else
// literal) and adjusts block. next is where the search goes on: behind the inserted text, or
// after an empty match at the start of the following line; false when that line lies past the
// block's last line, so the search must stop.
bool ReplaceHit(CEdEditTarget& target, const SEdSearchHit& hit, std::u16string_view replacement, std::uint32_t flags,
                SEdReplaceBlock& block, STextPos& next);

// Replace All: from start, finds the next hit of findText in the block (forwards, no wrap-around;
// kEdFindUp is ignored), replaces it with ReplaceHit and goes on until nothing is left or
// ReplaceHit says stop. Returns the number of replacements; block.end is left where the text
// moved it.
int ReplaceAllInBlock(CEdEditTarget& target, std::u16string_view findText, std::u16string_view replacement,
                      std::uint32_t flags, STextPos start, SEdReplaceBlock& block);

}  // namespace brindle
