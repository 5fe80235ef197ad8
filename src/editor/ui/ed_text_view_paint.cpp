// CEdTextView: painting, mouse, wheel and timers.
#include "editor/ui/ed_text_view.h"

#include "editor/colour_runs.h"
#include "editor/colour_table.h"
#include "editor/text_columns.h"
#include "editor/ui/ed_colours.h"
#include "editor/ui/ed_margin_icons.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace brindle {

namespace {

constexpr char16_t kSpaceMark = u'\u2022';  // code 149 of the Western code page
constexpr char16_t kTabMark = u'\u00BB';
constexpr int kAutoScrollMs = 100;
constexpr int kWheelUnitsPerLine = 40;

}  // namespace

// ---- Painting

void CEdTextView::paintEvent(QPaintEvent* event)
{
    // Qt paints widgets into a back buffer and shows it in one step, so nothing flickers.
    QPainter painter(viewport());
    const QRect clip = event->rect();
    const int width = viewport()->width();
    const int height = viewport()->height();
    painter.fillRect(clip, ColorOfIndex(kViewBackground));
    int y = 0;
    if (m_buffer) {
        const int lineHeight = GetLineHeight();
        int firstRow = m_topSubRow;
        for (int line = m_topLine; y < height && line < m_buffer->LineCount(); ++line, firstRow = 0) {
            const int rows = GetRowCount(line) - firstRow;
            const QRect rect(0, y, width, rows * lineHeight);
            if (rect.intersects(clip))
                PaintLine(painter, rect, line, firstRow);
            y += rect.height();
        }
    }
    if (y < height)
        painter.fillRect(QRect(0, y, GetMarginWidth(), height - y),
                         ColorOfIndex(m_selMargin ? kViewMargin : kViewMarginOff));
    if (m_caretShown && m_caretBlinkOn)
        painter.fillRect(m_caretRect, ColorOfIndex(kViewNormalText));
}

void CEdTextView::PaintLine(QPainter& painter, const QRect& rect, int line, int firstRow)
{
    std::vector<SColourBlock> blocks;
    const std::uint32_t endState = ColourLine(GetParseCookie(line), line, &blocks);
    if (m_parseStates.size() < static_cast<std::size_t>(m_buffer->LineCount()))
        m_parseStates.resize(static_cast<std::size_t>(m_buffer->LineCount()));
    if (line == m_parseValid) {
        m_parseStates[static_cast<std::size_t>(line)] = endState;
        ++m_parseValid;
    }
    const int lineHeight = GetLineHeight();
    const int rows = GetRowCount(line);
    for (int row = firstRow, y = rect.y(); row < rows && y < rect.bottom(); ++row, y += lineHeight)
        paintRow(painter, line, row, y, blocks);
    if (firstRow == 0)
        PaintMargin(painter, QRect(0, rect.y(), GetMarginWidth(), lineHeight), line);
    else
        painter.fillRect(QRect(0, rect.y(), GetMarginWidth(), rect.height()),
                         ColorOfIndex(m_selMargin ? kViewMargin : kViewMarginOff));
}

void CEdTextView::PaintMargin(QPainter& painter, const QRect& rect, int line)
{
    if (!m_selMargin) {
        painter.fillRect(rect, ColorOfIndex(kViewMarginOff));
        return;
    }
    painter.fillRect(rect, ColorOfIndex(kViewMargin));
    const int icon = m_buffer ? marginIconOfFlags(m_buffer->LineFlags(line)) : -1;
    if (icon >= 0)
        painter.drawPixmap(rect.x() + 2, rect.y() + (rect.height() - kMarginIconSize) / 2, marginIcon(icon));
}

QString CEdTextView::displayText(std::u16string_view chars, int startColumn, bool showWhitespace) const
{
    QString text;
    text.reserve(static_cast<qsizetype>(chars.size()));
    int column = startColumn;
    for (char16_t ch : chars) {
        if (ch == u'\t') {
            const int width = EdCharColumns(ch, column, m_tabSize);
            text += showWhitespace ? QChar(kTabMark) : QChar(u' ');
            text += QString(width - 1, QChar(u' '));
            column += width;
        } else {
            text += QChar(ch == u' ' && showWhitespace ? kSpaceMark : ch);
            ++column;
        }
    }
    return text;
}

