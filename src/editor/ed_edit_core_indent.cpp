// The edit view's indentation: Tab and Shift+Tab, automatic and bracket indentation, and the word
// completion and abbreviation expansion that insert text with it.
#include "editor/ed_bracket_match.h"
#include "editor/ed_edit_core.h"
#include "editor/ed_search_chars.h"
#include "editor/text_type.h"

#include <algorithm>

namespace brindle {
namespace {

bool isBlank(char16_t ch) { return ch == u' ' || ch == u'\t'; }

std::size_t leadingBlanks(std::u16string_view text)
{
    std::size_t count = 0;
    while (count < text.size() && isBlank(text[count]))
        ++count;
    return count;
}

// The line holds blanks (at least minBlanks of them) and then only bracket as its last character.
bool isLoneBracketLine(std::u16string_view text, char16_t bracket, std::size_t minBlanks)
{
    return text.size() >= minBlanks + 1 && text.back() == bracket && leadingBlanks(text) == text.size() - 1;
}

}  // namespace

// ---- Tab and Shift+Tab

// The lines a Tab or Shift+Tab works on as a block: a selection over several lines, without the
// last line when the selection ends in its column 0.
bool CEdEditCore::blockLines(std::int32_t& first, std::int32_t& last) const
{
    const STextPos start = SelStart();
    const STextPos end = SelEnd();
    if (start.line == end.line)
        return false;
    first = start.line;
    last = end.ch == 0 ? end.line - 1 : end.line;
    return true;
}

void CEdEditCore::selectLines(std::int32_t first, std::int32_t last)
{
    const STextPos end = last < lastLine() ? STextPos{0, last + 1} : STextPos{lineLength(last), last};
    SetSelection(STextPos{0, first}, end);
}

bool CEdEditCore::Tab()
{
    if (!usable())
        return false;
    std::int32_t first = 0;
    std::int32_t last = 0;
    if (blockLines(first, last)) {
        // The block is widened to whole lines, so the step is the one for column 0.
        const std::u16string step = stepAtColumn(0);
        m_buffer.OpenUndoGroup(false);
        for (std::int32_t line = first; line <= last; ++line) {
            std::int32_t endLine = 0;
            std::int32_t endChar = 0;
            m_buffer.InsertTextAt(m_view, line, 0, step, endLine, endChar, CEdTextBuffer::Indent);
        }
        closeGroup();
        selectLines(first, last);
        return true;
    }
    const std::u16string_view text = lineText(m_caret.line);
    if (m_overtype && m_caret.ch < static_cast<std::int32_t>(text.size())) {
        std::int32_t ch = m_caret.ch;
        std::int32_t column = displayColumn(m_caret.line, ch);
        while (ch < static_cast<std::int32_t>(text.size())) {
            const char16_t c = text[static_cast<std::size_t>(ch++)];
            if (c == u'\t')
                break;
            if (++column % tabSize() == 0)
                break;
        }
        SetCaret(STextPos{ch, m_caret.line});
        return true;
    }
    m_buffer.OpenUndoGroup(false);
    deleteSelection(CEdTextBuffer::Typing);
    insertAtCaret(stepAtChar(m_caret.ch), CEdTextBuffer::Typing);
    closeGroup();
    return true;
}

bool CEdEditCore::ShiftTab()
{
    if (!usable())
        return false;
    std::int32_t first = 0;
    std::int32_t last = 0;
    if (blockLines(first, last)) {
        m_buffer.OpenUndoGroup(false);
        for (std::int32_t line = first; line <= last; ++line) {
            const std::u16string_view text = lineText(line);
            std::int32_t count = 0;
            while (count < tabSize() && count < static_cast<std::int32_t>(text.size()) &&
                   text[static_cast<std::size_t>(count)] == u' ')
                ++count;
            if (count < tabSize() && count < static_cast<std::int32_t>(text.size()) &&
                text[static_cast<std::size_t>(count)] == u'\t')
                ++count;
            if (count > 0)
                m_buffer.DeleteRange(m_view, line, 0, line, count, CEdTextBuffer::Indent);
        }
        closeGroup();
        selectLines(first, last);
        return true;
    }
    const std::int32_t column = displayColumn(m_caret.line, m_caret.ch);
    if (column == 0)
        return false;
    const std::int32_t target = (column - 1) / tabSize() * tabSize();
    // One walk along the line: the caret goes to the last character that still ends at or before
    // the target column.
    const std::u16string_view text = lineText(m_caret.line);
    std::int32_t ch = 0;
    for (std::int32_t reached = 0; ch < m_caret.ch; ++ch) {
        if (ch < static_cast<std::int32_t>(text.size()))
            reached = columnAfter(text[static_cast<std::size_t>(ch)], reached);
        if (reached > target)
            break;
    }
    SetCaret(STextPos{ch, m_caret.line});
    return true;
}

// ---- Automatic indentation

void CEdEditCore::OnEditCompleted(std::int32_t action, std::u16string_view text)
{
    if (action == CEdTextBuffer::Typing)
        autoIndent(text);
}

void CEdEditCore::autoIndent(std::u16string_view text)
{
    if (!hasFlag(kTextTypeAutoIndent) || !usable())
        return;
    if (text == u"\r\n") {
        if (!m_overtype)
            indentNewLine();
        return;
    }
    if (text.size() != 1 || m_caret.ch < 1 ||
        lineText(m_caret.line)[static_cast<std::size_t>(m_caret.ch - 1)] != text[0])
        return;
    if (text[0] == u'(' && hasFlag(kTextTypeFnBrace))
        spaceBeforeParenthesis();
    if (isEdOpeningBracket(text[0]) && hasFlag(kTextTypeBracketStepIndent))
        stepBeforeOpeningBracket();
    if (isEdClosingBracket(text[0]) && hasFlag(kTextTypeBracketIndent | kTextTypeBracketStepIndent))
        outdentClosingBracket();
}

void CEdEditCore::indentNewLine()
{
    if (m_caret.line == 0)
        return;
    const std::u16string_view previous = lineText(m_caret.line - 1);
    std::u16string indent(previous.substr(0, leadingBlanks(previous)));
    const bool bracketIndent = hasFlag(kTextTypeBracketIndent | kTextTypeBracketStepIndent);
    if (hasFlag(kTextTypeBracketStepIndent) && !indent.empty() && previous.size() == indent.size() + 1 &&
        isEdClosingBracket(previous.back())) {
        if (indent.back() == u'\t') {
            indent.pop_back();
        } else {
            const std::int32_t column = displayColumn(m_caret.line - 1, static_cast<std::int32_t>(indent.size()));
            const std::int32_t stop = (column - 1) / tabSize() * tabSize();
            for (std::int32_t width = column; width > stop && !indent.empty() && indent.back() == u' '; --width)
                indent.pop_back();
        }
    } else if (bracketIndent && !previous.empty() && isEdOpeningBracket(previous.back())) {
        indent += stepAtColumn(displayColumn(m_caret.line - 1, static_cast<std::int32_t>(indent.size())));
    }
    if (!indent.empty())
        insertAtCaret(indent, CEdTextBuffer::AutoIndent);
}

void CEdEditCore::spaceBeforeParenthesis()
{
    const std::int32_t bracket = m_caret.ch - 1;
    if (bracket < 1 || !isEdWordChar(lineText(m_caret.line)[static_cast<std::size_t>(bracket - 1)]))
        return;
    std::int32_t endLine = 0;
    std::int32_t endChar = 0;
    m_buffer.InsertTextAt(m_view, m_caret.line, bracket, u" ", endLine, endChar, CEdTextBuffer::AutoIndent);
}

void CEdEditCore::stepBeforeOpeningBracket()
{
    const std::u16string_view text = lineText(m_caret.line);
    const std::int32_t bracket = m_caret.ch - 1;
    if (bracket != static_cast<std::int32_t>(text.size()) - 1 || !isLoneBracketLine(text, text.back(), 0))
        return;
    const std::u16string step = stepAtColumn(displayColumn(m_caret.line, bracket));
    std::int32_t endLine = 0;
    std::int32_t endChar = 0;
    m_buffer.InsertTextAt(m_view, m_caret.line, bracket, step, endLine, endChar, CEdTextBuffer::AutoIndent);
}

void CEdEditCore::outdentClosingBracket()
{
    const std::u16string_view text = lineText(m_caret.line);
    const std::int32_t bracket = m_caret.ch - 1;
    if (m_caret.line == 0 || bracket != static_cast<std::int32_t>(text.size()) - 1 ||
        !isLoneBracketLine(text, text.back(), 1))
        return;
    std::int32_t from = bracket;
    if (text[static_cast<std::size_t>(bracket - 1)] == u'\t') {
        from = bracket - 1;
    } else {
        const std::int32_t column = displayColumn(m_caret.line, bracket);
        const std::int32_t stop = (column - 1) / tabSize() * tabSize();
        while (from > 0 && bracket - from < tabSize() && text[static_cast<std::size_t>(from - 1)] == u' ' &&
               displayColumn(m_caret.line, from) > stop)
            --from;
    }
    if (from < bracket)
        m_buffer.DeleteRange(m_view, m_caret.line, from, m_caret.line, bracket, CEdTextBuffer::AutoIndent);
}

// ---- Word completion

bool CEdEditCore::wordBeforeCaret(std::int32_t& start) const
{
    const std::u16string_view text = lineText(m_caret.line);
    start = m_caret.ch;
    while (start > 0 && isEdWordChar(text[static_cast<std::size_t>(start - 1)]))
        --start;
    return start < m_caret.ch;
}

bool CEdEditCore::CanAutoComplete() const
{
    if (m_buffer.LineCount() == 0 || m_caret.ch <= 0 || m_caret.line <= 0)
        return false;
    const std::u16string_view text = lineText(m_caret.line);
    const auto ch = static_cast<std::size_t>(m_caret.ch);
    return ch <= text.size() && isEdWordChar(text[ch - 1]) && (ch == text.size() || !isEdWordChar(text[ch]));
}

bool CEdEditCore::CanAutoExpand() const { return !m_abbreviations.IsEmpty() && CanAutoComplete(); }

// The rest of the nearest whole word that starts with prefix and goes on beyond it: first
// backwards from the prefix, then forwards from the caret.
bool CEdEditCore::findCompletion(std::u16string_view prefix, STextPos prefixStart, std::u16string& rest) const
{
    const auto restAt = [&](std::int32_t line, std::int32_t ch) {
        const std::u16string_view text = lineText(line);
        const auto at = static_cast<std::size_t>(ch);
        if ((at > 0 && isEdWordChar(text[at - 1])) || text.substr(at, prefix.size()) != prefix)
            return false;
        std::size_t end = at + prefix.size();
        while (end < text.size() && isEdWordChar(text[end]))
            ++end;
        rest = text.substr(at + prefix.size(), end - at - prefix.size());
        return !rest.empty();
    };
    for (std::int32_t line = prefixStart.line; line >= 0; --line) {
        const std::int32_t from = line == prefixStart.line ? prefixStart.ch - 1 : lineLength(line) - 1;
        for (std::int32_t ch = from; ch >= 0; --ch) {
            if (restAt(line, ch))
                return true;
        }
    }
    for (std::int32_t line = m_caret.line; line <= lastLine(); ++line) {
        for (std::int32_t ch = line == m_caret.line ? m_caret.ch : 0; ch < lineLength(line); ++ch) {
            if (restAt(line, ch))
                return true;
        }
    }
    return false;
}

bool CEdEditCore::AutoComplete()
{
    std::int32_t start = 0;
    if (!usable() || !CanAutoComplete() || !wordBeforeCaret(start))
        return false;
    const std::u16string prefix(
        lineText(m_caret.line).substr(static_cast<std::size_t>(start), static_cast<std::size_t>(m_caret.ch - start)));
    std::u16string rest;
    if (!findCompletion(prefix, STextPos{start, m_caret.line}, rest))
        return false;
    SetCaret(m_caret);
    m_buffer.OpenUndoGroup(false);
    insertAtCaret(rest, CEdTextBuffer::AutoComplete);
    closeGroup();
    return true;
}

// ---- Abbreviation expansion

bool CEdEditCore::AutoExpand()
{
    std::int32_t start = 0;
    if (!usable() || !CanAutoExpand() || !wordBeforeCaret(start))
        return false;
    const std::u16string_view word =
        lineText(m_caret.line).substr(static_cast<std::size_t>(start), static_cast<std::size_t>(m_caret.ch - start));
    const std::u16string expansion = m_abbreviations.Expansion(word);
    if (expansion.empty())
        return false;
    m_buffer.OpenUndoGroup(false);
    deleteRange(STextPos{start, m_caret.line}, m_caret, CEdTextBuffer::AutoExpand);
    for (const SEdExpansionStep& step : CEdAbbreviations::Split(expansion)) {
        runExpansionStep(step.command);
        if (!step.text.empty() && insertAtCaret(step.text, CEdTextBuffer::AutoExpand))
            autoIndent(step.text);
    }
    closeGroup();
    return true;
}

void CEdEditCore::runExpansionStep(char16_t command)
{
    const std::int32_t length = lineLength(m_caret.line);
    switch (command) {
    case u'b': deleteCharBefore(CEdTextBuffer::AutoExpand); break;
    case u'd':
        if (m_caret.line < lastLine())
            SetCaret(STextPos{std::min(m_caret.ch, lineLength(m_caret.line + 1)), m_caret.line + 1});
        break;
    case u'e': deleteCharAfter(CEdTextBuffer::AutoExpand); break;
    case u'f': SetCaret(STextPos{length, m_caret.line}); break;
    case u'h': SetCaret(STextPos{0, m_caret.line}); break;
    case u'l':
        if (m_caret.ch > 0)
            SetCaret(STextPos{m_caret.ch - 1, m_caret.line});
        else if (m_caret.line > 0)
            SetCaret(STextPos{lineLength(m_caret.line - 1), m_caret.line - 1});
        break;
    case u'n':
        if (insertAtCaret(u"\r\n", CEdTextBuffer::AutoExpand))
            autoIndent(u"\r\n");
        break;
    case u'r':
        if (m_caret.ch < length)
            SetCaret(STextPos{m_caret.ch + 1, m_caret.line});
        else if (m_caret.line < lastLine())
            SetCaret(STextPos{0, m_caret.line + 1});
        break;
    case u't': insertAtCaret(stepAtChar(m_caret.ch), CEdTextBuffer::AutoExpand); break;
    case u'u':
        if (m_caret.line > 0)
            SetCaret(STextPos{std::min(m_caret.ch, lineLength(m_caret.line - 1)), m_caret.line - 1});
        break;
    default: break;
    }
}

}  // namespace brindle
