// The binary comparison's block matching on two files cut from the input: the first two bytes
// give the length of file 1, the rest is file 2. Properties: the blocks lie inside both files, in
// increasing order without overlap, and cover equal bytes of the same length.
#include "engine/binary_comparison.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brindle;
    if (size < 2)
        return 0;
    const std::size_t split = std::min<std::size_t>(size - 2, static_cast<std::size_t>(data[0] << 8 | data[1]));
    const std::span<const std::uint8_t> file1(data + 2, split);
    const std::span<const std::uint8_t> file2(data + 2 + split, size - 2 - split);
    const std::vector<SMatchBlock> blocks = MatchBinary(file1, file2, nullptr);
    std::int64_t next1 = 0;
    std::int64_t next2 = 0;
    for (const SMatchBlock& block : blocks) {
        FUZZ_CHECK(block.start1 >= next1 && block.start2 >= next2);
        FUZZ_CHECK(block.start1 <= block.end1 && block.end1 - block.start1 == block.end2 - block.start2);
        FUZZ_CHECK(block.end1 < static_cast<std::int64_t>(file1.size()) &&
                   block.end2 < static_cast<std::int64_t>(file2.size()));
        const auto length = static_cast<std::size_t>(block.end1 - block.start1 + 1);
        FUZZ_CHECK(std::equal(file1.begin() + block.start1,
                              file1.begin() + block.start1 + static_cast<std::ptrdiff_t>(length),
                              file2.begin() + block.start2));
        next1 = block.end1 + 1;
        next2 = block.end2 + 1;
    }
    return 0;
}
