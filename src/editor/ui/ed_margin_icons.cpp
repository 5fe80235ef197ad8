#include "editor/ui/ed_margin_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

namespace brindle {

namespace {

// A filled square: the line marks of the comparison (file 1, file 2, both).
QPixmap squareIcon(QColor fill)
{
    QPixmap pixmap(kMarginIconSize, kMarginIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(fill);
    painter.drawRect(3, 3, 9, 9);
    return pixmap;
}

// A rounded tag with the bookmark's digit.
QPixmap numberedBookmarkIcon(int digit)
{
    QPixmap pixmap(kMarginIconSize, kMarginIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0, 0, 128));
    painter.setBrush(QColor(255, 255, 160));
    painter.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
    QFont font;
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, kMarginIconSize, kMarginIconSize), Qt::AlignCenter, QString::number(digit));
    return pixmap;
}

// A pennant: the anonymous bookmark.
QPixmap flagIcon()
{
    QPixmap pixmap(kMarginIconSize, kMarginIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.2));
    painter.drawLine(QPointF(4, 2), QPointF(4, 14));
    QPainterPath pennant;
    pennant.moveTo(4.5, 2.5);
    pennant.lineTo(13, 5.5);
    pennant.lineTo(4.5, 8.5);
    pennant.closeSubpath();
    painter.fillPath(pennant, QColor(0, 0, 255));
    return pixmap;
}

// An arrow pointing right: the current-difference mark.
QPixmap arrowIcon()
{
    QPixmap pixmap(kMarginIconSize, kMarginIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(2, 6);
    arrow.lineTo(8, 6);
    arrow.lineTo(8, 3);
    arrow.lineTo(14, 8);
    arrow.lineTo(8, 13);
    arrow.lineTo(8, 10);
    arrow.lineTo(2, 10);
    arrow.closeSubpath();
    painter.setPen(Qt::black);
    painter.setBrush(QColor(255, 255, 0));
    painter.drawPath(arrow);
    return pixmap;
}

std::array<QPixmap, kMarginIconCount> makeIcons()
{
    std::array<QPixmap, kMarginIconCount> icons;
    icons[0] = squareIcon(QColor(0, 128, 0));
    icons[1] = squareIcon(QColor(255, 0, 0));
    icons[2] = arrowIcon();
    for (int digit = 1; digit <= 9; ++digit)
        icons[2 + digit] = numberedBookmarkIcon(digit);
    icons[12] = numberedBookmarkIcon(0);
    icons[13] = flagIcon();
    icons[14] = squareIcon(QColor(128, 128, 0));
    return icons;
}

}  // namespace

int marginIconOfFlags(std::uint32_t flags)
{
    struct SOrder {
        std::uint32_t flag;
        int icon;
    };
    static constexpr std::array<SOrder, 15> kOrder{{
        {0x10000, 0},
        {0x20000, 1},
        {0x40000, 2},
        {0x2, 3},
        {0x4, 4},
        {0x8, 5},
        {0x10, 6},
        {0x20, 7},
        {0x40, 8},
        {0x80, 9},
        {0x100, 10},
        {0x200, 11},
        {0x1, 12},
        {0x80000, 13},
        {0x100000, 14},
    }};
    for (const SOrder& entry : kOrder) {
        if (flags & entry.flag)
            return entry.icon;
    }
    return -1;
}

const QPixmap& marginIcon(int index)
{
    static const std::array<QPixmap, kMarginIconCount> icons = makeIcons();
    return icons.at(static_cast<std::size_t>(index));
}

}  // namespace brindle
