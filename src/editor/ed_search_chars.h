// Character kinds and case mappings of the editor's search: word characters, whitespace, letter case.
#pragma once

namespace brindle {

// Word characters: isWordChar (word_char.h).
bool isEdWordChar(char16_t ch);

// Space, tab, line feed, vertical tab, form feed and carriage return.
bool isEdSpace(char16_t ch);

// "0" to "9" only.
bool isEdDigit(char16_t ch);

// "0" to "9", "A" to "F", "a" to "f".
bool isEdHexDigit(char16_t ch);
// Value of a hexadecimal digit (also of an octal or decimal one); 99 for any other character.
int edDigitValue(char16_t ch);

// Control codes: 0 to 31 and 127 to 159.
bool isEdControl(char16_t ch);

// The form both sides of a case-insensitive comparison are reduced to: the Unicode simple
// upper case, so that for example U+00FF and U+0178, or U+017F and "s", compare equal.
char16_t edFoldCase(char16_t ch);

// The Unicode simple upper case of ch (ch itself when it has none).
char16_t edUpperCase(char16_t ch);

// The lower case of ch: the character whose simple upper case is ch (the usual partner when
// several are, so U+03A3 gives U+03C3, not the final sigma), plus the titlecase digraphs and a
// few upper-case letters that are nobody's upper case (U+0130, U+1E9E, U+212A, ...). ch itself
// when it has none.
char16_t edLowerCase(char16_t ch);

// Upper-case letter: a character with a lower case different from itself.
bool isEdUpperLetter(char16_t ch);

// Lower-case letter: a character with an upper case different from itself, or U+00DF.
bool isEdLowerLetter(char16_t ch);

}  // namespace brindle
