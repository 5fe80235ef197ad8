#include "editor/ui/ed_text_view.h"

#include "editor/ed_word_moves.h"
#include "editor/text_columns.h"
#include "editor/ui/ed_colours.h"
#include "editor/ui/ed_remembered_pos.h"
#include "editor/ui/ed_view_commands.h"
#include "editor/word_char.h"
#include "framework/document.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "framework/win_app.h"
#include "platform/fill_template.h"
#include "platform/profile.h"
#include "platform/settings_store.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPrinter>
#include <QScrollBar>
#include <algorithm>

namespace brindle {

namespace {

constexpr int kDefaultTabSize = 4;
constexpr int kMaxTabSize = 64;

// Fills the two "%d" of format; the resource texts are printf templates, but they must not reach
// a printf.
QString formatNumbers(const QString& format, int first, int second)
{
    return toQString(
        fillTemplate(toU16String(format), {toU16String(QString::number(first)), toU16String(QString::number(second))}));
}

}  // namespace

CEdTextView::CEdTextView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);
    registerCommands();
    loadAccelerators();
    updateScrollBars();
}

CEdTextView::~CEdTextView()
{
    // The place the next opening of the same file goes back to.
    if (m_rememberCaretPos && m_buffer && document() && !document()->pathName().isEmpty())
        writeRememberedPos(userSettingsStore(), toU16String(document()->pathName()), GetCursorPos());
    // Not DetachFromBuffer: resetting a view that is going away would only repaint it.
    if (m_buffer)
        m_buffer->DetachView(this);
}

void CEdTextView::onInitialUpdate()
{
    if (!m_buffer) {
        if (CEdTextBuffer* buffer = LocateTextBuffer())
            AttachToBuffer(buffer);
    }
    const QString path = document() ? document()->pathName() : QString();
    if (!path.isEmpty())
        ApplyTextTypeByPath(toU16String(path));
    // The program's shared text font: a font chosen in the compare dialog reaches every editor
    // opened afterwards, even when that dialog was then cancelled.
    if (CWinApp* app = CWinApp::instance())
        SetTextFont(app->textFont().family(), app->textFont().pointSize());
    if (m_rememberCaretPos && m_buffer && !path.isEmpty()) {
        if (auto pos = readRememberedPos(userSettingsStore(), toU16String(path));
            pos && pos->line >= 0 && pos->line < m_buffer->LineCount()) {
            if (pos->ch < 0 || pos->ch > m_buffer->LineLength(pos->line))
                pos->ch = 0;
            MoveCaretTo(*pos);
            EnsureVisible(*pos);
        }
    }
    CView::onInitialUpdate();
}

// ---- Buffer

void CEdTextView::AttachToBuffer(CEdTextBuffer* buffer)
{
    if (m_buffer == buffer)
        return;
    DetachFromBuffer();
    m_buffer = buffer;
    if (m_buffer)
        m_buffer->AttachView(this);
    ResetView();
}

void CEdTextView::DetachFromBuffer()
{
    if (!m_buffer)
        return;
    m_buffer->DetachView(this);
    m_buffer = nullptr;
    ResetView();
}

void CEdTextView::ResetView()
{
    m_parseStates.clear();
    m_parseValid = 0;
    m_wrapCache.line = -1;
    m_actualLengths.assign(m_buffer ? static_cast<std::size_t>(m_buffer->LineCount()) : 0, -1);
    m_maxLineLength = 0;
    m_fonts.release();
    m_lineHeight = m_charWidth = 0;
    m_cursor = m_anchor = m_selStart = m_selEnd = STextPos{};
    m_idealColumn = 0;
    m_topLine = m_topSubRow = m_offsetChar = 0;
    // A load applies the file's text type before it resets its views; going back to 4 here would
    // lose the type's tab size, so the current type's is kept.
    m_tabSize = m_textType ? static_cast<int>(m_textType->tabSize) : kDefaultTabSize;
    m_anonymousBookmarksSeen = false;
    m_mouseMode = MouseMode::None;
    m_preparingToDrag = false;
    updateScrollBars();
    viewport()->update();
    UpdateCaret();
    emitStatus();
}

