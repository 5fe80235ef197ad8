// Reading the "Menu1" setting from the current user's registry.
#pragma once

#include <optional>
#include <string>

namespace brindle {

// The setting's text (ShellMenuSettingFromValue), or nullopt for the built-in texts: key or value
// missing, a type other than REG_SZ, or more than 260 bytes.
std::optional<std::u16string> ReadShellMenuSetting();

}  // namespace brindle
