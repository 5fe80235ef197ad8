// The editor's one word character: word moves, whole-word search, the regular expressions' word
// classes, completion and the colouring parsers all split text at the same places.
#pragma once

namespace brindle {

// ASCII letters and digits, "_", and every code from 128 on: a text in any other script reads as
// words, never as punctuation.
constexpr bool isWordChar(char16_t ch)
{
    return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') || (ch >= u'0' && ch <= u'9') || ch == u'_' ||
           ch >= 128;
}

}  // namespace brindle
