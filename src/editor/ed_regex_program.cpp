// The compiled form of an editor regular expression: instructions of a Thompson NFA and character classes.
#include "editor/ed_regex_program_p.h"

#include "editor/ed_search_chars.h"

#include <cstddef>

namespace brindle::detail {

bool SRegexClass::containsExactly(char16_t ch) const
{
    for (const SRegexRange& range : ranges) {
        if (ch >= range.low && ch <= range.high)
            return true;
    }
    if (kinds == 0)
        return false;
    const bool word = isEdWordChar(ch);
    const bool space = isEdSpace(ch);
    const bool digit = isEdDigit(ch);
    return ((kinds & kKindWord) && word) || ((kinds & kKindNotWord) && !word) || ((kinds & kKindSpace) && space) ||
           ((kinds & kKindNotSpace) && !space) || ((kinds & kKindDigit) && digit) ||
           ((kinds & kKindNotDigit) && !digit) || ((kinds & kKindUpper) && isEdUpperLetter(ch)) ||
           ((kinds & kKindLower) && isEdLowerLetter(ch)) || ((kinds & kKindNumber) && isEdHexDigit(ch)) ||
           ((kinds & kKindControl) && isEdControl(ch));
}

bool SRegexClass::contains(char16_t ch, bool matchCase) const
{
    bool in = containsExactly(ch);
    if (!in && !matchCase) {
        const char16_t upper = edUpperCase(ch);
        in = containsExactly(upper) || containsExactly(edLowerCase(upper)) || containsExactly(edLowerCase(ch));
    }
    return in != negated;
}

void SRegexProgram::linkPredecessors()
{
    emptyPredecessors.assign(code.size(), {});
    for (std::size_t pc = 0; pc < code.size(); ++pc) {
        const SRegexInstr& instr = code[pc];
        const int from = static_cast<int>(pc);
        switch (instr.op) {
        case RegexOp::Split: emptyPredecessors[static_cast<std::size_t>(instr.y)].push_back(from); [[fallthrough]];
        case RegexOp::Jump: emptyPredecessors[static_cast<std::size_t>(instr.x)].push_back(from); break;
        case RegexOp::Save:
        case RegexOp::Assert: emptyPredecessors[pc + 1].push_back(from); break;
        default: break;
        }
    }
}

}  // namespace brindle::detail
