// BRDEXT.dll's menu item in a real popup menu, its texts from the "Menu1" registry value, and its
// help text through GetCommandString.
#include "extension_object.h"
#include "menu_setting_value.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace brindle::test {
namespace {

const SMenuItem kOpen{false, 1, L"&Open"};
const SMenuItem kEdit{false, 2, L"&Edit"};
const SMenuItem kPrint{false, 3, L"&Print"};
const SMenuItem kSeparator{true, 0, L""};

class BrdExtMenu : public testing::Test {
protected:
    void SetUp() override
    {
        RemoveMenuSettingValue();
        ASSERT_TRUE(m_object.made());
    }

    // The help text as GetCommandString writes it into a wide buffer of cchMax units.
    std::wstring helpText(UINT cchMax = 260) const
    {
        std::vector<wchar_t> buffer(cchMax + 1, L'#');
        EXPECT_EQ(m_object.menu()->GetCommandString(0, GCS_HELPTEXTW, nullptr, reinterpret_cast<char*>(buffer.data()),
                                                    cchMax),
                  S_OK);
        return buffer.data();
    }

    std::wstring itemText() const
    {
        CPopupMenu menu;
        EXPECT_EQ(m_object.menu()->QueryContextMenu(menu.handle(), 0, 100, 200, CMF_NORMAL),
                  MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1));
        return menu.items().at(1).text;
    }

    CExtensionObject m_object;
};

TEST_F(BrdExtMenu, FlagsDecideWhetherTheItemIsAdded)
{
    struct SCase {
        UINT flags;
        bool added;
    };
    const SCase cases[] = {
        {CMF_NORMAL, true},       {CMF_DEFAULTONLY, false},
        {CMF_VERBSONLY, true},    {CMF_EXPLORE, true},
        {CMF_NOVERBS, false},     {CMF_DEFAULTONLY | CMF_EXPLORE, true},
        {CMF_CANRENAME, true},    {CMF_DEFAULTONLY | CMF_NOVERBS, false},
        {CMF_NOVERBS | CMF_EXPLORE, true}, {CMF_EXTENDEDVERBS | CMF_DEFAULTONLY, false},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.flags);
        CPopupMenu menu;
        const HRESULT result = m_object.menu()->QueryContextMenu(menu.handle(), 1, 100, 200, c.flags);
        EXPECT_EQ(result, MAKE_HRESULT(SEVERITY_SUCCESS, 0, c.added ? 1 : 0));
        const std::vector<SMenuItem> expected = c.added
            ? std::vector<SMenuItem>{kOpen, kSeparator, {false, 100, L"Co&mpare Files..."}, kEdit, kPrint}
            : std::vector<SMenuItem>{kOpen, kEdit, kPrint};
        EXPECT_EQ(menu.items(), expected);
    }
}

TEST_F(BrdExtMenu, SeparatorDirectlyAboveTheItemWhereTheShellSays)
{
    const SMenuItem compare{false, 42, L"Co&mpare Files..."};
    struct SCase {
        const char* name;
        UINT indexMenu;
        std::vector<SMenuItem> items;
    };
    const SCase cases[] = {
        {"top", 0, {kSeparator, compare, kOpen, kEdit, kPrint}},
        {"middle", 2, {kOpen, kEdit, kSeparator, compare, kPrint}},
        {"end by position", 3, {kOpen, kEdit, kPrint, kSeparator, compare}},
        {"end by -1", 0xFFFFFFFF, {kOpen, kEdit, kPrint, kSeparator, compare}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CPopupMenu menu;
        EXPECT_EQ(m_object.menu()->QueryContextMenu(menu.handle(), c.indexMenu, 42, 42, CMF_NORMAL),
                  MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1));
        EXPECT_EQ(menu.items(), c.items);
    }
}

TEST_F(BrdExtMenu, NoIdentifierLeftAddsNothing)
{
    CPopupMenu menu;
    EXPECT_EQ(m_object.menu()->QueryContextMenu(menu.handle(), 0, 300, 299, CMF_NORMAL),
              MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0));
    EXPECT_EQ(menu.items(), (std::vector<SMenuItem>{kOpen, kEdit, kPrint}));
}

