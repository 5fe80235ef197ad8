// Display columns of editor text.
#pragma once

#include <cstdint>

namespace brindle {

// The columns ch takes when it starts at column: a tab runs to the next multiple of tabSize
// (which must be at least 1), every other character takes one.
inline std::int32_t EdCharColumns(char16_t ch, std::int32_t column, std::int32_t tabSize)
{
    return ch == u'\t' ? tabSize - column % tabSize : 1;
}

}  // namespace brindle
