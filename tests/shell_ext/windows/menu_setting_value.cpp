// The "Menu1" value in the current user's registry, set for one test and removed afterwards.
#include "menu_setting_value.h"

#include <cstring>
#include <stdexcept>

namespace brindle::test {

namespace {

const wchar_t* const kKey = L"Software\\Tollan Software Inc.\\Brindle\\Settings";

}  // namespace

CMenuSettingValue::CMenuSettingValue(DWORD type, std::vector<BYTE> data)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create the settings key");
    const LONG status = RegSetValueExW(key, L"Menu1", 0, type, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        throw std::runtime_error("cannot set Menu1");
}

CMenuSettingValue::~CMenuSettingValue()
{
    RemoveMenuSettingValue();
}

std::vector<BYTE> CMenuSettingValue::textBytes(std::wstring_view text, bool withTerminator)
{
    std::vector<BYTE> bytes((text.size() + (withTerminator ? 1 : 0)) * sizeof(wchar_t));
    std::memcpy(bytes.data(), text.data(), text.size() * sizeof(wchar_t));
    return bytes;
}

void RemoveMenuSettingValue()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueW(key, L"Menu1");
    RegCloseKey(key);
}

}  // namespace brindle::test
