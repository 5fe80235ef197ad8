// The syntax-colouring line parsers: the first byte picks a text type, the rest is its lines
// (split at LF), parsed in order with the state handed on. Properties: the same end state with
// and without blocks, no blocks on lines shorter than 2 characters, blocks inside the line in
// increasing order, colour indexes that are not negative.
#include "editor/line_parsers.h"
#include "editor/text_type.h"
#include "fuzz_check.h"
#include "fuzz_units.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brindle;
    if (size < 1)
        return 0;
    const auto types = textTypes();
    const LineParser parser = types[data[0] % types.size()].parser;
    if (parser == nullptr)
        return 0;
    const std::u16string text = fuzz::unitsFromBytes(data + 1, size - 1);
    std::uint32_t state = 0;
    std::size_t lineStart = 0;
    while (lineStart <= text.size()) {
        std::size_t lineEnd = text.find(u'\n', lineStart);
        if (lineEnd == std::u16string::npos)
            lineEnd = text.size();
        const std::u16string_view line = std::u16string_view(text).substr(lineStart, lineEnd - lineStart);
        std::vector<SColourBlock> blocks;
        const std::uint32_t end = parser(line, state, &blocks);
        FUZZ_CHECK(parser(line, state, nullptr) == end);
        FUZZ_CHECK(line.size() >= 2 || blocks.empty());
        for (std::size_t k = 0; k < blocks.size(); ++k) {
            FUZZ_CHECK(blocks[k].start >= 0 && blocks[k].start < static_cast<std::int32_t>(line.size()));
            FUZZ_CHECK(k == 0 || blocks[k].start > blocks[k - 1].start);
            FUZZ_CHECK(blocks[k].colour >= 0);
        }
        state = end;
        lineStart = lineEnd + 1;
    }
    return 0;
}
