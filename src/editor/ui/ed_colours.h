// The colours of the editor views by colour index.
#pragma once

#include <QColor>
#include <cstdint>

namespace brindle {

// Indices 0 to 9 come from the program-wide table; 10 and 11 are the window background, 12 the
// normal text, 13 the selection margin (the platform's colours), anything else the colour of
// strings and character constants.
QColor defaultColourOfIndex(int index);

// The background of a line by its flags (0x10000, 0x20000, 0x100000), or an invalid colour for
// a line drawn in the normal colours; such lines have white text and show whitespace marks.
QColor lineBackgroundOfFlags(std::uint32_t flags);

}  // namespace brindle