void CEdTextView::invalidateCaches(int fromLine, bool resize)
{
    m_wrapCache.line = -1;
    fromLine = std::max(fromLine, 0);
    m_parseValid = std::min(m_parseValid, fromLine);
    const std::size_t count = m_buffer ? static_cast<std::size_t>(m_buffer->LineCount()) : 0;
    if (resize) {
        m_parseStates.resize(std::min(m_parseStates.size(), count));
        m_actualLengths.resize(count, -1);
        std::fill(m_actualLengths.begin() + std::min<std::size_t>(static_cast<std::size_t>(fromLine), count),
                  m_actualLengths.end(), -1);
    } else if (static_cast<std::size_t>(fromLine) < m_actualLengths.size()) {
        m_actualLengths[static_cast<std::size_t>(fromLine)] = -1;
    }
}

void CEdTextView::OnBufferChanged(CEdBufferView*, const CEdTextBuffer::CUpdateContext* context,
                                  std::uint32_t updateFlags, std::int32_t line)
{
    if (updateFlags & CEdTextBuffer::Reset) {
        ResetView();
        return;
    }
    if (updateFlags & CEdTextBuffer::FlagsOnly) {
        if (line >= 0 && line < m_buffer->LineCount() && (m_buffer->LineFlags(line) & CEdTextBuffer::BookmarkAnonymous))
            m_anonymousBookmarksSeen = true;
    } else {
        invalidateCaches(line, !(updateFlags & CEdTextBuffer::SingleLine));
    }
    if (context)
        AdjustPositions(*context);
    const bool singleLine = (updateFlags & CEdTextBuffer::SingleLine) && !m_wordWrap;
    InvalidateLines(std::max(line, 0), singleLine ? line : -1);
    updateScrollBars();
    UpdateCaret();
    emitStatus();
}

void CEdTextView::OnEditCompleted(std::int32_t, std::u16string_view) {}

void CEdTextView::AdjustPositions(const CEdTextBuffer::CUpdateContext& context)
{
    for (STextPos* pos : {&m_cursor, &m_anchor, &m_selStart, &m_selEnd})
        context.AdjustPosition(*pos);
    STextPos top{0, m_topLine};
    context.AdjustPosition(top);
    m_topLine = top.line;
    const int lastLine = std::max(0, (m_buffer ? m_buffer->LineCount() : 0) - 1);
    if (m_topLine > lastLine)
        m_topLine = lastLine;
}

void CEdTextView::ApplyTextType(const STextType* type)
{
    if (!type || type == m_textType)
        return;
    m_textType = type;
    m_flags = type->flags;
    SetTabSize(static_cast<int>(type->tabSize));
    SetViewTabs(type->flags & kTextTypeShowTabs);
    SetSelectionMargin(type->flags & kTextTypeSelMargin);
    SetWordWrap(type->flags & kTextTypeWordWrap);
    if (m_buffer)
        m_buffer->SetLineEndStyle(type->lineEndStyle());
    m_parseValid = 0;  // another parser: every state is unknown
    viewport()->update();
    emitStatus();
}

void CEdTextView::ApplyTextTypeByPath(std::u16string_view path)
{
    m_textType = &textTypes()[0];
    const STextType* type = TextTypeOfPath(path);
    if (type && type->type != 0)
        ApplyTextType(type);
    m_parseValid = 0;
    viewport()->update();
}

// ---- Settings

void CEdTextView::SetTabSize(int tabSize)
{
    if (tabSize < 1 || tabSize > kMaxTabSize || tabSize == m_tabSize)
        return;
    m_tabSize = tabSize;
    std::fill(m_actualLengths.begin(), m_actualLengths.end(), -1);
    m_maxLineLength = 0;
    m_offsetChar = 0;
    updateScrollBars();
    viewport()->update();
    UpdateCaret();
}

void CEdTextView::SetViewTabs(bool viewTabs)
{
    m_viewTabs = viewTabs;
    viewport()->update();
}

