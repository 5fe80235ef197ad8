// Painting of the hex view: the rows of the window (or of a printed page), the selection and the
// caret.
#include "hex_view/hex_edit_view.h"

#include "hex_view/hex_format.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace brindle {

void CHexEditView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    painter.fillRect(area, Qt::white);
    if (size() <= 0)
        return;
    ensureLayout();
    const int rows = (area.height() + m_charHeight - 1) / m_charHeight;
    paintRows(painter, {area, m_top, rows, m_charWidth, m_charHeight, m_hexX, m_textX}, true);
    paintCaret(painter);
}

void CHexEditView::paintRows(QPainter& painter, const SRowGeometry& rows, bool showSelection) const
{
    const QColor normalText = palette().color(QPalette::Active, QPalette::WindowText);
    const bool selection = showSelection && hasSelection();
    const int digits = addressDigits();
    const int ascent = QFontMetrics(painter.font()).ascent();
    const char* data = reinterpret_cast<const char*>(bytes().data());
    painter.setPen(normalText);
    for (int k = 0; k < rows.maxRows; ++k) {
        const std::int64_t offset = rows.firstOffset + static_cast<std::int64_t>(k) * m_bytesPerRow;
        const int y = rows.area.top() + k * rows.charHeight;
        if (offset >= size() || y >= rows.area.bottom() + 1)
            break;
        const int count = static_cast<int>(std::min<std::int64_t>(m_bytesPerRow, size() - offset));
        const int baseline = y + ascent;
        if (m_flags & kShowAddress)
            drawCells(painter, rows.area.left(), baseline, rows.charWidth, hex::addressTextOfWidth(offset, digits));
        if (m_flags & kShowHex)
            drawCells(painter, rows.area.left() + rows.hexX, baseline, rows.charWidth,
                      hex::hexText(data + offset, count, m_bytesPerRow));
        if (m_flags & kShowText)
            drawCells(painter, rows.area.left() + rows.textX, baseline, rows.charWidth,
                      hex::charText(data + offset, count));
        if (selection && offset + count > orderedStart() && offset < orderedEnd()) {
            paintSelectedCells(painter, rows, offset, y, count);
            painter.setPen(normalText);
        }
    }
}

// The selected cells of one row again, in the highlight colours, in the column the selection was
// made in.
void CHexEditView::paintSelectedCells(QPainter& painter, const SRowGeometry& rows, std::int64_t offset, int y,
                                      int count) const
{
    const bool inHex = (m_area == kHexHigh || m_area == kHexLow) && (m_flags & kShowHex);
    const bool inText = m_area == kTextArea && (m_flags & kShowText);
    if (!inHex && !inText)
        return;
    const int from = static_cast<int>(std::max<std::int64_t>(orderedStart() - offset, 0));
    const int to = static_cast<int>(std::min<std::int64_t>(orderedEnd() - offset, count));
    const int cell = inHex ? 3 : 1;
    const int left = rows.area.left() + (inHex ? rows.hexX : rows.textX) + from * cell * rows.charWidth;
    painter.fillRect(QRect(left, y, (to - from) * cell * rows.charWidth, rows.charHeight),
                     palette().color(QPalette::Active, QPalette::Highlight));
    painter.setPen(palette().color(QPalette::Active, QPalette::HighlightedText));
    const char* first = reinterpret_cast<const char*>(bytes().data()) + offset + from;
    const QString text = inHex ? hex::hexText(first, to - from, to - from) : hex::charText(first, to - from);
    drawCells(painter, left, y + QFontMetrics(painter.font()).ascent(), rows.charWidth, text);
}

// Each character in its own cell: a font whose advance has a fraction of a pixel would otherwise
// push the text column into the hex column and the caret away from its character.
void CHexEditView::drawCells(QPainter& painter, int x, int baseline, int charWidth, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u' ')
            painter.drawText(x + static_cast<int>(i) * charWidth, baseline, QString(text[i]));
    }
}

int CHexEditView::cellWidth(const QFont& font, QPaintDevice* device)
{
    const QFontMetricsF metrics(font, device);
    return std::max(1, static_cast<int>(std::ceil(metrics.horizontalAdvance(QLatin1Char('0')))));
}

QRect CHexEditView::caretRect()
{
    ensureLayout();
    return caretCell();
}

QRect CHexEditView::caretCell() const
{
    if (m_caret < m_top || m_caret > m_top + static_cast<std::int64_t>(m_visibleRows) * m_bytesPerRow)
        return {};
    const std::int64_t relative = m_caret - m_top;
    const int row = static_cast<int>(relative / m_bytesPerRow);
    const int n = static_cast<int>(relative % m_bytesPerRow);
    const int width = m_insert ? 1 : m_charWidth;
    switch (m_area) {
    case kTextArea: return {m_textX + n * m_charWidth, row * m_charHeight, width, m_charHeight};
    case kHexHigh: return {m_hexX + 3 * n * m_charWidth, row * m_charHeight, width, m_charHeight};
    case kHexLow: return {m_hexX + (3 * n + 1) * m_charWidth, row * m_charHeight, width, m_charHeight};
    default: return {0, row * m_charHeight, addressDigits() * m_charWidth, m_charHeight};
    }
}

void CHexEditView::paintCaret(QPainter& painter) const
{
    if (!m_focused || hasSelection())
        return;
    const QRect caret = caretCell();
    if (caret.isEmpty())
        return;
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(caret, Qt::white);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

}  // namespace brindle
