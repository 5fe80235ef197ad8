// CEdTextView: the commands of its key table and menus (movement, bookmarks, view settings).
#include "editor/ui/ed_text_view.h"

#include "editor/ui/ed_view_commands.h"

#include <QWidget>
#include <algorithm>
#include <functional>

namespace brindle {

void CEdTextView::registerCommands()
{
    registerMovement();
    registerBookmarks();
    registerViewCommands();
    registerPrinting();
}

void CEdTextView::registerMovement()
{
    const auto pair = [this](int id, std::function<void(bool)> run) {
        onCommand(id, [run] { run(false); });
        onCommand(id + 1, [run] { run(true); });
    };
    pair(edcmd::kCharLeft, [this](bool extend) { moveLeft(extend); });
    pair(edcmd::kCharRight, [this](bool extend) { moveRight(extend); });
    pair(edcmd::kWordLeft,
         [this](bool extend) { moveTo(IsSelection() && !extend ? m_selStart : WordToLeft(m_cursor), extend); });
    pair(edcmd::kWordRight,
         [this](bool extend) { moveTo(IsSelection() && !extend ? m_selEnd : WordToRight(m_cursor), extend); });
    pair(edcmd::kLineUp, [this](bool extend) { moveVertical(-1, extend); });
    pair(edcmd::kLineDown, [this](bool extend) { moveVertical(1, extend); });
    pair(edcmd::kPageUp, [this](bool extend) { movePage(false, extend); });
    pair(edcmd::kPageDown, [this](bool extend) { movePage(true, extend); });
    pair(edcmd::kLineEnd, [this](bool extend) { moveTo({LineLength(m_cursor.line), m_cursor.line}, extend); });
    pair(edcmd::kLineHome, [this](bool extend) { moveTo({0, m_cursor.line}, extend); });
    pair(edcmd::kTextHome, [this](bool extend) { moveTo({}, extend); });
    pair(edcmd::kTextEnd, [this](bool extend) {
        const int lastLine = std::max(0, (m_buffer ? m_buffer->LineCount() : 0) - 1);
        moveTo({LineLength(lastLine), lastLine}, extend);
    });
    onCommand(edcmd::kScrollUp, [this] { scrollRows(-1); });
    onCommand(edcmd::kScrollDown, [this] { scrollRows(1); });
    onCommand(edcmd::kCopy, [this] { copy(); });
    onUpdateCommand(edcmd::kCopy, [this](CCmdUI& ui) { ui.enable(IsSelection()); });
    onCommand(edcmd::kSelectAll, [this] { selectAll(); });
}

void CEdTextView::registerBookmarks()
{
    onCommandRange(edcmd::kToggleBookmarkFirst, edcmd::kToggleBookmarkFirst + 9,
                   [this](int id) { toggleBookmark(id - edcmd::kToggleBookmarkFirst); });
    onCommandRange(edcmd::kGoBookmarkFirst, edcmd::kGoBookmarkFirst + 9,
                   [this](int id) { goToBookmark(id - edcmd::kGoBookmarkFirst); });
    onCommand(edcmd::kClearNumberedBookmarks, [this] { clearNumberedBookmarks(); });
    onCommand(edcmd::kToggleAnonymousBookmark, [this] { toggleAnonymousBookmark(); });
    onCommand(edcmd::kNextAnonymousBookmark, [this] { goToAnonymousBookmark(true); });
    onCommand(edcmd::kPrevAnonymousBookmark, [this] { goToAnonymousBookmark(false); });
    onCommand(edcmd::kClearAnonymousBookmarks, [this] { clearAnonymousBookmarks(); });
    const auto needsAnonymous = [this](CCmdUI& ui) { ui.enable(hasAnonymousBookmarks()); };
    onUpdateCommand(edcmd::kNextAnonymousBookmark, needsAnonymous);
    onUpdateCommand(edcmd::kPrevAnonymousBookmark, needsAnonymous);
    onUpdateCommand(edcmd::kClearAnonymousBookmarks, needsAnonymous);
}

void CEdTextView::registerViewCommands()
{
    onCommand(edcmd::kToggleSelectionMargin, [this] { SetSelectionMargin(!m_selMargin); });
    onUpdateCommand(edcmd::kToggleSelectionMargin, [this](CCmdUI& ui) { ui.setCheck(m_selMargin); });
    onCommand(edcmd::kToggleWordWrap, [this] { SetWordWrap(!m_wordWrap); });
    onUpdateCommand(edcmd::kToggleWordWrap, [this](CCmdUI& ui) { ui.setCheck(m_wordWrap); });
    onCommandRange(edcmd::kTextTypeFirst, edcmd::kTextTypeLast, [this](int id) {
        ApplyTextType(&textTypes()[static_cast<std::size_t>(id - edcmd::kTextTypeFirst)]);
    });
    onUpdateCommandRange(edcmd::kTextTypeFirst, edcmd::kTextTypeLast, [this](CCmdUI& ui) {
        ui.setRadio(m_textType && m_textType->type == ui.id() - edcmd::kTextTypeFirst);
    });
    onCommand(edcmd::kRedraw, [this] { viewport()->repaint(); });
    onUpdateCommand(edcmd::kStatusPosition, [this](CCmdUI& ui) {
        ui.enable(m_buffer != nullptr);
        ui.setText(StatusPositionText());
    });
    onUpdateCommand(edcmd::kStatusLineEnd, [this](CCmdUI& ui) {
        const QString text = LineEndText();
        ui.enable(!text.isEmpty());
        ui.setText(text);
    });
}

// ---- Movement

void CEdTextView::moveTo(STextPos pos, bool extend, bool keepIdeal)
{
    if (!m_buffer)
        return;
    if (!extend)
        m_anchor = pos;
    SetSelection(m_anchor, pos);
    m_cursor = pos;
    if (!keepIdeal)
        RememberIdealColumn();
    EnsureVisible(m_cursor);
    UpdateCaret();
    emitStatus();
}

void CEdTextView::moveLeft(bool extend)
{
    STextPos pos = m_cursor;
    if (IsSelection() && !extend)
        pos = m_selStart;
    else if (pos.ch > 0)
        --pos.ch;
    else if (pos.line > 0)
        pos = {LineLength(pos.line - 1), pos.line - 1};
    moveTo(pos, extend);
}

void CEdTextView::moveRight(bool extend)
{
    STextPos pos = m_cursor;
    const int lastLine = (m_buffer ? m_buffer->LineCount() : 0) - 1;
    if (IsSelection() && !extend)
        pos = m_selEnd;
    else if (pos.ch < LineLength(pos.line))
        ++pos.ch;
    else if (pos.line < lastLine)
        pos = {0, pos.line + 1};
    moveTo(pos, extend);
}

void CEdTextView::moveVertical(int rows, bool extend)
{
    if (!m_buffer || m_buffer->LineCount() == 0)
        return;
    int line = m_cursor.line;
    int row = rowOfChar(line, m_cursor.ch);
    stepRows(line, row, rows);
    moveTo({charAtColumn(line, row, m_idealColumn), line}, extend, true);
}

void CEdTextView::movePage(bool down, bool extend)
{
    const int rows = std::max(1, GetScreenLines() - 1) * (down ? 1 : -1);
    scrollRows(rows);
    moveVertical(rows, extend);
}

void CEdTextView::scrollRows(int rows)
{
    int line = m_topLine;
    int row = m_topSubRow;
    stepRows(line, row, rows);
    ScrollToLine(line, row);
}

// ---- Bookmarks

void CEdTextView::toggleBookmark(int n)
{
    if (!m_buffer || m_buffer->LineCount() == 0)
        return;
    const std::uint32_t flag = CEdTextBuffer::BookmarkFlag(n);
    const bool set = !(m_buffer->LineFlags(m_cursor.line) & flag);
    m_buffer->ChangeLineFlag(m_cursor.line, flag, set, true);
}

void CEdTextView::goToBookmark(int n)
{
    if (!m_buffer)
        return;
    const int line = m_buffer->FirstLineWithFlag(CEdTextBuffer::BookmarkFlag(n));
    if (line >= 0)
        moveTo({0, line}, false);
}

void CEdTextView::clearNumberedBookmarks()
{
    if (!m_buffer)
        return;
    for (int n = 0; n <= 9; ++n)
        m_buffer->ChangeLineFlag(-1, CEdTextBuffer::BookmarkFlag(n), false);
}

void CEdTextView::toggleAnonymousBookmark()
{
    if (!m_buffer || m_buffer->LineCount() == 0)
        return;
    const bool set = !(m_buffer->LineFlags(m_cursor.line) & CEdTextBuffer::BookmarkAnonymous);
    m_buffer->ChangeLineFlag(m_cursor.line, CEdTextBuffer::BookmarkAnonymous, set, false);
}

void CEdTextView::goToAnonymousBookmark(bool next)
{
    if (!m_buffer || m_buffer->LineCount() == 0)
        return;
    const int line = next ? m_buffer->NextBookmarkLine(m_cursor.line) : m_buffer->PrevBookmarkLine(m_cursor.line);
    if (line >= 0)
        moveTo({0, line}, false);
}

void CEdTextView::clearAnonymousBookmarks()
{
    if (!m_buffer)
        return;
    for (int line = 0; line < m_buffer->LineCount(); ++line) {
        if (m_buffer->LineFlags(line) & CEdTextBuffer::BookmarkAnonymous)
            m_buffer->ChangeLineFlag(line, CEdTextBuffer::BookmarkAnonymous, false, false);
    }
    m_anonymousBookmarksSeen = false;
}

bool CEdTextView::hasAnonymousBookmarks() const
{
    // Only a view that has seen a mark set searches the lines.
    return m_buffer && m_anonymousBookmarksSeen && m_buffer->FirstLineWithFlag(CEdTextBuffer::BookmarkAnonymous) >= 0;
}

}  // namespace brindle
