// A line's colour blocks walked run by run: text before the first block has no block colour, and
// every run ends at the next block or at the end asked for.
#include "editor/colour_runs.h"

#include <gtest/gtest.h>

#include <vector>

namespace brindle {
namespace {

struct SRunSeen {
    std::int32_t start;
    std::int32_t end;
    int colour;  // -1: no block colour

    bool operator==(const SRunSeen&) const = default;
};

std::vector<SRunSeen> walk(const std::vector<SColourBlock>& blocks, std::int32_t from, std::int32_t to)
{
    std::vector<SRunSeen> runs;
    std::size_t block = 0;
    for (std::int32_t at = from; at < to;) {
        const SColourRun run = NextColourRun(blocks, block, at, to);
        runs.push_back({at, run.end, run.inBlock ? run.colour : -1});
        at = run.end;
    }
    return runs;
}

TEST(ColourRuns, RunsFollowTheBlocks)
{
    struct SCase {
        const char* name;
        std::vector<SColourBlock> blocks;
        std::int32_t from;
        std::int32_t to;
        std::vector<SRunSeen> runs;
    };
    const SCase cases[] = {
        {"no blocks", {}, 0, 6, {{0, 6, -1}}},
        {"blocks from the start", {{0, 1}, {3, 2}}, 0, 6, {{0, 3, 1}, {3, 6, 2}}},
        {"text before the first block", {{2, 1}, {5, 3}}, 0, 8, {{0, 2, -1}, {2, 5, 1}, {5, 8, 3}}},
        {"row starting inside a block", {{0, 1}, {4, 2}, {9, 3}}, 6, 12, {{6, 9, 2}, {9, 12, 3}}},
        {"row ending inside a block", {{0, 1}, {4, 2}}, 2, 6, {{2, 4, 1}, {4, 6, 2}}},
        {"row before the first block", {{5, 4}}, 0, 3, {{0, 3, -1}}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(walk(c.blocks, c.from, c.to), c.runs);
    }
}

}  // namespace
}  // namespace brindle
