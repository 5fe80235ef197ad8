// The editor's read-only text window: shows a text buffer with colours, caret, selection,
// bookmarks, and prints it.
#pragma once

#include "editor/ed_buffer_view.h"
#include "editor/ed_parser.h"
#include "editor/text_pos.h"
#include "editor/text_type.h"
#include "editor/ui/ed_view_fonts.h"
#include "framework/view.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QColor>
#include <QHash>
#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class QKeyEvent;
class QPainter;
class QPrinter;

namespace brindle {

class CResources;

// Shows the lines of a CEdTextBuffer it is attached to (not owned; the buffer must outlive the
// attachment). Positions are buffer positions (character, line); the column the user sees is a
// display column: a tab advances to the next multiple of the tab size, with word wrap counted
// from the start of the screen row. Per line the view caches the parser state at the line's end
// and the line's display length; a buffer change marks them unknown from the changed line on, so
// painting parses only the lines it draws and those above them whose state is unknown.
//
// Keys come from accelerator table 22901 and run as commands (onCmdMsg), so a derived view adds
// keys by handling more command ids. CEdEditView derives from it and adds editing.
class CEdTextView : public QAbstractScrollArea, public CView, public CEdBufferView {
    Q_OBJECT
public:
    explicit CEdTextView(QWidget* parent = nullptr);
    ~CEdTextView() override;

    QWidget* widget() override { return this; }
    // Attaches LocateTextBuffer(), takes the text type of the document's path and the program's
    // text font, and places the caret at the remembered position when that is enabled.
    void onInitialUpdate() override;

    // ---- Buffer

    // Attaches to buffer (detaching from any earlier one) and resets the view; nullptr detaches.
    void AttachToBuffer(CEdTextBuffer* buffer);
    void DetachFromBuffer();
    CEdTextBuffer* TextBuffer() const { return m_buffer; }

    void OnBufferChanged(CEdBufferView* sourceView, const CEdTextBuffer::CUpdateContext* context,
                         std::uint32_t updateFlags, std::int32_t line) override;
    void OnEditCompleted(std::int32_t action, std::u16string_view text) override;
    // Nothing for nullptr or the current type; otherwise takes its tab size and flags.
    void ApplyTextType(const STextType* type) override;
    // Row 0 becomes current, then the type of path's extension is applied.
    void ApplyTextTypeByPath(std::u16string_view path);
    const STextType* CurrentTextType() const { return m_textType; }

    // ---- Settings

    int GetTabSize() const { return m_tabSize; }
    // Values below 1 or above 64 are ignored.
    void SetTabSize(int tabSize);
    bool GetViewTabs() const { return m_viewTabs; }
    void SetViewTabs(bool viewTabs);
    bool GetSelectionMargin() const { return m_selMargin; }
    void SetSelectionMargin(bool selMargin);
    bool GetWordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);
    std::uint32_t GetFlags() const { return m_flags; }
    // Face and point size of the text (0: 11 points); the fonts are made again.
    void SetTextFont(const QString& face, int pointSize);
    const QString& TextFontFace() const { return m_fonts.face(); }
    // The font the parser's colour index asks for, after the "Courier" rule.
    const QFont& FontOfIndex(int colourIndex);

    // ---- Caret, selection, positions

    STextPos GetCursorPos() const { return m_cursor; }
    STextPos GetAnchor() const { return m_anchor; }
    // Start and end of the selection, start <= end; equal when nothing is selected.
    void GetSelection(STextPos& start, STextPos& end) const;
    bool IsSelection() const { return m_selStart != m_selEnd; }
    // The selected text with LF between lines.
    std::u16string SelectedText() const;

    // Display column of (ch, line), from the start of its screen row.
    int CalculateActualOffset(int line, int ch) const;
    // Display length of the whole line (cached).
    int GetLineActualLength(int line) const;
    int GetScreenLines() const;  // whole rows that fit
    int GetScreenChars() const;  // whole columns that fit beside the margin
    int GetTopLine() const { return m_topLine; }
    int GetTopSubRow() const { return m_topSubRow; }
    int GetOffsetChar() const { return m_offsetChar; }
    int GetLineHeight() const;
    int GetCharWidth() const;
    int GetMarginWidth() const { return m_selMargin ? 20 : 1; }
    // Screen rows of a line (1 without word wrap) and the characters at which rows 2.. start.
    int GetRowCount(int line) const;
    void GetLineBreaks(int line, std::vector<std::int32_t>& breaks) const;
    // The buffer position under a point of the viewport.
    STextPos ClientToText(QPoint point) const;
    // Top-left of the character cell at pos in viewport coordinates (may lie outside).
    QPoint TextToClient(STextPos pos) const;

