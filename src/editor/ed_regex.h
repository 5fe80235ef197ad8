// The editor's regular-expression engine: compiles the search dialect and matches it on UTF-16 text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace brindle {

namespace detail {
struct SRegexProgram;
}

// Where a match and its groups lie in the subject: group 0 is the whole match, 1..9 the
// numbered groups. A group that took no part in the match has start and end -1.
struct SEdRegexMatch {
    static constexpr int kGroups = 10;

    std::array<int, 2 * kGroups> spans;

    SEdRegexMatch() { spans.fill(-1); }
    int start(int group) const { return spans[static_cast<std::size_t>(2 * group)]; }
    int end(int group) const { return spans[static_cast<std::size_t>(2 * group + 1)]; }
    int length(int group) const { return end(group) - start(group); }
    bool matched(int group) const { return start(group) >= 0; }
};

// A compiled pattern of the dialect:
//   ^ $        start / end of a line (the subject's ends, or next to a line feed in it)
//   < >        start / end of a word (word characters: ASCII letters, digits, "_", codes >= 128)
//   .          any character but a line feed
//   [...] [^...]  class: characters, ranges a-z, escapes and class letters; "]" first and "-"
//              first or last are members
//   ( )        numbered group 1..9 (further groups only group); { } group without a number
//   * + ?      0 or more, 1 or more, 0 or 1, as many as possible; @ # as * + but as few
//   |          alternative
//   \t \n \r \a \e \f \v   control codes; \xHHHH up to four hex digits; \oOOOOOO up to six
//              octal digits (at most 0xFFFF)
//   \w \W word / not word; \s \S whitespace (space, tab, LF, VT, FF, CR) / not; \d \D decimal
//   digit / not; \U upper-case letter; \L lower-case letter; \N hexadecimal digit; \C control
//   code (0-31, 127-159). A backslash before any other character stands for that character.
//
// Matching is a Pike-VM simulation of the pattern's NFA, one pass over the subject with the
// threads kept in priority order, so it gives the groups and the leftmost-greedy/lazy choice a
// backtracking matcher would, in O(subject length x pattern size) time and O(pattern size)
// memory, whatever the pattern; "(a*)*b" or "(a|aa)*c" cannot blow up. (A repeated body that
// matched nothing is not entered again, so such a body's group may stay unset.) Upward search
// first finds the last start that can match by one backward pass with the same bound.
//
// Positions are UTF-16 code unit indices into the subject. Characters at and after `limit` are
// never consumed, but ^ $ < > and the whole-word rule look at the real neighbours, so a match
// can be kept inside a block without ending lines early. Nothing here throws but allocation.
class CEdRegex {
public:
    enum Options : std::uint32_t {
        kMatchCase = 0x1,  // else both sides are folded with edFoldCase
        kWholeWord = 0x2,  // the match may neither follow nor precede a word character
    };

    CEdRegex();
    ~CEdRegex();
    CEdRegex(CEdRegex&&) noexcept;
    CEdRegex& operator=(CEdRegex&&) noexcept;

    // False for a malformed pattern: unbalanced ( ) { } [ ], a repeat with nothing before it, a
    // backwards range, \x or \o without digits or beyond 0xFFFF, a trailing backslash, or nesting
    // beyond a few hundred levels. A failed compile leaves a pattern that matches nothing.
    bool compile(std::u16string_view pattern, std::uint32_t options);
    bool isValid() const { return m_program != nullptr; }

    // The number of \n escapes: a search joins that many following lines to the line it matches.
    int lineBreakCount() const;
    int groupCount() const;

    // A match starting exactly at pos (0 <= pos <= limit <= subject size).
    bool matchAt(std::u16string_view subject, int pos, int limit, SEdRegexMatch& match) const;

    // The leftmost match starting in [from, lastStart] (lastStart <= limit).
    bool search(std::u16string_view subject, int from, int lastStart, int limit, SEdRegexMatch& match) const;

    // The match with the greatest start in [firstStart, lastStart] (lastStart <= limit).
    bool searchBackward(std::u16string_view subject, int firstStart, int lastStart, int limit,
                        SEdRegexMatch& match) const;

private:
    std::unique_ptr<detail::SRegexProgram> m_program;
};

}  // namespace brindle
