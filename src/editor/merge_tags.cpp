#include "editor/merge_tags.h"

namespace brindle {

namespace {

MergeTagTexts& tagList()
{
    static MergeTagTexts tags;
    return tags;
}

}  // namespace

void setMergeTags(const MergeTagTexts& tags) { tagList() = tags; }

const MergeTagTexts& mergeTags() { return tagList(); }

int mergeTagAt(const MergeTagTexts& tags, std::u16string_view line, std::size_t position)
{
    if (position > line.size())
        return -1;
    const std::u16string_view rest = line.substr(position);
    for (std::size_t k = 0; k < tags.size(); ++k) {
        if (!tags[k].empty() && rest.starts_with(tags[k]))
            return static_cast<int>(k);
    }
    return -1;
}

int taggedLineKind(std::u16string_view line) { return mergeTagAt(mergeTags(), line, 0) + 1; }

}  // namespace brindle
