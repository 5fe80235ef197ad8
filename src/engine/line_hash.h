// Hashing and comparing lines under the options ignore whitespace and ignore case.
#pragma once

#include <array>
#include <cstdint>

namespace brindle {

class CCodePage;
class CDiffLine;

// Folding of one character for ignore case. ASCII letters fold to upper case. Under a
// single-byte code page a character up to 0xFF folds as the code page upper-cases that byte,
// taken as a signed 8-bit value. Any other character folds by Unicode simple upper-casing
// (and, under a single-byte page, to that page's folded byte when the upper-case form has one,
// so that for example U+0178 and U+00FF fold alike under 1252). Surrogates, among them the
// units 0xDC00 + byte that stand for bytes of a file that were no characters, fold to themselves.
class CCaseFolder {
public:
    // The folder of a code page, made once and kept for the process.
    static const CCaseFolder& forCodePage(const CCodePage& page);

    std::int32_t fold(char16_t ch) const { return ch < 0x100 ? m_low[ch] : foldHigh(ch); }

private:
    explicit CCaseFolder(const CCodePage& page);
    std::int32_t foldHigh(char16_t ch) const;

    const CCodePage& m_page;
    std::array<std::int32_t, 0x100> m_low{};
};

// The two flags of a comparison, plus the folding it uses (the system ANSI code page's when
// none is given).
struct SLineCompareOptions {
    bool ignoreWhitespace = false;
    bool ignoreCase = false;
    const CCaseFolder* folder = nullptr;

    const CCaseFolder& caseFolder() const;
};

// Skipped under ignore whitespace: space, tab and CR.
inline bool isSkippedWhitespace(char16_t ch) { return ch == u' ' || ch == u'\t' || ch == u'\r'; }

// 64-bit hash (wrapping): sum over the characters k = 1, 2, ... that are not skipped of
// k * ch * 6293815^k, ch being the character's value or its folded value under ignore case.
// A NUL character ends the text. Empty and (under ignore whitespace) blank texts hash to 0.
std::int64_t LineHash(const CDiffLine& line, const SLineCompareOptions& options);

// Hash of the line, computed and cached on first use within one comparison.
std::int64_t cachedHash(CDiffLine& line, const SLineCompareOptions& options);

// True when the lines are equal under the options. Hashes are compared first (both are
// computed and cached when needed).
bool LinesEqual(CDiffLine& a, CDiffLine& b, const SLineCompareOptions& options);

// True when the line is empty or holds only spaces, tabs and CRs before any NUL.
bool IsBlankLine(const CDiffLine& line);

}  // namespace brindle