void CEdTextView::drawRun(QPainter& painter, int x, int y, const QString& text, const QFont& font, QColor colour)
{
    if (text.trimmed().isEmpty())
        return;
    painter.setFont(font);
    painter.setPen(colour);
    const QFontMetrics metrics(font);
    const int baseline = y + QFontMetrics(m_fonts.font(false, false)).ascent();
    const int charWidth = GetCharWidth();
    if (metrics.horizontalAdvance(text) == charWidth * text.size()) {
        painter.drawText(x, baseline, text);
        return;
    }
    // A face that is not fixed-pitch, or a bold face wider than the plain one: one cell each.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u' ')
            painter.drawText(x + static_cast<int>(i) * charWidth, baseline, QString(text[i]));
    }
}

void CEdTextView::paintRow(QPainter& painter, int line, int row, int y, const std::vector<SColourBlock>& blocks)
{
    const int lineHeight = GetLineHeight();
    const int charWidth = GetCharWidth();
    const int margin = GetMarginWidth();
    const int width = viewport()->width();
    const int left = margin - (m_wordWrap ? 0 : m_offsetChar) * charWidth;
    QColor lineBack;
    QColor lineText;
    const bool coloured = ColorsOfLine(line, lineBack, lineText);
    painter.fillRect(QRect(margin, y, width - margin, lineHeight), coloured ? lineBack : ColorOfIndex(kViewBackground));
    painter.save();
    painter.setClipRect(QRect(margin, y, width - margin, lineHeight));

    const std::u16string_view text = LineText(line);
    const int end = rowEnd(line, row);
    int at = rowStart(line, row);
    int column = 0;
    std::size_t block = 0;
    while (at < end && left + column * charWidth < width) {
        const SColourRun run = NextColourRun(blocks, block, at, end);
        const int colourIndex = run.inBlock ? run.colour : kViewNormalText;
        int next = run.end;
        for (const STextPos edge : {m_selStart, m_selEnd}) {
            if (edge.line == line && edge.ch > at)
                next = std::min(next, edge.ch);
        }
        const STextPos here{at, line};
        const bool selected = m_selStart <= here && here < m_selEnd;
        const QString shown =
            displayText(text.substr(static_cast<std::size_t>(at), static_cast<std::size_t>(next - at)), column,
                        m_viewTabs || coloured);
        const int x = left + column * charWidth;
        if (selected)
            painter.fillRect(QRect(x, y, static_cast<int>(shown.size()) * charWidth, lineHeight),
                             ColorOfIndex(kColourSelectionBack));
        const QColor colour = selected   ? ColorOfIndex(kColourSelectionText)
                              : coloured ? lineText
                                         : ColorOfIndex(colourIndex);
        drawRun(painter, x, y, shown, FontOfIndex(colourIndex), colour);
        column += static_cast<int>(shown.size());
        at = next;
    }
    // A selected line end shows as one selected cell after the last row.
    const STextPos lineEnd{static_cast<std::int32_t>(text.size()), line};
    if (end == static_cast<int>(text.size()) && m_selStart <= lineEnd && lineEnd < m_selEnd)
        painter.fillRect(QRect(left + column * charWidth, y, charWidth, lineHeight),
                         ColorOfIndex(kColourSelectionBack));
    painter.restore();
}

void CEdTextView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (m_wordWrap)
        m_topSubRow = std::min(m_topSubRow, GetRowCount(m_topLine) - 1);
    updateScrollBars();
    UpdateCaret();
}

void CEdTextView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    const int flash = QApplication::cursorFlashTime();
    if (flash > 0)
        m_caretTimer.start(flash / 2, this);
    m_caretShown = false;  // make UpdateCaret draw it
    UpdateCaret();
}

void CEdTextView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    m_caretTimer.stop();
    UpdateCaret();
}

