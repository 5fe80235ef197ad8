// The positions at which the program registers its document templates, in registration order.
#pragma once

#include <cstddef>

namespace brindle {

inline constexpr std::size_t kComparisonTemplate = 0;
inline constexpr std::size_t kMergeEditorTemplate = 1;
inline constexpr std::size_t kHexViewTemplate = 2;
inline constexpr std::size_t kTextEditorTemplate = 3;
inline constexpr std::size_t kFolderComparisonTemplate = 4;

}  // namespace brindle