void CEdTextView::SetSelectionMargin(bool selMargin)
{
    if (m_selMargin == selMargin)
        return;
    m_selMargin = selMargin;
    updateScrollBars();
    viewport()->update();
    UpdateCaret();
}

void CEdTextView::SetWordWrap(bool wordWrap)
{
    if (m_wordWrap == wordWrap)
        return;
    m_wordWrap = wordWrap;
    m_topSubRow = 0;
    m_offsetChar = 0;
    setHorizontalScrollBarPolicy(wordWrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    updateScrollBars();
    RememberIdealColumn();
    EnsureVisible(m_cursor);
    viewport()->update();
    UpdateCaret();
}

void CEdTextView::SetTextFont(const QString& face, int pointSize)
{
    m_fonts.setDescription(face, pointSize);
    m_lineHeight = m_charWidth = 0;
    updateScrollBars();
    viewport()->update();
    UpdateCaret();
}

const QFont& CEdTextView::FontOfIndex(int colourIndex)
{
    return m_fonts.font(IsBoldIndex(colourIndex), IsItalicIndex(colourIndex));
}

void CEdTextView::recalcMetrics() const
{
    if (m_lineHeight > 0)
        return;
    const QFontMetrics metrics(m_fonts.font(false, false));
    m_lineHeight = std::max(1, metrics.lineSpacing());
    m_charWidth = std::max(1, metrics.horizontalAdvance(u'X'));
}

int CEdTextView::GetLineHeight() const
{
    recalcMetrics();
    return m_lineHeight;
}

int CEdTextView::GetCharWidth() const
{
    recalcMetrics();
    return m_charWidth;
}

int CEdTextView::GetScreenLines() const { return std::max(1, viewport()->height() / GetLineHeight()); }

int CEdTextView::GetScreenChars() const
{
    return std::max(1, (viewport()->width() - GetMarginWidth()) / GetCharWidth());
}

int CEdTextView::wrapWidth() const { return GetScreenChars(); }

// ---- Lines, rows and columns

int CEdTextView::LineLength(int line) const
{
    return m_buffer && line >= 0 && line < m_buffer->LineCount() ? m_buffer->LineLength(line) : 0;
}

std::u16string_view CEdTextView::LineText(int line) const
{
    return m_buffer && line >= 0 && line < m_buffer->LineCount() ? m_buffer->LineText(line) : std::u16string_view();
}

void CEdTextView::GetLineBreaks(int line, std::vector<std::int32_t>& breaks) const { breaks = lineBreaks(line); }

const std::vector<std::int32_t>& CEdTextView::lineBreaks(int line) const
{
    static const std::vector<std::int32_t> kNone;
    if (!m_wordWrap)
        return kNone;
    const std::u16string_view text = LineText(line);
    const int width = wrapWidth();
    SWrapCache& cache = m_wrapCache;
    // Every buffer change drops the cache (invalidateCaches); the text's place and length are
    // compared as well, so a change that slipped past that is still seen.
    if (cache.line != line || cache.width != width || cache.tabSize != m_tabSize || cache.text.data() != text.data() ||
        cache.text.size() != text.size()) {
        cache.breaks.clear();
        const_cast<CEdParser&>(m_wrapper).WrapLine(text, width, m_tabSize, cache.breaks);
        cache.line = line;
        cache.width = width;
        cache.tabSize = m_tabSize;
        cache.text = text;
    }
    return cache.breaks;
}

int CEdTextView::GetRowCount(int line) const { return static_cast<int>(lineBreaks(line).size()) + 1; }

int CEdTextView::rowOfChar(int line, int ch) const
{
    const std::vector<std::int32_t>& breaks = lineBreaks(line);
    return static_cast<int>(std::upper_bound(breaks.begin(), breaks.end(), ch) - breaks.begin());
}

int CEdTextView::rowStart(int line, int row) const
{
    if (row <= 0)
        return 0;
    const std::vector<std::int32_t>& breaks = lineBreaks(line);
    return breaks.empty() ? 0
                          : breaks[static_cast<std::size_t>(std::min<int>(row, static_cast<int>(breaks.size())) - 1)];
}

int CEdTextView::rowEnd(int line, int row) const
{
    const std::vector<std::int32_t>& breaks = lineBreaks(line);
    return row < static_cast<int>(breaks.size()) ? breaks[static_cast<std::size_t>(row)] : LineLength(line);
}

int CEdTextView::CalculateActualOffset(int line, int ch) const
{
    const std::u16string_view text = LineText(line);
    ch = std::clamp(ch, 0, static_cast<int>(text.size()));
    int column = 0;
    for (int i = rowStart(line, rowOfChar(line, ch)); i < ch; ++i)
        column += EdCharColumns(text[static_cast<std::size_t>(i)], column, m_tabSize);
    return column;
}

int CEdTextView::GetLineActualLength(int line) const
{
    if (!m_buffer || line < 0 || line >= m_buffer->LineCount())
        return 0;
    if (m_actualLengths.size() != static_cast<std::size_t>(m_buffer->LineCount()))
        m_actualLengths.resize(static_cast<std::size_t>(m_buffer->LineCount()), -1);
    std::int32_t& cached = m_actualLengths[static_cast<std::size_t>(line)];
    if (cached < 0) {
        int column = 0;
        for (char16_t ch : m_buffer->LineText(line))
            column += EdCharColumns(ch, column, m_tabSize);
        cached = column;
        m_maxLineLength = std::max(m_maxLineLength, column);
    }
    return cached;
}

int CEdTextView::charAtColumn(int line, int row, int column) const
{
    const std::u16string_view text = LineText(line);
    const int start = rowStart(line, row);
    const int end = rowEnd(line, row);
    int at = start;
    int col = 0;
    while (at < end) {
        const int width = EdCharColumns(text[static_cast<std::size_t>(at)], col, m_tabSize);
        if (col + width > column)
            break;
        col += width;
        ++at;
    }
    // A position at a break is shown at the start of the next row: stay on this one.
    if (at == end && end < LineLength(line) && end > start)
        --at;
    return at;
}

void CEdTextView::stepRows(int& line, int& row, int rows) const
{
    const int lastLine = (m_buffer ? m_buffer->LineCount() : 0) - 1;
    for (; rows > 0; --rows) {
        if (row + 1 < GetRowCount(line))
            ++row;
        else if (line < lastLine)
            ++line, row = 0;
        else
            break;
    }
    for (; rows < 0; ++rows) {
        if (row > 0)
            --row;
        else if (line > 0)
            --line, row = GetRowCount(line) - 1;
        else
            break;
    }
}

STextPos CEdTextView::ClientToText(QPoint point) const
{
    if (!m_buffer || m_buffer->LineCount() == 0)
        return {};
    int line = m_topLine;
    int row = m_topSubRow;
    stepRows(line, row, std::max(0, point.y()) / GetLineHeight());
    const int charWidth = GetCharWidth();
    const int column =
        std::max(0, point.x() - GetMarginWidth() + charWidth / 2) / charWidth + (m_wordWrap ? 0 : m_offsetChar);
    return {charAtColumn(line, row, column), line};
}

QPoint CEdTextView::TextToClient(STextPos pos) const
{
    const int x =
        GetMarginWidth() + (CalculateActualOffset(pos.line, pos.ch) - (m_wordWrap ? 0 : m_offsetChar)) * GetCharWidth();
    const int row = rowOfChar(pos.line, pos.ch);
    if (pos.line < m_topLine || (pos.line == m_topLine && row < m_topSubRow))
        return {x, -GetLineHeight()};
    int rows = -m_topSubRow;
    const int limit = GetScreenLines() + 1;
    for (int line = m_topLine; line < pos.line && rows <= limit; ++line)
        rows += GetRowCount(line);
    rows += row;
    return {x, std::min(rows, limit) * GetLineHeight()};
}

// ---- Caret and selection

void CEdTextView::GetSelection(STextPos& start, STextPos& end) const
{
    start = m_selStart;
    end = m_selEnd;
}

void CEdTextView::SetCursorPos(STextPos pos)
{
    m_cursor = pos;
    UpdateCaret();
    emitStatus();
}

void CEdTextView::SetAnchor(STextPos pos) { m_anchor = pos; }

void CEdTextView::SetSelection(STextPos start, STextPos end)
{
    if (end < start)
        std::swap(start, end);
    if (start == m_selStart && end == m_selEnd)
        return;
    InvalidateLines(std::min(start.line, m_selStart.line), std::max(end.line, m_selEnd.line));
    m_selStart = start;
    m_selEnd = end;
}

void CEdTextView::MoveCaretTo(STextPos pos)
{
    m_anchor = pos;
    SetSelection(pos, pos);
    SetCursorPos(pos);
    RememberIdealColumn();
}

void CEdTextView::RememberIdealColumn() { m_idealColumn = CalculateActualOffset(m_cursor.line, m_cursor.ch); }

std::u16string CEdTextView::SelectedText() const
{
    std::u16string text;
    if (m_buffer && IsSelection())
        m_buffer->CopyRange(m_selStart.line, m_selStart.ch, m_selEnd.line, m_selEnd.ch, text, u"\n");
    return text;
}

void CEdTextView::EnsureVisible(STextPos pos)
{
    if (!m_buffer)
        return;
    const int row = rowOfChar(pos.line, pos.ch);
    if (pos.line < m_topLine || (pos.line == m_topLine && row < m_topSubRow)) {
        ScrollToLine(pos.line, row);
    } else {
        int line = pos.line;
        int top = row;
        stepRows(line, top, -(GetScreenLines() - 1));
        if (line > m_topLine || (line == m_topLine && top > m_topSubRow))
            ScrollToLine(line, top);
    }
    if (!m_wordWrap) {
        const int column = CalculateActualOffset(pos.line, pos.ch);
        if (column < m_offsetChar)
            ScrollToChar(column);
        else if (column >= m_offsetChar + GetScreenChars())
            ScrollToChar(column - GetScreenChars() + 1);
    }
}

void CEdTextView::ScrollToLine(int topLine, int subRow)
{
    const int lastLine = std::max(0, (m_buffer ? m_buffer->LineCount() : 0) - 1);
    topLine = std::clamp(topLine, 0, lastLine);
    subRow = std::clamp(subRow, 0, GetRowCount(topLine) - 1);
    if (topLine == m_topLine && subRow == m_topSubRow)
        return;
    m_topLine = topLine;
    m_topSubRow = subRow;
    updateScrollBars();
    viewport()->update();
    UpdateCaret();
}

void CEdTextView::ScrollToChar(int offsetChar)
{
    offsetChar = std::max(0, offsetChar);
    if (m_wordWrap || offsetChar == m_offsetChar)
        return;
    m_offsetChar = offsetChar;
    updateScrollBars();
    viewport()->update();
    UpdateCaret();
}

void CEdTextView::InvalidateLines(int first, int last)
{
    if (first < m_topLine && last >= 0 && last < m_topLine)
        return;
    const int y = first <= m_topLine ? 0 : TextToClient({0, first}).y();
    if (y >= viewport()->height())
        return;
    int bottom = viewport()->height();
    if (last >= 0 && !m_wordWrap)
        bottom = std::min(bottom, (last - m_topLine + 1) * GetLineHeight());
    if (bottom > y)
        viewport()->update(0, y, viewport()->width(), bottom - y);
}

void CEdTextView::UpdateCaret()
{
    QRect rect;
    if (m_buffer && hasFocus() && (m_wordWrap || CalculateActualOffset(m_cursor.line, m_cursor.ch) >= m_offsetChar)) {
        const QPoint at = TextToClient(m_cursor);
        if (at.y() >= 0 && at.y() < viewport()->height())
            rect = QRect(at.x(), at.y(), 2, GetLineHeight());
    }
    if (rect == m_caretRect && m_caretShown == rect.isValid())
        return;
    viewport()->update(m_caretRect);
    m_caretRect = rect;
    m_caretShown = rect.isValid();
    m_caretBlinkOn = true;
    viewport()->update(m_caretRect);
}

void CEdTextView::updateScrollBars()
{
    m_syncingScrollBars = true;
    const int lineCount = m_buffer ? m_buffer->LineCount() : 0;
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(0, lineCount - 1));
    vertical->setPageStep(GetScreenLines());
    vertical->setValue(m_topLine);
    QScrollBar* horizontal = horizontalScrollBar();
    if (m_wordWrap) {
        horizontal->setRange(0, 0);
    } else {
        // The longest line is known only for lines seen so far: measuring a million lines up
        // front would make opening slow.
        for (int line = m_topLine, end = std::min(lineCount, m_topLine + GetScreenLines() + 1); line < end; ++line)
            GetLineActualLength(line);
        GetLineActualLength(m_cursor.line);
        horizontal->setRange(0, std::max(m_offsetChar, m_maxLineLength - GetScreenChars() + 1));
        horizontal->setPageStep(GetScreenChars());
        horizontal->setValue(m_offsetChar);
    }
    m_syncingScrollBars = false;
}

