// The compiled form of an editor regular expression: instructions of a Thompson NFA and character classes.
#pragma once

#include <cstdint>
#include <vector>

namespace brindle::detail {

enum class RegexOp : std::uint8_t {
    Char,    // consumes one character equal to `x` (folded when the case is ignored)
    Any,     // consumes any character but a line feed
    Class,   // consumes a character of class `x`
    Split,   // continues at `x` and, with lower priority, at `y`
    Jump,    // continues at `x`
    Save,    // records the position in capture slot `x`
    Assert,  // continues only where assertion `x` holds
    Match,
};

enum RegexAssertion : int {
    kAssertLineStart,
    kAssertLineEnd,
    kAssertWordStart,
    kAssertWordEnd,
    kAssertNoWordBefore,  // the whole-word rule, before the match
    kAssertNoWordAfter,   // and after it
};

struct SRegexInstr {
    RegexOp op;
    int x = 0;
    int y = 0;
};

// Predefined kinds a class can include (the class letters of the dialect).
enum RegexClassKind : std::uint16_t {
    kKindWord = 0x1,
    kKindNotWord = 0x2,
    kKindSpace = 0x4,
    kKindNotSpace = 0x8,
    kKindDigit = 0x10,
    kKindNotDigit = 0x20,
    kKindUpper = 0x40,
    kKindLower = 0x80,
    kKindNumber = 0x100,
    kKindControl = 0x200,
};

struct SRegexRange {
    char16_t low;
    char16_t high;
};

// A set of characters: ranges plus predefined kinds, optionally negated. When the case is
// ignored a character belongs when it, its upper case or the lower case of that does.
struct SRegexClass {
    std::vector<SRegexRange> ranges;
    std::uint16_t kinds = 0;
    bool negated = false;

    bool contains(char16_t ch, bool matchCase) const;

private:
    bool containsExactly(char16_t ch) const;
};

struct SRegexProgram {
    std::vector<SRegexInstr> code;  // starts at 0
    std::vector<SRegexClass> classes;
    // For each instruction the instructions that reach it without consuming (Jump, Split,
    // Save, Assert): the backward scan of an upward search walks these.
    std::vector<std::vector<int>> emptyPredecessors;
    bool matchCase = true;
    int lineBreaks = 0;  // \n escapes in the pattern
    int groups = 0;      // numbered groups, at most 9

    void linkPredecessors();
};

}  // namespace brindle::detail
