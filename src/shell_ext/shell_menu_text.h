// The context-menu item text and its help text, from the "Menu1" setting or built in.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace brindle {

// Name and key of the setting, under the current user's settings root.
inline constexpr std::u16string_view kShellMenuSettingKey = u"Software\\Tollan Software Inc.\\Brindle\\Settings";
inline constexpr std::u16string_view kShellMenuSettingName = u"Menu1";

// The most the setting may hold: 260 bytes, that is 129 UTF-16 units and the terminator.
inline constexpr std::size_t kShellMenuSettingMaxBytes = 260;
inline constexpr std::size_t kShellMenuSettingMaxUnits = 129;

inline constexpr std::u16string_view kShellBuiltInMenuText = u"Co&mpare Files...";
inline constexpr std::u16string_view kShellBuiltInHelpText = u"Compare Files";

// The setting's text from the raw value as the settings store gives it: isText says whether the
// value has the string type, data holds its bytes (UTF-16 little-endian). nullopt, meaning the
// built-in texts, for another type or more than kShellMenuSettingMaxBytes bytes. The text ends at
// the first U+0000 or at the end of data, whichever comes first (an odd last byte is ignored), so a
// value stored without terminator is read safely; it is nullopt when that text is still longer
// than kShellMenuSettingMaxUnits.
std::optional<std::u16string> ShellMenuSettingFromValue(bool isText, std::span<const std::byte> data);

// The menu item: the setting up to its first "|" (all of it without one), ampersands and ellipsis
// kept. The built-in text when setting is nullopt or longer than kShellMenuSettingMaxUnits.
std::u16string ShellMenuItemText(const std::optional<std::u16string>& setting);

// The help text: the setting after its first "|" (all of it without one), with its first "&"
// removed and then cut at its first "...". The built-in text when setting is nullopt or longer
// than kShellMenuSettingMaxUnits.
std::u16string ShellHelpText(const std::optional<std::u16string>& setting);

}  // namespace brindle