    // ---- Status

    // "Ln %d, Col %d": the caret line + 1 and display column + 1; empty without a buffer.
    QString StatusPositionText() const;
    // "DOS", "UNIX" or "MAC" for the buffer's line-end style; empty otherwise.
    QString LineEndText() const;

    // ---- Overridable

    virtual QColor ColorOfIndex(int index) const;
    // Background and text of a line drawn in line colours (flags 0x10000, 0x20000, 0x100000);
    // false for a line in the normal colours. Such lines show whitespace marks.
    virtual bool ColorsOfLine(int line, QColor& back, QColor& text) const;
    virtual bool IsBoldIndex(int index) const;
    virtual bool IsItalicIndex(int index) const;
    // The current text type's parser on one line: blocks may be nullptr.
    virtual std::uint32_t ColourLine(std::uint32_t state, int line, std::vector<SColourBlock>* blocks);
    // The module the editor's strings come from.
    virtual const CResources& StringModule() const;
    QString EditorString(int id) const;
    virtual bool IsEditable() const { return false; }
    virtual QString PrintHeaderText(int page) const;
    // "Page %d/%d".
    virtual QString PrintFooterText(int page, int pageCount) const;

    // ---- Printing

    // Prints the whole text on printer with header and footer; returns the number of pages.
    int PrintTo(QPrinter& printer);

    // The commands the view's own keys run (its key table, and the editing keys of edit views).
    virtual QList<int> keyCommandIds() const { return m_keys.values(); }

signals:
    // The caret moved, or the status texts changed.
    void statusChanged();

protected:
    // The buffer this view shows when it is first updated; nullptr by default.
    virtual CEdTextBuffer* LocateTextBuffer() const { return nullptr; }
    // Back to the state after a load: caches, fonts, caret, selection, scroll, tab size 4.
    virtual void ResetView();

    // Draws all screen rows of line; rect is the line's rectangle (rows one under the other,
    // beginning at the text's left edge, which may be scrolled).
    virtual void PaintLine(QPainter& painter, const QRect& rect, int line, int firstRow);
    // Draws the margin beside the first row of line.
    virtual void PaintMargin(QPainter& painter, const QRect& rect, int line);

    // Caret and selection setters: none of them scrolls; call EnsureVisible.
    void SetCursorPos(STextPos pos);
    void SetAnchor(STextPos pos);
    // Orders start and end.
    void SetSelection(STextPos start, STextPos end);
    // Caret, anchor and an empty selection at pos.
    void MoveCaretTo(STextPos pos);
    // Scrolls so pos is inside the window.
    void EnsureVisible(STextPos pos);
    void ScrollToLine(int topLine, int subRow = 0);
    void ScrollToChar(int offsetChar);
    // Repaints lines first..last (last -1: to the end of the window).
    void InvalidateLines(int first, int last = -1);
    void UpdateCaret();
    // The parser state at the start of line (the end state of the line before), parsing lines
    // above it as needed.
    std::uint32_t GetParseCookie(int line);
    // Keeps the display column the caret should return to on vertical moves.
    void RememberIdealColumn();
    // Positions after a buffer change are moved through the context's AdjustPosition.
    void AdjustPositions(const CEdTextBuffer::CUpdateContext& context);
    // Caret line's safe length and text (0 and empty when the buffer has no such line).
    int LineLength(int line) const;
    std::u16string_view LineText(int line) const;
    // Word bounds: the word-left and word-right movements from pos.
    STextPos WordToLeft(STextPos pos) const;
    STextPos WordToRight(STextPos pos) const;
    static bool IsWordChar(char16_t ch);
    // The key and modifiers of a key event as the view's key tables hold them (keypad ignored).
    static int KeyOfEvent(const QKeyEvent* event);
    // Whether this view (or a derived one) knows command id.
    bool HandlesCommand(int id);
    // When true, onInitialUpdate places the caret at the position remembered for the document.
    void SetRememberCaretPos(bool remember) { m_rememberCaretPos = remember; }

    // A click inside the selection prepares a drag only when this is true (edit views).
    bool m_dragEnabled = false;
    bool m_preparingToDrag = false;