void CEdTextView::scrollContentsBy(int, int)
{
    if (m_syncingScrollBars)
        return;
    const int top = verticalScrollBar()->value();
    if (top != m_topLine) {
        m_topLine = top;
        m_topSubRow = 0;
    }
    if (!m_wordWrap)
        m_offsetChar = horizontalScrollBar()->value();
    viewport()->update();
    UpdateCaret();
}

// ---- Words

bool CEdTextView::IsWordChar(char16_t ch) { return isWordChar(ch); }

STextPos CEdTextView::WordToLeft(STextPos pos) const
{
    if (!m_buffer)
        return pos;
    return EdWordLeft(*m_buffer, {std::min(pos.ch, LineLength(pos.line)), pos.line});
}

STextPos CEdTextView::WordToRight(STextPos pos) const { return m_buffer ? EdWordRight(*m_buffer, pos) : pos; }

void CEdTextView::wordRange(STextPos pos, STextPos& start, STextPos& end) const
{
    const std::u16string_view text = LineText(pos.line);
    std::size_t from = static_cast<std::size_t>(std::clamp<int>(pos.ch, 0, static_cast<int>(text.size())));
    if (from == text.size() || !IsWordChar(text[from])) {
        if (from > 0 && IsWordChar(text[from - 1]))
            --from;
        else {
            start = {static_cast<std::int32_t>(from), pos.line};
            end = {static_cast<std::int32_t>(std::min(from + 1, text.size())), pos.line};
            return;
        }
    }
    std::size_t to = from;
    while (from > 0 && IsWordChar(text[from - 1]))
        --from;
    while (to < text.size() && IsWordChar(text[to]))
        ++to;
    start = {static_cast<std::int32_t>(from), pos.line};
    end = {static_cast<std::int32_t>(to), pos.line};
}

