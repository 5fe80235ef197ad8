// The context-menu command rules: menu flags and positions, verbs, command strings within the
// caller's buffer, the program path beside the library.
#include "shell_ext/shell_command.h"

#include "shell_ext/narrow_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace brindle {
namespace {

using test::narrow;

TEST(ShellCommand, MenuFlagsDecideWhetherTheItemIsAdded)
{
    struct SCase {
        std::uint32_t flags;
        bool added;
    };
    const SCase cases[] = {
        {0, true},     {1, false},    {2, true},          {4, true},           {8, false}, {5, true},
        {3, true},     {9, false},    {10, true},         {12, true},          {15, true}, {0x10, true},
        {0x11, false}, {0x18, false}, {0xFFFFFFF0, true}, {0xFFFFFFF1, false},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.flags);
        const SShellQueryOutcome outcome = ShellQueryContextMenu(3, 100, 200, c.flags);
        EXPECT_EQ(outcome.insertion.has_value(), c.added);
        EXPECT_EQ(outcome.count, c.added ? 1 : 0);
    }
}

TEST(ShellCommand, SeparatorDirectlyAboveTheItem)
{
    struct SCase {
        const char* name;
        std::uint32_t indexMenu, idCmdFirst, idCmdLast;
        std::optional<SShellMenuInsertion> insertion;
    };
    const SCase cases[] = {
        {"top", 0, 1, 0x7FFF, SShellMenuInsertion{0, 1, 1}},
        {"middle", 7, 40, 50, SShellMenuInsertion{7, 8, 40}},
        {"one identifier left", 2, 50, 50, SShellMenuInsertion{2, 3, 50}},
        {"no identifier left", 2, 51, 50, std::nullopt},
        {"appended, not wrapped to the top", kShellAppendPosition, 9, 10,
         SShellMenuInsertion{kShellAppendPosition, kShellAppendPosition, 9}},
        {"last real position", kShellAppendPosition - 1, 9, 10,
         SShellMenuInsertion{kShellAppendPosition - 1, kShellAppendPosition, 9}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SShellQueryOutcome outcome = ShellQueryContextMenu(c.indexMenu, c.idCmdFirst, c.idCmdLast, 0);
        EXPECT_EQ(outcome.insertion, c.insertion);
        EXPECT_EQ(outcome.count, c.insertion ? 1 : 0);
    }
}

TEST(ShellCommand, VerbsAndInvocation)
{
    struct SCase {
        const char* name;
        std::uint64_t verb;
        std::optional<std::uint16_t> offset;
        EShellResult result;
    };
    const SCase cases[] = {
        {"offset 0", 0, 0, EShellResult::Ok},
        {"offset 1 is not ours", 1, 1, EShellResult::InvalidArg},
        {"largest offset", 0xFFFF, 0xFFFF, EShellResult::InvalidArg},
        {"32-bit string pointer", 0x00410000, std::nullopt, EShellResult::InvalidArg},
        {"64-bit string pointer with zero bits 16 to 31", 0x00007FF600000000, std::nullopt, EShellResult::InvalidArg},
        {"64-bit string pointer looking like offset 0", 0x0000000100000000, std::nullopt, EShellResult::InvalidArg},
    };
    const SShellSelection selection{u"C:\\a.txt", u"C:\\b.txt"};
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ShellCommandOffset(c.verb), c.offset);
        const SShellInvocation invocation = ShellInvokeCommand(c.verb, selection);
        EXPECT_EQ(invocation.result, c.result);
        EXPECT_EQ(invocation.parameters.has_value(), c.result == EShellResult::Ok);
    }
    EXPECT_EQ(ShellInvokeCommand(0, selection).parameters, u"\"C:\\a.txt\" \"C:\\b.txt\"");
    EXPECT_EQ(ShellInvokeCommand(0, {}).parameters, u"") << "only folders: brd64 starts without arguments";
}

