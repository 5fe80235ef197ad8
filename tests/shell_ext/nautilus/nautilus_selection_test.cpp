// Which selections get the "Compare Files..." item in Nautilus, and which files or folders it
// passes on.
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
    std::string name;        // in the temporary folder, or a whole URI
    bool directory = false;  // what Nautilus believes
};

// Files a.txt, b.txt, c.txt; folders dir, other and third; a link to a.txt, one to dir and one to
// nothing; a named pipe.
class CSampleFolder {
public:
    CSampleFolder()
    {
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            m_dir.write(name, name);
        std::filesystem::create_directory(m_dir.path() / "dir");
        std::filesystem::create_directory(m_dir.path() / "other");
        std::filesystem::create_directory(m_dir.path() / "third");
        std::filesystem::create_directory_symlink(m_dir.file("dir"), m_dir.path() / "dirlink");
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

// As the Windows menu, the item is shown for every selection but one of three files or more; two
// folders are compared as folders.
TEST(NautilusSelection, ItemForOneOrTwoFilesOrTwoFoldersStartsBrd64WithThemInOrder)
{
    struct SCase {
        const char* name;
        std::vector<SSelected> selected;
        std::vector<std::string> passed;  // empty: the item starts brd64 without files
        bool shown = true;
    };
    const SCase cases[] = {
        {"nothing", {}, {}},
        {"one file", {{"a.txt"}}, {"a.txt"}},
        {"two files in Nautilus's order", {{"b.txt"}, {"a.txt"}}, {"b.txt", "a.txt"}},
        {"three files", {{"a.txt"}, {"b.txt"}, {"c.txt"}}, {}, false},
        {"two folders in Nautilus's order", {{"other", true}, {"dir", true}}, {"other", "dir"}},
        {"link to a folder passed as the link", {{"dirlink", true}, {"other", true}}, {"dirlink", "other"}},
        {"one folder", {{"dir", true}}, {}},
        {"three folders", {{"dir", true}, {"other", true}, {"third", true}}, {}},
        {"folder and file", {{"dir", true}, {"a.txt"}}, {"a.txt"}},
        {"file and folder", {{"a.txt"}, {"dir", true}}, {"a.txt"}},
        {"two files and a folder", {{"a.txt"}, {"b.txt"}, {"dir", true}}, {"a.txt", "b.txt"}},
        {"three files among folders", {{"dir", true}, {"a.txt"}, {"other", true}, {"b.txt"}, {"c.txt"}}, {}, false},
        {"two folders and a missing file", {{"dir", true}, {"other", true}, {"gone.txt"}}, {}},
        {"folder gone from disk", {{"dir", true}, {"gone", true}}, {}},
        {"file Nautilus takes for a folder", {{"dir", true}, {"a.txt", true}}, {"a.txt"}},
        {"remote folder", {{"dir", true}, {"sftp://example.invalid/home/dir", true}}, {}},
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
        if (!c.shown) {
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

// The core's limit of 260 units holds on Linux too, for files and folders, where paths may be far
// longer: a path cut to fit would name another one. A name too long is passed over.
TEST(NautilusSelection, PathLongerThanBrd64TakesIsSkipped)
{
    const CTempDir dir;
    const CArgvRecorder recorder(dir);
    const std::size_t room = kShellMaxPath - dir.path().string().size() - 1;  // the name after "/"
    struct SCase {
        const char* name;
        std::size_t nameLength;
        bool folder;  // a folder of that name, selected with the temporary folder itself
        std::size_t passed;
    };
    const SCase cases[] = {
        {"longest file path taken", room, false, 1},
        {"file path one unit longer skipped", room + 1, false, 0},
        {"longest folder path taken", room, true, 2},
        {"folder path one unit longer refuses the pair", room + 1, true, 0},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CFakeSelection selection;
        if (c.folder) {
            const std::filesystem::path folder = dir.path() / std::string(c.nameLength, 'f');
            std::filesystem::create_directory(folder);
            selection.add(folder.string(), true);
            selection.add(dir.path().string(), true);
        } else {
            selection.add(dir.write(std::string(c.nameLength, 'n'), ""));
        }
        auto items = test::fileItems(test::newMenuProvider(recorder.program()).get(), selection.list());
        ASSERT_EQ(items.size(), 1u);
        nautilus_menu_item_activate(items.front().get());
        const auto record = recorder.take();
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->arguments.size(), c.passed);
    }
}

}  // namespace
}  // namespace brindle
