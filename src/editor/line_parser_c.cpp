// The C parser and the languages that share its rules with their own word lists.
#include "editor/line_parsers.h"

#include "editor/line_scanner_p.h"

#include <array>

namespace brindle {

namespace {

using namespace parse;

struct SCFamily {
    std::int32_t row;                     // text-type row whose word lists apply
    std::array<std::int32_t, 3> colours;  // of the word lists, in order
    bool preprocessor;                    // "#" before any other character starts a directive
};

constexpr std::uint32_t kCommentBits = kCLineComment | kCBlockComment;
constexpr std::uint32_t kStringBits = kCString | kCCharConstant;

bool cWordChar(std::u16string_view line, std::size_t i) { return isWordChar(line[i]) || isWordDot(line, i); }

// A quote preceded by a backslash that is not itself preceded by a backslash.
bool escaped(std::u16string_view line, std::size_t i)
{
    return i >= 1 && line[i - 1] == u'\\' && !(i >= 2 && line[i - 2] == u'\\');
}

class CCParser {
public:
    CCParser(const SCFamily& family, std::u16string_view line, std::vector<SColourBlock>* blocks)
        : m_family(family), m_line(line), m_sink(blocks)
    {
    }

    std::uint32_t run(std::uint32_t state);

private:
    void startBlock(std::size_t i, std::uint32_t state);
    void classifyWord(std::size_t begin, std::size_t end);
    bool inComment(std::size_t i, std::uint32_t& state);
    bool inString(std::size_t i, std::uint32_t& state);

    const SCFamily& m_family;
    std::u16string_view m_line;
    CBlockSink m_sink;
    bool m_pending = true;                                  // a block starts at the current character
    std::size_t m_plainFrom = 0;                            // characters before this were inside a comment or string
    std::size_t m_openingStar = std::u16string_view::npos;  // the "*" of this line's "/*"
};

void CCParser::startBlock(std::size_t i, std::uint32_t state)
{
    m_pending = false;
    if ((state & kCommentBits) != 0) {
        m_sink.define(i, kComment);
    } else if ((state & kStringBits) != 0) {
        m_sink.define(i, kString);
    } else if ((state & kCPreprocessor) != 0) {
        m_sink.define(i, kPreprocessor);
    } else if (cWordChar(m_line, i)) {
        m_sink.define(i, kNormal);
    } else {
        // An operator is a block of one character.
        m_sink.define(i, kOperator);
        m_pending = true;
    }
}

void CCParser::classifyWord(std::size_t begin, std::size_t end)
{
    if (!m_sink.wanted())
        return;
    const std::u16string_view word = m_line.substr(begin, end - begin);
    const std::span<const SWordList> lists = wordListsOfTextType(m_family.row);
    for (std::size_t k = 0; k < lists.size(); ++k) {
        if (lists[k].contains(word)) {
            m_sink.define(begin, m_family.colours[k]);
            return;
        }
    }
    if (isCNumber(word))
        m_sink.define(begin, kNumber);
    else if (opensParenthesis(m_line, end))
        m_sink.define(begin, kFunctionName);
}

// Steps 3 and 4: inside a string or character constant every character belongs to it.
bool CCParser::inString(std::size_t i, std::uint32_t& state)
{
    const std::uint32_t bit = (state & kCString) != 0 ? kCString : (state & kCCharConstant);
    if (bit == 0)
        return false;
    const char16_t quote = bit == kCString ? u'"' : u'\'';
    if (m_line[i] == quote && !escaped(m_line, i)) {
        state &= ~bit;
        m_pending = true;
        m_plainFrom = i + 1;
    }
    return true;
}

// Step 5. The "*" of the opening "/*" cannot close the comment ("/*/" stays open).
bool CCParser::inComment(std::size_t i, std::uint32_t& state)
{
    if ((state & kCBlockComment) == 0)
        return false;
    if (m_line[i] == u'/' && i > 0 && m_line[i - 1] == u'*' && i - 1 != m_openingStar) {
        state &= ~kCBlockComment;
        m_pending = true;
        m_plainFrom = i + 1;
    }
    return true;
}

std::uint32_t CCParser::run(std::uint32_t state)
{
    const std::size_t n = m_line.size();
    std::size_t wordStart = std::u16string_view::npos;
    bool codeSeen = false;
    for (std::size_t i = 0;; ++i) {
        if (wordStart != std::u16string_view::npos && (i == n || !cWordChar(m_line, i))) {
            classifyWord(wordStart, i);
            wordStart = std::u16string_view::npos;
            m_pending = true;
        }
        if (i == n)
            break;
        if (m_pending)
            startBlock(i, state);
        const char16_t ch = m_line[i];
        const bool firstCode = !codeSeen && !isSpace(ch);
        codeSeen = codeSeen || !isSpace(ch);
        if ((state & kCLineComment) != 0)
            break;
        if (inString(i, state) || inComment(i, state))
            continue;
        // "//" and "/*" only count when their first "/" was plain code, not a comment's "*/".
        const bool slashBefore = i > m_plainFrom && m_line[i - 1] == u'/';
        if (ch == u'/' && slashBefore) {
            m_sink.define(i - 1, kComment);
            state |= kCLineComment;
            break;
        }
        if ((state & kCPreprocessor) == 0) {
            if (ch == u'"' || (ch == u'\'' && (i == 0 || !isWordChar(m_line[i - 1])))) {
                m_sink.define(i, kString);
                state |= ch == u'"' ? kCString : kCCharConstant;
                continue;
            }
        }
        if (ch == u'*' && slashBefore) {
            m_sink.define(i - 1, kComment);
            state |= kCBlockComment;
            m_openingStar = i;
            continue;
        }
        if (firstCode && ch == u'#' && m_family.preprocessor) {
            m_sink.define(i, kPreprocessor);
            state |= kCPreprocessor;
            continue;
        }
        if ((state & kCPreprocessor) != 0)
            continue;
        if (wordStart == std::u16string_view::npos && cWordChar(m_line, i))
            wordStart = i;
    }
    return m_line.back() == u'\\' ? state : state & kCBlockComment;
}

std::uint32_t parseCFamily(const SCFamily& family, std::u16string_view line, std::uint32_t state,
                           std::vector<SColourBlock>* blocks)
{
    if (line.size() < 2)
        return state & kCBlockComment;
    return CCParser(family, line, blocks).run(state);
}

constexpr SCFamily kC{4, {kKeyword, kList2, kList3}, true};
constexpr SCFamily kDcl{5, {kKeyword, kList2, kList3}, false};
constexpr SCFamily kInstallShield{8, {kKeyword, kList2, kList3}, true};
constexpr SCFamily kJava{9, {kKeyword, kList2, kList3}, false};
constexpr SCFamily kResources{16, {kKeyword, kList2, kList3}, true};

}  // namespace

std::uint32_t ParseLineC(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    return parseCFamily(kC, line, state, blocks);
}

std::uint32_t ParseLineDcl(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    return parseCFamily(kDcl, line, state, blocks);
}

std::uint32_t ParseLineInstallShield(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    return parseCFamily(kInstallShield, line, state, blocks);
}

std::uint32_t ParseLineJava(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    return parseCFamily(kJava, line, state, blocks);
}

std::uint32_t ParseLineResources(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    return parseCFamily(kResources, line, state, blocks);
}

}  // namespace brindle
