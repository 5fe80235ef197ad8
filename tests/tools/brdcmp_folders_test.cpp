// brdcmp -r: one line per entry (folders and what one side alone holds included) in path order,
// exclusions, ignore options and exit statuses.
#include "brdcmp/brdcmp_command.h"
#include "platform/memory_settings_store.h"
#include "platform/settings_store.h"
#include "support/scoped_settings_store.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace brindle {
namespace {

namespace fs = std::filesystem;

struct SFolderRun {
    int status = -1;
    std::string out;
    std::string err;
};

class BrdcmpFoldersTest : public testing::Test {
protected:
    void put(const std::string& name, const std::string& bytes)
    {
        const fs::path path = m_dir.path() / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    SFolderRun run(std::vector<std::string> args)
    {
        std::ostringstream out;
        std::ostringstream err;
        SFolderRun result;
        result.status = runBrdcmp(args, out, err);
        result.out = out.str();
        result.err = err.str();
        return result;
    }
    SFolderRun compare(std::vector<std::string> options = {})
    {
        options.insert(options.begin(), "-r");
        options.push_back(m_dir.file("a"));
        options.push_back(m_dir.file("b"));
        return run(options);
    }

    CMemorySettingsStore m_store;
    test::CScopedSettingsStore m_useStore{m_store};
    test::CTempDir m_dir;
};

TEST_F(BrdcmpFoldersTest, OneLinePerEntryAndTheExitSaysWhetherAnythingDiffers)
{
    put("a/same", "1");
    put("b/same", "1");
    put("a/src/x.c", "int x;\n");
    put("b/src/x.c", "int  x;\n");
    put("a/gone/deep/f", "g");
    put("b/new", "n");
    put("a/kind", "file");
    put("b/kind/f", "folder");
    put("a/name\nwith\\odd", "1");
    put("b/name\nwith\\odd", "1");
    put("a/.git/HEAD", "saved pattern");
    put("a/x.tmp", "excluded here");

    const SFolderRun plain = compare({"--exclude", "*.tmp"});
    EXPECT_EQ(plain.out,
              "only1 gone\nonly1 gone/deep\nonly1 gone/deep/f\ntype kind\nonly2 kind/f\n"
              "same name\\nwith\\\\odd\nonly2 new\nsame same\ndiff src\ndiff src/x.c\n");
    EXPECT_EQ(plain.status, 1);
    EXPECT_EQ(plain.err, "");

    const SFolderRun ignoring = compare({"-w", "--no-saved-excludes"});
    EXPECT_EQ(ignoring.out,
              "only1 .git\nonly1 .git/HEAD\nonly1 gone\nonly1 gone/deep\nonly1 gone/deep/f\ntype kind\n"
              "only2 kind/f\nsame name\\nwith\\\\odd\nonly2 new\nsame same\nsame src\nsame src/x.c\n"
              "only1 x.tmp\n");

    fs::remove_all(m_dir.path() / "a");
    fs::remove_all(m_dir.path() / "b");
    put("a/f", "1");
    put("b/f", "1");
    const SFolderRun same = compare();
    EXPECT_EQ(same.out, "same f\n");
    EXPECT_EQ(same.status, 0);
}

TEST_F(BrdcmpFoldersTest, WrongUseIsTroubleWithAReason)
{
    put("a/f", "1");
    put("b/f", "1");
    put("file", "1");
    struct SCase {
        std::vector<std::string> args;
        const char* says;
    };
    const SCase cases[] = {
        {{"-r", m_dir.file("a")}, "two folders"},
        {{"-r", m_dir.file("a"), m_dir.file("file")}, "is not a folder"},
        {{"-r", m_dir.file("a"), m_dir.file("none")}, "no such folder"},
        {{"-r", "-m", m_dir.file("m"), m_dir.file("a"), m_dir.file("b")}, "no output files"},
        {{"--exclude", "x", m_dir.file("a/f"), m_dir.file("b/f")}, "goes with -r"},
        {{m_dir.file("a"), m_dir.file("b")}, "is a folder"},
    };
    for (const SCase& c : cases) {
        const SFolderRun result = run(c.args);
        EXPECT_EQ(result.status, 2) << c.says;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "") << c.says;
    }
}

// An entry that cannot be read is named on stderr and makes the exit 2; the rest is compared.
TEST_F(BrdcmpFoldersTest, UnreadableEntryIsTroubleAndTheRestIsStillCompared)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    put("a/locked", "1");
    put("b/locked", "1");
    put("a/z", "1");
    put("b/z", "2");
    fs::permissions(m_dir.path() / "b/locked", fs::perms::none);
    const SFolderRun result = compare();
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "diff z\n");
    EXPECT_NE(result.err.find("locked"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace brindle