void CEdTextView::lineRange(int line, STextPos& start, STextPos& end) const
{
    const int lastLine = std::max(0, (m_buffer ? m_buffer->LineCount() : 0) - 1);
    start = {0, line};
    end = line < lastLine ? STextPos{0, line + 1} : STextPos{LineLength(line), line};
}

// ---- Status

QString CEdTextView::StatusPositionText() const
{
    if (!m_buffer)
        return {};
    QString format = EditorString(edcmd::kStrStatusPosition);
    if (format.isEmpty())
        format = QStringLiteral("Ln %d, Col %d");
    return formatNumbers(format, m_cursor.line + 1, CalculateActualOffset(m_cursor.line, m_cursor.ch) + 1);
}

QString CEdTextView::LineEndText() const
{
    if (!m_buffer)
        return {};
    static constexpr const char16_t* kFallback[] = {u"DOS", u"UNIX", u"MAC"};
    const int style = m_buffer->LineEndStyle();
    if (style < 0 || style > 2)
        return {};
    const QString text = EditorString(edcmd::kStrLineEndDos + style);
    return text.isEmpty() ? toQString(kFallback[style]) : text;
}

void CEdTextView::emitStatus() { emit statusChanged(); }

QString CEdTextView::PrintHeaderText(int) const { return {}; }

