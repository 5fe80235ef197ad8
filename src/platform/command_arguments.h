// Splitting an argument text into words as a POSIX shell splits words with quotes, without expansion.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brindle {

// Splits text into words the way a POSIX shell splits the words of a simple command, and does
// nothing else: no variables, globs, command or arithmetic substitution, redirection, comments or
// command separators ('$', '*', '`', '<', ';', '#', '|', '&' are ordinary characters).
// - Blanks and tabs separate words; any other character, a line end included, belongs to a word.
// - Single quotes keep everything up to the next single quote literally.
// - Inside double quotes a backslash escapes only '"', '\\', '$' and '`'; before any other
//   character it stays a backslash.
// - Outside quotes a backslash makes the next character literal, a blank included; a backslash at
//   the very end stays a backslash.
// - Quotes that enclose nothing ("" or '') still make a word, the empty one.
// - A quote left open runs to the end of the text, as if closed there.
std::vector<std::u16string> splitCommandArguments(std::u16string_view text);

}  // namespace brindle
