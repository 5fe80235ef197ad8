// The editing logic of one edit view: typing, deleting, case commands, clipboard and drag and drop.
// Indentation, completion and expansion live in ed_edit_core_indent.cpp.
#include "editor/ed_edit_core.h"

#include "editor/ed_bracket_match.h"
#include "editor/ed_goto_line.h"
#include "editor/ed_text_transfer.h"
#include "editor/ed_word_moves.h"
#include "editor/text_columns.h"
#include "editor/text_type.h"

#include <algorithm>

namespace brindle {

CEdEditCore::CEdEditCore(CEdTextBuffer& buffer, CEdBufferView* view) : m_buffer(buffer), m_view(view) {}

void CEdEditCore::SetCaret(STextPos pos, bool keepAnchor)
{
    m_caret = pos;
    if (!keepAnchor)
        m_anchor = pos;
}

void CEdEditCore::SetSelection(STextPos anchor, STextPos caret)
{
    m_anchor = anchor;
    m_caret = caret;
}

std::u16string CEdEditCore::SelectedText() const
{
    std::u16string text;
    if (HasSelection()) {
        const STextPos start = SelStart();
        const STextPos end = SelEnd();
        m_buffer.CopyRange(start.line, start.ch, end.line, end.ch, text);
    }
    return text;
}

void CEdEditCore::SetSettings(const SEdEditSettings& settings) { m_settings = settings; }

void CEdEditCore::ApplyTextType(const STextType* type, const CSettingsStore* store)
{
    if (!type)
        return;
    m_settings.tabSize = static_cast<std::int32_t>(type->tabSize);
    m_settings.flags = type->flags;
    m_settings.textType = type;
    if (store)
        m_abbreviations.Load(*store, type->name);
}

bool CEdEditCore::IsEditable() const { return !m_buffer.IsReadOnly(); }

void CEdEditCore::AdjustPositions(const CEdTextBuffer::CUpdateContext& context)
{
    context.AdjustPosition(m_caret);
    context.AdjustPosition(m_anchor);
    if (m_dragging) {
        context.AdjustPosition(m_dragStart);
        context.AdjustPosition(m_dragEnd);
    }
}

// ---- Helpers

std::int32_t CEdEditCore::displayColumn(std::int32_t line, std::int32_t ch) const
{
    const std::u16string_view text = lineText(line);
    std::int32_t column = 0;
    for (std::int32_t i = 0; i < ch && i < static_cast<std::int32_t>(text.size()); ++i)
        column = columnAfter(text[static_cast<std::size_t>(i)], column);
    return column;
}

std::int32_t CEdEditCore::columnAfter(char16_t ch, std::int32_t column) const
{
    return column + EdCharColumns(ch, column, tabSize());
}

std::u16string CEdEditCore::stepAtColumn(std::int32_t column) const
{
    if (hasFlag(kTextTypeInsertTabs))
        return u"\t";
    return std::u16string(static_cast<std::size_t>(tabSize() - column % tabSize()), u' ');
}

// Tab counts in characters, not display columns: with tab size 4, Tab at index 6 inserts two
// spaces even after a tab character earlier in the line.
std::u16string CEdEditCore::stepAtChar(std::int32_t ch) const { return stepAtColumn(ch); }

bool CEdEditCore::insertAtCaret(std::u16string_view text, std::int32_t action)
{
    STextPos end;
    if (!m_buffer.InsertTextAt(m_view, m_caret.line, m_caret.ch, text, end.line, end.ch, action))
        return false;
    SetCaret(end);
    return true;
}

bool CEdEditCore::deleteRange(STextPos start, STextPos end, std::int32_t action)
{
    if (start == end)
        return false;
    if (!m_buffer.DeleteRange(m_view, start.line, start.ch, end.line, end.ch, action))
        return false;
    SetCaret(start);
    return true;
}

bool CEdEditCore::deleteSelection(std::int32_t action)
{
    return HasSelection() && deleteRange(SelStart(), SelEnd(), action);
}

bool CEdEditCore::deleteCharBefore(std::int32_t action)
{
    if (m_caret.ch > 0)
        return deleteRange(STextPos{m_caret.ch - 1, m_caret.line}, m_caret, action);
    if (m_caret.line == 0 || !hasFlag(kTextTypeBackspaceAtBol))
        return false;
    return deleteRange(STextPos{lineLength(m_caret.line - 1), m_caret.line - 1}, m_caret, action);
}

bool CEdEditCore::deleteCharAfter(std::int32_t action)
{
    if (m_caret.ch < lineLength(m_caret.line))
        return deleteRange(m_caret, STextPos{m_caret.ch + 1, m_caret.line}, action);
    if (m_caret.line >= lastLine())
        return false;
    return deleteRange(m_caret, STextPos{0, m_caret.line + 1}, action);
}

// ---- Typing

bool CEdEditCore::TypeChar(char16_t ch)
{
    if (!usable() || ch < 32)
        return false;
    m_buffer.OpenUndoGroup(ch != u' ');
    if (HasSelection())
        deleteSelection(CEdTextBuffer::Typing);
    else if (m_overtype && m_caret.ch < lineLength(m_caret.line))
        m_buffer.DeleteRange(m_view, m_caret.line, m_caret.ch, m_caret.line, m_caret.ch + 1, CEdTextBuffer::Typing);
    const char16_t text[1] = {ch};
    insertAtCaret(std::u16string_view(text, 1), CEdTextBuffer::Typing);
    closeGroup();
    return true;
}

bool CEdEditCore::Enter()
{
    if (!usable())
        return false;
    if (m_overtype && m_caret.line < lastLine()) {
        SetCaret(STextPos{0, m_caret.line + 1});
        return true;
    }
    m_buffer.OpenUndoGroup(false);
    deleteSelection(CEdTextBuffer::Typing);
    insertAtCaret(u"\r\n", CEdTextBuffer::Typing);
    closeGroup();
    return true;
}

// ---- Deleting

bool CEdEditCore::Backspace()
{
    if (!usable())
        return false;
    m_buffer.OpenUndoGroup(false);
    const bool done =
        HasSelection() ? deleteSelection(CEdTextBuffer::Backspace) : deleteCharBefore(CEdTextBuffer::Backspace);
    closeGroup();
    return done;
}

bool CEdEditCore::Delete()
{
    if (!usable())
        return false;
    m_buffer.OpenUndoGroup(false);
    const bool done = HasSelection() ? deleteSelection(CEdTextBuffer::Delete) : deleteCharAfter(CEdTextBuffer::Delete);
    closeGroup();
    return done;
}

bool CEdEditCore::DeleteWordRight()
{
    if (!usable())
        return false;
    if (!HasSelection())
        m_caret = EdWordRight(m_buffer, m_caret);
    return Delete();
}

bool CEdEditCore::DeleteWordLeft()
{
    if (!usable())
        return false;
    if (!HasSelection())
        m_caret = EdWordLeft(m_buffer, m_caret);
    return Delete();
}

bool CEdEditCore::ReplaceSelection(std::u16string_view text, std::int32_t action)
{
    if (!usable())
        return false;
    deleteSelection(action);
    insertAtCaret(text, action);
    return true;
}

// ---- Case commands

bool CEdEditCore::ConvertCase(EEdCaseConversion conversion)
{
    if (!usable() || !HasSelection())
        return false;
    static constexpr std::int32_t kActions[] = {CEdTextBuffer::LowerCase, CEdTextBuffer::UpperCase,
                                                CEdTextBuffer::InvertCase, CEdTextBuffer::Capitalize,
                                                CEdTextBuffer::Sentencize};
    const std::int32_t action = kActions[static_cast<int>(conversion)];
    const std::u16string text = SelectedText();
    const std::u16string converted = EdConvertCase(text, conversion);
    if (converted == text)
        return false;
    const STextPos start = SelStart();
    m_buffer.OpenUndoGroup(false);
    deleteSelection(action);
    insertAtCaret(converted, action);
    closeGroup();
    SetSelection(start, m_caret);
    return true;
}

// ---- Moving

bool CEdEditCore::MatchBracket()
{
    if (m_buffer.LineCount() == 0)
        return false;
    const std::optional<STextPos> partner = EdFindMatchingBracket(m_buffer, m_caret, m_settings.textType);
    if (!partner)
        return false;
    SetCaret(*partner);
    return true;
}

bool CEdEditCore::GotoLine(std::u16string_view text)
{
    const std::optional<std::int32_t> target = EdGotoLineTarget(text, m_caret.line, m_buffer.LineCount());
    if (!target)
        return false;
    SetCaret(EdGotoLineCaret(m_caret.ch, *target, lineLength(*target)));
    return true;
}

bool CEdEditCore::CanGotoLastChange() const { return m_buffer.LastChange().line >= 0 && m_buffer.LineCount() > 0; }

bool CEdEditCore::GotoLastChange()
{
    if (!CanGotoLastChange())
        return false;
    STextPos pos = m_buffer.LastChange();
    pos.line = std::min(pos.line, lastLine());
    pos.ch = std::clamp(pos.ch, 0, lineLength(pos.line));
    SetCaret(pos);
    return true;
}

// ---- Clipboard

std::u16string CEdEditCore::Copy() const { return EdTextToExternal(SelectedText()); }

bool CEdEditCore::Cut(std::u16string& text)
{
    if (!usable() || !HasSelection())
        return false;
    text = Copy();
    m_buffer.OpenUndoGroup(false);
    const bool done = deleteSelection(CEdTextBuffer::Cut);
    closeGroup();
    if (!done)
        text.clear();
    return done;
}

bool CEdEditCore::Paste(std::u16string_view text)
{
    if (!usable() || text.empty())
        return false;
    m_buffer.OpenUndoGroup(false);
    ReplaceSelection(EdTextFromExternal(text), CEdTextBuffer::Paste);
    closeGroup();
    return true;
}

// ---- Drag and drop

std::u16string CEdEditCore::BeginDrag()
{
    if (!HasSelection())
        return {};
    m_dragging = true;
    m_dragStart = SelStart();
    m_dragEnd = SelEnd();
    m_dropInside = false;
    m_droppedHere = false;
    return Copy();
}

bool CEdEditCore::Drop(STextPos pos, std::u16string_view text)
{
    if (!usable() || pos.line < 0 || pos.line > lastLine() || pos.ch < 0 || pos.ch > lineLength(pos.line))
        return false;
    // A drop onto its own start or end would leave the copy inside the range the move deletes.
    if (m_dragging && m_dragStart <= pos && pos <= m_dragEnd) {
        m_dropInside = true;
        SetCaret(pos);
        return true;
    }
    const std::u16string inserted = EdTextFromExternal(text);
    if (inserted.empty())
        return false;
    m_buffer.OpenUndoGroup(false);
    SetCaret(pos);
    const bool done = insertAtCaret(inserted, CEdTextBuffer::DragDrop);
    closeGroup();
    if (!done)
        return false;
    SetSelection(pos, m_caret);
    m_droppedHere = m_dragging;
    return true;
}

bool CEdEditCore::EndDrag(bool moved)
{
    if (!m_dragging)
        return false;
    m_dragging = false;
    if (!moved || m_dropInside || !usable() || m_dragStart == m_dragEnd)
        return false;
    // The dropped copy stays selected: the deletion moves the selection with the text.
    m_buffer.OpenUndoGroup(m_droppedHere);
    const bool done = m_buffer.DeleteRange(m_view, m_dragStart.line, m_dragStart.ch, m_dragEnd.line, m_dragEnd.ch,
                                           CEdTextBuffer::DragDrop);
    closeGroup();
    return done;
}

}  // namespace brindle
