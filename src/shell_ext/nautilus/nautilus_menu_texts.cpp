// The label and tooltip of the Nautilus menu item, from the "Menu1" setting or built in.
#include "shell_ext/nautilus/nautilus_menu_texts.h"

#include "platform/settings_store.h"
#include "platform/utf8.h"
#include "shell_ext/nautilus/gobject_ptr.h"
#include "shell_ext/shell_menu_text.h"

#include <glib.h>

#include <cstddef>
#include <optional>
#include <vector>

namespace brindle {

namespace {

// The value as the Windows registry would hand it over: UTF-16 little-endian with its
// terminator, so that the byte limit counts the same on both systems.
std::vector<std::byte> registryBytes(std::u16string_view text)
{
    std::vector<std::byte> bytes;
    bytes.reserve((text.size() + 1) * 2);
    const auto append = [&bytes](char16_t unit) {
        bytes.push_back(static_cast<std::byte>(unit & 0xFF));
        bytes.push_back(static_cast<std::byte>(unit >> 8));
    };
    for (const char16_t unit : text)
        append(unit);
    append(u'\0');
    return bytes;
}

std::optional<std::u16string> menuSetting(const CSettingsStore& store)
{
    const std::optional<std::u16string> value = store.readString(kShellMenuSettingKey, kShellMenuSettingName);
    if (!value)
        return std::nullopt;
    return ShellMenuSettingFromValue(true, registryBytes(*value));
}

// The settings file may hold bytes that are not UTF-8; they come back from the lossless
// conversion as they were, and GTK needs valid UTF-8.
std::string validUtf8(std::u16string_view text)
{
    const std::string bytes = u8(text);
    const TGCharPtr valid(g_utf8_make_valid(bytes.data(), static_cast<gssize>(bytes.size())));
    return valid.get();
}

}  // namespace

std::u16string NautilusLabelFromMenuText(std::u16string_view menuText)
{
    std::u16string label;
    label.reserve(menuText.size());
    for (std::size_t i = 0; i < menuText.size(); ++i) {
        if (menuText[i] == u'&' && ++i == menuText.size())
            break;
        label += menuText[i];
    }
    return label;
}

SNautilusMenuTexts NautilusMenuTexts(const CSettingsStore& store)
{
    const std::optional<std::u16string> setting = menuSetting(store);
    return {validUtf8(NautilusLabelFromMenuText(ShellMenuItemText(setting))), validUtf8(ShellHelpText(setting))};
}

}  // namespace brindle
