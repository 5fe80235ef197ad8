// Test helpers for line parsers: readable block lists and running a parser over several lines.
#pragma once

#include "editor/text_type.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

inline void PrintTo(const SColourBlock& block, std::ostream* out)
{
    *out << "{" << block.start << "," << block.colour << "}";
}

namespace test {

using Blocks = std::vector<SColourBlock>;

struct SParsed {
    Blocks blocks;
    std::uint32_t state = 0;
};

inline SParsed parse(LineParser parser, std::u16string_view line, std::uint32_t state)
{
    SParsed result;
    result.state = parser(line, state, &result.blocks);
    return result;
}

// The colour of the block that covers position, or -1 when no block does.
inline std::int32_t colourAt(const Blocks& blocks, std::size_t position)
{
    std::int32_t colour = -1;
    for (const SColourBlock& block : blocks) {
        if (block.start > static_cast<std::int32_t>(position))
            break;
        colour = block.colour;
    }
    return colour;
}

}  // namespace test
}  // namespace brindle
