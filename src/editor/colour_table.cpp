#include "editor/colour_table.h"

#include <array>

namespace brindle {

namespace {

constexpr std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r | (g << 8) | (b << 16); }

constexpr std::array<std::uint32_t, kProgramColourCount> kDefaults{
    rgb(0, 0, 255), rgb(128, 0, 128), rgb(0, 128, 0),   rgb(255, 0, 0), rgb(96, 96, 96),
    rgb(0, 0, 128), rgb(0, 128, 192), rgb(0, 128, 192), rgb(0, 0, 0),   rgb(255, 255, 255),
};

std::array<std::uint32_t, kProgramColourCount> g_colours = kDefaults;

bool inRange(int index) { return index >= 0 && index < kProgramColourCount; }

}  // namespace

std::uint32_t programColour(int index) { return inRange(index) ? g_colours[static_cast<std::size_t>(index)] : 0; }

void setProgramColour(int index, std::uint32_t colour)
{
    if (inRange(index))
        g_colours[static_cast<std::size_t>(index)] = colour;
}

void resetProgramColours() { g_colours = kDefaults; }

}  // namespace brindle