void CEdTextView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_caretTimer.timerId()) {
        m_caretBlinkOn = !m_caretBlinkOn;
        viewport()->update(m_caretRect);
    } else if (event->timerId() == m_scrollTimer.timerId()) {
        autoScroll();
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

// ---- Mouse

void CEdTextView::selectByMouse(STextPos pos)
{
    STextPos start = m_anchor;
    STextPos end = pos;
    if (m_mouseMode == MouseMode::Words || m_mouseMode == MouseMode::Lines) {
        STextPos from;
        STextPos to;
        if (m_mouseMode == MouseMode::Words)
            wordRange(pos, from, to);
        else
            lineRange(pos.line, from, to);
        if (from < m_mouseAnchorStart) {
            start = m_mouseAnchorEnd;
            end = from;
        } else {
            start = m_mouseAnchorStart;
            end = std::max(to, m_mouseAnchorEnd);
        }
        m_anchor = start;
    }
    SetSelection(start, end);
    m_cursor = end;
    RememberIdealColumn();
    UpdateCaret();
    emitStatus();
}

void CEdTextView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_buffer) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    const STextPos pos = ClientToText(point);
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    m_lastMousePoint = point;
    if (inMargin(point)) {
        if (ctrl) {
            selectAll();
            return;
        }
        m_mouseMode = MouseMode::Lines;
        lineRange(shift ? m_anchor.line : pos.line, m_mouseAnchorStart, m_mouseAnchorEnd);
    } else if (IsSelection() && m_dragEnabled && m_selStart <= pos && pos < m_selEnd) {
        m_preparingToDrag = true;
        return;
    } else {
        if (!shift)
            m_anchor = pos;
        m_mouseMode = ctrl ? MouseMode::Words : MouseMode::Chars;
        if (ctrl)
            wordRange(m_anchor, m_mouseAnchorStart, m_mouseAnchorEnd);
    }
    selectByMouse(pos);
    m_scrollTimer.start(kAutoScrollMs, this);
}

void CEdTextView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_buffer || inMargin(event->position().toPoint())) {
        mousePressEvent(event);
        return;
    }
    m_lastMousePoint = event->position().toPoint();
    const STextPos pos = ClientToText(m_lastMousePoint);
    m_mouseMode = MouseMode::Words;
    wordRange(pos, m_mouseAnchorStart, m_mouseAnchorEnd);
    selectByMouse(pos);
    m_scrollTimer.start(kAutoScrollMs, this);
}

void CEdTextView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_mouseMode == MouseMode::None || !(event->buttons() & Qt::LeftButton)) {
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    m_lastMousePoint = event->position().toPoint();
    if (viewport()->rect().contains(m_lastMousePoint))
        selectByMouse(ClientToText(m_lastMousePoint));
}

void CEdTextView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_mouseMode = MouseMode::None;
        m_preparingToDrag = false;
        m_scrollTimer.stop();
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void CEdTextView::autoScroll()
{
    if (m_mouseMode == MouseMode::None || !m_buffer) {
        m_scrollTimer.stop();
        return;
    }
    const QPoint point = m_lastMousePoint;
    const QRect area = viewport()->rect();
    const int lineHeight = GetLineHeight();
    bool scrolled = false;
    if (point.y() < area.top() || point.y() > area.bottom()) {
        const int distance = point.y() < area.top() ? area.top() - point.y() : point.y() - area.bottom();
        const int rows = distance > lineHeight ? 3 : 1;
        scrollRows(point.y() < area.top() ? -rows : rows);
        scrolled = true;
    }
    if (!m_wordWrap && (point.x() < area.left() || point.x() > area.right())) {
        const int step = point.x() < area.left() ? -1 : 1;
        ScrollToChar(std::clamp(m_offsetChar + step, 0, std::max(0, m_maxLineLength - 1)));
        scrolled = true;
    }
    if (scrolled) {
        const QPoint inside(std::clamp(point.x(), area.left(), area.right()),
                            std::clamp(point.y(), area.top(), area.bottom()));
        selectByMouse(ClientToText(inside));
    }
}

void CEdTextView::wheelEvent(QWheelEvent* event)
{
    m_wheelRemainder += event->angleDelta().y();
    const int rows = m_wheelRemainder / kWheelUnitsPerLine;
    m_wheelRemainder -= rows * kWheelUnitsPerLine;
    if (rows != 0)
        scrollRows(-rows);
    event->accept();
}

}  // namespace brindle
