#include "compare_ui/color_btn.h"

#include "compare_ui/color_palette.h"
#include "editor/colour_table.h"
#include "framework/help_window.h"
#include "framework/resources.h"
#include "framework/string_ids.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QVBoxLayout>
#include <algorithm>

namespace brindle {

namespace {

constexpr int kColumns = 5;
constexpr int kCellSize = 22;

// One colour cell of the palette.
class CColorCell final : public QAbstractButton {
public:
    CColorCell(QColor color, QWidget* parent) : QAbstractButton(parent), m_color(color)
    {
        setFocusPolicy(Qt::StrongFocus);
        setFixedSize(kCellSize, kCellSize);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRect outer = rect().adjusted(0, 0, -1, -1);
        painter.setPen(palette().color(hasFocus() || isDown() ? QPalette::Highlight : QPalette::Mid));
        painter.drawRect(outer);
        if (hasFocus())
            painter.drawRect(outer.adjusted(1, 1, -1, -1));
        const QRect swatch = outer.adjusted(3, 3, -2, -2);
        painter.fillRect(swatch, m_color);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            click();
        else
            QAbstractButton::keyPressEvent(event);
    }

private:
    QColor m_color;
};

}  // namespace

QColor colorFromColorRef(std::int32_t colorRef)
{
    return QColor(QRgb(colourRefToRgb(static_cast<std::uint32_t>(colorRef))));
}

std::int32_t colorRefFromColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(rgb.red()) |
                                     static_cast<std::uint32_t>(rgb.green()) << 8 |
                                     static_cast<std::uint32_t>(rgb.blue()) << 16);
}

std::optional<QColor> runColorDialog(QWidget* parent, const QColor& initial)
{
    const QColor color = QColorDialog::getColor(initial, parent);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

// ---- CColorBtnDlg ----

CColorBtnDlg::CColorBtnDlg(const CColorPalette& palette, std::uint32_t current, QWidget* parent)
    : QDialog(parent, Qt::Popup)
{
    setObjectName(QStringLiteral("5100"));
    setHelpPage(this, QStringLiteral("compare-dialog.html#colours"));
    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    const int currentCell = palette.cellOf(current);
    for (int index = 0; index < CColorPalette::kCellCount; ++index) {
        auto* cellButton = new CColorCell(colorFromColorRef(static_cast<std::int32_t>(palette.color(index))), this);
        cellButton->setObjectName(QString::number(kFirstCellId + index));
        connect(cellButton, &QAbstractButton::clicked, this, [this, index] {
            m_chosen = index;
            done(kCellChosen);
        });
        grid->addWidget(cellButton, index / kColumns, index % kColumns);
        m_cells.push_back(cellButton);
    }
    auto* other = new QPushButton(loadString(res::kStrOther), this);
    other->setObjectName(QStringLiteral("other"));
    other->setAutoDefault(false);  // Enter on a cell chooses the cell, not "Other..."
    connect(other, &QAbstractButton::clicked, this, [this] { done(kOtherRequested); });
    m_other = other;

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(grid);
    layout->addWidget(other);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    (currentCell >= 0 ? m_cells[static_cast<std::size_t>(currentCell)] : m_cells.front())->setFocus();
}

std::optional<std::uint32_t> CColorBtnDlg::choose(CColorPalette& palette, std::uint32_t current, const QRect& anchor,
                                                  QWidget* parent, const ColorDialogFunction& colorDialog)
{
    const QScreen* screen = parent && parent->screen() ? parent->screen() : nullptr;
    for (;;) {
        CColorBtnDlg popup(palette, current, parent);
        popup.adjustSize();
        if (screen)
            popup.move(popupPosition(anchor, popup.size(), screen->geometry()));
        const int result = popup.exec();
        if (result == kCellChosen)
            return palette.choose(popup.chosenCell());
        if (result != kOtherRequested)
            return std::nullopt;
        // The colour dialog runs after the popup has closed: an open popup would take its clicks.
        const std::optional<QColor> other = colorDialog(parent, colorFromColorRef(static_cast<std::int32_t>(current)));
        if (other)
            return palette.color(palette.chooseOther(static_cast<std::uint32_t>(colorRefFromColor(*other))));
    }
}

QPoint CColorBtnDlg::popupPosition(const QRect& anchor, const QSize& size, const QRect& screen)
{
    int x = anchor.left();
    int y = anchor.bottom() + 1;
    x = std::max(std::min(x, screen.right() + 1 - size.width()), screen.left());
    y = std::max(std::min(y, screen.bottom() + 1 - size.height()), screen.top());
    return {x, y};
}

void CColorBtnDlg::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left: moveFocus(-1, 0); break;
    case Qt::Key_Right: moveFocus(1, 0); break;
    case Qt::Key_Up: moveFocus(0, -1); break;
    case Qt::Key_Down: moveFocus(0, 1); break;
    default: QDialog::keyPressEvent(event); return;
    }
}

void CColorBtnDlg::moveFocus(int columns, int rows)
{
    const auto focused = std::find(m_cells.begin(), m_cells.end(), focusWidget());
    if (focused == m_cells.end())
        return;
    const int count = static_cast<int>(m_cells.size());
    const int index = static_cast<int>(focused - m_cells.begin()) + columns + rows * kColumns;
    m_cells[static_cast<std::size_t>((index % count + count) % count)]->setFocus();
}

// ---- CColorBtn ----

CColorBtn::CColorBtn(QWidget* parent)
    : QPushButton(parent), m_colorDialog(runColorDialog), m_palette(&CColorPalette::shared())
{
    setAutoDefault(false);
    connect(this, &QAbstractButton::clicked, this, &CColorBtn::openPalette);
}

void CColorBtn::setColorRef(std::int32_t colorRef)
{
    if (colorRef == m_colorRef)
        return;
    m_colorRef = colorRef;
    update();
    emit colorChanged(colorRef);
}

QSize CColorBtn::sizeHint() const
{
    const QSize base = QPushButton::sizeHint();
    return {std::max(base.width(), 48), base.height()};
}

void CColorBtn::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect swatch = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(2, 2, -3, -3);
    const QColor color =
        isEnabled() ? colorFromColorRef(m_colorRef) : palette().color(QPalette::Disabled, QPalette::Button);
    painter.fillRect(swatch, color);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawRect(swatch);
}

void CColorBtn::openPalette()
{
    const QRect anchor(mapToGlobal(QPoint(0, 0)), size());
    const std::optional<std::uint32_t> chosen =
        CColorBtnDlg::choose(*m_palette, static_cast<std::uint32_t>(m_colorRef), anchor, this, m_colorDialog);
    if (chosen)
        setColorRef(static_cast<std::int32_t>(*chosen));
}

}  // namespace brindle
