#include "compare_ui/comp_ctrl.h"

#include "compare_ui/find_dlg.h"
#include "compare_ui/pane_text.h"
#include "engine/file_exception.h"
#include "framework/command_ids.h"
#include "framework/light_colours.h"
#include "framework/qt_utf16.h"
#include "framework/resource_script.h"
#include "framework/resources.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <utility>

namespace brindle {

namespace {

constexpr int kContextMenuId = 152;
constexpr int kLeftMargin = 2;
// Room kept between a found text and the find dialog moved out of its way.
constexpr int kRoomAbove = 20;
constexpr int kRoomBelow = 40;

// Unlike the editor's isWordChar (every code from 128 on), the report panes split words as the
// rich-edit control they stand in for does: Unicode letters and digits and "_", so that non-ASCII
// punctuation and spaces end a word here.
bool isRichEditWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

bool isWholeWord(QStringView text, qsizetype start, qsizetype length)
{
    if (start > 0 && isRichEditWordChar(text[start - 1]))
        return false;
    const qsizetype end = start + length;
    return end >= text.size() || !isRichEditWordChar(text[end]);
}

}  // namespace

CCompCtrl::CCompCtrl(QWidget* parent) : QAbstractScrollArea(parent), m_lines(CPaneText::empty())
{
    useLightColours(*this);  // the report's black, blue and red were chosen for a white ground
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);  // drops arrive at the viewport, not the frame around it
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    setFrameShape(QFrame::StyledPanel);
    fontChanged();
}

CCompCtrl::~CCompCtrl() = default;

void CCompCtrl::setRtf(std::string_view rtf) { showText(CPaneText::fromRtf(rtf)); }

void CCompCtrl::setReportPane(std::shared_ptr<const CReportPane> pane)
{
    showText(CPaneText::fromReportPane(std::move(pane)));
}

void CCompCtrl::showText(std::unique_ptr<CPaneText> text)
{
    m_lines = std::move(text);
    QFont font = this->font();
    if (!m_lines->fontFamily().isEmpty())
        font.setFamily(m_lines->fontFamily());
    if (m_lines->pointSize() > 0)
        font.setPointSizeF(m_lines->pointSize());
    m_layout.setFont(font);
    m_selectionAnchor = m_selectionCaret = 0;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    fontChanged();
}

void CCompCtrl::clear()
{
    m_lines = CPaneText::empty();
    m_selectionAnchor = m_selectionCaret = 0;
    fontChanged();
}

// The widest line decides the horizontal range. Measuring a million lines exactly would cost more
// than the comparison, so the longest line in characters is measured and the range grows when a
// visible line turns out wider (widenForVisibleLines).
void CCompCtrl::fontChanged()
{
    m_widestLine = 0;
    if (const int longest = m_lines->longestLine(); longest >= 0)
        m_widestLine = m_layout.width(m_lines->line(longest));
    updateScrollBars();
    widenForVisibleLines();
    viewport()->update();
}

// A visible line measured to its end that is wider than the widest known widens the range. Run
// wherever the visible lines change (text, size, scrolling) so that painting changes nothing.
void CCompCtrl::widenForVisibleLines()
{
    const qreal right = horizontalScrollBar()->value() - kLeftMargin + viewport()->width();
    thread_local std::vector<qreal> positions;
    qreal widest = m_widestLine;
    for (int line = firstVisibleLine(); line < visibleLinesEnd(); ++line) {
        const QString text = m_lines->line(line);
        if (m_layout.positions(text, right, positions) == text.size())
            widest = std::max(widest, positions.back());
    }
    if (widest > m_widestLine) {
        m_widestLine = widest;
        updateScrollBars();
    }
}

int CCompCtrl::visibleLinesEnd() const
{
    return std::min(lineCount(), firstVisibleLine() + viewport()->height() / m_layout.lineHeight() + 2);
}

void CCompCtrl::updateScrollBars()
{
    const int lineHeight = m_layout.lineHeight();
    const int visibleLines = std::max(1, viewport()->height() / lineHeight);
    verticalScrollBar()->setRange(0, std::max(0, lineCount() - visibleLines));
    verticalScrollBar()->setPageStep(visibleLines);
    verticalScrollBar()->setSingleStep(1);
    const int contentWidth = static_cast<int>(std::ceil(m_widestLine)) + 2 * kLeftMargin;
    horizontalScrollBar()->setRange(0, std::max(0, contentWidth - viewport()->width()));
    horizontalScrollBar()->setPageStep(std::max(1, viewport()->width()));
    horizontalScrollBar()->setSingleStep(std::max(1, static_cast<int>(m_layout.averageCharWidth())));
}

