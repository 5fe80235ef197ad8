// The label and tooltip of the Nautilus menu item, from the "Menu1" setting or built in.
#pragma once

#include <string>
#include <string_view>

namespace brindle {

class CSettingsStore;

// UTF-8 texts as NautilusMenuItem takes them; always valid UTF-8.
struct SNautilusMenuTexts {
    std::string label;
    std::string tip;

    bool operator==(const SNautilusMenuTexts&) const = default;
};

// The menu text without access keys: Nautilus shows labels as they are, so each single "&" is
// removed and "&&" becomes "&".
std::u16string NautilusLabelFromMenuText(std::u16string_view menuText);

// Reads "Menu1" under kShellMenuSettingKey from store. A text value goes through the same length
// rule as on Windows (ShellMenuSettingFromValue); a missing value or one of another type gives the
// built-in texts. Bytes that are not UTF-8 are shown as U+FFFD.
SNautilusMenuTexts NautilusMenuTexts(const CSettingsStore& store);

}  // namespace brindle