QString CEdTextView::PrintFooterText(int page, int pageCount) const
{
    QString format = EditorString(edcmd::kStrPrintFooter);
    if (format.isEmpty())
        format = QStringLiteral("Page %d/%d");
    return formatNumbers(format, page, pageCount);
}

const CResources& CEdTextView::StringModule() const { return CResources::instance(); }

QString CEdTextView::EditorString(int id) const { return StringModule().string(id); }

// ---- Colours

QColor CEdTextView::ColorOfIndex(int index) const { return defaultColourOfIndex(index); }

bool CEdTextView::ColorsOfLine(int line, QColor& back, QColor& text) const
{
    if (!m_buffer || line < 0 || line >= m_buffer->LineCount())
        return false;
    const QColor lineBack = lineBackgroundOfFlags(m_buffer->LineFlags(line));
    if (!lineBack.isValid())
        return false;
    back = lineBack;
    text = QColor(255, 255, 255);
    return true;
}

bool CEdTextView::IsBoldIndex(int) const { return false; }

bool CEdTextView::IsItalicIndex(int) const { return false; }

std::uint32_t CEdTextView::ColourLine(std::uint32_t state, int line, std::vector<SColourBlock>* blocks)
{
    if (!m_textType || !m_textType->parser)
        return 0;
    return m_textType->parser(LineText(line), state, blocks);
}