int CCompCtrl::lineCount() const { return m_lines->lineCount(); }

QString CCompCtrl::lineText(int line) const
{
    if (line < 0 || line >= lineCount())
        return {};
    return m_lines->line(line);
}

QString CCompCtrl::text() const { return m_lines->text(0, m_lines->textLength()); }

int CCompCtrl::textLength() const { return static_cast<int>(m_lines->textLength()); }

int CCompCtrl::firstVisibleLine() const { return verticalScrollBar()->value(); }

void CCompCtrl::lineScroll(int lines) { verticalScrollBar()->setValue(verticalScrollBar()->value() + lines); }

int CCompCtrl::charFromPos(const QPoint& point) const
{
    if (lineCount() == 0)
        return 0;
    const int line = std::clamp(firstVisibleLine() + point.y() / m_layout.lineHeight(), 0, lineCount() - 1);
    const qreal x = point.x() + horizontalScrollBar()->value() - kLeftMargin;
    return static_cast<int>(m_lines->lineStart(line) + m_layout.indexAt(m_lines->line(line), x));
}

int CCompCtrl::lineFromChar(int position) const { return m_lines->lineOfOffset(position); }

int CCompCtrl::lineIndex(int line) const
{
    if (line < 0 || line >= lineCount())
        return -1;
    return static_cast<int>(m_lines->lineStart(line));
}

void CCompCtrl::setSelection(int start, int end)
{
    const int length = textLength();
    m_selectionAnchor = std::clamp(start, 0, length);
    m_selectionCaret = std::clamp(end < 0 ? length : end, 0, length);
    ensureCaretVisible();
    viewport()->update();
}

int CCompCtrl::selectionStart() const { return std::min(m_selectionAnchor, m_selectionCaret); }
int CCompCtrl::selectionEnd() const { return std::max(m_selectionAnchor, m_selectionCaret); }

QString CCompCtrl::selectedText() const { return m_lines->text(selectionStart(), selectionEnd()); }

void CCompCtrl::selectAll()
{
    m_selectionAnchor = 0;
    m_selectionCaret = textLength();
    viewport()->update();
}

void CCompCtrl::copy() const
{
    if (selectionEnd() > selectionStart())
        QGuiApplication::clipboard()->setText(selectedText());
}

int CCompCtrl::findText(const QString& text, int from, int to, bool matchCase, bool wholeWord) const
{
    const qsizetype length = m_lines->textLength();
    const qsizetype end = to < 0 ? length : std::min<qsizetype>(to, length);
    if (text.isEmpty() || from < 0)
        return -1;
    const Qt::CaseSensitivity sensitivity = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    // The text is read a piece at a time, so that a search of a huge pane never joins it whole.
    // Pieces overlap by the length of the text sought, so a match across their border is found,
    // and reach one character further on each side, for the whole-word test. Only the range is
    // searched: a search that wraps never reads the tail a second time.
    constexpr qsizetype kPiece = qsizetype{1} << 16;
    for (qsizetype start = from; start + text.size() <= end; start += kPiece) {
        const qsizetype stop = std::min(end, start + kPiece + text.size() - 1);
        const qsizetype before = start > 0 ? 1 : 0;
        const QString piece = m_lines->text(start - before, std::min(length, stop + 1));
        const QStringView range = QStringView(piece).first(stop - start + before);
        for (qsizetype at = range.indexOf(text, before, sensitivity); at >= 0;
             at = range.indexOf(text, at + 1, sensitivity)) {
            if (!wholeWord || isWholeWord(piece, at, text.size()))
                return static_cast<int>(start - before + at);
        }
    }
    return -1;
}

void CCompCtrl::showFindDialog()
{
    const QString selection = selectedText();
    const bool usable = !selection.isEmpty() && !selection.contains(u'\n') && !selection.contains(u'\r');
    if (usable)
        m_findText = selection;
    if (!m_findDlg) {
        m_findDlg = new CFindDlg(this);
        connect(m_findDlg, &CFindDlg::findNextRequested, this, &CCompCtrl::onFindNextRequested);
    }
    m_findDlg->setSearch(m_findText, m_matchCase, m_wholeWord);
    m_findDlg->show();
    m_findDlg->raise();
    m_findDlg->activateWindow();
    startSearchPass();
}

void CCompCtrl::onFindNextRequested()
{
    if (!m_findDlg)
        return;
    if (m_findText != m_findDlg->findText() || m_matchCase != m_findDlg->matchCase() ||
        m_wholeWord != m_findDlg->wholeWord())
        startSearchPass();
    m_findText = m_findDlg->findText();
    m_matchCase = m_findDlg->matchCase();
    m_wholeWord = m_findDlg->wholeWord();
    findNext();
}

