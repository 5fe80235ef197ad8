#include "hex_view/hex_edit_view.h"

#include "framework/cmd_target.h"
#include "framework/command_ids.h"
#include "framework/document.h"
#include "framework/light_colours.h"
#include "framework/resources.h"
#include "hex_view/hex_format.h"
#include "platform/available_memory.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLocale>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <tuple>

namespace brindle {

namespace {

const QString kBinaryFormat = QStringLiteral("BinaryData");
constexpr int kAutoScrollInterval = 50;
// The scroll bar's largest value when the rows outnumber it; well below INT_MAX, as Qt adds page
// steps to values.
constexpr std::int64_t kMaxBarValue = std::int64_t{1} << 30;

// Sets the view's kKeyScrolling bit for its life: the scrolling done meanwhile comes from keys or
// commands, so the caret does not follow the bar as it does when the user moves the bar. Every way
// out of the scope clears the bit again (unless it was set before).
class CKeyScrollingScope {
public:
    explicit CKeyScrollingScope(std::uint32_t& flags)
        : m_flags(flags), m_wasSet((flags & CHexEditView::kKeyScrolling) != 0)
    {
        m_flags |= CHexEditView::kKeyScrolling;
    }
    ~CKeyScrollingScope()
    {
        if (!m_wasSet)
            m_flags &= ~CHexEditView::kKeyScrolling;
    }
    CKeyScrollingScope(const CKeyScrollingScope&) = delete;
    CKeyScrollingScope& operator=(const CKeyScrollingScope&) = delete;

private:
    std::uint32_t& m_flags;
    bool m_wasSet;
};

int hexDigit(char16_t character)
{
    if (character >= u'0' && character <= u'9')
        return character - u'0';
    // Uppercase letters are not hex digits here: they are ignored, as users of the view expect.
    if (character >= u'a' && character <= u'f')
        return character - u'a' + 10;
    return -1;
}

// Ctrl+Z alone: with Shift it is the redo key, which the hex view does not answer.
bool isUndoKey(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Z && (event.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

}  // namespace

CHexEditView::CHexEditView(QWidget* parent) : QAbstractScrollArea(parent)
{
    useLightColours(*this);  // painted on white: its text must stay dark on any desktop palette
    m_font = QFont(QStringLiteral("Courier New"));
    m_font.setStyleHint(QFont::TypeWriter);
    m_font.setFixedPitch(true);
    m_font.setPixelSize(12);
    setFont(m_font);
    viewport()->setFont(m_font);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(Qt::IBeamCursor);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CHexEditView::onScrollValueChanged);
    m_autoScroll.setInterval(kAutoScrollInterval);
    connect(&m_autoScroll, &QTimer::timeout, this, &CHexEditView::onAutoScroll);
    registerCommands();
}

CHexEditView::~CHexEditView() = default;

void CHexEditView::registerCommands()
{
    const auto toggle = [this](int id, std::uint32_t flag) {
        onCommand(id, [this, flag] { toggleFlag(flag); });
        onUpdateCommand(id, [this, flag](CCmdUI& ui) { ui.setCheck((m_flags & flag) != 0); });
    };
    toggle(kCmdToggleAddress, kShowAddress);
    toggle(kCmdToggleHex, kShowHex);
    toggle(kCmdToggleText, kShowText);
    toggle(kCmdToggleWide, kWideAddress);
    // The row width is fixed: the items are there, shown disabled.
    onUpdateCommandRange(kCmdBytesPerRowFirst, kCmdBytesPerRowLast, [](CCmdUI& ui) { ui.enable(false); });
    onUpdateCommand(kCmdEditDelete, [](CCmdUI& ui) { ui.enable(false); });
    onCommand(cmd::kEditCopy, [this] { copy(); });
    onCommand(cmd::kEditCut, [this] { cut(); });
    onCommand(cmd::kEditPaste, [this] { paste(); });
    onCommand(kCmdEditClear, [this] { deleteSelection(); });
    for (const int id : {cmd::kEditCut, cmd::kEditPaste, kCmdEditClear})
        onUpdateCommand(id, [this](CCmdUI& ui) { ui.enable(!m_readOnly); });
    onCommand(cmd::kEditSelectAll, [this] { selectAll(); });
    onCommand(cmd::kEditUndo, [this] { undo(); });
    onUpdateCommand(cmd::kEditUndo, [this](CCmdUI& ui) { ui.enable(canUndo()); });
    onCommand(cmd::kFilePrint, [this] { print(true); });
    onCommand(cmd::kFilePrintPreview, [this] { printPreview(); });
}

void CHexEditView::setData(QByteArray* data)
{
    m_data = data;
    m_readOnlyBytes = {};
    m_readOnly = false;
    m_top = 0;
    m_caret = 0;
    m_area = kHexHigh;
    clearSelection();
    clearUndo();
    markLayoutDirty();
}

void CHexEditView::setReadOnlyData(std::span<const std::uint8_t> bytes)
{
    setData(nullptr);
    m_readOnlyBytes = bytes;
    m_readOnly = true;
    m_toldReadOnly = false;
    m_insert = false;
}

std::span<const std::uint8_t> CHexEditView::bytes() const
{
    if (!m_data)
        return m_readOnlyBytes;
    return {reinterpret_cast<const std::uint8_t*>(m_data->constData()), static_cast<std::size_t>(m_data->size())};
}

QString CHexEditView::readOnlyMessage(const QString& name, std::int64_t size)
{
    return loadString(res::kStrTooLargeToEdit).arg(name, QLocale::system().formattedDataSize(size));
}

void CHexEditView::onUpdate(CView* sender, int)
{
    if (sender == this)
        return;
    // Another view of the same buffer changed its size: keep our places inside the data.
    m_caret = std::clamp<std::int64_t>(m_caret, 0, size());
    m_top = std::clamp<std::int64_t>(m_top, 0, std::max<std::int64_t>(size() - 1, 0));
    m_top -= m_top % m_bytesPerRow;
    if (m_selStart > size() || m_selEnd > size())
        clearSelection();
    // Our history no longer matches the bytes another view has changed.
    clearUndo();
    markLayoutDirty();
}

void CHexEditView::toggleFlag(std::uint32_t flag)
{
    m_flags ^= flag;
    markLayoutDirty();
    viewport()->repaint();
}

void CHexEditView::markLayoutDirty()
{
    m_flags |= kLayoutDirty;
    viewport()->update();
}

// ---- Layout

std::pair<int, int> CHexEditView::columnXs(int charWidth) const
{
    const int hexX = (m_flags & kShowAddress) ? charWidth * (addressDigits() + 1) : 0;
    return {hexX, hexX + ((m_flags & kShowHex) ? m_bytesPerRow * 3 * charWidth : 0)};
}

// The narrow address keeps its 4 digits, cut as it always was; the wide one grows past 8 for
// offsets beyond 4 GiB, which only a mapped file has, rather than show a wrong address.
int CHexEditView::addressDigits() const
{
    if (!(m_flags & kWideAddress))
        return 4;
    const auto last = static_cast<std::uint64_t>(std::max<std::int64_t>(size() - 1, 0));
    int digits = 8;
    while (digits < 16 && (last >> (4 * digits)) != 0)
        ++digits;
    return digits;
}

void CHexEditView::ensureLayout()
{
    if (!(m_flags & kLayoutDirty))
        return;
    const QFontMetrics metrics(m_font, viewport());
    m_charWidth = cellWidth(m_font, viewport());
    m_charHeight = std::max(1, metrics.height());
    std::tie(m_hexX, m_textX) = columnXs(m_charWidth);
    int rows = viewport()->height() / m_charHeight;
    m_flags &= ~kPartialLastRow;
    if (size() < static_cast<std::int64_t>(rows) * m_bytesPerRow) {
        rows = static_cast<int>(size() / m_bytesPerRow);
        if (size() % m_bytesPerRow) {
            m_flags |= kPartialLastRow;
            ++rows;
        }
    }
    m_visibleRows = std::max(rows, 1);
    m_flags &= ~kLayoutDirty;
    updateScrollBars();
}

std::int64_t CHexEditView::maxTop()
{
    ensureLayout();
    const std::int64_t totalRows = (size() + m_bytesPerRow - 1) / m_bytesPerRow;
    const std::int64_t windowRows = std::max(1, viewport()->height() / m_charHeight);
    return std::max<std::int64_t>(totalRows - windowRows, 0) * m_bytesPerRow;
}

void CHexEditView::updateScrollBars()
{
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker quiet(bar);
    const std::int64_t lastTopRow = maxTop() / m_bytesPerRow;
    bar->setRange(0, barValue(maxTop()));
    // A page is at least one step of the bar, however many rows a step stands for.
    const std::int64_t pageStep = lastTopRow > kMaxBarValue ? m_visibleRows * kMaxBarValue / lastTopRow : m_visibleRows;
    bar->setPageStep(static_cast<int>(std::max<std::int64_t>(pageStep, 1)));
    bar->setSingleStep(1);
    bar->setValue(barValue(m_top));
}

int CHexEditView::barValue(std::int64_t top)
{
    const std::int64_t row = top / m_bytesPerRow;
    const std::int64_t lastTopRow = maxTop() / m_bytesPerRow;
    if (lastTopRow <= kMaxBarValue)
        return static_cast<int>(row);
    // Only where the bar stands: long double keeps enough of the product for that.
    const long double share = static_cast<long double>(row) / static_cast<long double>(lastTopRow);
    return static_cast<int>(std::llround(share * kMaxBarValue));
}

std::int64_t CHexEditView::topOfBarValue(int value)
{
    const std::int64_t lastTopRow = maxTop() / m_bytesPerRow;
    if (lastTopRow <= kMaxBarValue)
        return static_cast<std::int64_t>(value) * m_bytesPerRow;
    // value * lastTopRow / kMaxBarValue without overflow, exact: the bar's end is the last row.
    const std::int64_t whole = lastTopRow / kMaxBarValue;
    const std::int64_t rest = lastTopRow % kMaxBarValue;
    const std::int64_t row = value * whole + value * rest / kMaxBarValue;
    return row * m_bytesPerRow;
}

int CHexEditView::visibleRows()
{
    ensureLayout();
    return m_visibleRows;
}

int CHexEditView::charWidth()
{
    ensureLayout();
    return m_charWidth;
}

int CHexEditView::charHeight()
{
    ensureLayout();
    return m_charHeight;
}

int CHexEditView::hexColumnX()
{
    ensureLayout();
    return m_hexX;
}

int CHexEditView::textColumnX()
{
    ensureLayout();
    return m_textX;
}

void CHexEditView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    markLayoutDirty();
    ensureLayout();
}

// ---- Scrolling

void CHexEditView::scrollTo(std::int64_t top)
{
    top = std::clamp<std::int64_t>(top, 0, maxTop());
    top -= top % m_bytesPerRow;
    if (top == m_top)
        return;
    m_top = top;
    const QSignalBlocker quiet(verticalScrollBar());
    verticalScrollBar()->setValue(barValue(m_top));
    viewport()->update();
}

void CHexEditView::onScrollValueChanged(int value)
{
    const std::int64_t top = topOfBarValue(value);
    // The scroll bar moved by the user takes the caret along at its place on the screen.
    if (!(m_flags & kKeyScrolling) && size() > 0)
        m_caret = std::clamp<std::int64_t>(m_caret + top - m_top, 0, size() - 1);
    m_top = top;
    viewport()->update();
}

bool CHexEditView::caretVisible()
{
    ensureLayout();
    return m_caret >= m_top && m_caret < m_top + static_cast<std::int64_t>(m_visibleRows) * m_bytesPerRow;
}

void CHexEditView::keepCaretVisible()
{
    if (caretVisible())
        return;
    const std::int64_t caretRow = m_caret - m_caret % m_bytesPerRow;
    if (m_caret < m_top)
        scrollTo(caretRow);
    else
        scrollTo(caretRow - static_cast<std::int64_t>(m_visibleRows - 1) * m_bytesPerRow);
}

void CHexEditView::showRange(std::int64_t offset, std::int64_t length)
{
    ensureLayout();
    offset = std::clamp<std::int64_t>(offset, 0, size());
    const std::int64_t page = static_cast<std::int64_t>(m_visibleRows) * m_bytesPerRow;
    if (offset < m_top || offset > m_top + page) {
        // The offset's row lands about a third down the window.
        const std::int64_t top = m_bytesPerRow * (offset / m_bytesPerRow - m_visibleRows / 3);
        const CKeyScrollingScope byCommand(m_flags);
        scrollTo(std::max<std::int64_t>(top, 0));
    }
    m_area = kHexHigh;
    m_caret = offset;
    if (length > 0) {
        m_selStart = offset;
        m_selEnd = std::min(offset + length, size());
    } else {
        clearSelection();
    }
    viewport()->repaint();
}

void CHexEditView::setCaret(std::int64_t offset, int area)
{
    m_caret = std::clamp<std::int64_t>(offset, 0, size());
    m_area = area;
    viewport()->update();
}

// ---- Keys

bool CHexEditView::event(QEvent* event)
{
    // The view takes every key, Tab included, instead of letting it move the focus.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void CHexEditView::keyPressEvent(QKeyEvent* event)
{
    // Without bytes only Insert and Undo work: Undo may bring back the bytes deleted last.
    if (size() <= 0 && !(m_data && (event->key() == Qt::Key_Insert || isUndoKey(*event)))) {
        event->accept();
        return;
    }
    if (moveKey(event->key(), event->modifiers()) || editKey(event)) {
        event->accept();
        viewport()->update();
        return;
    }
    const QString text = event->text();
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (!control && !text.isEmpty() && text[0].unicode() >= 0x20 && text[0].unicode() != 0x7F) {
        typeCharacter(text[0].unicode());
        event->accept();
        viewport()->update();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

bool CHexEditView::moveKey(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: break;
    default: return false;
    }
    ensureLayout();
    const bool extend = modifiers & Qt::ShiftModifier;
    const bool control = modifiers & Qt::ControlModifier;
    if (!extend)
        clearSelection();
    else if (!hasSelection())
        m_selStart = m_caret;
    const std::int64_t rowStart = m_caret - m_caret % m_bytesPerRow;
    {
        const CKeyScrollingScope byKey(m_flags);
        moveCaretByKey(key, control, rowStart);
        keepCaretVisible();
    }
    if (extend) {
        const bool forward = key == Qt::Key_Right || key == Qt::Key_Down;
        m_selEnd = m_caret + (forward && (m_area == kHexHigh || m_area == kHexLow) ? 1 : 0);
    }
    return true;
}

void CHexEditView::moveCaretByKey(int key, bool control, std::int64_t rowStart)
{
    switch (key) {
    case Qt::Key_Left: moveHorizontal(false); break;
    case Qt::Key_Right: moveHorizontal(true); break;
    case Qt::Key_Up:
        if (m_area != kAddressArea)
            m_caret = std::max<std::int64_t>(m_caret - m_bytesPerRow, 0);
        break;
    case Qt::Key_Down:
        if (m_area != kAddressArea && m_caret + m_bytesPerRow < size())
            m_caret += m_bytesPerRow;
        break;
    case Qt::Key_Home:
        m_caret = control ? 0 : rowStart;
        if (control)
            scrollTo(0);
        break;
    case Qt::Key_End:
        m_caret = control ? size() - 1 : std::min(rowStart + m_bytesPerRow - 1, size() - 1);
        if (control)
            scrollTo(maxTop());
        break;
    case Qt::Key_PageUp: pageMove(false); break;
    case Qt::Key_PageDown: pageMove(true); break;
    default: m_area = m_area == kTextArea ? kHexHigh : kTextArea; break;
    }
}

void CHexEditView::moveHorizontal(bool right)
{
    std::int64_t target = m_caret;
    if (m_area == kTextArea) {
        target += right ? 1 : -1;
    } else if (m_area == kHexHigh) {
        if (!right)
            --target;
        m_area = kHexLow;
    } else if (m_area == kHexLow) {
        if (right)
            ++target;
        m_area = kHexHigh;
    }
    // A step past the end stays where it was; the nibble switch is kept.
    if (target < size())
        m_caret = std::max<std::int64_t>(target, 0);
}

void CHexEditView::pageMove(bool down)
{
    const std::int64_t page = static_cast<std::int64_t>(m_visibleRows) * m_bytesPerRow;
    const std::int64_t oldTop = m_top;
    if (down) {
        if (m_top >= maxTop())
            return;
        scrollTo(std::min(m_top + page, maxTop()));
    } else {
        if (m_top == 0)
            return;
        if (m_caret - page < 0) {
            m_caret = 0;
            scrollTo(0);
            return;
        }
        scrollTo(std::max<std::int64_t>(m_top - page, 0));
    }
    // The caret keeps its place on the screen.
    m_caret = std::clamp<std::int64_t>(m_caret + m_top - oldTop, 0, size() - 1);
}

bool CHexEditView::editKey(QKeyEvent* event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (control) {
        switch (event->key()) {
        case Qt::Key_C:
            if (hasSelection())
                copy();
            return true;
        case Qt::Key_X:
            if (hasSelection())
                cut();
            return true;
        case Qt::Key_V: paste(); return true;
        case Qt::Key_A: selectAll(); return true;
        case Qt::Key_Z:
            if (isUndoKey(*event))
                undo();
            return true;
        default: break;
        }
    }
    const int key = event->key();
    if ((key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_Insert) && refuseEdit())
        return true;
    switch (key) {
    case Qt::Key_Backspace:
        if (m_caret > 0 && m_caret <= size()) {
            const std::int64_t caret = m_caret - 1;
            removeBytes(caret, 1);
            m_caret = caret;
            afterEdit();
        }
        return true;
    case Qt::Key_Delete:
        if (hasSelection())
            deleteSelection();
        else if (m_caret < size()) {
            removeBytes(m_caret, 1);
            afterEdit();
        }
        return true;
    case Qt::Key_Insert: m_insert = !m_insert; return true;
    default: return false;
    }
}

bool CHexEditView::refuseEdit()
{
    if (!m_readOnly)
        return false;
    if (!m_toldReadOnly) {
        // Told once: after that the user knows, and each further key would only stop the work.
        m_toldReadOnly = true;
        QMessageBox::information(this, loadString(res::kStrAppTitle), readOnlyMessage(printHeaderTitle(), size()));
    }
    return true;
}

void CHexEditView::typeCharacter(char16_t character)
{
    if (refuseEdit())
        return;
    const int digit = hexDigit(character);
    if (m_area == kTextArea)
        typeTextByte(static_cast<char>(character & 0xFF));
    else if ((m_area == kHexHigh || m_area == kHexLow) && digit >= 0)
        typeHexDigit(digit);
    else
        return;
    afterEdit();
}

void CHexEditView::typeTextByte(char value)
{
    const QByteArray typed(1, value);
    if (hasSelection())
        replaceSelection(typed);
    else
        replaceBytes(m_caret, m_insert || m_caret >= size() ? 0 : 1, typed);
    ++m_caret;
}

void CHexEditView::typeHexDigit(int digit)
{
    if (hasSelection()) {
        // The selection gives way to one new byte begun with the digit, as a byte inserted at the
        // caret would; the bytes after the selection keep their values.
        replaceSelection(QByteArray(1, static_cast<char>(digit << 4)));
        m_area = kHexLow;
        m_undo.back().openByte = m_caret;
        return;
    }
    const bool high = m_area == kHexHigh;
    // The second digit completes the byte its first digit began: one Undo takes back both.
    if (!high && !m_undo.empty() && m_undo.back().openByte == m_caret)
        m_stepOpen = true;
    const bool newByte = m_caret >= size() || (m_insert && high);
    const int old = newByte ? 0 : static_cast<unsigned char>(m_data->at(m_caret));
    const int value = high ? (old & 0x0F) | (digit << 4) : (old & 0xF0) | digit;
    replaceBytes(m_caret, newByte ? 0 : 1, QByteArray(1, static_cast<char>(value)));
    m_undo.back().openByte = high ? m_caret : -1;
    if (high) {
        m_area = kHexLow;
    } else {
        m_area = kHexHigh;
        ++m_caret;
    }
}

// ---- Mouse

CHexEditView::SHit CHexEditView::hitTest(QPoint point)
{
    ensureLayout();
    SHit hit;
    if (point.y() < 0 || size() <= 0)
        return hit;
    const int row = point.y() / m_charHeight;
    const std::int64_t rowStart = m_top + static_cast<std::int64_t>(row) * m_bytesPerRow;
    if (row >= m_visibleRows || rowStart > size())
        return hit;
    const int column = point.x() / m_charWidth;
    const int addressWidth = addressDigits();
    const int hexStart = m_hexX / m_charWidth;
    const int textStart = m_textX / m_charWidth;
    if ((m_flags & kShowAddress) && column < addressWidth) {
        hit = {rowStart, kAddressArea};
    } else if ((m_flags & kShowHex) && column >= hexStart && column < hexStart + m_bytesPerRow * 3) {
        // First digit: high nibble, second: low nibble, the blank after a pair: the next byte.
        const int cell = column - hexStart;
        hit.offset = rowStart + cell / 3 + (cell % 3 == 2 ? 1 : 0);
        hit.area = cell % 3 == 1 ? kHexLow : kHexHigh;
    } else if ((m_flags & kShowText) && column >= textStart && column < textStart + m_bytesPerRow) {
        // The caret goes to the boundary right of the character clicked.
        hit = {rowStart + (column - textStart) + 1, kTextArea};
    } else {
        return hit;
    }
    hit.offset = std::min(hit.offset, size());
    return hit;
}

void CHexEditView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || size() <= 0)
        return;
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    if (extend && !hasSelection())
        m_selStart = m_caret;
    const SHit hit = hitTest(event->position().toPoint());
    if (hit.offset < 0)
        return;
    m_caret = hit.offset;
    m_area = hit.area;
    if (extend) {
        m_selEnd = m_caret + (m_area == kHexHigh || m_area == kHexLow ? 1 : 0);
    } else {
        clearSelection();
        m_selecting = true;
        m_anchor = m_caret;
        m_lastDragPoint = event->position().toPoint();
    }
    viewport()->update();
}

void CHexEditView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_selecting || !(event->buttons() & Qt::LeftButton))
        return;
    m_lastDragPoint = event->position().toPoint();
    dragTo(m_lastDragPoint);
    const bool outside = m_lastDragPoint.y() < 0 || m_lastDragPoint.y() >= viewport()->height();
    if (outside && !m_autoScroll.isActive())
        m_autoScroll.start();
    else if (!outside)
        m_autoScroll.stop();
}

