// Replacing found text: the replacement escapes, one replacement step and Replace All over an editable text.
#include "editor/ed_replace.h"

#include "editor/ed_search_chars.h"

#include <cstddef>

namespace brindle {

namespace {

enum class CaseChange { None, Upper, Lower };

// Reads digits of base at text[at] while the value fits 16 bits; -1 when there is none.
int readCode(std::u16string_view text, std::size_t& at, int base, int maxDigits)
{
    int value = -1;
    for (int digits = 0; digits < maxDigits && at < text.size(); ++digits) {
        const int digit = edDigitValue(text[at]);
        const int next = (value < 0 ? 0 : value) * base + digit;
        if (digit >= base || next > 0xFFFF)
            break;
        value = next;
        ++at;
    }
    return value;
}

int codeBase(char16_t letter) { return letter == u'x' ? 16 : letter == u'o' ? 8 : 10; }

int codeDigits(char16_t letter) { return letter == u'x' ? 4 : letter == u'o' ? 6 : 5; }

// The character of \n \r \t \a \b, or -1.
int controlCode(char16_t letter)
{
    switch (letter) {
    case u'n': return u'\n';
    case u'r': return u'\r';
    case u't': return u'\t';
    case u'a': return 0x07;
    case u'b': return 0x08;
    default: return -1;
    }
}

}  // namespace

std::u16string ExpandReplacement(std::u16string_view replacement, std::span<const std::u16string> groups)
{
    std::u16string out;
    CaseChange lasting = CaseChange::None;
    CaseChange once = CaseChange::None;
    const auto put = [&](char16_t ch) {
        const CaseChange change = once != CaseChange::None ? once : lasting;
        once = CaseChange::None;
        out += change == CaseChange::Upper ? edUpperCase(ch) : change == CaseChange::Lower ? edLowerCase(ch) : ch;
    };
    for (std::size_t at = 0; at < replacement.size();) {
        const char16_t ch = replacement[at++];
        if (ch != u'\\' || at == replacement.size()) {
            put(ch);
            continue;
        }
        const char16_t letter = replacement[at++];
        if (letter >= u'0' && letter <= u'9') {
            const auto group = static_cast<std::size_t>(letter - u'0');
            if (group < groups.size()) {
                for (char16_t groupChar : groups[group])
                    put(groupChar);
            }
        } else if (letter == u'U' || letter == u'L') {
            lasting = letter == u'U' ? CaseChange::Upper : CaseChange::Lower;
        } else if (letter == u'E' || letter == u'e') {
            lasting = CaseChange::None;
        } else if (letter == u'u' || letter == u'l') {
            once = letter == u'u' ? CaseChange::Upper : CaseChange::Lower;
        } else if (const int control = controlCode(letter); control >= 0) {
            put(static_cast<char16_t>(control));
        } else if (letter == u'x' || letter == u'o' || letter == u'd') {
            const int code = readCode(replacement, at, codeBase(letter), codeDigits(letter));
            put(code < 0 ? letter : static_cast<char16_t>(code));
        } else {
            put(letter);
        }
    }
    return out;
}

bool ReplaceHit(CEdEditTarget& target, const SEdSearchHit& hit, std::u16string_view replacement, std::uint32_t flags,
                SEdReplaceBlock& block, STextPos& next)
{
    const std::u16string text =
        (flags & kEdFindRegExp) ? ExpandReplacement(replacement, hit.groups) : std::u16string(replacement);
    const STextPos after = target.ReplaceRange(hit.start, hit.end, text);
    if (block.selection) {
        // The block end keeps its distance from the end of the replaced text when it shares its
        // line, and moves by the lines added or removed when it lies further down.
        if (hit.end.line == block.end.line)
            block.end = {block.end.ch - hit.end.ch + after.ch, after.line};
        else
            block.end.line += after.line - hit.end.line;
    } else {
        const int last = target.LineCount() - 1;
        block.end = last < 0 ? STextPos{0, 0} : STextPos{target.LineLength(last), last};
    }
    if (hit.length > 0) {
        next = after;
        return true;
    }
    next = {0, after.line + 1};
    return next.line <= block.end.line && next.line < target.LineCount();
}

int ReplaceAllInBlock(CEdEditTarget& target, std::u16string_view findText, std::u16string_view replacement,
                      std::uint32_t flags, STextPos start, SEdReplaceBlock& block)
{
    const CEdSearch search(findText, flags & ~static_cast<std::uint32_t>(kEdFindUp));
    int count = 0;
    SEdSearchHit hit;
    STextPos pos = start;
    while (search.findInBlock(target, pos, block.begin, block.end, false, hit)) {
        ++count;
        if (!ReplaceHit(target, hit, replacement, flags, block, pos))
            break;
    }
    return count;
}

}  // namespace brindle
