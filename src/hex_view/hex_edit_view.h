// A hex dump of a document's bytes (address, hex pairs, characters) that can select, copy, paste,
// type over, insert and delete bytes, undo those edits and print the dump.
#pragma once

#include "framework/view.h"

#include <QAbstractScrollArea>
#include <QByteArray>
#include <QFont>
#include <QRect>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

class QPaintDevice;
class QPainter;
class QPrinter;

namespace brindle {

class CCmdUI;

// Works on a byte buffer that the document owns and hands over with setData(); it edits that
// buffer in place (inserting and deleting bytes resizes it) and marks the document modified. Bytes
// handed over with setReadOnlyData() (a file too large to edit, mapped by its document) are shown,
// selected, copied and printed the same way, but never changed: the editing commands are
// disabled and the first key that tries to edit says why. An empty or missing buffer shows a white
// window and ignores keys and mouse. Only the rows in the window are painted, so the size of the
// data does not slow painting or scrolling; a file of more rows than the scroll bar's int holds
// moves the bar by several rows a step, its ends still the first and the last row.
class CHexEditView : public QAbstractScrollArea, public CView {
    Q_OBJECT
public:
    // Display flags.
    static constexpr std::uint32_t kShowAddress = 0x1;
    static constexpr std::uint32_t kShowText = 0x2;
    static constexpr std::uint32_t kShowHex = 0x4;
    static constexpr std::uint32_t kWideAddress = 0x8;
    static constexpr std::uint32_t kKeyScrolling = 0x2000;
    static constexpr std::uint32_t kPartialLastRow = 0x4000;
    static constexpr std::uint32_t kLayoutDirty = 0x8000;
    // The most bytes copied at once from read-only bytes: the clipboard holds them and, as hex
    // text, nine times as much again, and a mapped file's selection may be gigabytes.
    static constexpr std::int64_t kMaxReadOnlyCopy = std::int64_t{256} << 20;

    // Caret areas.
    enum EArea { kAddressArea = 0, kTextArea = 1, kHexHigh = 2, kHexLow = 3 };

    // Commands of the view's menu.
    static constexpr int kCmdToggleAddress = 40001;
    static constexpr int kCmdToggleHex = 40002;
    static constexpr int kCmdToggleText = 40003;
    static constexpr int kCmdToggleWide = 40004;
    static constexpr int kCmdBytesPerRowFirst = 40011;
    static constexpr int kCmdBytesPerRowLast = 40026;
    static constexpr int kCmdEditClear = 57632;
    static constexpr int kCmdEditDelete = 37000;

    explicit CHexEditView(QWidget* parent = nullptr);
    ~CHexEditView() override;
    QWidget* widget() override { return this; }

    // The buffer to show and edit; nullptr for none. The view never frees it.
    void setData(QByteArray* data);
    // Bytes to show and never change; they must outlive the view or the next setData call.
    void setReadOnlyData(std::span<const std::uint8_t> bytes);
    // The editable buffer; nullptr when there is none or the bytes are read-only.
    QByteArray* data() const { return m_data; }
    bool isReadOnly() const { return m_readOnly; }
    // What the view shows, editable or not.
    std::span<const std::uint8_t> bytes() const;
    std::int64_t size() const { return static_cast<std::int64_t>(bytes().size()); }
    // The message for bytes that are shown read-only because they are too large to edit: name is
    // the file, size its length in bytes.
    static QString readOnlyMessage(const QString& name, std::int64_t size);

    std::uint32_t displayFlags() const { return m_flags; }
    void toggleFlag(std::uint32_t flag);

    std::int64_t topOffset() const { return m_top; }
    std::int64_t caretOffset() const { return m_caret; }
    int caretArea() const { return m_area; }
    std::int64_t selectionStart() const { return m_selStart; }
    std::int64_t selectionEnd() const { return m_selEnd; }
    bool hasSelection() const { return m_selStart >= 0 && m_selEnd >= 0 && m_selStart != m_selEnd; }
    bool insertMode() const { return m_insert; }
    int bytesPerRow() const { return m_bytesPerRow; }
    // Rows that fit the window (computed with the layout).
    int visibleRows();
    int charWidth();
    int charHeight();
    // Left edges of the hex and text columns in pixels.
    int hexColumnX();
    int textColumnX();
    // The caret rectangle in viewport coordinates (empty when the caret is not on screen).
    QRect caretRect();

    // Scrolls offset into view (its row about a third down when it is off screen), puts the caret
    // on its high nibble and selects length bytes from it (nothing selected for length 0).
    void showRange(std::int64_t offset, std::int64_t length);
    // Places the caret (clamped to 0..size) in area without touching the selection.
    void setCaret(std::int64_t offset, int area);

    // Puts the selection on the clipboard as raw bytes and as the text of the caret's column. A
    // selection larger than copyLimit() is refused with a message, and false returned.
    bool copy();
    // Copies, then deletes the selection only when it was copied.
    void cut();
    // The most bytes copy() takes: kMaxReadOnlyCopy from read-only bytes, else what the memory
    // left can hold ten times over (the bytes, and their hex text as 8-bit and as UTF-16 text).
    std::int64_t copyLimit() const;
    void paste();
    void deleteSelection();
    void selectAll();
    // Takes back the last edit (a typed byte, a deletion, a cut or a paste) and puts the caret and
    // the selection back where they were before it. The history keeps every byte an edit removed;
    // it starts empty with each buffer and is dropped when another view of the document changes
    // the bytes. There is no redo.
    void undo();
    bool canUndo() const { return !m_undo.empty(); }