TEST_F(BrdExtMenu, TextsFromTheMenuSetting)
{
    struct SCase {
        const char* name;
        DWORD type;
        std::vector<BYTE> data;
        std::wstring item;
        std::wstring help;
    };
    const auto text = [](std::wstring_view value) { return CMenuSettingValue::textBytes(value); };
    const std::wstring longest(129, L'x');
    const SCase cases[] = {
        {"with a bar", REG_SZ, text(L"&Diff These...|Show the &differences... now"), L"&Diff These...",
         L"Show the differences"},
        {"without a bar", REG_SZ, text(L"Ver&gleichen..."), L"Ver&gleichen...", L"Vergleichen"},
        {"only the first ampersand goes", REG_SZ, text(L"A&&B &C"), L"A&&B &C", L"A&B &C"},
        {"empty help after the bar", REG_SZ, text(L"Item|"), L"Item", L""},
        {"second bar kept in the help", REG_SZ, text(L"Item|Help|More"), L"Item", L"Help|More"},
        {"not Latin", REG_SZ, text(L"\u6BD4\u8F03(&M)..."), L"\u6BD4\u8F03(&M)...", L"\u6BD4\u8F03(M)"},
        {"the longest text", REG_SZ, text(longest), longest, longest},
        {"stored without terminator", REG_SZ, CMenuSettingValue::textBytes(L"Bare", false), L"Bare", L"Bare"},
        {"one unit too long", REG_SZ, text(longest + L"x"), L"Co&mpare Files...", L"Compare Files"},
        {"far too long", REG_SZ, text(std::wstring(2000, L'y')), L"Co&mpare Files...", L"Compare Files"},
        {"expandable text", REG_EXPAND_SZ, text(L"Expand|Me"), L"Co&mpare Files...", L"Compare Files"},
        {"number", REG_DWORD, {1, 0, 0, 0}, L"Co&mpare Files...", L"Compare Files"},
        {"bytes", REG_BINARY, text(L"Bin|ary"), L"Co&mpare Files...", L"Compare Files"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CMenuSettingValue value(c.type, c.data);
        EXPECT_EQ(itemText(), c.item);
        EXPECT_EQ(helpText(), c.help);
    }
    RemoveMenuSettingValue();
    EXPECT_EQ(itemText(), L"Co&mpare Files...");
    EXPECT_EQ(helpText(), L"Compare Files");
}

TEST_F(BrdExtMenu, CommandStringsStayWithinTheBuffer)
{
    struct SCase {
        const char* name;
        UINT_PTR idCmd;
        UINT type;
        UINT cchMax;
        HRESULT result;
        std::string written;  // bytes before the first untouched one, terminator included
    };
    const auto wide = [](const std::wstring& text) {
        return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t));
    };
    const SCase cases[] = {
        {"unicode help", 0, GCS_HELPTEXTW, 64, S_OK, wide(L"Compare Files")},
        {"unicode help cut", 0, GCS_HELPTEXTW, 5, S_OK, wide(L"Comp")},
        {"unicode help, one unit", 0, GCS_HELPTEXTW, 1, S_OK, wide(L"")},
        {"ansi help", 0, GCS_HELPTEXTA, 64, S_OK, std::string("Compare Files", 14)},
        {"ansi help cut", 0, GCS_HELPTEXTA, 5, S_OK, std::string("Comp", 5)},
        {"no room", 0, GCS_HELPTEXTW, 0, S_OK, ""},
        {"other command", 1, GCS_HELPTEXTW, 64, E_INVALIDARG, ""},
        {"ansi verb", 0, GCS_VERBA, 64, E_NOTIMPL, ""},
        {"unicode verb", 0, GCS_VERBW, 64, E_NOTIMPL, ""},
        {"validate", 0, GCS_VALIDATEW, 64, S_OK, ""},
        {"validate other command", 7, GCS_VALIDATEA, 64, S_FALSE, ""},
        {"unknown kind", 0, 0x33, 64, E_INVALIDARG, ""},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string buffer(300, '\xCC');
        EXPECT_EQ(m_object.menu()->GetCommandString(c.idCmd, c.type, nullptr, buffer.data(), c.cchMax), c.result);
        EXPECT_EQ(buffer.substr(0, c.written.size()), c.written);
        EXPECT_EQ(buffer.find_first_not_of('\xCC', c.written.size()), std::string::npos) << "written beyond";
    }
}

TEST_F(BrdExtMenu, AnsiHelpOfAText)
{
    CMenuSettingValue value(REG_SZ, CMenuSettingValue::textBytes(L"x|Vergleich \u00E4\U0001F600 &fertig..."));
    char buffer[64];
    std::memset(buffer, 'Z', sizeof(buffer));
    EXPECT_EQ(m_object.menu()->GetCommandString(0, GCS_HELPTEXTA, nullptr, buffer, sizeof(buffer)), S_OK);
    EXPECT_STREQ(buffer, "Vergleich ?? fertig");
    // Room for "Vergleich \u00E4", the first half of the pair and the terminator.
    wchar_t wideBuffer[13];
    EXPECT_EQ(m_object.menu()->GetCommandString(0, GCS_HELPTEXTW, nullptr, reinterpret_cast<char*>(wideBuffer), 13),
              S_OK);
    EXPECT_STREQ(wideBuffer, L"Vergleich \u00E4") << "half a surrogate pair is never written";
}

TEST_F(BrdExtMenu, NoBufferNothingWritten)
{
    EXPECT_EQ(m_object.menu()->GetCommandString(0, GCS_HELPTEXTW, nullptr, nullptr, 64), S_OK);
    EXPECT_EQ(m_object.menu()->GetCommandString(0, GCS_HELPTEXTA, nullptr, nullptr, 64), S_OK);
}

TEST_F(BrdExtMenu, HandleMenuMessageDoesNothing)
{
    IContextMenu2* menu2 = static_cast<IContextMenu2*>(m_object.menu());
    EXPECT_EQ(menu2->HandleMenuMsg(WM_INITMENUPOPUP, 0, 0), S_OK);
}

}  // namespace
}  // namespace brindle::test
