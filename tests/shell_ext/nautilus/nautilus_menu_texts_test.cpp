// The label and tooltip of the Nautilus item, read from the user's "Menu1" setting as brd64 keeps it.
#include "shell_ext/nautilus/nautilus_menu_texts.h"

#include "fakes/fake_file_info.h"
#include "fakes/nautilus_test_environment.h"
#include "menu_provider_harness.h"
#include "platform/reg_file_store.h"
#include "platform/utf8.h"
#include "shell_ext/shell_menu_text.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace brindle {
namespace {

using test::CNautilusTestEnvironment;

const auto* const g_environment = testing::AddGlobalTestEnvironment(new CNautilusTestEnvironment);

// Replaces the user's settings file with one that write fills. The new file is made beside the
// old one and renamed over it, so it never shares the old one's inode and the store sees the
// change however close in time two cases come.
void replaceUserSettings(const std::function<void(CSettingsStore&)>& write)
{
    const std::filesystem::path folder = CNautilusTestEnvironment::configHome().path() / "brindle";
    std::filesystem::create_directories(folder);
    std::filesystem::remove(folder / "next.reg");
    CRegFileStore next(pathFromNative((folder / "next.reg").string()));
    next.writeDword(u"Software\\Other", u"Unrelated", 1);
    write(next);
    std::filesystem::rename(folder / "next.reg", folder / "user.reg");
}

std::function<void(CSettingsStore&)> menuText(std::u16string text)
{
    return [text](CSettingsStore& store) { store.writeString(kShellMenuSettingKey, kShellMenuSettingName, text); };
}

TEST(NautilusMenuTexts, LabelAndTipFollowTheMenuSetting)
{
    struct SCase {
        const char* name;
        std::function<void(CSettingsStore&)> write;
        std::string label;
        std::string tip;
    };
    const std::string builtInLabel = "Compare Files...";
    const std::string builtInTip = "Compare Files";
    const std::u16string longest(kShellMenuSettingMaxUnits, u'x');
    const SCase cases[] = {
        {"absent", [](CSettingsStore&) {}, builtInLabel, builtInTip},
        {"with bar", menuText(u"&Diff|Compare with &Brindle..."), "Diff", "Compare with Brindle"},
        {"without bar", menuText(u"Ver&gleichen..."), "Vergleichen...", "Vergleichen"},
        {"doubled ampersand kept once", menuText(u"Copy && &Compare|Copy && compare"), "Copy & Compare",
         "Copy & compare"},
        {"ampersand at the end dropped", menuText(u"Compare&|Tip"), "Compare", "Tip"},
        {"three ampersands", menuText(u"a&&&b|Tip"), "a&b", "Tip"},
        {"non-ASCII", menuText(u"\u00c4&hnlich\u2026|Vergleich \U0001F600"), "\u00c4hnlich\u2026",
         "Vergleich \U0001F600"},
        {"empty text", menuText(u""), "", ""},
        {"DWORD", [](CSettingsStore& s) { s.writeDword(kShellMenuSettingKey, kShellMenuSettingName, 7); }, builtInLabel,
         builtInTip},
        {"binary",
         [](CSettingsStore& s) {
             s.writeBinary(kShellMenuSettingKey, kShellMenuSettingName, std::vector<std::uint8_t>{0x41, 0, 0, 0});
         },
         builtInLabel, builtInTip},
        {"longest text", menuText(longest), u8(longest), u8(longest)},
        {"one unit too long", menuText(longest + u"x"), builtInLabel, builtInTip},
        {"byte that is not UTF-8", menuText(u"Bad\xDCFF|Tip\xDCFE"), "Bad\uFFFD", "Tip\uFFFD"},
    };
    const test::CTempDir dir;
    test::CFakeSelection selection;
    selection.add(dir.write("a.txt", "a"));
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        replaceUserSettings(c.write);
        const auto items = test::fileItems(test::newMenuProvider().get(), selection.list());
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(test::stringProperty(items.front().get(), "label"), c.label);
        EXPECT_EQ(test::stringProperty(items.front().get(), "tip"), c.tip);
    }
}

}  // namespace
}  // namespace brindle
