// The 16 x 16 icons of the editor's selection margin, and which one a line shows.
#pragma once

#include <QPixmap>
#include <cstdint>

namespace brindle {

inline constexpr int kMarginIconSize = 16;
inline constexpr int kMarginIconCount = 15;

// The icon of the first flag the line carries, in the order 0x10000 (0), 0x20000 (1),
// 0x40000 (2), bookmarks 1..9 (3..11), bookmark 0 (12), the anonymous bookmark (13),
// 0x100000 (14); -1 when it carries none of them.
int marginIconOfFlags(std::uint32_t flags);

// Icon index (0..kMarginIconCount-1) with a transparent background; made once per process.
const QPixmap& marginIcon(int index);

}  // namespace brindle
