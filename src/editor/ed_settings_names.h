// The editor's keys and value names in the settings store, outside the program's own root.
#pragma once

#include <string_view>

namespace brindle {

// The editor's key; its DWORD values are the search options (CEdSearchSettings) and the page
// set-up (SEdPageSetup).
inline constexpr std::u16string_view kEditorSettingsKey = u"Software\\RodeZor";
inline constexpr std::u16string_view kFindFlagsValue = u"FindFlags";
inline constexpr std::u16string_view kReplaceFlagsValue = u"ReplaceFlags";
inline constexpr std::u16string_view kPageWidthValue = u"PageWidth";
inline constexpr std::u16string_view kPageHeightValue = u"PageHeight";
inline constexpr std::u16string_view kPageLeftValue = u"PageLeft";
inline constexpr std::u16string_view kPageRightValue = u"PageRight";
inline constexpr std::u16string_view kPageTopValue = u"PageTop";
inline constexpr std::u16string_view kPageBottomValue = u"PageBottom";

// The caret positions remembered per document, one binary value per path.
inline constexpr std::u16string_view kRememberedPositionsKey = u"Software\\RodeZor\\Remembered";

}  // namespace brindle