std::uint32_t CEdTextView::GetParseCookie(int line)
{
    if (!m_buffer || line <= 0)
        return 0;
    line = std::min(line, m_buffer->LineCount());
    if (m_parseStates.size() < static_cast<std::size_t>(m_buffer->LineCount()))
        m_parseStates.resize(static_cast<std::size_t>(m_buffer->LineCount()));
    std::uint32_t state = m_parseValid > 0 ? m_parseStates[static_cast<std::size_t>(m_parseValid - 1)] : 0;
    for (; m_parseValid < line; ++m_parseValid) {
        state = ColourLine(state, m_parseValid, nullptr);
        m_parseStates[static_cast<std::size_t>(m_parseValid)] = state;
    }
    return m_parseStates[static_cast<std::size_t>(line - 1)];
}

// ---- Keys

void CEdTextView::loadAccelerators()
{
    const std::vector<SAccelerator>* table = CResources::instance().accelerators(edcmd::kAcceleratorTable);
    if (!table)
        return;
    for (const SAccelerator& accelerator : *table) {
        const QKeySequence sequence(accelerator.key);
        if (!sequence.isEmpty())
            m_keys.insert(sequence[0].toCombined(), accelerator.id);
    }
}

bool CEdTextView::HandlesCommand(int id)
{
    CCmdUI ui(id);
    return onUpdateCmdUI(ui);
}

int CEdTextView::KeyOfEvent(const QKeyEvent* event)
{
    return QKeyCombination(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key())).toCombined();
}

bool CEdTextView::event(QEvent* event)
{
    // Keys of the view's table win over the frame's shortcuts while the view has the focus.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto it = m_keys.constFind(KeyOfEvent(static_cast<QKeyEvent*>(event)));
        if (it != m_keys.constEnd() && HandlesCommand(*it)) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void CEdTextView::keyPressEvent(QKeyEvent* event)
{
    const auto it = m_keys.constFind(KeyOfEvent(event));
    if (it != m_keys.constEnd() && onCmdMsg(*it)) {
        event->accept();
        return;
    }
    event->ignore();
}

// ---- Clipboard

void CEdTextView::copy()
{
    if (IsSelection())
        QGuiApplication::clipboard()->setText(toQString(SelectedText()));
}

void CEdTextView::selectAll()
{
    if (!m_buffer || m_buffer->LineCount() == 0)
        return;
    const int lastLine = m_buffer->LineCount() - 1;
    const STextPos end{m_buffer->LineLength(lastLine), lastLine};
    m_anchor = {};
    SetSelection({}, end);
    SetCursorPos(end);
    RememberIdealColumn();
    EnsureVisible(end);
}

}  // namespace brindle
