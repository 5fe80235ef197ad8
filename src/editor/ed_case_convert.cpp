// The case commands of the edit view.
#include "editor/ed_case_convert.h"

#include "editor/ed_search_chars.h"

namespace brindle {
namespace {

bool isLetter(char16_t ch) { return isEdUpperLetter(ch) || isEdLowerLetter(ch); }

void capitalize(std::u16string& text)
{
    bool wordStart = true;
    for (char16_t& ch : text) {
        if (isEdSpace(ch)) {
            wordStart = true;
        } else if (isLetter(ch)) {
            ch = wordStart ? edUpperCase(ch) : edLowerCase(ch);
            wordStart = false;
        }
    }
}

void sentencize(std::u16string& text)
{
    bool sentenceStart = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t& ch = text[i];
        if (ch == u'.') {
            if (i + 1 < text.size() && !isEdDigit(text[i + 1]))
                sentenceStart = true;
        } else if (isLetter(ch)) {
            ch = sentenceStart ? edUpperCase(ch) : edLowerCase(ch);
            sentenceStart = false;
        }
    }
}

}  // namespace

std::u16string EdConvertCase(std::u16string_view text, EEdCaseConversion conversion)
{
    std::u16string out(text);
    switch (conversion) {
    case EEdCaseConversion::Lower:
        for (char16_t& ch : out)
            ch = edLowerCase(ch);
        break;
    case EEdCaseConversion::Upper:
        for (char16_t& ch : out)
            ch = edUpperCase(ch);
        break;
    case EEdCaseConversion::Invert:
        for (char16_t& ch : out) {
            if (isEdUpperLetter(ch))
                ch = edLowerCase(ch);
            else if (isEdLowerLetter(ch))
                ch = edUpperCase(ch);
        }
        break;
    case EEdCaseConversion::Capitalize: capitalize(out); break;
    case EEdCaseConversion::Sentencize: sentencize(out); break;
    }
    return out;
}

}  // namespace brindle
