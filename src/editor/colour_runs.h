// Walking a line's colour blocks run by run, as painting and printing do.
#pragma once

#include "editor/text_type.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace brindle {

struct SColourRun {
    std::int32_t end = 0;     // where the run stops: the next block start or the end given
    bool inBlock = false;     // false before the first block: the text has no block colour
    std::int32_t colour = 0;  // the block's colour index when inBlock
};

// The run of blocks that starts at at (at < end). block is the caller's cursor into blocks: 0 for
// each new line, kept between calls while at only grows, so a line costs one walk of its blocks.
inline SColourRun NextColourRun(std::span<const SColourBlock> blocks, std::size_t& block, std::int32_t at,
                                std::int32_t end)
{
    while (block + 1 < blocks.size() && blocks[block + 1].start <= at)
        ++block;
    if (blocks.empty() || blocks[block].start > at)
        return {blocks.empty() ? end : std::min(end, blocks[0].start), false, 0};
    const std::int32_t next = block + 1 < blocks.size() ? std::min(end, blocks[block + 1].start) : end;
    return {next, true, blocks[block].colour};
}

}  // namespace brindle
