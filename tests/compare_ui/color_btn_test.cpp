// The colour button and its palette: usage ranks, "Other...", the popup's choices and placement.
#include "compare_ui/color_btn.h"

#include "compare_ui/color_palette.h"
#include "support/case_name.h"
#include "support/user_door.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <vector>

namespace brindle {
namespace {

using Ranks = std::array<int, CColorPalette::kCellCount>;
using Colors = std::array<std::uint32_t, CColorPalette::kCellCount>;

constexpr Ranks kInitialRanks = {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 20, 18, 16, 14, 12, 10, 8, 6, 4, 2};
constexpr Colors kInitialColors = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000,
                                   0xC0C0C0, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0, 0x808080, 0x0000FF,
                                   0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

Ranks ranks(const CColorPalette& palette)
{
    Ranks result{};
    for (int cell = 0; cell < CColorPalette::kCellCount; ++cell)
        result[static_cast<std::size_t>(cell)] = palette.rank(cell);
    return result;
}

Colors colors(const CColorPalette& palette)
{
    Colors result{};
    for (int cell = 0; cell < CColorPalette::kCellCount; ++cell)
        result[static_cast<std::size_t>(cell)] = palette.color(cell);
    return result;
}

TEST(ColorPalette, StartsWithTheTwentyColoursAndTheirRanks)
{
    const CColorPalette palette;
    EXPECT_EQ(kInitialColors, colors(palette));
    EXPECT_EQ(kInitialRanks, ranks(palette));
}

// ---- choosing cells ----

struct SChooseCase {
    const char* name;
    std::vector<int> cells;  // chosen one after the other
    Ranks expected;
};

class PaletteChoose : public testing::TestWithParam<SChooseCase> {};

TEST_P(PaletteChoose, MovesMoreRecentCellsDownOneRank)
{
    CColorPalette palette;
    for (int cell : GetParam().cells)
        EXPECT_EQ(kInitialColors[static_cast<std::size_t>(cell)], palette.choose(cell));
    EXPECT_EQ(GetParam().expected, ranks(palette));
    EXPECT_EQ(kInitialColors, colors(palette));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PaletteChoose,
    testing::Values(
        SChooseCase{"most_recent_cell_changes_nothing", {0}, kInitialRanks},
        SChooseCase{"least_recent_cell", {10}, {2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 1, 19, 17, 15, 13, 11, 9, 7, 5, 3}},
        SChooseCase{"second_cell_swaps_with_first", {19}, {2,  3,  5,  7,  9,  11, 13, 15, 17, 19,
                                                           20, 18, 16, 14, 12, 10, 8,  6,  4,  1}},
        // Ranks above the chosen one stay where they are.
        SChooseCase{"middle_cell", {7}, {2, 4, 6, 8, 10, 12, 14, 1, 17, 19, 20, 18, 16, 15, 13, 11, 9, 7, 5, 3}},
        SChooseCase{"same_cell_twice", {7, 7}, {2, 4, 6, 8, 10, 12, 14, 1, 17, 19, 20, 18, 16, 15, 13, 11, 9, 7, 5, 3}},
        SChooseCase{"two_cells", {7, 10}, {3, 5, 7, 9, 11, 13, 15, 2, 18, 20, 1, 19, 17, 16, 14, 12, 10, 8, 6, 4}}),
    test::SCaseName());

TEST(ColorPalette, RanksStayAPermutationOverManyChoices)
{
    CColorPalette palette;
    std::mt19937 random(20);
    std::uniform_int_distribution<int> anyCell(0, CColorPalette::kCellCount - 1);
    for (int round = 0; round < 500; ++round) {
        const int cell = anyCell(random);
        if (round % 3 == 0)
            palette.chooseOther(static_cast<std::uint32_t>(random()) & 0xFFFFFF);
        else
            palette.choose(cell);
        Ranks sorted = ranks(palette);
        std::sort(sorted.begin(), sorted.end());
        Ranks expected{};
        for (int rank = 1; rank <= CColorPalette::kCellCount; ++rank)
            expected[static_cast<std::size_t>(rank - 1)] = rank;
        ASSERT_EQ(expected, sorted) << "round " << round;
    }
}

// ---- "Other..." ----

TEST(ColorPalette, OtherWithAColourInThePaletteChangesNoCellColour)
{
    CColorPalette palette;
    EXPECT_EQ(14, palette.chooseOther(0x00FF00));
    EXPECT_EQ(kInitialColors, colors(palette));
    EXPECT_EQ(1, palette.rank(14));
    EXPECT_EQ(2, palette.rank(0));
}

TEST(ColorPalette, NewColoursReplaceTheLeastRecentlyUsedCells)
{
    CColorPalette palette;
    // Cell 10 has rank 20; after it is reused, cell 9 (rank 19) is the least recently used one.
    EXPECT_EQ(10, palette.chooseOther(0x123456));
    EXPECT_EQ(9, palette.chooseOther(0x654321));
    Colors expected = kInitialColors;
    expected[10] = 0x123456;
    expected[9] = 0x654321;
    EXPECT_EQ(expected, colors(palette));
    EXPECT_EQ(1, palette.rank(9));
    EXPECT_EQ(2, palette.rank(10));
    EXPECT_EQ(20, palette.rank(11));
    // A colour put in by "Other..." is found again rather than stored twice.
    EXPECT_EQ(10, palette.chooseOther(0x123456));
    EXPECT_EQ(expected, colors(palette));
}

// ---- colour conversion ----

struct SColorRefCase {
    const char* name;
    std::int32_t colorRef;
    QColor color;
};

class ColorRefConversion : public testing::TestWithParam<SColorRefCase> {};

TEST_P(ColorRefConversion, ReadsBlueGreenRed)
{
    EXPECT_EQ(GetParam().color, colorFromColorRef(GetParam().colorRef));
    EXPECT_EQ(GetParam().colorRef & 0xFFFFFF, colorRefFromColor(GetParam().color));
}

INSTANTIATE_TEST_SUITE_P(Cases, ColorRefConversion,
                         testing::Values(SColorRefCase{"red", 0x0000FF, QColor(255, 0, 0)},
                                         SColorRefCase{"blue", 0xFF0000, QColor(0, 0, 255)},
                                         SColorRefCase{"mixed", 0x804020, QColor(0x20, 0x40, 0x80)},
                                         SColorRefCase{"high_byte_ignored", 0x12345678, QColor(0x78, 0x56, 0x34)}),
                         test::SCaseName());

// ---- popup placement ----

struct SPlacementCase {
    const char* name;
    QRect anchor;
    QPoint expected;
};

class PopupPlacement : public testing::TestWithParam<SPlacementCase> {};

TEST_P(PopupPlacement, StaysOnScreen)
{
    const QRect screen(0, 0, 800, 600);
    EXPECT_EQ(GetParam().expected, CColorBtnDlg::popupPosition(GetParam().anchor, QSize(120, 100), screen));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PopupPlacement,
    testing::Values(SPlacementCase{"below_the_button", QRect(100, 50, 40, 20), QPoint(100, 70)},
                    SPlacementCase{"moved_left_at_right_edge", QRect(750, 50, 40, 20), QPoint(680, 70)},
                    SPlacementCase{"moved_up_at_bottom", QRect(100, 560, 40, 20), QPoint(100, 500)},
                    SPlacementCase{"bottom_right_corner", QRect(760, 580, 40, 20), QPoint(680, 500)},
                    SPlacementCase{"just_fits", QRect(680, 480, 40, 20), QPoint(680, 500)}),
    test::SCaseName());

// ---- the button and its popup ----

CColorBtnDlg* visiblePopup()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* popup = qobject_cast<CColorBtnDlg*>(widget); popup && popup->isVisible())
            return popup;
    }
    return nullptr;
}

