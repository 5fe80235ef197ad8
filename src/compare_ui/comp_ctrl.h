// The report pane: shows one side of a comparison report (RTF from the report writer), scrolls
// with its partner pane, accepts a dropped file and searches its text.
#pragma once

#include "compare_ui/pane_text_layout.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace brindle {

class CFindDlg;
class CPaneText;
class CReportPane;

// Read-only. Lines are kept as runs of one colour and painted only where visible, so a
// million-line report scrolls as fast as a short one. Character positions count every character
// of every line plus one for each line end, as the rich-edit control counts them.
class CCompCtrl : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CCompCtrl(QWidget* parent = nullptr);
    ~CCompCtrl() override;

    // The file this pane reports on (full path as given).
    const QString& fileName() const { return m_fileName; }
    void setFileName(const QString& path) { m_fileName = path; }

    // Replaces the text with the report document rtf; advances the active progress dialog while
    // reading (unless cancelled). clear() empties the pane.
    void setRtf(std::string_view rtf);
    // Shows a text comparison's report pane, read in place from the compared lines it keeps alive.
    void setReportPane(std::shared_ptr<const CReportPane> pane);
    void clear();

    int lineCount() const;
    QString lineText(int line) const;  // plain text of a line (0-based)
    QString text() const;              // all lines joined by "\n"

    // The rich-edit queries the comparison window relies on.
    int firstVisibleLine() const;
    void lineScroll(int lines);  // vertical only; the partner follows when set
    // Makes line the first visible line without the partner following.
    void scrollToLineAlone(int line);
    int charFromPos(const QPoint& point) const;  // in viewport coordinates
    int lineFromChar(int position) const;
    int lineIndex(int line) const;  // position of a line's first character

    // Selection in character positions; copy() puts the selected plain text on the clipboard.
    void setSelection(int start, int end);
    int selectionStart() const;
    int selectionEnd() const;
    QString selectedText() const;
    void selectAll();
    void copy() const;

    // Forward search from `from` to `to` (-1: end of text); -1 when not found.
    int findText(const QString& text, int from, int to, bool matchCase, bool wholeWord) const;
    // The find dialog of this pane (find only; the pane is read-only), and "find next".
    void showFindDialog();
    void findNext();

    // The pane scrolled together with this one, or nullptr (synchronised scrolling off).
    CCompCtrl* partner() const { return m_partner; }
    void setPartner(CCompCtrl* partner) { m_partner = partner; }

    // Asked first at a left double click, with the character position under the mouse; when it
    // answers true the click is handled and no word is selected.
    using DoubleClickHandler = std::function<bool(int position, Qt::KeyboardModifiers modifiers)>;
    void setDoubleClickHandler(DoubleClickHandler handler) { m_doubleClickHandler = std::move(handler); }

    // Horizontal scroll state, for proportional partner scrolling.
    int horizontalPosition() const;
    void setHorizontalPosition(int position);
    void setHorizontalPositionAlone(int position);  // without the partner following

signals:
    // A file was dropped on the pane: the first file of the list became its file name.
    void fileDropped(const QString& path);
    // The pane got the focus.
    void focusEntered();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void showText(std::unique_ptr<CPaneText> text);
    void fontChanged();
    void updateScrollBars();
    void widenForVisibleLines();
    int visibleLinesEnd() const;  // one past the last line that is at least partly visible
    void syncPartnerVertically();
    void syncPartnerHorizontally();
    void moveCaret(int position, bool extend);
    void ensureCaretVisible();
    void scrollForDrag(const QPoint& point);
    QRect lineRect(int line) const;
    int textLength() const;
    void paintLine(QPainter& painter, int line, int y) const;
    void onFindNextRequested();
    void moveFindDialogAway(int position);
    void startSearchPass() { m_firstSearch = true; }

    QString m_fileName;
    CCompCtrl* m_partner = nullptr;
    DoubleClickHandler m_doubleClickHandler;
    std::unique_ptr<CPaneText> m_lines;
    CPaneTextLayout m_layout;
    qreal m_widestLine = 0;
    int m_selectionAnchor = 0;
    int m_selectionCaret = 0;

    QPointer<CFindDlg> m_findDlg;
    QString m_findText;
    bool m_matchCase = false;
    bool m_wholeWord = false;
    int m_initialSearchPosition = 0;
    bool m_firstSearch = true;
};

}  // namespace brindle