void CHexEditView::dragTo(QPoint point)
{
    ensureLayout();
    // Above or below the window: scroll one row and take the point on the first or last row.
    if (point.y() < 0) {
        const CKeyScrollingScope byDrag(m_flags);
        scrollTo(m_top - m_bytesPerRow);
        point.setY(0);
    } else if (point.y() >= m_visibleRows * m_charHeight) {
        if (point.y() >= viewport()->height()) {
            const CKeyScrollingScope byDrag(m_flags);
            scrollTo(m_top + m_bytesPerRow);
        }
        point.setY((m_visibleRows - 1) * m_charHeight);
    }
    const SHit hit = hitTest(point);
    if (hit.offset < 0 || hit.area == kAddressArea)
        return;
    m_caret = hit.offset;
    m_area = hit.area;
    m_selStart = m_anchor;
    m_selEnd = m_caret + (m_area == kHexHigh || m_area == kHexLow ? 1 : 0);
    viewport()->update();
}

void CHexEditView::onAutoScroll()
{
    if (!m_selecting)
        m_autoScroll.stop();
    else
        dragTo(m_lastDragPoint);
}

void CHexEditView::mouseReleaseEvent(QMouseEvent*)
{
    m_selecting = false;
    m_autoScroll.stop();
}

void CHexEditView::mouseDoubleClickEvent(QMouseEvent*) {}

