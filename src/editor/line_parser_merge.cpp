// The merge-file parser: file-1 and file-2 material by the program-wide merge tags.
#include "editor/line_parsers.h"

#include "editor/line_scanner_p.h"
#include "editor/merge_tags.h"

namespace brindle {

namespace {

using namespace parse;

constexpr std::int32_t kFile1Colour = kList2;
constexpr std::int32_t kFile2Colour = kList3;

std::int32_t stateColour(std::uint32_t state)
{
    if ((state & kMergeInFile1Section) != 0)
        return kFile1Colour;
    if ((state & kMergeInFile2Section) != 0)
        return kFile2Colour;
    return kNormal;
}

bool is(int tag, MergeTag which) { return tag == static_cast<int>(which); }

}  // namespace

std::uint32_t ParseLineMerge(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    if (line.size() <= 1)
        return state;
    const MergeTagTexts& tags = mergeTags();
    CBlockSink sink(blocks);
    sink.define(0, stateColour(state));
    std::size_t d = 0;
    while (d < line.size()) {
        const int tag = mergeTagAt(tags, line, d);
        const bool inFile1 = (state & kMergeInFile1Section) != 0;
        const bool inFile2 = !inFile1 && (state & kMergeInFile2Section) != 0;
        if (inFile1 || inFile2) {
            const MergeTag footer = inFile1 ? MergeTag::File1Footer : MergeTag::File2Footer;
            if (!is(tag, footer)) {
                ++d;
                continue;
            }
            state &= ~(inFile1 ? kMergeInFile1Section : kMergeInFile2Section);
            d += tags[static_cast<std::size_t>(footer)].size();
            if (d < line.size())
                sink.define(d, stateColour(state));
            continue;
        }
        if (is(tag, MergeTag::File1Prefix) || is(tag, MergeTag::File2Prefix)) {
            sink.define(d, is(tag, MergeTag::File1Prefix) ? kFile1Colour : kFile2Colour);
            break;
        }
        if (is(tag, MergeTag::File1Header) || is(tag, MergeTag::File2Header)) {
            // The header's own text is searched on for its footer: d moves by one only.
            const bool file1 = is(tag, MergeTag::File1Header);
            sink.define(d, file1 ? kFile1Colour : kFile2Colour);
            state |= file1 ? kMergeInFile1Section : kMergeInFile2Section;
        }
        ++d;
    }
    return state;
}

}  // namespace brindle
