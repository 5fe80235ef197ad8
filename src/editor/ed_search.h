// Finding text in the editor's lines: plain or regular-expression search within a block, forwards or upwards, with wrap-around.
#pragma once

#include "editor/ed_line_source.h"
#include "editor/ed_regex.h"
#include "editor/text_pos.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace brindle {

// Search flags; the same bits are kept in the registry.
enum EdSearchFlags : std::uint32_t {
    kEdFindMatchCase = 0x1,
    kEdFindWholeWord = 0x2,
    kEdFindRegExp = 0x4,
    kEdFindUp = 0x10,
};

// One occurrence found.
struct SEdSearchHit {
    STextPos start;
    STextPos end;    // behind the last character; on a later line when the match spans line ends
    int length = 0;  // in characters, each line end inside counted as one
    // The matched text (0) and the text of the numbered groups 1..9; empty for a group that took no
    // part. A plain search fills only 0. Line ends inside read as a line feed.
    std::array<std::u16string, SEdRegexMatch::kGroups> groups;
};

// A search text compiled once for a search with its flags.
//
// Plain text is compared character by character, both sides folded with edFoldCase unless
// kEdFindMatchCase is set; with kEdFindWholeWord a hit counts only when neither the character
// before nor the one after it is a word character (isEdWordChar), and the search goes on one
// character further otherwise. A regular expression (kEdFindRegExp, dialect in ed_regex.h) is
// matched against each line joined with as many following lines as it has \n escapes, the lines
// separated by a line feed; the whole-word rule applies to it too.
//
// A hit always lies inside the block: it starts at or after the block begin and ends at or
// before the block end; ^ $ < > and the whole-word rule see the characters outside it.
class CEdSearch {
public:
    CEdSearch(std::u16string_view text, std::uint32_t flags);

    // False for an empty text or a pattern that does not compile; such a search finds nothing.
    bool isValid() const { return m_valid; }
    std::uint32_t flags() const { return m_flags; }

    // The search of the find and replace commands. Nothing is found when start equals blockEnd.
    // Forwards: the first hit starting at or after start (the block begin when start lies before
    // it). Upwards (kEdFindUp): the hit with the greatest start before start, even one that
    // reaches past start, so that from a selected hit the previous one is found. With wrap, a
    // search that fails runs once more through the whole block, forwards from the block begin or
    // upwards from the block end. Positions outside the text are moved to its nearest end.
    bool findInBlock(const CEdLineSource& lines, STextPos start, STextPos blockBegin, STextPos blockEnd, bool wrap,
                     SEdSearchHit& hit) const;

private:
    struct SWindow;

    bool findForward(const CEdLineSource& lines, STextPos from, STextPos blockEnd, SEdSearchHit& hit) const;
    bool findUpward(const CEdLineSource& lines, STextPos blockBegin, STextPos lastStart, STextPos blockEnd,
                    SEdSearchHit& hit) const;
    bool findInLine(const CEdLineSource& lines, const SWindow& window, SEdSearchHit& hit) const;
    bool findPlain(const CEdLineSource& lines, const SWindow& window, SEdSearchHit& hit) const;
    bool findRegex(const CEdLineSource& lines, const SWindow& window, SEdSearchHit& hit) const;
    bool plainMatchAt(std::u16string_view line, int pos) const;

    std::u16string m_text;  // folded unless the case must match
    std::uint32_t m_flags;
    CEdRegex m_regex;
    bool m_valid = false;
};

// The view's search: FindTextInBlock over any buffer with LineCount, LineLength and LineChars.
// On success found is the hit's start and matchLength its length; both stay unchanged otherwise.
template <EdLineSourceLike Lines>
bool FindTextInBlock(const Lines& lines, std::u16string_view text, STextPos start, STextPos blockBegin,
                     STextPos blockEnd, std::uint32_t flags, bool wrap, STextPos& found, int& matchLength)
{
    const CEdLineSourceOf<Lines> source(lines);
    SEdSearchHit hit;
    if (!CEdSearch(text, flags).findInBlock(source, start, blockBegin, blockEnd, wrap, hit))
        return false;
    found = hit.start;
    matchLength = hit.length;
    return true;
}

// FindTextInBlock over the whole text: from (0, 0) to the end of the last line.
template <EdLineSourceLike Lines>
bool FindText(const Lines& lines, std::u16string_view text, STextPos start, std::uint32_t flags, bool wrap,
              STextPos& found, int& matchLength)
{
    const int count = static_cast<int>(lines.LineCount());
    if (count == 0)
        return false;
    const STextPos end{static_cast<std::int32_t>(lines.LineLength(count - 1)), count - 1};
    return FindTextInBlock(lines, text, start, STextPos{0, 0}, end, flags, wrap, found, matchLength);
}

}  // namespace brindle
