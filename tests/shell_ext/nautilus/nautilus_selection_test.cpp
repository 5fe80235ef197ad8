// Which selections get the "Compare Files..." item in Nautilus, and which files it passes on.
#include "shell_ext/nautilus/nautilus_selection.h"

#include "fakes/fake_file_info.h"
#include "fakes/nautilus_test_environment.h"
#include "menu_provider_harness.h"
#include "support/argv_recorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace brindle {
namespace {

using test::CArgvRecorder;
using test::CFakeSelection;
using test::CTempDir;

const auto* const g_environment = testing::AddGlobalTestEnvironment(new test::CNautilusTestEnvironment);

struct SSelected {
    std::string name;  // in the temporary folder, or a whole URI
    bool directory = false;  // what Nautilus believes
};

// Files a.txt, b.txt, c.txt; folders dir and other; a link to a.txt and one to nothing; a named
// pipe.
class CSampleFolder {
public:
    CSampleFolder()
    {
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            m_dir.write(name, name);
        std::filesystem::create_directory(m_dir.path() / "dir");
        std::filesystem::create_directory(m_dir.path() / "other");
        std::filesystem::create_symlink(m_dir.file("a.txt"), m_dir.path() / "link.txt");
        std::filesystem::create_symlink(m_dir.file("gone.txt"), m_dir.path() / "dangling");
        ::mkfifo(m_dir.file("pipe").c_str(), 0600);
    }

    std::string location(const std::string& name) const
    {
        return name.find("://") != std::string::npos ? name : m_dir.file(name);
    }
    const CTempDir& dir() const { return m_dir; }

private:
    CTempDir m_dir;
};

TEST(NautilusSelection, ItemForOneOrTwoFilesStartsBrd64WithThemInOrder)
{
    struct SCase {
        const char* name;
        std::vector<SSelected> selected;
        std::vector<std::string> passed;  // empty: no item
    };
    const SCase cases[] = {
        {"nothing", {}, {}},
        {"one file", {{"a.txt"}}, {"a.txt"}},
        {"two files in Nautilus's order", {{"b.txt"}, {"a.txt"}}, {"b.txt", "a.txt"}},
        {"three files", {{"a.txt"}, {"b.txt"}, {"c.txt"}}, {}},
        {"folder first", {{"dir", true}, {"a.txt"}, {"b.txt"}}, {"a.txt", "b.txt"}},
        {"folder between", {{"a.txt"}, {"dir", true}, {"b.txt"}}, {"a.txt", "b.txt"}},
        {"folder last", {{"a.txt"}, {"b.txt"}, {"dir", true}}, {"a.txt", "b.txt"}},
        {"three files among folders", {{"dir", true}, {"a.txt"}, {"other", true}, {"b.txt"}, {"c.txt"}}, {}},
        {"only folders", {{"dir", true}, {"other", true}}, {}},
        {"folder Nautilus takes for a file", {{"dir"}, {"a.txt"}}, {"a.txt"}},
        {"missing file", {{"gone.txt"}}, {}},
        {"missing file beside a file", {{"gone.txt"}, {"b.txt"}}, {"b.txt"}},
        {"missing file is no third file", {{"a.txt"}, {"gone.txt"}, {"b.txt"}}, {"a.txt", "b.txt"}},
        {"remote file", {{"sftp://example.invalid/home/a.txt"}}, {}},
        {"remote file is no third file", {{"a.txt"}, {"sftp://example.invalid/a.txt"}, {"b.txt"}}, {"a.txt", "b.txt"}},
        {"link to a file passed as the link", {{"link.txt"}}, {"link.txt"}},
        {"dangling link", {{"dangling"}}, {}},
        {"named pipe brd64 would block on", {{"pipe"}, {"a.txt"}}, {"a.txt"}},
    };
    CSampleFolder sample;
    const CArgvRecorder recorder(sample.dir());
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CFakeSelection selection;
        for (const SSelected& s : c.selected)
            selection.add(sample.location(s.name), s.directory);
        auto items = test::fileItems(test::newMenuProvider(recorder.program()).get(), selection.list());
        if (c.passed.empty()) {
            EXPECT_EQ(items.size(), 0u);
            continue;
        }
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(test::stringProperty(items.front().get(), "name"), kBrdNautilusMenuItemName);
        // The provider is gone by now, as it may be in Nautilus when the user picks the item.
        nautilus_menu_item_activate(items.front().get());
        const auto record = recorder.take();
        ASSERT_TRUE(record.has_value()) << "brd64 was not started";
        std::vector<std::string> expected;
        for (const std::string& name : c.passed)
            expected.push_back(sample.location(name));
        EXPECT_EQ(record->arguments, expected);
    }
}

// The core's limit of 260 units holds on Linux too, where paths may be far longer: a path cut to
// fit would name another file.
TEST(NautilusSelection, PathLongerThanBrd64TakesIsSkipped)
{
    const CTempDir dir;
    const std::size_t room = kShellMaxPath - dir.path().string().size() - 1;  // the name after "/"
    struct SCase {
        const char* name;
        std::size_t nameLength;
        std::size_t items;
    };
    const SCase cases[] = {{"longest path taken", room, 1}, {"one unit more skipped", room + 1, 0}};
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CFakeSelection selection;
        selection.add(dir.write(std::string(c.nameLength, 'n'), ""));
        EXPECT_EQ(test::fileItems(test::newMenuProvider().get(), selection.list()).size(), c.items);
    }
}

}  // namespace
}  // namespace brindle
