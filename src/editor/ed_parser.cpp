#include "editor/ed_parser.h"

#include "editor/text_columns.h"

#include <algorithm>

namespace brindle {

namespace {

bool isBlank(char16_t ch) { return ch == u' ' || ch == u'\t'; }

}  // namespace

std::uint32_t CEdParser::ColourLine(std::uint32_t, std::u16string_view, std::vector<SColourBlock>*) { return 0; }

void CEdParser::WrapLine(std::u16string_view line, std::int32_t width, std::int32_t tabSize,
                         std::vector<std::int32_t>& breaks)
{
    breaks.clear();
    width = std::max(width, 1);
    tabSize = std::max(tabSize, 1);
    std::size_t rowStart = 0;
    std::size_t wordStart = 0;  // after the last blank of the row; rowStart when none
    std::int32_t column = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char16_t ch = line[i];
        if (i > rowStart && isBlank(line[i - 1]) && !isBlank(ch))
            wordStart = i;
        const std::int32_t w = EdCharColumns(ch, column, tabSize);
        if (column + w <= width || i == rowStart || isBlank(ch)) {
            column += w;
            continue;
        }
        // The word that overflows moves down whole; it fits there, since it fitted after a blank.
        rowStart = wordStart > rowStart ? wordStart : i;
        breaks.push_back(static_cast<std::int32_t>(rowStart));
        wordStart = rowStart;
        column = 0;
        for (std::size_t j = rowStart; j <= i; ++j)
            column += EdCharColumns(line[j], column, tabSize);
    }
}

}  // namespace brindle