// One search pass runs forward from where it began to the end, wraps once to the beginning and
// ends where it began; the next Find Next after that starts a new pass.
void CCompCtrl::findNext()
{
    if (m_findText.isEmpty()) {
        showFindDialog();
        return;
    }
    const int start = selectionStart();
    const bool selected = selectionEnd() > start;
    if (m_firstSearch) {
        m_initialSearchPosition = start;
        m_firstSearch = false;
    }
    const int length = textLength();
    const int to = m_initialSearchPosition < 0 ? length + m_initialSearchPosition : length;
    int found = findText(m_findText, start + (selected ? 1 : 0), to, m_matchCase, m_wholeWord);
    if (found < 0 && m_initialSearchPosition > 0) {
        found = findText(m_findText, 0, m_initialSearchPosition, m_matchCase, m_wholeWord);
        m_initialSearchPosition -= length;
    }
    if (found < 0) {
        QApplication::beep();
        startSearchPass();
        return;
    }
    setSelection(found, found + static_cast<int>(m_findText.size()));
    moveFindDialogAway(found);
}

void CCompCtrl::moveFindDialogAway(int position)
{
    if (!m_findDlg || !m_findDlg->isVisible())
        return;
    const int line = lineFromChar(position);
    const qreal x = m_layout.xAt(m_lines->line(line), position - m_lines->lineStart(line));
    const QPoint textTop = viewport()->mapToGlobal(
        QPoint(kLeftMargin + static_cast<int>(x) - horizontalScrollBar()->value(), lineRect(line).top()));
    QRect dialog = m_findDlg->frameGeometry();
    if (!dialog.contains(textTop))
        return;
    const QScreen* screen = m_findDlg->screen();
    const int screenTop = screen ? screen->availableGeometry().top() : 0;
    if (textTop.y() - kRoomAbove - dialog.height() >= screenTop)
        dialog.moveBottom(textTop.y() - kRoomAbove);
    else
        dialog.moveTop(textTop.y() + kRoomBelow);
    m_findDlg->move(dialog.topLeft());
}

int CCompCtrl::horizontalPosition() const { return horizontalScrollBar()->value(); }

void CCompCtrl::setHorizontalPosition(int position) { horizontalScrollBar()->setValue(position); }

void CCompCtrl::scrollToLineAlone(int line)
{
    CCompCtrl* const partner = std::exchange(m_partner, nullptr);
    lineScroll(line - firstVisibleLine());
    m_partner = partner;
}

void CCompCtrl::setHorizontalPositionAlone(int position)
{
    CCompCtrl* const partner = std::exchange(m_partner, nullptr);
    setHorizontalPosition(position);
    m_partner = partner;
}

// The partner follows alone: its own reaction would scroll this pane back.
void CCompCtrl::syncPartnerVertically()
{
    if (m_partner)
        m_partner->scrollToLineAlone(firstVisibleLine());
}

void CCompCtrl::syncPartnerHorizontally()
{
    CCompCtrl* partner = m_partner;
    if (!partner)
        return;
    const QScrollBar* own = horizontalScrollBar();
    const int min = own->minimum();
    const int max = own->maximum();
    const int position = own->value();
    if (min >= max || position < min)
        return;
    const QScrollBar* other = partner->horizontalScrollBar();
    const double share = static_cast<double>(position - min) / (max - min);
    const int target = other->minimum() + static_cast<int>(share * (other->maximum() - other->minimum()));
    partner->setHorizontalPositionAlone(target);
}

void CCompCtrl::scrollContentsBy(int dx, int dy)
{
    widenForVisibleLines();
    viewport()->update();
    if (dy != 0)
        syncPartnerVertically();
    if (dx != 0)
        syncPartnerHorizontally();
}

void CCompCtrl::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    widenForVisibleLines();
}

QRect CCompCtrl::lineRect(int line) const
{
    const int lineHeight = m_layout.lineHeight();
    return QRect(0, (line - firstVisibleLine()) * lineHeight, viewport()->width(), lineHeight);
}

void CCompCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setFont(m_layout.font());
    const int lineHeight = m_layout.lineHeight();
    const int first = firstVisibleLine();
    const int last = visibleLinesEnd();
    for (int line = first; line < last; ++line)
        paintLine(painter, line, (line - first) * lineHeight);
    if (hasFocus() && lineCount() > 0) {
        const int line = lineFromChar(m_selectionCaret);
        const qreal x = m_layout.xAt(m_lines->line(line), m_selectionCaret - m_lines->lineStart(line));
        const int caretX = kLeftMargin + static_cast<int>(x) - horizontalScrollBar()->value();
        painter.fillRect(caretX, lineRect(line).top(), 1, lineHeight, palette().color(QPalette::Text));
    }
}

