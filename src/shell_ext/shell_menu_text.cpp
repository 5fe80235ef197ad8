// The context-menu item text and its help text, from the "Menu1" setting or built in.
#include "shell_ext/shell_menu_text.h"

namespace brindle {

std::optional<std::u16string> ShellMenuSettingFromValue(bool isText, std::span<const std::byte> data)
{
    if (!isText || data.size() > kShellMenuSettingMaxBytes)
        return std::nullopt;
    std::u16string text;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const auto unit =
            static_cast<char16_t>(std::to_integer<unsigned>(data[i]) | (std::to_integer<unsigned>(data[i + 1]) << 8));
        if (unit == u'\0')
            break;
        text += unit;
    }
    // 260 bytes without a terminator are 130 units: one more than a terminated value can hold.
    if (text.size() > kShellMenuSettingMaxUnits)
        return std::nullopt;
    return text;
}

namespace {

bool usable(const std::optional<std::u16string>& setting)
{
    return setting && setting->size() <= kShellMenuSettingMaxUnits;
}

}  // namespace

std::u16string ShellMenuItemText(const std::optional<std::u16string>& setting)
{
    if (!usable(setting))
        return std::u16string(kShellBuiltInMenuText);
    return setting->substr(0, setting->find(u'|'));
}

std::u16string ShellHelpText(const std::optional<std::u16string>& setting)
{
    if (!usable(setting))
        return std::u16string(kShellBuiltInHelpText);
    const std::size_t bar = setting->find(u'|');
    std::u16string help = bar == std::u16string::npos ? *setting : setting->substr(bar + 1);
    if (const std::size_t amp = help.find(u'&'); amp != std::u16string::npos)
        help.erase(amp, 1);
    if (const std::size_t dots = help.find(u"..."); dots != std::u16string::npos)
        help.erase(dots);
    return help;
}

}  // namespace brindle
