// What the line parsers share: the colour indices, character classes, the block sink and the
// rule-driven scanner that most languages use.
#pragma once

#include "editor/text_type.h"
#include "editor/word_char.h"
#include "editor/word_list.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace brindle::parse {

enum Colour : std::int32_t {
    kKeyword = 0,
    kFunctionName = 1,
    kComment = 2,
    kNumber = 3,
    kOperator = 4,
    kList2 = 5,
    kList3 = 6,
    kPreprocessor = 7,
    kNormal = 12,
    kString = 14,
};

constexpr bool isLetter(char16_t ch) { return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') || ch >= 128; }
constexpr bool isDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }
constexpr bool isSpace(char16_t ch) { return ch == u' ' || ch == u'\t' || ch == u'\r' || ch == u'\v' || ch == u'\f'; }

// A "." between two characters that are not letters belongs to the word around it (1.5).
bool isWordDot(std::u16string_view line, std::size_t i);

// "0x" followed by hexadecimal digits (3 characters or more), or a digit followed only by
// digits, "+", "-", ".", "E" and "e".
bool isCNumber(std::u16string_view word);

// Whether the next character after position from that is not a space is "(".
bool opensParenthesis(std::u16string_view line, std::size_t from);

// Whether text stands in line at position i.
bool startsAt(std::u16string_view line, std::size_t i, std::u16string_view text);

// Collects the blocks of one line, or nothing when the caller only wants the end state.
class CBlockSink {
public:
    explicit CBlockSink(std::vector<SColourBlock>* blocks) : m_blocks(blocks) {}

    bool wanted() const { return m_blocks != nullptr; }

    // A block from start on. It replaces any block that starts at or after start, so a
    // construct recognised at its second character (the "/" of "//") can claim the first one;
    // a block of the colour already running is not added.
    void define(std::size_t start, std::int32_t colour);

private:
    std::vector<SColourBlock>* m_blocks;
};

// Where a comment marker counts.
enum class MarkerPlace : std::uint8_t {
    Anywhere,
    WordStart,     // at the line start or after a space ("#" in shell)
    CommandStart,  // before any other non-space character, or after ";" or "{" (TCL)
};

// A comment: a line comment when close is empty, else a block comment carried by bit.
struct SCommentRule {
    std::u16string_view open;
    std::u16string_view close;
    std::uint32_t bit = 0;
    std::int32_t colour = kComment;
    MarkerPlace place = MarkerPlace::Anywhere;
};

// A quoted string, carried by bit while open.
struct SQuoteRule {
    std::u16string_view delimiter;
    std::uint32_t bit = 0;
    bool backslashEscapes = true;
    bool doubledEscapes = false;  // "" inside "..." stands for one quote
    std::int32_t colour = kString;
};

// A token that the language recognises by its first character (variables, dotted operators):
// returns the token's end (> i) and its colour, or i when there is none at i.
using TokenScanner = std::size_t (*)(std::u16string_view line, std::size_t i, std::int32_t& colour);

// Everything the scanner needs to know of one language.
struct SLanguageRules {
    std::span<const SWordList> lists;
    std::array<std::int32_t, 4> listColours{kKeyword, kList2, kList3, kList3};
    std::span<const SCommentRule> comments;
    std::span<const SQuoteRule> quotes;
    TokenScanner token = nullptr;
    bool (*wordChar)(char16_t) = nullptr;  // nullptr: isWordChar (and dots between digits)
    std::uint32_t preprocessorBit = 0;     // with preprocessorChar: a directive line
    char16_t preprocessorChar = 0;         // starts a directive before any other non-space
    bool functionNames = true;             // a word before "(" gets kFunctionName
    std::u16string_view commentWord;       // a word that starts a line comment ("Rem")
    std::uint32_t carryMask = 0;           // state bits that survive a line end
    bool backslashCarries = false;         // a trailing backslash carries the whole state
};

// The scanner of one line under the rules; usable on part of a line (script sections).
class CLineScanner {
public:
    CLineScanner(const SLanguageRules& rules, std::u16string_view line, CBlockSink& sink);

    // Scans from position from in the given state until the line end or, in plain code (no
    // comment or string open), until stopAt stands in the line; returns where it stopped.
    // A block starts at from.
    std::size_t scan(std::size_t from, std::uint32_t& state, std::u16string_view stopAt = {});

private:
    bool wordCharAt(std::size_t i) const;
    std::int32_t stateColour(std::uint32_t state) const;
    void classifyWord(std::size_t begin, std::size_t end);
    bool markerPlaceOk(MarkerPlace place, std::size_t i) const;
    bool closeOpenConstruct(std::size_t& i, std::uint32_t& state);
    bool openConstruct(std::size_t& i, std::uint32_t& state);

    const SLanguageRules& m_rules;
    std::u16string_view m_line;
    CBlockSink& m_sink;
    bool m_pending = false;      // a block must start at the current position
    bool m_lineComment = false;  // the rest of the line is comment
};

// A whole line under the rules, with the shared line-end handling.
std::uint32_t ParseLineByRules(const SLanguageRules& rules, std::u16string_view line, std::uint32_t state,
                               std::vector<SColourBlock>* blocks);

// The end state of a line that is too short to parse.
inline std::uint32_t shortLineState(const SLanguageRules& rules, std::uint32_t state)
{
    return state & rules.carryMask;
}

}  // namespace brindle::parse
