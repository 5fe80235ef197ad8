// The "Menu1" value in the current user's registry, set for one test and removed afterwards.
#pragma once

#include <string_view>
#include <vector>

#include <windows.h>

namespace brindle::test {

class CMenuSettingValue {
public:
    CMenuSettingValue(DWORD type, std::vector<BYTE> data);
    CMenuSettingValue(const CMenuSettingValue&) = delete;
    CMenuSettingValue& operator=(const CMenuSettingValue&) = delete;
    ~CMenuSettingValue();

    // The bytes of text as REG_SZ data, with its terminator unless withTerminator is false.
    static std::vector<BYTE> textBytes(std::wstring_view text, bool withTerminator = true);
};

// Removes the value, so that a test starts from the built-in texts.
void RemoveMenuSettingValue();

}  // namespace brindle::test