// Measures the line only up to the right edge of the pane, so a line of megabytes costs no more
// than a short one, and draws its runs piece by piece between tabs.
void CCompCtrl::paintLine(QPainter& painter, int line, int y) const
{
    const QString text = m_lines->line(line);
    const qreal scrollX = horizontalScrollBar()->value() - kLeftMargin;
    const qreal right = scrollX + viewport()->width();
    thread_local std::vector<qreal> positions;
    const qsizetype measured = m_layout.positions(text, right, positions);

    const qsizetype lineStart = m_lines->lineStart(line);
    const qsizetype selStart = std::max<qsizetype>(selectionStart() - lineStart, 0);
    const qsizetype selEnd = std::min<qsizetype>(selectionEnd() - lineStart, text.size() + 1);
    const int lineHeight = m_layout.lineHeight();
    if (selStart < selEnd && selStart <= measured) {
        const qreal left = positions[static_cast<std::size_t>(selStart)];
        const qreal endX = selEnd > measured
                               ? positions[static_cast<std::size_t>(measured)] + m_layout.averageCharWidth()
                               : positions[static_cast<std::size_t>(selEnd)];
        painter.fillRect(QRectF(left - scrollX, y, endX - left, lineHeight), palette().color(QPalette::Highlight));
    }

    const QColor automatic = palette().color(QPalette::Text);
    const QColor highlighted = palette().color(QPalette::HighlightedText);
    qsizetype offset = 0;
    for (const SPaneRun& run : m_lines->runs(line)) {
        const qsizetype runStart = offset;
        offset += run.length;
        if (runStart >= measured)
            break;
        const qsizetype runEnd = std::min(offset, measured);
        for (qsizetype piece = runStart; piece < runEnd;) {
            qsizetype pieceEnd = piece;
            while (pieceEnd < runEnd && text[pieceEnd] != u'\t')
                ++pieceEnd;
            // Selected characters take the highlight colour; cut the piece at the selection edges.
            for (qsizetype part = piece; part < pieceEnd;) {
                const bool inSelection = part >= selStart && part < selEnd;
                qsizetype partEnd = pieceEnd;
                if (inSelection)
                    partEnd = std::min(partEnd, selEnd);
                else if (part < selStart)
                    partEnd = std::min(partEnd, selStart);
                painter.setPen(inSelection ? highlighted : (run.colour.isValid() ? run.colour : automatic));
                painter.drawText(QPointF(positions[static_cast<std::size_t>(part)] - scrollX, y + m_layout.ascent()),
                                 text.mid(part, partEnd - part));
                part = partEnd;
            }
            piece = pieceEnd + 1;
        }
    }
}

void CCompCtrl::moveCaret(int position, bool extend)
{
    m_selectionCaret = std::clamp(position, 0, textLength());
    if (!extend)
        m_selectionAnchor = m_selectionCaret;
    ensureCaretVisible();
    viewport()->update();
}

void CCompCtrl::ensureCaretVisible()
{
    if (lineCount() == 0)
        return;
    const int line = lineFromChar(m_selectionCaret);
    const int visibleLines = std::max(1, viewport()->height() / m_layout.lineHeight());
    if (line < firstVisibleLine())
        verticalScrollBar()->setValue(line);
    else if (line >= firstVisibleLine() + visibleLines)
        verticalScrollBar()->setValue(line - visibleLines + 1);
    const qreal x = m_layout.xAt(m_lines->line(line), m_selectionCaret - m_lines->lineStart(line)) + kLeftMargin;
    QScrollBar* horizontal = horizontalScrollBar();
    if (x < horizontal->value())
        horizontal->setValue(static_cast<int>(x) - kLeftMargin);
    else if (x >= horizontal->value() + viewport()->width())
        horizontal->setValue(static_cast<int>(x) - viewport()->width() / 2);
}

void CCompCtrl::scrollForDrag(const QPoint& point)
{
    if (point.y() < 0)
        lineScroll(-1);
    else if (point.y() >= viewport()->height())
        lineScroll(1);
}

void CCompCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        moveCaret(charFromPos(event->position().toPoint()), (event->modifiers() & Qt::ShiftModifier) != 0);
    QAbstractScrollArea::mousePressEvent(event);
}

void CCompCtrl::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) == 0)
        return;
    const QPoint point = event->position().toPoint();
    scrollForDrag(point);
    moveCaret(charFromPos(point), true);
}

