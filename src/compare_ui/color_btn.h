// The colour-choice button of the Display page and the palette it opens.
#pragma once

#include <QColor>
#include <QDialog>
#include <QPushButton>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QAbstractButton;

namespace brindle {

class CColorPalette;

// COLORREF (0x00BBGGRR; the high byte is ignored) to and from a Qt colour.
QColor colorFromColorRef(std::int32_t colorRef);
std::int32_t colorRefFromColor(const QColor& color);

// Asks the user for any colour, starting at initial; nullopt when cancelled.
using ColorDialogFunction = std::function<std::optional<QColor>(QWidget* parent, const QColor& initial)>;
// The platform's colour dialog, fully opened.
std::optional<QColor> runColorDialog(QWidget* parent, const QColor& initial);

// The palette popup (dialog 5100): the twenty cells of a CColorPalette (controls 5101 to 5120,
// object names "5101".."5120") and "Other..." (object name "other"). It grabs the mouse like a
// menu: a click outside closes it without a choice. The cell of the current colour has the focus.
class CColorBtnDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFirstCellId = 5101;
    // exec() results besides Rejected.
    static constexpr int kCellChosen = 2;
    static constexpr int kOtherRequested = 3;

    CColorBtnDlg(const CColorPalette& palette, std::uint32_t current, QWidget* parent);

    // Runs the palette below anchor (global coordinates) until the user chooses: a cell, or a
    // colour from colorDialog after "Other..." (cancelling that dialog returns to the palette).
    // Updates the palette's ranks and returns the chosen colour; nullopt when the palette was
    // closed without a choice.
    static std::optional<std::uint32_t> choose(CColorPalette& palette, std::uint32_t current, const QRect& anchor,
                                               QWidget* parent, const ColorDialogFunction& colorDialog);

    // Top-left corner for a popup of size directly below anchor, moved up and left as far as
    // needed to keep it on screen (but not beyond its top-left corner).
    static QPoint popupPosition(const QRect& anchor, const QSize& size, const QRect& screen);

    QAbstractButton* cell(int index) const { return m_cells.at(static_cast<std::size_t>(index)); }
    QAbstractButton* otherButton() const { return m_other; }
    // The cell clicked last, or -1.
    int chosenCell() const { return m_chosen; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void moveFocus(int columns, int rows);

    std::vector<QAbstractButton*> m_cells;
    QAbstractButton* m_other;
    int m_chosen = -1;
};

// An owner-drawn button that shows its colour (initially white) and opens the palette when
// clicked; a choice becomes its colour.
class CColorBtn : public QPushButton {
    Q_OBJECT
public:
    explicit CColorBtn(QWidget* parent = nullptr);

    std::int32_t colorRef() const { return m_colorRef; }
    void setColorRef(std::int32_t colorRef);

    // The dialog behind "Other..."; runColorDialog unless set.
    void setColorDialog(ColorDialogFunction function) { m_colorDialog = std::move(function); }
    // The palette the button opens; the process's shared one unless set. Not owned.
    void setColorPalette(CColorPalette& palette) { m_palette = &palette; }

    QSize sizeHint() const override;

signals:
    void colorChanged(std::int32_t colorRef);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void openPalette();

    std::int32_t m_colorRef = 0xFFFFFF;
    ColorDialogFunction m_colorDialog;
    CColorPalette* m_palette;
};

}  // namespace brindle
