// The merge editor's tag commands: removing the remaining tags of a merge file and moving from one
// marked section to the next. Plain C++ on the text buffer; the view supplies and shows the
// selection.
#pragma once

#include "editor/text_pos.h"

#include <optional>
#include <string>
#include <string_view>

namespace brindle {

class CCompFileOpt;
class CEdBufferView;
class CEdTextBuffer;

// The three tags of one file; an empty text means the tag is not used.
struct SMergeFileTags {
    std::u16string header;
    std::u16string footer;
    std::u16string prefix;
};

// The tags of both files, as the merge document's compare options hold them.
struct SMergeCommandTags {
    SMergeFileTags file1;
    SMergeFileTags file2;

    static SMergeCommandTags fromOptions(const CCompFileOpt& options);
    const SMergeFileTags& file(int n) const { return n == 1 ? file1 : file2; }
};

// A selection as its ordered start and end.
struct SMergeSelection {
    STextPos start;
    STextPos end;

    friend bool operator==(const SMergeSelection&, const SMergeSelection&) = default;
};

// Where a section command puts the selection, and which position it scrolls into view. The caret
// is not part of it: the commands leave the caret alone.
struct SMergeSectionHit {
    SMergeSelection selection;
    STextPos scrollTo;

    friend bool operator==(const SMergeSectionHit&, const SMergeSectionHit&) = default;
};

// Removes every occurrence of tag (matched with case, found anywhere in a line), from the start
// of the text on. wholeLine: the occurrence, the rest of its line and its line break go (on the
// last line up to the end of the text); otherwise only the tag's characters go. Every removal is
// a recorded change of its own, one undo step each, made on behalf of sourceView (may be null).
// selection receives what the view would hold afterwards: the last occurrence's place (collapsed
// where it was removed; still spanning it when a read-only buffer refused the change), or stays
// as it was when nothing was found. An empty tag removes nothing. Returns the number of removals.
int RemoveTagEverywhere(CEdTextBuffer& buffer, CEdBufferView* sourceView, std::u16string_view tag, bool wholeLine,
                        SMergeSelection& selection);

// "Remove remaining file n tags" (n = 1 or 2): the file's section header lines, then its section
// footer lines, then its line prefixes; empty tags are skipped. Returns the number of removals.
int RemoveRemainingFileTags(CEdTextBuffer& buffer, CEdBufferView* sourceView, const SMergeCommandTags& tags, int file,
                            SMergeSelection& selection);

// "Remove all remaining tags": file 1, then file 2.
int RemoveAllRemainingTags(CEdTextBuffer& buffer, CEdBufferView* sourceView, const SMergeCommandTags& tags,
                           SMergeSelection& selection);

// "Next Section" from the current selection: with the file-1 header set, the nearer section
// header after the selection's end together with its own file's footer (nothing when that footer
// is not found); otherwise the nearer line prefix. Needs both headers or both prefixes set.
// nullopt when nothing is to change.
std::optional<SMergeSectionHit> NextMergeSection(const CEdTextBuffer& buffer, const SMergeCommandTags& tags,
                                                 const SMergeSelection& selection);

// "Previous Section": the search starts at character 0 of the selection end's line; with the
// file-1 footer set, the nearer footer before it back to its own file's header, otherwise the
// nearer line prefix before it. Needs both footers or both prefixes set.
std::optional<SMergeSectionHit> PrevMergeSection(const CEdTextBuffer& buffer, const SMergeCommandTags& tags,
                                                 const SMergeSelection& selection);

}  // namespace brindle