    // Qt events.
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    enum class MouseMode { None, Chars, Words, Lines };

    void registerCommands();
    void registerMovement();
    void registerBookmarks();
    void registerViewCommands();
    void registerPrinting();
    void loadAccelerators();

    // Movement commands.
    void moveTo(STextPos pos, bool extend, bool keepIdeal = false);
    void moveLeft(bool extend);
    void moveRight(bool extend);
    void moveVertical(int rows, bool extend);
    void movePage(bool down, bool extend);
    void scrollRows(int rows);
    // The screen row rows away from (line, row), clamped to the text.
    void stepRows(int& line, int& row, int rows) const;
    // The wrap breaks of line; the last line asked for is kept, since painting, hit testing and
    // scrolling ask for the same line once per row.
    const std::vector<std::int32_t>& lineBreaks(int line) const;
    int rowOfChar(int line, int ch) const;
    int rowStart(int line, int row) const;
    int rowEnd(int line, int row) const;
    int charAtColumn(int line, int row, int column) const;

    // Bookmarks.
    void toggleBookmark(int n);
    void goToBookmark(int n);
    void clearNumberedBookmarks();
    void toggleAnonymousBookmark();
    void goToAnonymousBookmark(bool next);
    void clearAnonymousBookmarks();
    bool hasAnonymousBookmarks() const;

    // Mouse.
    void selectByMouse(STextPos pos);
    // The word at pos (or the one just before it), else the one character there.
    void wordRange(STextPos pos, STextPos& start, STextPos& end) const;
    void lineRange(int line, STextPos& start, STextPos& end) const;
    void autoScroll();
    bool inMargin(QPoint point) const { return point.x() < GetMarginWidth(); }

    // Painting helpers (ed_text_view_paint.cpp).
    void paintRow(QPainter& painter, int line, int row, int y, const std::vector<SColourBlock>& blocks);
    void drawRun(QPainter& painter, int x, int y, const QString& text, const QFont& font, QColor colour);
    QString displayText(std::u16string_view chars, int startColumn, bool showWhitespace) const;

    // Printing helpers (ed_text_view_print.cpp).
    void pageSetup();
    void print(bool withDialog);
    void printPreview();
    QPrinter& printer();

    void recalcMetrics() const;
    void updateScrollBars();
    void copy();
    void selectAll();
    void emitStatus();
    void invalidateCaches(int fromLine, bool resize);
    int wrapWidth() const;

    CEdTextBuffer* m_buffer = nullptr;
    const STextType* m_textType = nullptr;
    CEdParser m_wrapper;
    struct SWrapCache {
        int line = -1;  // -1: nothing kept
        int width = 0;
        int tabSize = 0;
        std::u16string_view text;
        std::vector<std::int32_t> breaks;
    };
    mutable SWrapCache m_wrapCache;

    int m_tabSize = 4;
    bool m_viewTabs = false;
    bool m_selMargin = true;
    bool m_wordWrap = false;
    std::uint32_t m_flags = 0;
    mutable CEdViewFonts m_fonts;
    mutable int m_lineHeight = 0;  // 0: to be measured
    mutable int m_charWidth = 0;

    // State at each line's end; the first m_parseValid entries are known, the rest unknown.
    std::vector<std::uint32_t> m_parseStates;
    int m_parseValid = 0;
    mutable std::vector<std::int32_t> m_actualLengths;  // -1 unknown
    mutable int m_maxLineLength = 0;                    // the longest line seen

    STextPos m_cursor;
    STextPos m_anchor;
    STextPos m_selStart;
    STextPos m_selEnd;
    int m_idealColumn = 0;

    int m_topLine = 0;
    int m_topSubRow = 0;
    int m_offsetChar = 0;
    bool m_syncingScrollBars = false;

    bool m_caretShown = false;
    bool m_caretBlinkOn = true;
    QBasicTimer m_caretTimer;
    QBasicTimer m_scrollTimer;
    MouseMode m_mouseMode = MouseMode::None;
    STextPos m_mouseAnchorStart;  // the word or line clicked first, for word and line modes
    STextPos m_mouseAnchorEnd;
    QPoint m_lastMousePoint;
    int m_wheelRemainder = 0;
    QRect m_caretRect;  // where the caret was last drawn

    bool m_anonymousBookmarksSeen = false;
    bool m_rememberCaretPos = false;
    QHash<int, int> m_keys;  // key combination -> command id
};

}  // namespace brindle
