// The light colours of the text surfaces (report panes, section list, editors, hex view).
#pragma once

#include <QPalette>

class QWidget;

namespace brindle {

// palette with the roles of a light scheme: dark text on a white ground, light grey buttons. The
// colours of reports, syntax and markers (blue, red, green on white) were chosen for that ground;
// on a dark desktop palette they would be hard to read. Selection colours stay the desktop's.
QPalette lightPalette(QPalette palette);

// Gives widget the light palette (its children inherit it).
void useLightColours(QWidget& widget);

}  // namespace brindle
