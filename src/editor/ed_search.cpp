// Finding text in the editor's lines: plain or regular-expression search within a block, forwards or upwards, with wrap-around.
#include "editor/ed_search.h"

#include "editor/ed_search_chars.h"

#include <algorithm>
#include <climits>
#include <cstddef>

namespace brindle {

namespace {

std::u16string_view lineText(const CEdLineSource& lines, int line)
{
    return {lines.LineChars(line), static_cast<std::size_t>(lines.LineLength(line))};
}

// The position offset characters after the start of line, each line end counting as one.
STextPos positionAfter(const CEdLineSource& lines, int line, int offset)
{
    while (line + 1 < lines.LineCount() && offset > lines.LineLength(line)) {
        offset -= lines.LineLength(line) + 1;
        ++line;
    }
    return {offset, line};
}

}  // namespace

// The starts a search may take on one line, and whether it wants the first or the last of them.
struct CEdSearch::SWindow {
    int line;
    int firstStart;
    int lastStart;
    STextPos blockEnd;
    bool upward;
};

CEdSearch::CEdSearch(std::u16string_view text, std::uint32_t flags) : m_flags(flags)
{
    if (text.empty())
        return;
    if (flags & kEdFindRegExp) {
        m_valid = m_regex.compile(text, flags & (CEdRegex::kMatchCase | CEdRegex::kWholeWord));
        return;
    }
    m_text.assign(text);
    if (!(flags & kEdFindMatchCase))
        std::transform(m_text.begin(), m_text.end(), m_text.begin(), edFoldCase);
    m_valid = true;
}

bool CEdSearch::findInBlock(const CEdLineSource& lines, STextPos start, STextPos blockBegin, STextPos blockEnd,
                            bool wrap, SEdSearchHit& hit) const
{
    const int count = lines.LineCount();
    if (!m_valid || count <= 0)
        return false;
    const auto inText = [&](STextPos pos) {
        if (pos.line < 0)
            return STextPos{0, 0};
        if (pos.line >= count)
            return STextPos{lines.LineLength(count - 1), count - 1};
        return STextPos{std::clamp(pos.ch, 0, lines.LineLength(pos.line)), pos.line};
    };
    start = inText(start);
    blockBegin = inText(blockBegin);
    blockEnd = inText(blockEnd);
    if (blockEnd < blockBegin)
        return false;
    if (!(m_flags & kEdFindUp)) {
        // Nothing lies ahead of the block end; with wrap the search still goes round once, so
        // that F3 at the end of a file finds the first match above.
        const STextPos from = std::max(start, blockBegin);
        if (from < blockEnd && findForward(lines, from, blockEnd, hit))
            return true;
        return wrap && findForward(lines, blockBegin, blockEnd, hit);
    }
    if (start > blockBegin) {
        const STextPos lastStart = start > blockEnd ? blockEnd : STextPos{start.ch - 1, start.line};
        if (findUpward(lines, blockBegin, lastStart, blockEnd, hit))
            return true;
    }
    return wrap && findUpward(lines, blockBegin, blockEnd, blockEnd, hit);
}

bool CEdSearch::findForward(const CEdLineSource& lines, STextPos from, STextPos blockEnd, SEdSearchHit& hit) const
{
    for (int line = from.line; line <= blockEnd.line; ++line) {
        const SWindow window{line, line == from.line ? from.ch : 0, INT_MAX, blockEnd, false};
        if (findInLine(lines, window, hit))
            return true;
    }
    return false;
}

// lastStart is the greatest start allowed (inclusive); a character index of -1 allows none on
// its line.
bool CEdSearch::findUpward(const CEdLineSource& lines, STextPos blockBegin, STextPos lastStart, STextPos blockEnd,
                           SEdSearchHit& hit) const
{
    for (int line = lastStart.line; line >= blockBegin.line; --line) {
        const int first = line == blockBegin.line ? blockBegin.ch : 0;
        const int last = line == lastStart.line ? lastStart.ch : INT_MAX;
        if (last >= first && findInLine(lines, SWindow{line, first, last, blockEnd, true}, hit))
            return true;
    }
    return false;
}

bool CEdSearch::findInLine(const CEdLineSource& lines, const SWindow& window, SEdSearchHit& hit) const
{
    return (m_flags & kEdFindRegExp) ? findRegex(lines, window, hit) : findPlain(lines, window, hit);
}

bool CEdSearch::plainMatchAt(std::u16string_view line, int pos) const
{
    const bool matchCase = (m_flags & kEdFindMatchCase) != 0;
    for (std::size_t i = 0; i < m_text.size(); ++i) {
        const char16_t ch = line[static_cast<std::size_t>(pos) + i];
        if ((matchCase ? ch : edFoldCase(ch)) != m_text[i])
            return false;
    }
    if (!(m_flags & kEdFindWholeWord))
        return true;
    const std::size_t after = static_cast<std::size_t>(pos) + m_text.size();
    return (pos == 0 || !isEdWordChar(line[static_cast<std::size_t>(pos) - 1])) &&
           (after == line.size() || !isEdWordChar(line[after]));
}

bool CEdSearch::findPlain(const CEdLineSource& lines, const SWindow& window, SEdSearchHit& hit) const
{
    const std::u16string_view line = lineText(lines, window.line);
    const int length = static_cast<int>(line.size());
    const int end = window.line == window.blockEnd.line ? std::min(window.blockEnd.ch, length) : length;
    const int size = static_cast<int>(m_text.size());
    const int last = std::min(window.lastStart, end - size);
    const int step = window.upward ? -1 : 1;
    for (int pos = window.upward ? last : window.firstStart; pos >= window.firstStart && pos <= last; pos += step) {
        if (plainMatchAt(line, pos)) {
            hit.start = {pos, window.line};
            hit.end = {pos + size, window.line};
            hit.length = size;
            hit.groups = {};
            hit.groups[0].assign(line.substr(static_cast<std::size_t>(pos), m_text.size()));
            return true;
        }
    }
    return false;
}

// The subject is the line joined with the lines the pattern's \n escapes can reach; the block
// end, when it lies among them, limits what the match may consume.
bool CEdSearch::findRegex(const CEdLineSource& lines, const SWindow& window, SEdSearchHit& hit) const
{
    const int lastLine = std::min(window.line + m_regex.lineBreakCount(), lines.LineCount() - 1);
    std::u16string_view subject = lineText(lines, window.line);
    std::u16string joined;
    if (lastLine > window.line) {
        joined.assign(subject);
        for (int line = window.line + 1; line <= lastLine; ++line) {
            joined += u'\n';
            joined.append(lineText(lines, line));
        }
        subject = joined;
    }
    int limit = static_cast<int>(subject.size());
    if (window.blockEnd.line <= lastLine) {
        int offset = 0;
        for (int line = window.line; line < window.blockEnd.line; ++line)
            offset += lines.LineLength(line) + 1;
        limit = offset + std::min(window.blockEnd.ch, lines.LineLength(window.blockEnd.line));
    }
    const int lastStart = std::min(window.lastStart, lines.LineLength(window.line));
    SEdRegexMatch match;
    const bool found = window.upward ? m_regex.searchBackward(subject, window.firstStart, lastStart, limit, match)
                                     : m_regex.search(subject, window.firstStart, lastStart, limit, match);
    if (!found)
        return false;
    hit.start = {match.start(0), window.line};
    hit.end = positionAfter(lines, window.line, match.end(0));
    hit.length = match.length(0);
    for (int group = 0; group < SEdRegexMatch::kGroups; ++group) {
        hit.groups[static_cast<std::size_t>(group)].clear();
        if (match.matched(group))
            hit.groups[static_cast<std::size_t>(group)].assign(subject.substr(
                static_cast<std::size_t>(match.start(group)), static_cast<std::size_t>(match.length(group))));
    }
    return true;
}

}  // namespace brindle
