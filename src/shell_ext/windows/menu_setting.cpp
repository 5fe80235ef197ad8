// Reading the "Menu1" setting from the current user's registry.
#include "shell_ext/windows/menu_setting.h"

#include "shell_ext/shell_menu_text.h"
#include "shell_ext/windows/win_text.h"

#include <array>
#include <cstddef>
#include <span>

#include <windows.h>

namespace brindle {

std::optional<std::u16string> ReadShellMenuSetting()
{
    const std::wstring key = ToWide(kShellMenuSettingKey);
    const std::wstring name = ToWide(kShellMenuSettingName);
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return std::nullopt;
    // Two bytes more than allowed, so that a longer value shows as one that does not fit.
    std::array<std::byte, kShellMenuSettingMaxBytes + 2> data{};
    DWORD type = 0;
    DWORD size = data.size();
    const LONG status = RegQueryValueExW(opened, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                                         &size);
    RegCloseKey(opened);
    if (status != ERROR_SUCCESS)
        return std::nullopt;
    return ShellMenuSettingFromValue(type == REG_SZ, std::span<const std::byte>(data.data(), size));
}

}  // namespace brindle
