// Starting brd64 from the Nautilus item: every file name reaches it as one argument, untouched.
#include "shell_ext/nautilus/brd_nautilus_menu_provider.h"

#include "fakes/fake_file_info.h"
#include "fakes/nautilus_test_environment.h"
#include "menu_provider_harness.h"
#include "support/argv_recorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace brindle {
namespace {

using test::CArgvRecorder;
using test::CFakeSelection;
using test::CTempDir;

const auto* const g_environment = testing::AddGlobalTestEnvironment(new test::CNautilusTestEnvironment);

TEST(BrdNautilusMenuProvider, HostileNamesArriveAsOneArgumentEach)
{
    struct SCase {
        const char* name;
        std::vector<std::string> files;
    };
    const SCase cases[] = {
        {"blanks", {"with blank.txt", "  two  blanks  "}},
        {"quotes", {"double\"quote.txt", "single'quote.txt"}},
        {"command substitution", {"$(touch pwned)", "`touch pwned`"}},
        {"shell operators", {"a;touch pwned", "b|touch pwned&"}},
        {"line break and tab", {"line\nbreak.txt", "tab\there"}},
        {"leading dash", {"-h", "--version"}},
        {"non-ASCII",
         {"\xc3\xbc"
          "ber \xe2\x82\xac.txt",
          "\xf0\x9f\x98\x80"}},
        {"bytes that are not UTF-8", {"latin1 \xfc.txt", "\xff\xfe"}},
        {"backslashes", {"back\\slash", "\\\"escaped\\\""}},
        {"globs and variables", {"*", "$HOME"}},
    };
    const CTempDir dir;
    const CArgvRecorder recorder(dir);
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CFakeSelection selection;
        std::vector<std::string> paths;
        for (const std::string& file : c.files) {
            paths.push_back(dir.write(file, file));
            selection.add(paths.back());
        }
        const auto items = test::fileItems(test::newMenuProvider(recorder.program()).get(), selection.list());
        ASSERT_EQ(items.size(), 1u);
        nautilus_menu_item_activate(items.front().get());
        const auto record = recorder.take();
        ASSERT_TRUE(record.has_value()) << "brd64 was not started";
        EXPECT_EQ(record->arguments, paths);
        // A shell would have run the command in the started program's folder, which is ours.
        EXPECT_FALSE(std::filesystem::exists("pwned"));
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "pwned"));
    }
}

// Collects the warnings of the default log domain while it lives.
class CWarnings {
public:
    CWarnings() : m_handler(g_log_set_handler(nullptr, G_LOG_LEVEL_WARNING, collect, &m_messages)) {}
    ~CWarnings() { g_log_remove_handler(nullptr, m_handler); }
    CWarnings(const CWarnings&) = delete;
    CWarnings& operator=(const CWarnings&) = delete;

    const std::vector<std::string>& messages() const { return m_messages; }

private:
    static void collect(const gchar*, GLogLevelFlags, const gchar* message, gpointer messages)
    {
        static_cast<std::vector<std::string>*>(messages)->push_back(message);
    }

    std::vector<std::string> m_messages;
    guint m_handler;
};

TEST(BrdNautilusMenuProvider, ProgramThatCannotStartIsReportedNotFatal)
{
    const CTempDir dir;
    CFakeSelection selection;
    selection.add(dir.write("a.txt", "a"));
    const std::string notExecutable = dir.write("brd64", "not a program");
    for (const std::string& program : {dir.file("missing"), notExecutable}) {
        SCOPED_TRACE(program);
        const auto items = test::fileItems(test::newMenuProvider(program).get(), selection.list());
        ASSERT_EQ(items.size(), 1u);
        const CWarnings warnings;
        nautilus_menu_item_activate(items.front().get());
        ASSERT_EQ(warnings.messages().size(), 1u);
        EXPECT_NE(warnings.messages().front().find(program), std::string::npos) << warnings.messages().front();
    }
}

}  // namespace
}  // namespace brindle
