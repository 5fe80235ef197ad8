#include "framework/light_colours.h"

#include <QWidget>

namespace brindle {

QPalette lightPalette(QPalette palette)
{
    const QColor white(255, 255, 255);
    const QColor black(0, 0, 0);
    const QColor face(240, 240, 240);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, white);
        palette.setColor(group, QPalette::AlternateBase, QColor(245, 245, 245));
        palette.setColor(group, QPalette::Window, face);
        palette.setColor(group, QPalette::Button, face);
        palette.setColor(group, QPalette::Text, black);
        palette.setColor(group, QPalette::WindowText, black);
        palette.setColor(group, QPalette::ButtonText, black);
        palette.setColor(group, QPalette::PlaceholderText, QColor(128, 128, 128));
    }
    palette.setColor(QPalette::Disabled, QPalette::Base, face);
    palette.setColor(QPalette::Disabled, QPalette::Window, face);
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(120, 120, 120));
    return palette;
}

void useLightColours(QWidget& widget) { widget.setPalette(lightPalette(widget.palette())); }

}  // namespace brindle
