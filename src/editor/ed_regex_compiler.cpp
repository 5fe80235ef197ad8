// Turns a pattern of the editor's regular-expression dialect into a compiled program.
#include "editor/ed_regex_compiler_p.h"

#include "editor/ed_search_chars.h"

#include <algorithm>
#include <utility>

namespace brindle::detail {

namespace {

// Deep enough for any pattern a person writes; shallow enough for the recursive parser and
// code generator to stay far from the stack limit.
constexpr int kMaxDepth = 400;

constexpr int kMaxNumberedGroups = 9;

std::uint16_t classKindOfLetter(char16_t letter)
{
    switch (letter) {
    case u'w': return kKindWord;
    case u'W': return kKindNotWord;
    case u's': return kKindSpace;
    case u'S': return kKindNotSpace;
    case u'd': return kKindDigit;
    case u'D': return kKindNotDigit;
    case u'U': return kKindUpper;
    case u'L': return kKindLower;
    case u'N': return kKindNumber;
    case u'C': return kKindControl;
    default: return 0;
    }
}

bool isRepeatOperator(char16_t ch) { return ch == u'*' || ch == u'+' || ch == u'?' || ch == u'@' || ch == u'#'; }

}  // namespace

CEdRegexCompiler::CEdRegexCompiler(std::u16string_view pattern, bool matchCase, bool wholeWord)
    : m_pattern(pattern), m_matchCase(matchCase), m_wholeWord(wholeWord)
{
}

bool CEdRegexCompiler::compile(SRegexProgram& program)
{
    const int root = parseAlternation(0);
    // Anything left over is a closing ")" or "}" without its opening partner.
    if (root < 0 || !atEnd())
        return false;
    m_program = &program;
    program.code.clear();
    program.matchCase = m_matchCase;
    program.groups = m_groups;
    program.lineBreaks = m_lineBreaks;
    program.classes = std::move(m_classes);
    if (m_wholeWord)
        emitInstr(RegexOp::Assert, kAssertNoWordBefore);
    emitInstr(RegexOp::Save, 0);
    emit(root);
    emitInstr(RegexOp::Save, 1);
    if (m_wholeWord)
        emitInstr(RegexOp::Assert, kAssertNoWordAfter);
    emitInstr(RegexOp::Match);
    program.linkPredecessors();
    return true;
}

int CEdRegexCompiler::addNode(Kind kind, int value, std::vector<int> children)
{
    SNode node{kind, value, true, 1, std::move(children)};
    for (int child : node.children)
        node.depth = std::max(node.depth, m_nodes[static_cast<std::size_t>(child)].depth + 1);
    if (node.depth > kMaxDepth)
        return -1;
    m_nodes.push_back(std::move(node));
    return static_cast<int>(m_nodes.size()) - 1;
}

int CEdRegexCompiler::parseAlternation(int depth)
{
    if (depth > kMaxDepth)
        return -1;
    std::vector<int> branches;
    for (;;) {
        const int branch = parseSequence(depth);
        if (branch < 0)
            return -1;
        branches.push_back(branch);
        if (atEnd() || peek() != u'|')
            break;
        ++m_pos;
    }
    return branches.size() == 1 ? branches.front() : addNode(Kind::Alternate, 0, std::move(branches));
}

int CEdRegexCompiler::parseSequence(int depth)
{
    std::vector<int> items;
    while (!atEnd() && peek() != u'|' && peek() != u')' && peek() != u'}') {
        const char16_t ch = peek();
        int item;
        if (isRepeatOperator(ch)) {
            if (items.empty())
                return -1;  // nothing to repeat
            ++m_pos;
            item = parseRepeat(ch, items.back());
            items.pop_back();
        } else {
            item = parseAtom(depth);
        }
        if (item < 0)
            return -1;
        items.push_back(item);
    }
    if (items.empty())
        return addNode(Kind::Empty);
    return items.size() == 1 ? items.front() : addNode(Kind::Concat, 0, std::move(items));
}

int CEdRegexCompiler::parseRepeat(char16_t op, int operand)
{
    const Kind kind = op == u'?' ? Kind::Optional : (op == u'+' || op == u'#') ? Kind::Plus : Kind::Star;
    const int node = addNode(kind, 0, {operand});
    if (node >= 0)
        m_nodes[static_cast<std::size_t>(node)].greedy = op != u'@' && op != u'#';
    return node;
}

int CEdRegexCompiler::parseAtom(int depth)
{
    const char16_t ch = m_pattern[m_pos++];
    switch (ch) {
    case u'(':
    case u'{': {
        const int number = ch == u'(' && m_groups < kMaxNumberedGroups ? ++m_groups : -1;
        const int inner = parseAlternation(depth + 1);
        if (inner < 0 || atEnd() || peek() != (ch == u'(' ? u')' : u'}'))
            return -1;
        ++m_pos;
        return addNode(Kind::Group, number, {inner});
    }
    case u'[': return parseClass();
    case u']': return -1;  // a class closed that was never opened
    case u'.': return addNode(Kind::Any);
    case u'^': return addNode(Kind::Assert, kAssertLineStart);
    case u'$': return addNode(Kind::Assert, kAssertLineEnd);
    case u'<': return addNode(Kind::Assert, kAssertWordStart);
    case u'>': return addNode(Kind::Assert, kAssertWordEnd);
    case u'\\': return parseEscape();
    default: return addNode(Kind::Char, m_matchCase ? ch : edFoldCase(ch));
    }
}

// Reads up to maxDigits digits of the base; false when there is none or the value leaves
// the 16-bit range.
bool CEdRegexCompiler::readCode(int base, int maxDigits, char16_t& code)
{
    long value = 0;
    int digits = 0;
    while (digits < maxDigits && !atEnd() && edDigitValue(peek()) < base) {
        value = value * base + edDigitValue(peek());
        ++m_pos;
        ++digits;
    }
    if (digits == 0 || value > 0xFFFF)
        return false;
    code = static_cast<char16_t>(value);
    return true;
}

// The character an escape outside the class letters stands for: the control codes, \x and \o
// codes, and any other character itself. False for a code without digits or beyond 16 bits.
bool CEdRegexCompiler::escapedCode(char16_t letter, char16_t& code)
{
    switch (letter) {
    case u't': code = u'\t'; return true;
    case u'n':
        ++m_lineBreaks;
        code = u'\n';
        return true;
    case u'r': code = u'\r'; return true;
    case u'a': code = 0x07; return true;
    case u'e': code = 0x1B; return true;
    case u'f': code = 0x0C; return true;
    case u'v': code = 0x0B; return true;
    case u'x': return readCode(16, 4, code);
    case u'o': return readCode(8, 6, code);
    default: code = letter; return true;
    }
}

int CEdRegexCompiler::parseEscape()
{
    if (atEnd())
        return -1;
    const char16_t letter = m_pattern[m_pos++];
    if (const std::uint16_t kind = classKindOfLetter(letter)) {
        SRegexClass cls;
        cls.kinds = kind;
        return addClass(std::move(cls));
    }
    char16_t code;
    if (!escapedCode(letter, code))
        return -1;
    return addNode(Kind::Char, m_matchCase ? code : edFoldCase(code));
}

// One member of a class: a character (isCode, in code) or a class letter (added to cls).
bool CEdRegexCompiler::parseClassMember(SRegexClass& cls, char16_t& code, bool& isCode)
{
    const char16_t ch = m_pattern[m_pos++];
    isCode = true;
    if (ch != u'\\') {
        code = ch;
        return true;
    }
    if (atEnd())
        return false;
    const char16_t letter = m_pattern[m_pos++];
    if (const std::uint16_t kind = classKindOfLetter(letter)) {
        cls.kinds |= kind;
        isCode = false;
        return true;
    }
    return escapedCode(letter, code);
}

// After "[": members up to "]". A "]" first (after any "^") and a "-" first or last are
// ordinary members; a range may not run backwards or end in a class letter.
int CEdRegexCompiler::parseClass()
{
    SRegexClass cls;
    if (!atEnd() && peek() == u'^') {
        cls.negated = true;
        ++m_pos;
    }
    for (bool first = true;; first = false) {
        if (atEnd())
            return -1;
        if (peek() == u']' && !first) {
            ++m_pos;
            break;
        }
        char16_t low;
        bool isCode;
        if (!parseClassMember(cls, low, isCode))
            return -1;
        if (!isCode)
            continue;
        char16_t high = low;
        if (m_pos + 1 < m_pattern.size() && peek() == u'-' && m_pattern[m_pos + 1] != u']') {
            ++m_pos;
            if (!parseClassMember(cls, high, isCode) || !isCode || high < low)
                return -1;
        }
        cls.ranges.push_back({low, high});
    }
    return addClass(std::move(cls));
}

int CEdRegexCompiler::addClass(SRegexClass cls)
{
    m_classes.push_back(std::move(cls));
    return addNode(Kind::Class, static_cast<int>(m_classes.size()) - 1);
}

int CEdRegexCompiler::emitInstr(RegexOp op, int x, int y)
{
    m_program->code.push_back({op, x, y});
    return static_cast<int>(m_program->code.size()) - 1;
}

void CEdRegexCompiler::emit(int index)
{
    const SNode& node = m_nodes[static_cast<std::size_t>(index)];
    switch (node.kind) {
    case Kind::Empty: break;
    case Kind::Char: emitInstr(RegexOp::Char, node.value); break;
    case Kind::Any: emitInstr(RegexOp::Any); break;
    case Kind::Class: emitInstr(RegexOp::Class, node.value); break;
    case Kind::Assert: emitInstr(RegexOp::Assert, node.value); break;
    case Kind::Concat:
        for (int child : node.children)
            emit(child);
        break;
    case Kind::Alternate: emitAlternation(node); break;
    case Kind::Group:
        if (node.value > 0)
            emitInstr(RegexOp::Save, 2 * node.value);
        emit(node.children.front());
        if (node.value > 0)
            emitInstr(RegexOp::Save, 2 * node.value + 1);
        break;
    case Kind::Star:
    case Kind::Plus:
    case Kind::Optional: emitRepeat(node); break;
    }
}

// split L1, next; L1: first; jump end; next: split L2, next'; L2: second; jump end; ... last; end:
void CEdRegexCompiler::emitAlternation(const SNode& node)
{
    auto& code = m_program->code;
    std::vector<int> exits;
    for (std::size_t i = 0; i + 1 < node.children.size(); ++i) {
        const int split = emitInstr(RegexOp::Split, static_cast<int>(code.size()) + 1);
        emit(node.children[i]);
        exits.push_back(emitInstr(RegexOp::Jump));
        code[static_cast<std::size_t>(split)].y = static_cast<int>(code.size());
    }
    emit(node.children.back());
    for (int exit : exits)
        code[static_cast<std::size_t>(exit)].x = static_cast<int>(code.size());
}

// Greedy repeats prefer another round of the body, lazy ones prefer to leave; the Split's first
// target is the preferred one.
void CEdRegexCompiler::emitRepeat(const SNode& node)
{
    auto& code = m_program->code;
    const auto preferring = [&](int split, int body, int after) {
        SRegexInstr& instr = code[static_cast<std::size_t>(split)];
        instr.x = node.greedy ? body : after;
        instr.y = node.greedy ? after : body;
    };
    if (node.kind == Kind::Plus) {
        const int body = static_cast<int>(code.size());
        emit(node.children.front());
        const int split = emitInstr(RegexOp::Split);
        preferring(split, body, split + 1);
        return;
    }
    const int split = emitInstr(RegexOp::Split);
    emit(node.children.front());
    if (node.kind == Kind::Star)
        emitInstr(RegexOp::Jump, split);
    preferring(split, split + 1, static_cast<int>(code.size()));
}

}  // namespace brindle::detail
