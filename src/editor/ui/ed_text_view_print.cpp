// CEdTextView: printing, print preview and page setup.
#include "editor/ui/ed_text_view.h"

#include "editor/colour_runs.h"
#include "editor/ui/ed_colours.h"
#include "editor/ui/ed_page_setup.h"
#include "editor/ui/ed_view_commands.h"
#include "framework/print_preview.h"
#include "framework/print_setup_dlg.h"
#include "platform/settings_store.h"

#include <QFontMetrics>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

namespace brindle {

namespace {

// Page geometry in printer pixels: a header row and a blank row above the text, a blank row and
// a footer row below it.
struct SPageLayout {
    int width = 0;
    int lineHeight = 1;
    int charWidth = 1;
    int ascent = 0;
    int textTop = 0;
    int rowsPerPage = 1;
    int footerTop = 0;
    int columns = 1;
};

SPageLayout layoutPage(const QPrinter& printer, const QFont& font)
{
    SPageLayout layout;
    const QRectF area = printer.pageRect(QPrinter::DevicePixel);
    const QFontMetrics metrics(font, &printer);
    layout.width = static_cast<int>(area.width());
    layout.lineHeight = std::max(1, metrics.lineSpacing());
    layout.charWidth = std::max(1, metrics.horizontalAdvance(u'X'));
    layout.ascent = metrics.ascent();
    layout.textTop = 2 * layout.lineHeight;
    const int textHeight = static_cast<int>(area.height()) - 4 * layout.lineHeight;
    layout.rowsPerPage = std::max(1, textHeight / layout.lineHeight);
    layout.footerTop = layout.textTop + (layout.rowsPerPage + 1) * layout.lineHeight;
    layout.columns = std::max(1, layout.width / layout.charWidth);
    return layout;
}

}  // namespace

void CEdTextView::registerPrinting()
{
    onCommand(edcmd::kPageSetup, [this] { pageSetup(); });
    onCommand(edcmd::kPrint, [this] { print(true); });
    onCommand(edcmd::kPrintDirect, [this] { print(false); });
    onCommand(edcmd::kPrintPreview, [this] { printPreview(); });
    const auto needsBuffer = [this](CCmdUI& ui) { ui.enable(m_buffer != nullptr); };
    onUpdateCommand(edcmd::kPrint, needsBuffer);
    onUpdateCommand(edcmd::kPrintDirect, needsBuffer);
    onUpdateCommand(edcmd::kPrintPreview, needsBuffer);
}

QPrinter& CEdTextView::printer()
{
    // The program's printer, with the editor's own margins and paper, which Page Setup keeps.
    QPrinter& shared = sharedPrinter();
    SEdPageSetup setup;
    setup.load(userSettingsStore());
    setup.applyTo(shared);
    return shared;
}

void CEdTextView::pageSetup()
{
    SEdPageSetup setup;
    setup.load(userSettingsStore());
    QPageSetupDialog dialog(&printer(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    setup.takeFrom(printer());
    setup.save(userSettingsStore());
}

void CEdTextView::print(bool withDialog)
{
    if (!m_buffer)
        return;
    if (withDialog) {
        QPrintDialog dialog(&printer(), this);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    PrintTo(printer());
}

void CEdTextView::printPreview()
{
    if (!m_buffer)
        return;
    showPrintPreview(printer(), this, [this](QPrinter* target) { PrintTo(*target); });
}

int CEdTextView::PrintTo(QPrinter& target)
{
    if (!m_buffer)
        return 0;
    const QFont& plain = m_fonts.font(false, false);
    const SPageLayout layout = layoutPage(target, plain);
    // Long lines are wrapped at the paper's width rather than cut off.
    std::vector<std::int32_t> breaks;
    long long rowCount = 0;
    for (int line = 0; line < m_buffer->LineCount(); ++line) {
        m_wrapper.WrapLine(m_buffer->LineText(line), layout.columns, m_tabSize, breaks);
        rowCount += static_cast<long long>(breaks.size()) + 1;
    }
    const int pageCount = static_cast<int>(std::max(1LL, (rowCount + layout.rowsPerPage - 1) / layout.rowsPerPage));

    QPainter painter;
    if (!painter.begin(&target))
        return 0;
    const auto frame = [&](int page) {
        painter.setFont(plain);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, 0, layout.width, layout.lineHeight), Qt::AlignHCenter | Qt::TextSingleLine,
                         PrintHeaderText(page));
        painter.drawText(QRect(0, layout.footerTop, layout.width, layout.lineHeight),
                         Qt::AlignHCenter | Qt::TextSingleLine, PrintFooterText(page, pageCount));
    };
    int page = 1;
    int rowOnPage = 0;
    frame(page);
    std::uint32_t state = 0;
    std::vector<SColourBlock> blocks;
    for (int line = 0; line < m_buffer->LineCount(); ++line) {
        blocks.clear();
        state = ColourLine(state, line, &blocks);
        const std::u16string_view text = m_buffer->LineText(line);
        m_wrapper.WrapLine(text, layout.columns, m_tabSize, breaks);
        breaks.push_back(static_cast<std::int32_t>(text.size()));
        std::int32_t start = 0;
        std::size_t block = 0;
        for (std::int32_t end : breaks) {
            if (rowOnPage == layout.rowsPerPage) {
                target.newPage();
                frame(++page);
                rowOnPage = 0;
            }
            const int y = layout.textTop + rowOnPage * layout.lineHeight + layout.ascent;
            int column = 0;
            for (std::int32_t at = start; at < end;) {
                const SColourRun run = NextColourRun(blocks, block, at, end);
                const std::int32_t next = run.end;
                const int colourIndex = run.inBlock ? run.colour : kViewNormalText;
                const QString shown = displayText(
                    text.substr(static_cast<std::size_t>(at), static_cast<std::size_t>(next - at)), column, false);
                painter.setFont(FontOfIndex(colourIndex));
                painter.setPen(ColorOfIndex(colourIndex));
                for (qsizetype i = 0; i < shown.size(); ++i) {
                    if (shown[i] != u' ')
                        painter.drawText((column + static_cast<int>(i)) * layout.charWidth, y, QString(shown[i]));
                }
                column += static_cast<int>(shown.size());
                at = next;
            }
            ++rowOnPage;
            start = end;
        }
    }
    painter.end();
    return pageCount;
}

}  // namespace brindle
