// The colour table behind the colour buttons' palette: twenty cells with their colours and usage
// ranks, shared by every colour button of the process.
#pragma once

#include <array>
#include <cstdint>

namespace brindle {

// Colours are COLORREF values (0x00BBGGRR). Ranks run from 1 (used most recently) to 20 (used
// least recently); every operation keeps them a permutation of 1..20. Plain data, no Qt.
class CColorPalette {
public:
    static constexpr int kCellCount = 20;

    // The initial colours and ranks.
    CColorPalette();

    // The table of the process; it lives until the program ends.
    static CColorPalette& shared();

    std::uint32_t color(int cell) const { return m_colors.at(static_cast<std::size_t>(cell)); }
    int rank(int cell) const { return m_ranks.at(static_cast<std::size_t>(cell)); }
    // The first cell holding color, or -1.
    int cellOf(std::uint32_t color) const;

    // A cell was chosen: every cell used more recently than it moves one rank down and the cell
    // gets rank 1. Returns its colour.
    std::uint32_t choose(int cell);
    // A colour came from the colour dialog: a cell already holding it is chosen; otherwise the
    // least recently used cell (rank 20) takes the colour and is chosen. Returns the cell.
    int chooseOther(std::uint32_t color);

private:
    std::array<std::uint32_t, kCellCount> m_colors;
    std::array<int, kCellCount> m_ranks;
};

}  // namespace brindle
