#include "merge_editor/merge_tag_commands.h"

#include "editor/ed_search.h"
#include "editor/ed_text_buffer.h"
#include "engine/comp_file_opt.h"

namespace brindle {

namespace {

// A tag found in the text: where it starts and how long it is.
struct STagHit {
    STextPos start;
    std::int32_t length = 0;

    STextPos end() const { return {start.ch + length, start.line}; }
};

// The view's search: match case, no wrap-around; an empty text is never found.
std::optional<STagHit> findTag(const CEdTextBuffer& buffer, std::u16string_view tag, STextPos from, bool upward)
{
    if (tag.empty())
        return std::nullopt;
    STagHit hit;
    int length = 0;
    const std::uint32_t flags = kEdFindMatchCase | (upward ? kEdFindUp : 0u);
    if (!FindText(buffer, tag, from, flags, false, hit.start, length))
        return std::nullopt;
    hit.length = length;
    return hit;
}

// The nearer of a file-1 tag and a file-2 tag from start; file2 tells which one it is. Ties go to
// file 1: forward, file 2 wins only strictly before file 1; upward, only strictly after it.
struct SNearerHit {
    STagHit hit;
    bool file2 = false;
};

std::optional<SNearerHit> nearerTag(const CEdTextBuffer& buffer, std::u16string_view tag1, std::u16string_view tag2,
                                    STextPos start, bool upward)
{
    if (upward)
        start.ch = 0;
    const std::optional<STagHit> hit1 = findTag(buffer, tag1, start, upward);
    const std::optional<STagHit> hit2 = findTag(buffer, tag2, start, upward);
    if (!hit2)
        return hit1 ? std::optional<SNearerHit>(SNearerHit{*hit1, false}) : std::nullopt;
    if (!hit1)
        return SNearerHit{*hit2, true};
    const bool takeFile2 = upward ? hit2->start > hit1->start : hit2->start < hit1->start;
    return takeFile2 ? SNearerHit{*hit2, true} : SNearerHit{*hit1, false};
}

// What a deletion does to a position a view holds.
STextPos afterDeletion(STextPos pos, STextPos start, STextPos end)
{
    CEdTextBuffer::CDeleteContext(start, end).AdjustPosition(pos);
    return pos;
}

}  // namespace

SMergeCommandTags SMergeCommandTags::fromOptions(const CCompFileOpt& options)
{
    return {{options.m_file1SectionHeader, options.m_file1SectionFooter, options.m_file1LinePrefix},
            {options.m_file2SectionHeader, options.m_file2SectionFooter, options.m_file2LinePrefix}};
}

int RemoveTagEverywhere(CEdTextBuffer& buffer, CEdBufferView* sourceView, std::u16string_view tag, bool wholeLine,
                        SMergeSelection& selection)
{
    int removed = 0;
    std::optional<STagHit> hit = findTag(buffer, tag, STextPos{0, 0}, false);
    while (hit) {
        selection = {hit->start, hit->end()};
        STextPos end = hit->end();
        std::int32_t action = CEdTextBuffer::Replace;
        if (wholeLine) {
            const std::int32_t line = hit->start.line;
            end = line + 1 < buffer.LineCount() ? STextPos{0, line + 1} : STextPos{buffer.LineLength(line), line};
            action = CEdTextBuffer::AutoExpand;
        }
        // Without an open group each deletion is an undo group of its own. A read-only buffer
        // refuses it: the occurrence stays selected and the search goes on after it.
        if (buffer.DeleteRange(sourceView, hit->start.line, hit->start.ch, end.line, end.ch, action)) {
            ++removed;
            selection = {afterDeletion(selection.start, hit->start, end),
                         afterDeletion(selection.end, hit->start, end)};
        }
        hit = findTag(buffer, tag, selection.end, false);
    }
    return removed;
}

int RemoveRemainingFileTags(CEdTextBuffer& buffer, CEdBufferView* sourceView, const SMergeCommandTags& tags, int file,
                            SMergeSelection& selection)
{
    const SMergeFileTags& own = tags.file(file);
    int removed = RemoveTagEverywhere(buffer, sourceView, own.header, true, selection);
    removed += RemoveTagEverywhere(buffer, sourceView, own.footer, true, selection);
    removed += RemoveTagEverywhere(buffer, sourceView, own.prefix, false, selection);
    return removed;
}

int RemoveAllRemainingTags(CEdTextBuffer& buffer, CEdBufferView* sourceView, const SMergeCommandTags& tags,
                           SMergeSelection& selection)
{
    const int removed = RemoveRemainingFileTags(buffer, sourceView, tags, 1, selection);
    return removed + RemoveRemainingFileTags(buffer, sourceView, tags, 2, selection);
}

std::optional<SMergeSectionHit> NextMergeSection(const CEdTextBuffer& buffer, const SMergeCommandTags& tags,
                                                 const SMergeSelection& selection)
{
    const bool headers = !tags.file1.header.empty() && !tags.file2.header.empty();
    const bool prefixes = !tags.file1.prefix.empty() && !tags.file2.prefix.empty();
    if (!headers && !prefixes)
        return std::nullopt;
    const STextPos from = selection.end;
    if (!tags.file1.header.empty()) {
        const std::optional<SNearerHit> header = nearerTag(buffer, tags.file1.header, tags.file2.header, from, false);
        if (!header)
            return std::nullopt;
        // From the header's start: a header that holds its footer's text ends on its own line.
        const std::u16string& footerTag = header->file2 ? tags.file2.footer : tags.file1.footer;
        const std::optional<STagHit> footer = findTag(buffer, footerTag, header->hit.start, false);
        if (!footer)
            return std::nullopt;
        return SMergeSectionHit{{header->hit.start, footer->end()}, footer->end()};
    }
    const std::optional<SNearerHit> prefix = nearerTag(buffer, tags.file1.prefix, tags.file2.prefix, from, false);
    if (!prefix)
        return std::nullopt;
    return SMergeSectionHit{{prefix->hit.start, prefix->hit.end()}, prefix->hit.start};
}

std::optional<SMergeSectionHit> PrevMergeSection(const CEdTextBuffer& buffer, const SMergeCommandTags& tags,
                                                 const SMergeSelection& selection)
{
    const bool footers = !tags.file1.footer.empty() && !tags.file2.footer.empty();
    const bool prefixes = !tags.file1.prefix.empty() && !tags.file2.prefix.empty();
    if (!footers && !prefixes)
        return std::nullopt;
    // From the start of the selection end's line, so that a selected section is passed over.
    const STextPos from{0, selection.end.line};
    if (!tags.file1.footer.empty()) {
        const std::optional<SNearerHit> footer = nearerTag(buffer, tags.file1.footer, tags.file2.footer, from, true);
        if (!footer)
            return std::nullopt;
        const std::u16string& headerTag = footer->file2 ? tags.file2.header : tags.file1.header;
        const std::optional<STagHit> header = findTag(buffer, headerTag, footer->hit.end(), true);
        if (!header)
            return std::nullopt;
        return SMergeSectionHit{{header->start, footer->hit.end()}, header->start};
    }
    const std::optional<SNearerHit> prefix = nearerTag(buffer, tags.file1.prefix, tags.file2.prefix, from, true);
    if (!prefix)
        return std::nullopt;
    return SMergeSectionHit{{prefix->hit.start, prefix->hit.end()}, prefix->hit.start};
}

}  // namespace brindle
