// Character kinds and case mappings of the editor's search: word characters, whitespace, letter case.
#include "editor/ed_search_chars.h"

#include "editor/word_char.h"
#include "platform/unicode_case.h"

#include <array>
#include <cstdlib>
#include <memory>

namespace brindle {

namespace {

struct SCasePair {
    char16_t from;
    char16_t to;
};

// Lower cases that the inverse of the upper-case mapping gets wrong or does not know: the
// nearest candidate of "DŽ" is the titlecase "Dž", the nearest of sigma the final form.
constexpr SCasePair kLowerOverrides[] = {
    {0x01C4, 0x01C6}, {0x01C5, 0x01C6}, {0x01C7, 0x01C9}, {0x01C8, 0x01C9}, {0x01CA, 0x01CC},
    {0x01CB, 0x01CC}, {0x01F1, 0x01F3}, {0x01F2, 0x01F3}, {0x03A3, 0x03C3}, {0x0130, 0x0069},
    {0x03F4, 0x03B8}, {0x1E9E, 0x00DF}, {0x2126, 0x03C9}, {0x212A, 0x006B}, {0x212B, 0x00E5},
};

using LowerTable = std::array<char16_t, 0x10000>;

std::unique_ptr<LowerTable> buildLowerTable()
{
    auto table = std::make_unique<LowerTable>();
    for (unsigned ch = 0; ch < 0x10000; ++ch)
        (*table)[ch] = static_cast<char16_t>(ch);
    // Among the characters that upper-case to the same letter, the one nearest to that letter is
    // its ordinary partner ("i" rather than dotless i, mu rather than the micro sign).
    std::array<int, 0x10000> distance{};
    for (unsigned ch = 0; ch < 0x10000; ++ch) {
        const char16_t upper = simpleUpper(static_cast<char16_t>(ch));
        if (upper == ch)
            continue;
        const int d = std::abs(static_cast<int>(ch) - static_cast<int>(upper));
        if ((*table)[upper] == upper || d < distance[upper]) {
            (*table)[upper] = static_cast<char16_t>(ch);
            distance[upper] = d;
        }
    }
    for (const SCasePair& pair : kLowerOverrides)
        (*table)[pair.from] = pair.to;
    return table;
}

const LowerTable& lowerTable()
{
    static const std::unique_ptr<LowerTable> table = buildLowerTable();
    return *table;
}

}  // namespace

bool isEdWordChar(char16_t ch) { return isWordChar(ch); }

bool isEdSpace(char16_t ch) { return ch == u' ' || (ch >= u'\t' && ch <= u'\r'); }

bool isEdDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }

bool isEdHexDigit(char16_t ch) { return isEdDigit(ch) || (ch >= u'a' && ch <= u'f') || (ch >= u'A' && ch <= u'F'); }

bool isEdControl(char16_t ch) { return ch < 32 || (ch >= 127 && ch < 160); }

char16_t edFoldCase(char16_t ch) { return simpleUpper(ch); }

char16_t edUpperCase(char16_t ch) { return simpleUpper(ch); }

char16_t edLowerCase(char16_t ch)
{
    if (ch < 128)
        return ch >= u'A' && ch <= u'Z' ? static_cast<char16_t>(ch + 32) : ch;
    return lowerTable()[ch];
}

bool isEdUpperLetter(char16_t ch) { return edLowerCase(ch) != ch; }

bool isEdLowerLetter(char16_t ch) { return simpleUpper(ch) != ch || ch == 0x00DF; }

int edDigitValue(char16_t ch)
{
    if (ch >= u'0' && ch <= u'9')
        return ch - u'0';
    if (ch >= u'a' && ch <= u'f')
        return ch - u'a' + 10;
    if (ch >= u'A' && ch <= u'F')
        return ch - u'A' + 10;
    return 99;
}

}  // namespace brindle