// Unless the handler takes the click, selects the word under the mouse as the rich-edit control
// does.
void CCompCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int position = charFromPos(event->position().toPoint());
    if (m_doubleClickHandler && m_doubleClickHandler(position, event->modifiers()))
        return;
    // A word never reaches past its line.
    const int line = lineFromChar(position);
    const QString text = m_lines->line(line);
    const auto lineStart = static_cast<int>(m_lines->lineStart(line));
    int start = position - lineStart;
    int end = start;
    while (start > 0 && isRichEditWordChar(text[start - 1]))
        --start;
    while (end < text.size() && isRichEditWordChar(text[end]))
        ++end;
    m_selectionAnchor = lineStart + start;
    m_selectionCaret = lineStart + end;
    viewport()->update();
}

void CCompCtrl::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    if (event->matches(QKeySequence::Find)) {
        showFindDialog();
        return;
    }
    if (event->matches(QKeySequence::FindNext)) {
        findNext();
        return;
    }
    const bool extend = (event->modifiers() & Qt::ShiftModifier) != 0;
    const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
    const int caretLine = lineFromChar(m_selectionCaret);
    const int column = m_selectionCaret - lineIndex(caretLine);
    const int page = std::max(1, viewport()->height() / m_layout.lineHeight());
    const auto toLine = [&](int line) {
        line = std::clamp(line, 0, std::max(0, lineCount() - 1));
        const int length = static_cast<int>(m_lines->lineEnd(line) - m_lines->lineStart(line));
        moveCaret(lineIndex(line) + std::min(column, length), extend);
    };
    switch (event->key()) {
    case Qt::Key_Left: moveCaret(m_selectionCaret - 1, extend); break;
    case Qt::Key_Right: moveCaret(m_selectionCaret + 1, extend); break;
    case Qt::Key_Up:
        if (control)
            lineScroll(-1);
        else
            toLine(caretLine - 1);
        break;
    case Qt::Key_Down:
        if (control)
            lineScroll(1);
        else
            toLine(caretLine + 1);
        break;
    case Qt::Key_PageUp:
        lineScroll(-page);
        toLine(caretLine - page);
        break;
    case Qt::Key_PageDown:
        lineScroll(page);
        toLine(caretLine + page);
        break;
    case Qt::Key_Home: moveCaret(control ? 0 : std::max(0, lineIndex(caretLine)), extend); break;
    case Qt::Key_End:
        moveCaret(control || lineCount() == 0 ? textLength() : static_cast<int>(m_lines->lineEnd(caretLine)), extend);
        break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
}

void CCompCtrl::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    emit focusEntered();
}

// The pane is read-only: of the editing items only Copy (with a selection), Select All, Find and
// Find Next do anything.
void CCompCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    const std::vector<SMenuItem>* items = CResources::instance().menu(kContextMenuId);
    if (!items || items->empty() || items->front().children.empty())
        return;
    QMenu menu(this);
    for (const SMenuItem& item : items->front().children) {
        if (item.separator) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(item.text.section(u'\t', 0, 0));
        action->setShortcut(QKeySequence(item.text.section(u'\t', 1)));
        action->setShortcutVisibleInContextMenu(true);
        switch (item.id) {
        case cmd::kEditCopy:
            action->setEnabled(selectionEnd() > selectionStart());
            connect(action, &QAction::triggered, this, &CCompCtrl::copy);
            break;
        case cmd::kEditSelectAll: connect(action, &QAction::triggered, this, &CCompCtrl::selectAll); break;
        case cmd::kEditFind: connect(action, &QAction::triggered, this, &CCompCtrl::showFindDialog); break;
        case cmd::kEditRepeat: connect(action, &QAction::triggered, this, &CCompCtrl::findNext); break;
        default: action->setEnabled(false); break;
        }
    }
    menu.exec(event->globalPos());
}

void CCompCtrl::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() && (event->possibleActions() & Qt::CopyAction)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return;
    }
    event->ignore();
}

void CCompCtrl::dropEvent(QDropEvent* event)
{
    if (!event->mimeData()->hasUrls() || !(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile())
            continue;
        // Whole, however long: a name cut short could name another file.
        const QString path = url.toLocalFile();
        if (const QString problem = toQString(inputFileProblem(toU16String(path))); !problem.isEmpty()) {
            // The pane keeps its file. Said once the drop is over: a modal message inside the
            // drop would hold the dragging program too.
            QTimer::singleShot(
                0, this, [this, problem] { QMessageBox::warning(window(), loadString(res::kStrAppTitle), problem); });
            return;
        }
        m_fileName = path;
        emit fileDropped(m_fileName);
        return;
    }
}

}  // namespace brindle