TEST(ShellCommand, CommandStringWithinTheBuffer)
{
    using K = EShellStringKind;
    struct SCase {
        const char* name;
        std::uint64_t idCmd;
        std::uint32_t type;
        std::uint32_t cchMax;
        EShellResult result;
        std::optional<std::string> ansi;
        std::optional<std::u16string> unicode;
    };
    const auto type = [](K kind) { return static_cast<std::uint32_t>(kind); };
    const SCase cases[] = {
        {"unicode help", 0, type(K::HelpUnicode), 260, EShellResult::Ok, std::nullopt, u"Compare Files"},
        {"unicode exactly fits", 0, type(K::HelpUnicode), 14, EShellResult::Ok, std::nullopt, u"Compare Files"},
        {"unicode one short", 0, type(K::HelpUnicode), 13, EShellResult::Ok, std::nullopt, u"Compare File"},
        {"unicode room for the terminator only", 0, type(K::HelpUnicode), 1, EShellResult::Ok, std::nullopt, u""},
        {"unicode no buffer", 0, type(K::HelpUnicode), 0, EShellResult::Ok, std::nullopt, std::nullopt},
        {"ansi help", 0, type(K::HelpAnsi), 260, EShellResult::Ok, "Compare Files", std::nullopt},
        {"ansi cut in bytes", 0, type(K::HelpAnsi), 5, EShellResult::Ok, "Comp", std::nullopt},
        {"ansi no buffer", 0, type(K::HelpAnsi), 0, EShellResult::Ok, std::nullopt, std::nullopt},
        {"help for another offset", 1, type(K::HelpUnicode), 260, EShellResult::InvalidArg, std::nullopt, std::nullopt},
        {"ansi help for another offset", 1, type(K::HelpAnsi), 260, EShellResult::InvalidArg, std::nullopt,
         std::nullopt},
        {"ansi verb", 0, type(K::VerbAnsi), 260, EShellResult::NotImpl, std::nullopt, std::nullopt},
        {"unicode verb", 0, type(K::VerbUnicode), 260, EShellResult::NotImpl, std::nullopt, std::nullopt},
        {"validate ours", 0, type(K::ValidateUnicode), 260, EShellResult::Ok, std::nullopt, std::nullopt},
        {"validate ansi ours", 0, type(K::ValidateAnsi), 0, EShellResult::Ok, std::nullopt, std::nullopt},
        {"validate another", 1, type(K::ValidateAnsi), 260, EShellResult::False, std::nullopt, std::nullopt},
        {"unknown type 3", 0, 3, 260, EShellResult::InvalidArg, std::nullopt, std::nullopt},
        {"unknown type 7", 0, 7, 260, EShellResult::InvalidArg, std::nullopt, std::nullopt},
        {"unknown high type", 0, 0x105, 260, EShellResult::InvalidArg, std::nullopt, std::nullopt},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SShellCommandString written = ShellGetCommandString(c.idCmd, c.type, c.cchMax, u"Compare Files");
        EXPECT_EQ(written.result, c.result);
        EXPECT_EQ(written.ansi, c.ansi);
        EXPECT_EQ(written.unicode, c.unicode);
    }
}

TEST(ShellCommand, CommandStringKeepsCharactersWhole)
{
    const std::u16string help = u"ab\U0001F600c\u00e9";
    struct SCase {
        std::uint32_t type;
        std::uint32_t cchMax;
        std::optional<std::string> ansi;
        std::optional<std::u16string> unicode;
    };
    const auto ansiKind = static_cast<std::uint32_t>(EShellStringKind::HelpAnsi);
    const auto unicodeKind = static_cast<std::uint32_t>(EShellStringKind::HelpUnicode);
    const SCase cases[] = {
        {unicodeKind, 4, std::nullopt, u"ab"},  {unicodeKind, 5, std::nullopt, u"ab\U0001F600"},
        {unicodeKind, 3, std::nullopt, u"ab"},  {unicodeKind, 100, std::nullopt, help},
        {ansiKind, 100, "ab?c?", std::nullopt}, {ansiKind, 4, "ab?", std::nullopt},
        {ansiKind, 5, "ab?c", std::nullopt},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + "/" + std::to_string(c.cchMax));
        const SShellCommandString written = ShellGetCommandString(0, c.type, c.cchMax, help);
        EXPECT_EQ(written.ansi, c.ansi);
        EXPECT_EQ(written.unicode, c.unicode);
    }
}

