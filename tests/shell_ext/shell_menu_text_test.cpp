// The menu item and help texts from the "Menu1" setting: bars, ampersands, ellipses, limits, bad values.
#include "shell_ext/shell_menu_text.h"

#include "shell_ext/narrow_text.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace brindle {
namespace {

using test::narrow;

TEST(ShellMenuText, ItemAndHelpFromTheSetting)
{
    struct SCase {
        const char* name;
        std::optional<std::u16string> setting;
        std::u16string item;
        std::u16string help;
    };
    const std::u16string longest(kShellMenuSettingMaxUnits, u'x');
    const SCase cases[] = {
        {"absent", std::nullopt, u"Co&mpare Files...", u"Compare Files"},
        {"built-in text stored", u"Co&mpare Files...", u"Co&mpare Files...", u"Compare Files"},
        {"no bar, no marks", u"Diff", u"Diff", u"Diff"},
        {"bar", u"&Diff...|Show the &difference...now", u"&Diff...", u"Show the difference"},
        {"second bar belongs to the help", u"A|B|C", u"A", u"B|C"},
        {"only a bar", u"|", u"", u""},
        {"empty help", u"Menu|", u"Menu", u""},
        {"empty", u"", u"", u""},
        {"only the first ampersand goes", u"&A&B", u"&A&B", u"A&B"},
        {"doubled ampersand", u"Save && &Compare", u"Save && &Compare", u"Save & &Compare"},
        {"ampersand in the item only", u"&Item|Help", u"&Item", u"Help"},
        {"ampersand removed before the cut", u"a..&.b", u"a..&.b", u"a"},
        {"four dots", u"x....y", u"x....y", u"x"},
        {"two dots stay", u"v1..2", u"v1..2", u"v1..2"},
        {"ellipsis first", u"...tail", u"...tail", u""},
        {"longest accepted", longest, longest, longest},
        {"too long", longest + u"x", u"Co&mpare Files...", u"Compare Files"},
        {"too long with a bar", u"A|" + longest, u"Co&mpare Files...", u"Compare Files"},
        {"not ASCII", u"&Vergleiche \u00c4pfel\u2026|\u00c4pfel &vergleichen...", u"&Vergleiche \u00c4pfel\u2026",
         u"\u00c4pfel vergleichen"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(narrow(ShellMenuItemText(c.setting)), narrow(c.item));
        EXPECT_EQ(narrow(ShellHelpText(c.setting)), narrow(c.help));
        EXPECT_EQ(ShellHelpText(c.setting), c.help);
    }
}

std::vector<std::byte> utf16le(std::u16string_view text, bool terminated)
{
    std::vector<std::byte> bytes;
    for (const char16_t ch : text) {
        bytes.push_back(static_cast<std::byte>(ch & 0xFF));
        bytes.push_back(static_cast<std::byte>(ch >> 8));
    }
    if (terminated)
        bytes.insert(bytes.end(), 2, std::byte{0});
    return bytes;
}

TEST(ShellMenuText, RawValueFromTheSettingsStore)
{
    struct SCase {
        const char* name;
        bool isText;
        std::vector<std::byte> data;
        std::optional<std::u16string> text;
    };
    const std::u16string longest(kShellMenuSettingMaxUnits, u'x');
    std::vector<std::byte> odd = utf16le(u"A", false);
    odd.push_back(std::byte{'B'});
    const SCase cases[] = {
        {"terminated", true, utf16le(u"Ab|c", true), u"Ab|c"},
        {"without terminator", true, utf16le(u"Ab", false), u"Ab"},
        {"empty data", true, {}, u""},
        {"only a terminator", true, utf16le(u"", true), u""},
        {"odd last byte ignored", true, odd, u"A"},
        {"ends at an embedded nul", true, utf16le(std::u16string(u"A\0B", 3), true), u"A"},
        {"units above 0xFF", true, utf16le(u"\u00c4\u4e2d", true), u"\u00c4\u4e2d"},
        {"wrong type", false, utf16le(u"Ab", true), std::nullopt},
        {"129 units and terminator fill 260 bytes", true, utf16le(longest, true), longest},
        {"130 units without terminator in 260 bytes", true, utf16le(longest + u"x", false), std::nullopt},
        {"longer than 260 bytes", true, utf16le(longest + u"x", true), std::nullopt},
        {"longer than 260 bytes though terminated early", true, utf16le(u"A" + std::u16string(130, u'\0'), true),
         std::nullopt},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ShellMenuSettingFromValue(c.isText, c.data), c.text);
    }
}

}  // namespace
}  // namespace brindle
