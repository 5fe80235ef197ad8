// The case commands of the edit view on a piece of text: lower, upper, invert, capitalize, sentencize.
#pragma once

#include <string>
#include <string_view>

namespace brindle {

enum class EEdCaseConversion {
    Lower,       // every character lower case
    Upper,       // every character upper case
    Invert,      // upper-case letters lower and lower-case letters upper
    Capitalize,  // first letter after whitespace (or at the start) upper, other letters lower
    Sentencize,  // first letter of the text and after a full stop upper, other letters lower
};

// The converted text, of the same length. Capitalize: characters that are neither letters nor
// whitespace do not start a word ("hello-world foo" gives "Hello-world Foo"). Sentencize: a
// full stop ends a sentence only when a character follows it that is not a digit ("3.5" does
// not), and "!" and "?" never do.
std::u16string EdConvertCase(std::u16string_view text, EEdCaseConversion conversion);

}  // namespace brindle