// Whatever the text and buffer, text plus terminator fit into cchMax units of the kind's width.
TEST(ShellCommand, CommandStringNeverOverrunsTheBuffer)
{
    const std::u16string texts[] = {u"",
                                    u"Compare Files",
                                    u"\U0001F600\U0001F600\U0001F600",
                                    u"\u00e9\u00e9x",
                                    std::u16string(300, u'w'),
                                    std::u16string(1, u'\xD800')};
    for (const std::u16string& text : texts) {
        for (std::uint32_t cchMax = 0; cchMax < 40; ++cchMax) {
            SCOPED_TRACE(narrow(text.substr(0, 20)) + " / " + std::to_string(cchMax));
            const SShellCommandString ansi =
                ShellGetCommandString(0, static_cast<std::uint32_t>(EShellStringKind::HelpAnsi), cchMax, text);
            const SShellCommandString unicode =
                ShellGetCommandString(0, static_cast<std::uint32_t>(EShellStringKind::HelpUnicode), cchMax, text);
            EXPECT_EQ(ansi.ansi.has_value(), cchMax > 0);
            EXPECT_EQ(unicode.unicode.has_value(), cchMax > 0);
            if (cchMax == 0)
                continue;
            EXPECT_LT(ansi.ansi->size(), cchMax);
            EXPECT_LT(unicode.unicode->size(), cchMax);
            const std::u16string& got = *unicode.unicode;
            EXPECT_GE(got.size() + 1, std::min<std::size_t>(text.size(), cchMax - 1)) << "at most one unit given up";
            const bool cutAfterHalfPair =
                got.size() < text.size() && !got.empty() && got.back() >= 0xD800 && got.back() <= 0xDBFF;
            EXPECT_FALSE(cutAfterHalfPair) << "half a surrogate pair";
            EXPECT_EQ(text.compare(0, unicode.unicode->size(), *unicode.unicode), 0) << "a prefix of the text";
        }
    }
}

TEST(ShellCommand, ProgramPathBesideTheLibrary)
{
    struct SCase {
        const char* name;
        std::u16string library;
        std::u16string program;
        EShellPathStyle style;
        std::optional<std::u16string> path;
    };
    const std::u16string deep = u"C:\\" + std::u16string(300, u'd') + u"\\BRDEXT.dll";
    const SCase cases[] = {
        {"windows", u"C:\\Program Files\\Brindle\\BRDEXT.dll", u"brd64.exe", EShellPathStyle::Windows,
         u"C:\\Program Files\\Brindle\\brd64.exe"},
        {"windows forward slash", u"C:/Brindle/BRDEXT.dll", u"brd64.exe", EShellPathStyle::Windows,
         u"C:/Brindle/brd64.exe"},
        {"windows mixed, last one counts", u"C:\\a/b\\BRDEXT.dll", u"brd64.exe", EShellPathStyle::Windows,
         u"C:\\a/b\\brd64.exe"},
        {"share", u"\\\\srv\\tools\\BRDEXT.dll", u"brd64.exe", EShellPathStyle::Windows, u"\\\\srv\\tools\\brd64.exe"},
        {"longer than 260 units kept whole", deep, u"brd64.exe", EShellPathStyle::Windows,
         u"C:\\" + std::u16string(300, u'd') + u"\\brd64.exe"},
        {"windows without folder", u"BRDEXT.dll", u"brd64.exe", EShellPathStyle::Windows, std::nullopt},
        {"empty", u"", u"brd64.exe", EShellPathStyle::Windows, std::nullopt},
        {"posix", u"/usr/lib/brindle/libbrindle-nautilus.so", u"brd64", EShellPathStyle::Posix,
         u"/usr/lib/brindle/brd64"},
        {"posix backslash is a name character", u"/opt/we\\ird/lib.so", u"brd64", EShellPathStyle::Posix,
         u"/opt/we\\ird/brd64"},
        {"posix root", u"/lib.so", u"brd64", EShellPathStyle::Posix, u"/brd64"},
        {"posix without folder", u"lib\\x.so", u"brd64", EShellPathStyle::Posix, std::nullopt},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ShellProgramPath(c.library, c.program, c.style), c.path);
    }
}

}  // namespace
}  // namespace brindle
