// A position in the editor's text: character index and line index, both counted from 0.
#pragma once

#include <compare>
#include <cstdint>

namespace brindle {

// Ordered by line, then by character.
struct STextPos {
    std::int32_t ch = 0;
    std::int32_t line = 0;

    friend bool operator==(const STextPos&, const STextPos&) = default;
    friend std::strong_ordering operator<=>(const STextPos& a, const STextPos& b)
    {
        if (auto order = a.line <=> b.line; order != 0)
            return order;
        return a.ch <=> b.ch;
    }
};

}  // namespace brindle
