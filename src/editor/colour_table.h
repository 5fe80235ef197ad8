// The program-wide colour table of the editors: colour indices 0 to 9, shared by every view.
#pragma once

#include <cstdint>

namespace brindle {

// Indices of the table. 5 and 6 are also the colours of file-1 and file-2 material in merge
// files; the comparison window sets them from its compare options.
enum EColourIndex : int {
    kColourKeyword = 0,
    kColourFunctionName = 1,
    kColourComment = 2,
    kColourNumber = 3,
    kColourOperator = 4,
    kColourSecondWords = 5,  // and file 1 in merge files
    kColourFile2 = 6,
    kColourPreprocessor = 7,
    kColourSelectionBack = 8,
    kColourSelectionText = 9,
    kProgramColourCount = 10,
};
inline constexpr int kColourFile1 = kColourSecondWords;

// Colours are 0x00BBGGRR. Out-of-range indices read as 0 and are not written.
std::uint32_t programColour(int index);
void setProgramColour(int index, std::uint32_t colour);
// Puts every index back to its default.
void resetProgramColours();

// The colour as red, green and blue in 0x00RRGGBB order, for toolkits that take that form.
inline constexpr std::uint32_t colourRefToRgb(std::uint32_t colour)
{
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

}  // namespace brindle
