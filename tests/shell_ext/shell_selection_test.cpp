// The shell extension's selection rules and how the selected files reach brd64's command line.
#include "shell_ext/shell_selection.h"

#include "shell_ext/narrow_text.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace brindle {
namespace {

using test::narrow;

// Answers from a table; names it does not know cannot be read. Remembers what it was asked.
struct SFakeFileSystem {
    std::map<std::u16string, EShellItemKind> kinds;
    std::vector<std::u16string> asked;

    ShellItemKindOf kindOf()
    {
        return [this](std::u16string_view path) {
            asked.emplace_back(path);
            const auto found = kinds.find(std::u16string(path));
            return found == kinds.end() ? EShellItemKind::Unreadable : found->second;
        };
    }
};

const std::u16string kLongest = u"C:\\" + std::u16string(kShellMaxPath - 3, u'a');
const std::u16string kTooLong = kLongest + u"b";

SFakeFileSystem sampleFileSystem()
{
    SFakeFileSystem fs;
    const std::u16string files[] = {u"C:\\a.txt", u"C:\\b.txt", u"C:\\c.txt", u"/home/u/new\\", kLongest, kTooLong};
    for (const std::u16string& file : files)
        fs.kinds[file] = EShellItemKind::File;
    fs.kinds[u"C:\\dir"] = EShellItemKind::Folder;
    fs.kinds[u"C:\\other"] = EShellItemKind::Folder;
    fs.kinds[std::u16string(u"C:\\nul\0.txt", 11)] = EShellItemKind::File;
    return fs;
}

TEST(ShellSelection, AcceptsUpToTwoFilesAndSkipsTheRest)
{
    struct SCase {
        const char* name;
        std::vector<std::u16string> names;
        EShellResult result;
        SShellSelection selection;
    };
    const SCase cases[] = {
        {"nothing", {}, EShellResult::Ok, {}},
        {"one file", {u"C:\\a.txt"}, EShellResult::Ok, {u"C:\\a.txt", u""}},
        {"two files in the shell's order",
         {u"C:\\b.txt", u"C:\\a.txt"},
         EShellResult::Ok,
         {u"C:\\b.txt", u"C:\\a.txt"}},
        {"folder first", {u"C:\\dir", u"C:\\a.txt", u"C:\\b.txt"}, EShellResult::Ok, {u"C:\\a.txt", u"C:\\b.txt"}},
        {"folder between", {u"C:\\a.txt", u"C:\\dir", u"C:\\b.txt"}, EShellResult::Ok, {u"C:\\a.txt", u"C:\\b.txt"}},
        {"folder last", {u"C:\\a.txt", u"C:\\b.txt", u"C:\\dir"}, EShellResult::Ok, {u"C:\\a.txt", u"C:\\b.txt"}},
        {"only folders", {u"C:\\dir", u"C:\\other"}, EShellResult::Ok, {}},
        {"unreadable skipped", {u"C:\\gone.txt", u"C:\\a.txt"}, EShellResult::Ok, {u"C:\\a.txt", u""}},
        {"three files", {u"C:\\a.txt", u"C:\\b.txt", u"C:\\c.txt"}, EShellResult::Fail, {}},
        {"three files among folders",
         {u"C:\\dir", u"C:\\a.txt", u"C:\\other", u"C:\\b.txt", u"C:\\c.txt"},
         EShellResult::Fail,
         {}},
        {"two files and two unreadable",
         {u"C:\\a.txt", u"C:\\x", u"C:\\y", u"C:\\b.txt"},
         EShellResult::Ok,
         {u"C:\\a.txt", u"C:\\b.txt"}},
        {"longest name taken", {kLongest}, EShellResult::Ok, {kLongest, u""}},
        {"too long a name skipped, not cut", {kTooLong, u"C:\\a.txt"}, EShellResult::Ok, {u"C:\\a.txt", u""}},
        {"too long a name is no third file",
         {u"C:\\a.txt", kTooLong, u"C:\\b.txt"},
         EShellResult::Ok,
         {u"C:\\a.txt", u"C:\\b.txt"}},
        {"trailing backslash skipped", {u"/home/u/new\\", u"C:\\a.txt"}, EShellResult::Ok, {u"C:\\a.txt", u""}},
        {"embedded nul skipped", {std::u16string(u"C:\\nul\0.txt", 11)}, EShellResult::Ok, {}},
        {"empty name skipped", {u"", u"C:\\a.txt"}, EShellResult::Ok, {u"C:\\a.txt", u""}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        SFakeFileSystem fs = sampleFileSystem();
        const SShellInitOutcome outcome = ShellTakeSelection(c.names, fs.kindOf());
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(narrow(outcome.selection.first), narrow(c.selection.first));
        EXPECT_EQ(narrow(outcome.selection.second), narrow(c.selection.second));
    }
}

TEST(ShellSelection, AsksTheFileSystemOnlyAboutPassableNamesUntilTheThirdFile)
{
    SFakeFileSystem fs = sampleFileSystem();
    const std::vector<std::u16string> names = {u"",          kTooLong,     u"C:\\a.txt",    u"C:\\dir",
                                               u"C:\\b.txt", u"C:\\c.txt", u"C:\\after.txt"};
    EXPECT_EQ(ShellTakeSelection(names, fs.kindOf()).result, EShellResult::Fail);
    const std::vector<std::u16string> expected = {u"C:\\a.txt", u"C:\\dir", u"C:\\b.txt", u"C:\\c.txt"};
    EXPECT_EQ(fs.asked, expected);
}

// brd64's tokenizer as its command-line handling reads the text: a quoted token runs to the next
// double quote not preceded by a backslash, and a backslash before a double quote is dropped.
std::vector<std::u16string> tokenize(std::u16string text)
{
    std::vector<std::u16string> tokens;
    while (true) {
        const std::size_t start = text.find_first_not_of(u" \t");
        if (start == std::u16string::npos)
            return tokens;
        text.erase(0, start);
        std::u16string token;
        std::size_t end = 0;
        if (text.front() == u'"') {
            end = 1;
            while (end < text.size() && !(text[end] == u'"' && text[end - 1] != u'\\'))
                ++end;
            token = text.substr(1, end - 1);
        } else {
            end = std::min(text.find(u' '), text.size());
            token = text.substr(0, end);
        }
        for (std::size_t at = token.find(u"\\\""); at != std::u16string::npos; at = token.find(u"\\\"", at + 1))
            token.erase(at, 1);
        tokens.push_back(token);
        text.erase(0, std::min(end + 1, text.size()));
    }
}

TEST(ShellSelection, ParameterText)
{
    struct SCase {
        const char* name;
        SShellSelection selection;
        std::u16string text;
    };
    const SCase cases[] = {
        {"no file", {}, u""},
        {"one file", {u"C:\\a.txt", u""}, u"\"C:\\a.txt\""},
        {"two files", {u"C:\\a.txt", u"C:\\b.txt"}, u"\"C:\\a.txt\" \"C:\\b.txt\""},
        {"blanks in names", {u"C:\\my dir\\a b.txt", u"C:\\c d.txt"}, u"\"C:\\my dir\\a b.txt\" \"C:\\c d.txt\""},
        {"only the second", {u"", u"C:\\b.txt"}, u"\"C:\\b.txt\""},
        {"quote inside", {u"/tmp/say \"hi\".txt", u""}, u"\"/tmp/say \\\"hi\\\".txt\""},
        {"name that is a quote", {u"\"", u"x"}, u"\"\\\"\" \"x\""},
        {"trailing backslash left out", {u"/tmp/odd\\", u"/tmp/b"}, u"\"/tmp/b\""},
        {"too long left out", {kTooLong, u"/tmp/b"}, u"\"/tmp/b\""},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(narrow(ShellParameterText(c.selection)), narrow(c.text));
    }
}

TEST(ShellSelection, HostileNamesSurviveBrd64sTokenizer)
{
    const std::u16string hostile[] = {
        u"/tmp/a\"b",    u"/tmp/a\\\"b",   u"/tmp/\"",           u"/tmp/\"\"",
        u"/tmp/a\" \"b", u"/tmp/x\\\\\"y", u"C:\\a b\\c.txt",    u"/tmp/tab\there",
        u"/tmp/ lead",   u"/tmp/trail ",   u"\\\\srv\\share\\f", u"/tmp/\u00e9\u4e2d\U0001F600",
        u"-x",           u"/tmp/\"\\x",
    };
    for (const std::u16string& first : hostile) {
        for (const std::u16string& second : {std::u16string(), std::u16string(u"/tmp/\"q\\\" r\"")}) {
            SCOPED_TRACE(narrow(first) + " | " + narrow(second));
            const SShellSelection selection{first, second};
            std::vector<std::u16string> expected = {first};
            if (!second.empty())
                expected.push_back(second);
            EXPECT_EQ(tokenize(ShellParameterText(selection)), expected);
            EXPECT_EQ(ShellProgramArguments(selection), expected);
        }
    }
}

TEST(ShellSelection, ProgramArgumentsLeaveOutWhatCannotBePassed)
{
    EXPECT_EQ(ShellProgramArguments({}), std::vector<std::u16string>{});
    EXPECT_EQ(ShellProgramArguments({u"", u"/b"}), std::vector<std::u16string>{u"/b"});
    EXPECT_EQ(ShellProgramArguments({kTooLong, u"/odd\\"}), std::vector<std::u16string>{});
}

}  // namespace
}  // namespace brindle
