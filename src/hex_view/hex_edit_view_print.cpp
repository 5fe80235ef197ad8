// Printing of the hex view: header, rows and footer on every page.
#include "hex_view/hex_edit_view.h"

#include "framework/document.h"
#include "framework/print_preview.h"
#include "framework/print_setup_dlg.h"
#include "framework/resources.h"
#include "framework/string_ids.h"

#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

namespace brindle {

QPrinter& CHexEditView::printer() { return sharedPrinter(); }

void CHexEditView::print(bool withDialog)
{
    if (withDialog) {
        QPrintDialog dialog(&printer(), this);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    printTo(printer());
}

void CHexEditView::printPreview()
{
    showPrintPreview(printer(), this, [this](QPrinter* target) { printTo(*target); });
}

QString CHexEditView::printHeaderTitle() const
{
    const CDocument* doc = document();
    if (!doc)
        return {};
    return doc->pathName().isEmpty() ? doc->title() : doc->pathName();
}

int CHexEditView::printTo(QPrinter& target)
{
    QPainter painter;
    if (!painter.begin(&target))
        return 0;
    // The screen font scaled to the printer's resolution, at half its size on paper.
    QFont font = m_font;
    const double scale = static_cast<double>(target.logicalDpiY()) / (logicalDpiY() * 2.0);
    font.setPixelSize(std::max(1, static_cast<int>(m_font.pixelSize() * scale)));
    painter.setFont(font);
    const QFontMetrics metrics(font, &target);
    const int charWidth = cellWidth(font, &target);
    const int lineHeight = std::max(1, metrics.height() + metrics.leading());
    const QRect page = painter.viewport();
    const int linesPerPage = std::max(1, page.height() / lineHeight - 5);
    const std::int64_t rows = (size() + m_bytesPerRow - 1) / m_bytesPerRow;
    const int pageCount = static_cast<int>(std::max<std::int64_t>((linesPerPage + rows - 1) / linesPerPage, 1));
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    const QString stamp = locale.toString(now.date(), QLocale::ShortFormat) + QStringLiteral("  ") +
                          locale.toString(now.time(), QLocale::ShortFormat);
    const auto [hexX, textX] = columnXs(charWidth);
    const QString header = printHeaderTitle();
    const QString printedBy = loadString(res::kStrPrintedBy);
    for (int number = 1; number <= pageCount; ++number) {
        if (number > 1)
            target.newPage();
        painter.drawText(QRect(page.left(), page.top(), page.width(), lineHeight), Qt::AlignLeft, header);
        painter.drawText(QRect(page.left(), page.top(), page.width(), lineHeight), Qt::AlignRight, printedBy);
        const int headerRule = page.top() + lineHeight + lineHeight / 4;
        painter.drawLine(page.left(), headerRule, page.right(), headerRule);
        const QRect body(page.left(), page.top() + 2 * lineHeight, page.width(), linesPerPage * lineHeight);
        if (size() > 0) {
            const std::int64_t firstOffset = static_cast<std::int64_t>(m_bytesPerRow) * (number - 1) * linesPerPage;
            paintRows(painter, {body, firstOffset, linesPerPage, charWidth, lineHeight, hexX, textX}, false);
        }
        const int footerTop = page.bottom() - lineHeight;
        const int footerRule = footerTop - lineHeight / 4;
        painter.drawLine(page.left(), footerRule, page.right(), footerRule);
        const QRect footer(page.left(), footerTop, page.width(), lineHeight);
        painter.drawText(footer, Qt::AlignLeft, loadString(res::kStrPageOf).arg(number).arg(pageCount));
        painter.drawText(footer, Qt::AlignRight, stamp);
    }
    painter.end();
    // After a job the view starts over.
    clearSelection();
    m_caret = 0;
    m_area = kHexHigh;
    m_top = 0;
    markLayoutDirty();
    return pageCount;
}

}  // namespace brindle
