#include "editor/ui/ed_colours.h"

#include "editor/colour_table.h"
#include "framework/light_colours.h"

#include <QGuiApplication>
#include <QPalette>

namespace brindle {

namespace {

QColor fromColourRef(std::uint32_t colour) { return QColor::fromRgb(colourRefToRgb(colour)); }

}  // namespace

QColor defaultColourOfIndex(int index)
{
    // The syntax colours were chosen for dark text on white, on any desktop palette.
    const QPalette palette = lightPalette(QGuiApplication::palette());
    switch (index) {
    case kViewBackground:
    case kViewMarginOff: return palette.color(QPalette::Base);
    case kViewNormalText: return palette.color(QPalette::Text);
    case kViewMargin: return palette.color(QPalette::Button);
    default: break;
    }
    if (index >= 0 && index < kProgramColourCount)
        return fromColourRef(programColour(index));
    return QColor(128, 0, 0);
}

QColor lineBackgroundOfFlags(std::uint32_t flags)
{
    if (flags & 0x10000)
        return QColor(0, 128, 0);
    if (flags & 0x20000)
        return QColor(255, 0, 0);
    if (flags & 0x100000)
        return QColor(128, 128, 0);
    return {};
}

}  // namespace brindle
