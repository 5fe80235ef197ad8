#include "compare_ui/color_palette.h"

#include <algorithm>

namespace brindle {

namespace {

constexpr std::array<std::uint32_t, CColorPalette::kCellCount> kInitialColors = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0, 0xC0DCC0, 0xF0CAA6,
    0xF0FBFF, 0xA4A0A0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};
constexpr std::array<int, CColorPalette::kCellCount> kInitialRanks = {
    1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 20, 18, 16, 14, 12, 10, 8, 6, 4, 2,
};

}  // namespace

CColorPalette::CColorPalette() : m_colors(kInitialColors), m_ranks(kInitialRanks) {}

CColorPalette& CColorPalette::shared()
{
    static CColorPalette palette;
    return palette;
}

int CColorPalette::cellOf(std::uint32_t color) const
{
    const auto found = std::find(m_colors.begin(), m_colors.end(), color);
    return found == m_colors.end() ? -1 : static_cast<int>(found - m_colors.begin());
}

std::uint32_t CColorPalette::choose(int cell)
{
    const int chosenRank = rank(cell);
    for (int& other : m_ranks) {
        if (other < chosenRank)
            ++other;
    }
    m_ranks[static_cast<std::size_t>(cell)] = 1;
    return color(cell);
}

int CColorPalette::chooseOther(std::uint32_t color)
{
    int cell = cellOf(color);
    if (cell < 0) {
        cell = static_cast<int>(std::find(m_ranks.begin(), m_ranks.end(), kCellCount) - m_ranks.begin());
        m_colors[static_cast<std::size_t>(cell)] = color;
    }
    choose(cell);
    return cell;
}

}  // namespace brindle