    // Prints every row on printer with header and footer; returns the number of pages. The view
    // returns to its start afterwards (no selection, caret and top at 0).
    int printTo(QPrinter& printer);
    QString printHeaderTitle() const;

protected:
    void onUpdate(CView* sender, int hint) override;

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct SHit {
        std::int64_t offset = -1;
        int area = kAddressArea;
    };
    // Where rows are painted: on the screen or on a printed page.
    struct SRowGeometry {
        QRect area;
        std::int64_t firstOffset = 0;
        int maxRows = 0;
        int charWidth = 1;
        int charHeight = 1;
        int hexX = 0;
        int textX = 0;
    };
    // Where the caret and the selection were before an edit.
    struct SPlace {
        std::int64_t caret;
        int area;
        std::int64_t selStart;
        std::int64_t selEnd;
    };
    // One change of the bytes: removed gave way to inserted at offset.
    struct SByteEdit {
        std::int64_t offset;
        QByteArray removed;
        QByteArray inserted;
    };
    // The changes of one user action, taken back together.
    struct SUndoStep {
        SPlace before;
        std::vector<SByteEdit> edits;
        // The byte whose first hex digit this step typed: its second digit joins the step.
        std::int64_t openByte = -1;
    };

    void registerCommands();
    void ensureLayout();
    // Where the hex and the text columns start for a character width (screen or printer).
    std::pair<int, int> columnXs(int charWidth) const;
    // Hex digits of the address column.
    int addressDigits() const;
    void markLayoutDirty();
    void updateScrollBars();
    std::int64_t maxTop();
    // The scroll bar's value for a top offset and back; they scale when the rows outnumber an int.
    int barValue(std::int64_t top);
    std::int64_t topOfBarValue(int value);
    void scrollTo(std::int64_t top);
    void onScrollValueChanged(int row);
    bool caretVisible();
    void keepCaretVisible();

    bool moveKey(int key, Qt::KeyboardModifiers modifiers);
    void moveCaretByKey(int key, bool control, std::int64_t rowStart);
    void moveHorizontal(bool right);
    void pageMove(bool down);
    bool editKey(QKeyEvent* event);
    // True when the bytes are read-only; the first refused edit says why.
    bool refuseEdit();
    void typeCharacter(char16_t character);
    void typeTextByte(char value);
    void typeHexDigit(int digit);

    SHit hitTest(QPoint point);
    void dragTo(QPoint point);
    void onAutoScroll();

    std::int64_t orderedStart() const;
    std::int64_t orderedEnd() const;
    void clearSelection();
    // Says that length bytes are too many to copy from read-only bytes.
    void refuseCopy(std::int64_t length);
    // Puts bytes in place of the selection and the caret at their start; the selection is gone.
    void replaceSelection(const QByteArray& bytes);
    void insertBytes(std::int64_t offset, const QByteArray& bytes);
    void removeBytes(std::int64_t offset, std::int64_t count);
    // Every change of the bytes goes through here: count bytes at offset give way to bytes.
    void replaceBytes(std::int64_t offset, std::int64_t count, const QByteArray& bytes);
    void clearUndo();
    void afterEdit();

    // Painting reads the view's state and changes nothing: paintEvent brings the cached layout up
    // to date before it calls these.
    void paintRows(QPainter& painter, const SRowGeometry& rows, bool showSelection) const;
    void paintSelectedCells(QPainter& painter, const SRowGeometry& rows, std::int64_t offset, int y, int count) const;
    void paintCaret(QPainter& painter) const;
    QRect caretCell() const;
    static void drawCells(QPainter& painter, int x, int baseline, int charWidth, const QString& text);
    // Whole pixels per character cell of font on device.
    static int cellWidth(const QFont& font, QPaintDevice* device);

    void print(bool withDialog);
    void printPreview();
    QPrinter& printer();

    QByteArray* m_data = nullptr;
    std::span<const std::uint8_t> m_readOnlyBytes;
    bool m_readOnly = false;
    bool m_toldReadOnly = false;
    std::uint32_t m_flags = 0xC00F;
    std::int64_t m_top = 0;
    std::int64_t m_caret = 0;
    int m_area = kAddressArea;
    std::int64_t m_selStart = -1;
    std::int64_t m_selEnd = -1;
    int m_bytesPerRow = 16;
    int m_visibleRows = 1;
    int m_charWidth = 0;
    int m_charHeight = 0;
    int m_hexX = 0;
    int m_textX = 0;
    bool m_insert = false;
    bool m_focused = false;
    bool m_selecting = false;
    std::int64_t m_anchor = -1;
    QPoint m_lastDragPoint;
    QTimer m_autoScroll;
    QFont m_font;
    std::vector<SUndoStep> m_undo;
    // Set while a user action's changes go into the last step of m_undo.
    bool m_stepOpen = false;
};

}  // namespace brindle
