// The fixed word lists of the line parsers (keywords, type names, tags, commands) and their lookup.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace brindle {

// One fixed list of words of a language.
struct SWordList {
    std::span<const std::u16string_view> words;
    bool caseSensitive = true;  // false: ASCII letters are folded when comparing

    // Whether word equals an entry: same length and the same characters (ASCII letters folded
    // when the list is case-insensitive). A linear scan that compares lengths first.
    bool contains(std::u16string_view word) const;
};

// The word lists of a text-type row in the order the parser colours them (first list keyword
// colour, then the further lists); empty for rows without lists (Plain, Compare).
std::span<const SWordList> wordListsOfTextType(std::int32_t type);

}  // namespace brindle
