// Turns a pattern of the editor's regular-expression dialect into a compiled program.
#pragma once

#include "editor/ed_regex_program_p.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace brindle::detail {

// One use per pattern: parses into a syntax tree, then lays the tree out as NFA instructions.
// Nesting is limited (groups and stacked repeats), so that neither step can exhaust the stack.
class CEdRegexCompiler {
public:
    CEdRegexCompiler(std::u16string_view pattern, bool matchCase, bool wholeWord);

    // Fills program; false when the pattern is malformed (program is then unspecified).
    bool compile(SRegexProgram& program);

private:
    enum class Kind { Empty, Char, Any, Class, Assert, Concat, Alternate, Group, Star, Plus, Optional };

    struct SNode {
        Kind kind;
        int value = 0;  // Char: code; Class: index; Assert: assertion; Group: number or -1
        bool greedy = true;
        int depth = 1;
        std::vector<int> children;
    };

    int addNode(Kind kind, int value = 0, std::vector<int> children = {});
    bool atEnd() const { return m_pos >= m_pattern.size(); }
    char16_t peek() const { return m_pattern[m_pos]; }

    int parseAlternation(int depth);
    int parseSequence(int depth);
    int parseRepeat(char16_t op, int operand);
    int parseAtom(int depth);
    int parseEscape();
    int parseClass();
    bool parseClassMember(SRegexClass& cls, char16_t& code, bool& isCode);
    bool escapedCode(char16_t letter, char16_t& code);
    bool readCode(int base, int maxDigits, char16_t& code);
    int addClass(SRegexClass cls);

    void emit(int node);
    void emitAlternation(const SNode& node);
    void emitRepeat(const SNode& node);
    int emitInstr(RegexOp op, int x = 0, int y = 0);

    std::u16string_view m_pattern;
    std::size_t m_pos = 0;
    bool m_matchCase;
    bool m_wholeWord;
    int m_groups = 0;
    int m_lineBreaks = 0;
    std::vector<SNode> m_nodes;
    std::vector<SRegexClass> m_classes;
    SRegexProgram* m_program = nullptr;
};

}  // namespace brindle::detail
