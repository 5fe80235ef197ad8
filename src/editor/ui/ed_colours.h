// The colours of the editor views by colour index.
#pragma once

#include <QColor>
#include <cstdint>

namespace brindle {

// The view's own colour indices beyond the program-wide table (0 to 9, colour_table.h).
enum EViewColourIndex : int {
    kViewBackground = 10,
    kViewMarginOff = 11,  // the 1-pixel margin when the selection margin is off
    kViewNormalText = 12,
    kViewMargin = 13,  // the selection margin
};

// Indices 0 to 9 come from the program-wide table; 10 and 11 are the window background, 12 the
// normal text, 13 the selection margin (the platform's colours), anything else the colour of
// strings and character constants.
QColor defaultColourOfIndex(int index);

// The background of a line by its flags (0x10000, 0x20000, 0x100000), or an invalid colour for
// a line drawn in the normal colours; such lines have white text and show whitespace marks.
QColor lineBackgroundOfFlags(std::uint32_t flags);

}  // namespace brindle
