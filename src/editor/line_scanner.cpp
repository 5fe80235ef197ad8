#include "editor/line_scanner_p.h"

namespace brindle::parse {

bool isWordDot(std::u16string_view line, std::size_t i)
{
    if (line[i] != u'.' || i == 0)
        return false;
    return !isLetter(line[i - 1]) && (i + 1 >= line.size() || !isLetter(line[i + 1]));
}

bool isCNumber(std::u16string_view word)
{
    if (word.size() > 2 && word[0] == u'0' && word[1] == u'x') {
        for (const char16_t ch : word.substr(2)) {
            if (!isDigit(ch) && !(ch >= u'a' && ch <= u'f') && !(ch >= u'A' && ch <= u'F'))
                return false;
        }
        return true;
    }
    if (word.empty() || !isDigit(word[0]))
        return false;
    for (const char16_t ch : word.substr(1)) {
        if (!isDigit(ch) && ch != u'+' && ch != u'-' && ch != u'.' && ch != u'E' && ch != u'e')
            return false;
    }
    return true;
}

bool opensParenthesis(std::u16string_view line, std::size_t from)
{
    for (std::size_t j = from; j < line.size(); ++j) {
        if (!isSpace(line[j]))
            return line[j] == u'(';
    }
    return false;
}

bool startsAt(std::u16string_view line, std::size_t i, std::u16string_view text)
{
    return !text.empty() && line.size() - i >= text.size() && line.substr(i, text.size()) == text;
}

void CBlockSink::define(std::size_t start, std::int32_t colour)
{
    if (m_blocks == nullptr)
        return;
    const auto at = static_cast<std::int32_t>(start);
    while (!m_blocks->empty() && m_blocks->back().start >= at)
        m_blocks->pop_back();
    if (!m_blocks->empty() && m_blocks->back().colour == colour)
        return;
    m_blocks->push_back({at, colour});
}

CLineScanner::CLineScanner(const SLanguageRules& rules, std::u16string_view line, CBlockSink& sink)
    : m_rules(rules), m_line(line), m_sink(sink)
{
}

bool CLineScanner::wordCharAt(std::size_t i) const
{
    if (m_rules.wordChar != nullptr)
        return m_rules.wordChar(m_line[i]);
    return isWordChar(m_line[i]) || isWordDot(m_line, i);
}

std::int32_t CLineScanner::stateColour(std::uint32_t state) const
{
    for (const SCommentRule& rule : m_rules.comments) {
        if (rule.bit != 0 && (state & rule.bit) != 0)
            return rule.colour;
    }
    for (const SQuoteRule& rule : m_rules.quotes) {
        if ((state & rule.bit) != 0)
            return rule.colour;
    }
    if (m_rules.preprocessorBit != 0 && (state & m_rules.preprocessorBit) != 0)
        return kPreprocessor;
    return -1;
}

void CLineScanner::classifyWord(std::size_t begin, std::size_t end)
{
    const std::u16string_view word = m_line.substr(begin, end - begin);
    if (!m_rules.commentWord.empty() && word == m_rules.commentWord) {
        m_sink.define(begin, kComment);
        m_lineComment = true;
        return;
    }
    if (!m_sink.wanted())
        return;
    for (std::size_t k = 0; k < m_rules.lists.size(); ++k) {
        if (m_rules.lists[k].contains(word)) {
            m_sink.define(begin, m_rules.listColours[k]);
            return;
        }
    }
    // Signs only reach a word in languages whose words may hold them (Lisp: -5).
    const bool signed_ = word.size() > 1 && (word[0] == u'.' || word[0] == u'-' || word[0] == u'+');
    if (isDigit(word[0]) || (signed_ && isDigit(word[1])))
        m_sink.define(begin, kNumber);
    else if (m_rules.functionNames && opensParenthesis(m_line, end))
        m_sink.define(begin, kFunctionName);
}

bool CLineScanner::markerPlaceOk(MarkerPlace place, std::size_t i) const
{
    switch (place) {
    case MarkerPlace::Anywhere: return true;
    case MarkerPlace::WordStart: return i == 0 || isSpace(m_line[i - 1]) || m_line[i - 1] == u';';
    case MarkerPlace::CommandStart:
        while (i > 0 && isSpace(m_line[i - 1]))
            --i;
        return i == 0 || m_line[i - 1] == u';' || m_line[i - 1] == u'{';
    }
    return true;
}

// Inside a comment or string: consumes the character at i (or the closing delimiter that starts
// there) and returns true; false in plain code.
bool CLineScanner::closeOpenConstruct(std::size_t& i, std::uint32_t& state)
{
    for (const SCommentRule& rule : m_rules.comments) {
        if (rule.bit == 0 || (state & rule.bit) == 0)
            continue;
        if (rule.close.empty()) {
            i = m_line.size() - 1;
        } else if (startsAt(m_line, i, rule.close)) {
            state &= ~rule.bit;
            i += rule.close.size() - 1;
            m_pending = true;
        }
        return true;
    }
    for (const SQuoteRule& rule : m_rules.quotes) {
        if ((state & rule.bit) == 0)
            continue;
        if (rule.backslashEscapes && m_line[i] == u'\\') {
            if (i + 1 < m_line.size())
                ++i;
        } else if (startsAt(m_line, i, rule.delimiter)) {
            const std::size_t length = rule.delimiter.size();
            if (rule.doubledEscapes && startsAt(m_line, i + length, rule.delimiter)) {
                i += 2 * length - 1;
            } else {
                state &= ~rule.bit;
                i += length - 1;
                m_pending = true;
            }
        }
        return true;
    }
    return false;
}

// In plain code: starts a comment, string, directive or language token at i.
bool CLineScanner::openConstruct(std::size_t& i, std::uint32_t& state)
{
    for (const SCommentRule& rule : m_rules.comments) {
        if (!startsAt(m_line, i, rule.open) || !markerPlaceOk(rule.place, i))
            continue;
        m_sink.define(i, rule.colour);
        state |= rule.bit;
        m_pending = false;
        if (rule.close.empty())
            m_lineComment = true;
        else
            i += rule.open.size() - 1;
        return true;
    }
    const bool directive = m_rules.preprocessorBit != 0 && (state & m_rules.preprocessorBit) != 0;
    if (!directive) {
        for (const SQuoteRule& rule : m_rules.quotes) {
            if (!startsAt(m_line, i, rule.delimiter))
                continue;
            m_sink.define(i, rule.colour);
            state |= rule.bit;
            m_pending = false;
            i += rule.delimiter.size() - 1;
            return true;
        }
    }
    if (m_rules.preprocessorChar != 0 && m_line[i] == m_rules.preprocessorChar &&
        i == m_line.find_first_not_of(u" \t")) {
        m_sink.define(i, kPreprocessor);
        state |= m_rules.preprocessorBit;
        m_pending = false;
        return true;
    }
    if (m_rules.token != nullptr && !directive) {
        std::int32_t colour = kNormal;
        const std::size_t end = m_rules.token(m_line, i, colour);
        if (end > i) {
            m_sink.define(i, colour);
            i = end - 1;
            m_pending = true;
            return true;
        }
    }
    return false;
}

std::size_t CLineScanner::scan(std::size_t from, std::uint32_t& state, std::u16string_view stopAt)
{
    const std::size_t n = m_line.size();
    std::size_t wordStart = std::u16string_view::npos;
    m_pending = true;
    m_lineComment = false;
    for (std::size_t i = from;; ++i) {
        if (wordStart != std::u16string_view::npos && (i == n || !wordCharAt(i))) {
            classifyWord(wordStart, i);
            wordStart = std::u16string_view::npos;
            m_pending = true;
        }
        if (m_lineComment || i == n)
            return n;
        if (m_pending) {
            const std::int32_t colour = stateColour(state);
            if (colour >= 0) {
                m_sink.define(i, colour);
                m_pending = false;
            } else if (wordCharAt(i)) {
                m_sink.define(i, kNormal);
                m_pending = false;
            } else {
                m_sink.define(i, kOperator);
            }
        }
        if (stateColour(state) < 0 && startsAt(m_line, i, stopAt))
            return i;
        if (closeOpenConstruct(i, state))
            continue;
        if (wordStart == std::u16string_view::npos && openConstruct(i, state))
            continue;
        if (m_rules.preprocessorBit != 0 && (state & m_rules.preprocessorBit) != 0)
            continue;
        if (wordStart == std::u16string_view::npos && wordCharAt(i))
            wordStart = i;
    }
}

std::uint32_t ParseLineByRules(const SLanguageRules& rules, std::u16string_view line, std::uint32_t state,
                               std::vector<SColourBlock>* blocks)
{
    if (line.size() < 2)
        return shortLineState(rules, state);
    CBlockSink sink(blocks);
    CLineScanner scanner(rules, line, sink);
    scanner.scan(0, state);
    if (rules.backslashCarries && line.back() == u'\\')
        return state;
    return state & rules.carryMask;
}

}  // namespace brindle::parse