// Runs action on the next palette popup that shows up (it runs in a nested event loop).
void onNextPopup(std::function<void(CColorBtnDlg&)> action, int attempts = 200)
{
    QTimer::singleShot(5, [action = std::move(action), attempts]() mutable {
        if (CColorBtnDlg* popup = visiblePopup())
            action(*popup);
        else if (attempts > 0)
            onNextPopup(std::move(action), attempts - 1);
    });
}

void clickOutside(CColorBtnDlg& popup) { test::pressAt(popup, QPointF(-10, -10)); }

struct SButtonCase {
    const char* name;
    std::int32_t start;
    // Steps on successive popups: a cell index, kOther (the colour dialog answers the next
    // entry of answers) or kOutside.
    std::vector<int> steps;
    std::vector<std::optional<std::uint32_t>> answers;
    std::int32_t expectedColor;
    int expectedColorDialogs;
    std::optional<std::uint32_t> changedCellColor;  // the colour of cell 10 afterwards
};

constexpr int kOther = -1;
constexpr int kOutside = -2;

class ColorButton : public testing::TestWithParam<SButtonCase> {};

TEST_P(ColorButton, TakesThePaletteChoice)
{
    const SButtonCase& c = GetParam();
    CColorPalette palette;
    CColorBtn button;
    button.setColorPalette(palette);
    button.setColorRef(c.start);
    int dialogs = 0;
    std::size_t step = 0;
    std::function<void(CColorBtnDlg&)> act = [&](CColorBtnDlg& popup) {
        const int what = c.steps.at(step++);
        if (what == kOther)
            popup.otherButton()->click();
        else if (what == kOutside)
            clickOutside(popup);
        else
            popup.cell(what)->click();
    };
    button.setColorDialog([&](QWidget*, const QColor& initial) -> std::optional<QColor> {
        EXPECT_EQ(colorFromColorRef(c.start), initial);
        const auto answer = c.answers.at(static_cast<std::size_t>(dialogs++));
        if (step < c.steps.size())
            onNextPopup(act);
        if (!answer)
            return std::nullopt;
        return colorFromColorRef(static_cast<std::int32_t>(*answer));
    });
    onNextPopup(act);
    button.click();

    EXPECT_EQ(c.steps.size(), step);
    EXPECT_EQ(c.expectedColor, button.colorRef());
    EXPECT_EQ(c.expectedColorDialogs, dialogs);
    EXPECT_EQ(c.changedCellColor.value_or(kInitialColors[10]), palette.color(10));
    EXPECT_EQ(nullptr, visiblePopup());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ColorButton,
    testing::Values(
        SButtonCase{"cell", 0xFFFFFF, {13}, {}, 0x0000FF, 0, std::nullopt},
        SButtonCase{"click_outside_keeps_colour", 0x800080, {kOutside}, {}, 0x800080, 0, std::nullopt},
        SButtonCase{"other_known_colour", 0xFFFFFF, {kOther}, {0x00FF00}, 0x00FF00, 1, std::nullopt},
        SButtonCase{"other_new_colour_takes_rank_20_cell", 0xFFFFFF, {kOther}, {0x123456}, 0x123456, 1, 0x123456},
        // Cancelling the colour dialog returns to the palette.
        SButtonCase{"other_cancelled_then_cell", 0xFFFFFF, {kOther, 2}, {std::nullopt}, 0x008000, 1, std::nullopt},
        SButtonCase{
            "other_cancelled_then_outside", 0xFFFFFF, {kOther, kOutside}, {std::nullopt}, 0xFFFFFF, 1, std::nullopt}),
    test::SCaseName());

TEST(ColorButton, PaletteOpensWithTheCurrentColoursCellFocused)
{
    CColorPalette palette;
    CColorBtn button;
    button.setColorPalette(palette);
    button.setColorRef(0x008000);
    QString focused;
    onNextPopup([&](CColorBtnDlg& popup) {
        focused = popup.focusWidget() ? popup.focusWidget()->objectName() : QString();
        popup.reject();
    });
    button.click();
    EXPECT_EQ(QStringLiteral("5103"), focused);
    EXPECT_EQ(0x008000, button.colorRef());
}

}  // namespace
}  // namespace brindle