void CHexEditView::focusInEvent(QFocusEvent* event)
{
    m_focused = true;
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void CHexEditView::focusOutEvent(QFocusEvent* event)
{
    m_focused = false;
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

// ---- Selection, clipboard, editing

std::int64_t CHexEditView::orderedStart() const { return std::min(m_selStart, m_selEnd); }

std::int64_t CHexEditView::orderedEnd() const { return std::max(m_selStart, m_selEnd); }

void CHexEditView::clearSelection()
{
    m_selStart = -1;
    m_selEnd = -1;
}

void CHexEditView::selectAll()
{
    m_selStart = 0;
    m_selEnd = size();
    viewport()->update();
}

bool CHexEditView::copy()
{
    QByteArray bytes;
    if (hasSelection()) {
        const std::int64_t start = std::clamp<std::int64_t>(orderedStart(), 0, size());
        const std::int64_t length = std::min(orderedEnd(), size()) - start;
        if (length > copyLimit()) {
            refuseCopy(length);
            return false;
        }
        const std::span<const std::uint8_t> selected =
            this->bytes().subspan(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
        bytes = QByteArray(reinterpret_cast<const char*>(selected.data()), static_cast<qsizetype>(selected.size()));
    }
    auto* mime = new QMimeData;
    mime->setData(kBinaryFormat, bytes);
    mime->setText(QString::fromLatin1(hex::copyText(bytes, m_area != kTextArea)));
    QApplication::clipboard()->setMimeData(mime);
    return true;
}

std::int64_t CHexEditView::copyLimit() const
{
    constexpr std::uint64_t kClipboardBytesPerByte = 10;
    if (m_readOnly)
        return kMaxReadOnlyCopy;
    const std::optional<std::uint64_t> available = availableMemory();
    return available ? static_cast<std::int64_t>(*available / kClipboardBytesPerByte)
                     : std::numeric_limits<std::int64_t>::max();
}

void CHexEditView::refuseCopy(std::int64_t length)
{
    const QLocale locale = QLocale::system();
    QMessageBox::information(this, loadString(res::kStrAppTitle),
                             loadString(res::kStrTooLargeToCopy)
                                 .arg(locale.formattedDataSize(length), locale.formattedDataSize(copyLimit())));
}

void CHexEditView::cut()
{
    if (!hasSelection() || refuseEdit() || !copy())
        return;
    deleteSelection();
}

void CHexEditView::paste()
{
    if (refuseEdit() || !m_data)
        return;
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    if (!mime)
        return;
    QByteArray block;
    if (mime->hasFormat(kBinaryFormat))
        block = mime->data(kBinaryFormat);
    else if (mime->hasText())
        block = mime->text().toUtf8();
    else
        return;
    std::int64_t at = m_caret;
    if (hasSelection()) {
        at = orderedStart();
        removeBytes(at, orderedEnd() - at);
    } else if (m_area == kHexLow) {
        ++at;
    }
    const std::int64_t caret = m_caret;
    insertBytes(std::min(at, size()), block);
    m_caret = caret;
    afterEdit();
}

void CHexEditView::deleteSelection()
{
    if (!hasSelection() || refuseEdit())
        return;
    const std::int64_t start = orderedStart();
    removeBytes(start, std::min(orderedEnd(), size()) - start);
    m_caret = start;
    afterEdit();
}

void CHexEditView::replaceSelection(const QByteArray& bytes)
{
    const std::int64_t start = orderedStart();
    replaceBytes(start, std::min(orderedEnd(), size()) - start, bytes);
    m_caret = start;
    clearSelection();
}

void CHexEditView::insertBytes(std::int64_t offset, const QByteArray& bytes) { replaceBytes(offset, 0, bytes); }

void CHexEditView::removeBytes(std::int64_t offset, std::int64_t count)
{
    if (count > 0)
        replaceBytes(offset, count, {});
}

void CHexEditView::replaceBytes(std::int64_t offset, std::int64_t count, const QByteArray& bytes)
{
    if (count == 0 && bytes.isEmpty())
        return;
    Q_ASSERT(m_data);  // read-only bytes are refused before they get here
    // The first change of a user action opens its undo step; afterEdit() closes it.
    if (!m_stepOpen) {
        m_undo.push_back({{m_caret, m_area, m_selStart, m_selEnd}, {}});
        m_stepOpen = true;
    }
    m_undo.back().edits.push_back({offset, m_data->mid(offset, count), bytes});
    m_data->replace(offset, count, bytes);
}

void CHexEditView::undo()
{
    if (m_undo.empty())
        return;
    const SUndoStep step = std::move(m_undo.back());
    m_undo.pop_back();
    for (auto edit = step.edits.rbegin(); edit != step.edits.rend(); ++edit)
        m_data->replace(edit->offset, edit->inserted.size(), edit->removed);
    afterEdit();
    m_caret = step.before.caret;
    m_area = step.before.area;
    m_selStart = step.before.selStart;
    m_selEnd = step.before.selEnd;
    keepCaretVisible();
}

void CHexEditView::clearUndo()
{
    m_undo.clear();
    m_stepOpen = false;
}

void CHexEditView::afterEdit()
{
    m_stepOpen = false;
    clearSelection();
    m_caret = std::clamp<std::int64_t>(m_caret, 0, size());
    if (CDocument* doc = document()) {
        doc->setModifiedFlag(true);
        doc->updateAllViews(this);
    }
    markLayoutDirty();
    ensureLayout();
    keepCaretVisible();
}

}  // namespace brindle
