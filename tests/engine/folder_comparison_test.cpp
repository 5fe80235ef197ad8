// Folder comparison on trees made in temporary folders: the state of every kind of entry, folder
// summaries, ignore options, exclusions, unreadable entries, and parallel workers agreeing with one.
#include "engine/cancel_flag.h"
#include "engine/folder_comparison.h"
#include "platform/memory_settings_store.h"
#include "platform/profile.h"
#include "support/scoped_cancel.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace brindle {
namespace {

namespace fs = std::filesystem;
using test::CTempDir;

// Makes a file with its folders; a name ending in "/" makes a folder, "@target" a link.
void make(const fs::path& root, const std::string& name, const std::string& content = {})
{
    const fs::path path = root / name;
    fs::create_directories(path.parent_path());
    if (name.back() == '/')
        fs::create_directories(path);
    else if (content.starts_with('@'))
        fs::create_symlink(content.substr(1), path);
    else
        test::writeFile(path.string(), content);
}

const char* word(EEntryState state)
{
    switch (state) {
    case EEntryState::Pending: return "pending";
    case EEntryState::Same: return "same";
    case EEntryState::Different: return "diff";
    case EEntryState::OnlyIn1: return "only1";
    case EEntryState::OnlyIn2: return "only2";
    case EEntryState::TypeDiffers: return "type";
    case EEntryState::Unreadable: return "unreadable";
    }
    return "?";
}

// "state path" per entry, in the comparison's order.
std::vector<std::string> lines(const CFolderComparison& comparison)
{
    std::vector<std::string> result;
    for (const SFolderEntry& entry : comparison.entries())
        result.push_back(std::string(word(entry.state)) + " " + entry.path);
    return result;
}

class FolderComparisonTest : public testing::Test {
protected:
    std::vector<std::string> compare(SFolderCompareOptions options = {})
    {
        CFolderComparison comparison(m_dir.file("a"), m_dir.file("b"), options);
        EXPECT_TRUE(comparison.run());
        return lines(comparison);
    }
    fs::path a() const { return m_dir.path() / "a"; }
    fs::path b() const { return m_dir.path() / "b"; }

    CTempDir m_dir;
};

TEST_F(FolderComparisonTest, EveryKindOfEntryGetsItsStateInPathOrder)
{
    make(a(), "same.txt", "x\n");
    make(b(), "same.txt", "x\n");
    make(a(), "sub/changed", "one\n");
    make(b(), "sub/changed", "two\n");
    make(a(), "sub/longer", "one\n");
    make(b(), "sub/longer", "one\nmore\n");
    make(a(), "sub/deep/er/same", "s");
    make(b(), "sub/deep/er/same", "s");
    make(a(), "gone/inside", "i");
    make(b(), "new", "n");
    make(a(), "kind", "file");
    make(b(), "kind/x", "folder");
    make(a(), "link", "@same.txt");
    make(b(), "link", "@same.txt");
    make(a(), "link2", "@same.txt");
    make(b(), "link2", "@sub");
    make(a(), "linkfile", "@same.txt");
    make(b(), "linkfile", "x\n");
    make(a(), "empty/");
    make(b(), "empty/");
    ASSERT_EQ(::mkfifo((a() / "pipe").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((b() / "pipe").c_str(), 0600), 0);

    const std::vector<std::string> expected = {
        "same empty",       "only1 gone",    "only1 gone/inside", "type kind",
        "only2 kind/x",     "same link",     "diff link2",        "type linkfile",
        "only2 new",        "same pipe",     "same same.txt",     "diff sub",
        "diff sub/changed", "same sub/deep", "same sub/deep/er",  "same sub/deep/er/same",
        "diff sub/longer",
    };
    EXPECT_EQ(compare(), expected);
}

// A difference at the bottom of a deep tree marks every folder above it; special files are
// compared by their type (and device), never opened.
TEST_F(FolderComparisonTest, DeepTreesAndSpecialFiles)
{
    std::string deep;
    for (int level = 0; level < 300; ++level)
        deep += "d/";
    make(a(), deep + "leaf", "1");
    make(b(), deep + "leaf", "2");
    ASSERT_EQ(::mkfifo((a() / "special").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((b() / "special").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((a() / "kinds").c_str(), 0600), 0);
    make(b(), "kinds", "a file");
    CFolderComparison comparison(a().string(), b().string(), {});
    ASSERT_TRUE(comparison.run());
    const std::vector<std::string> result = lines(comparison);
    ASSERT_EQ(result.size(), 303u);
    EXPECT_EQ(result[0], "diff d");
    EXPECT_EQ(result[299], "diff " + deep.substr(0, deep.size() - 1));
    EXPECT_EQ(result[300], "diff " + deep + "leaf");
    EXPECT_EQ(result[301], "type kinds");
    EXPECT_EQ(result[302], "same special");
}

// Names are bytes: blanks, newlines and bytes that are no UTF-8 are entries like any other.
TEST_F(FolderComparisonTest, NamesAreTheirOwnBytes)
{
    for (const std::string name : {"with space", "new\nline", "bad\xff\xfe", "-dash"}) {
        make(a(), name, "1");
        make(b(), name, name == "-dash" ? "2" : "1");
    }
    EXPECT_EQ(compare(),
              (std::vector<std::string>{"diff -dash", "same bad\xff\xfe", "same new\nline", "same with space"}));
}

TEST_F(FolderComparisonTest, IgnoreOptionsCompareTextLineByLine)
{
    struct SCase {
        const char* name;
        std::string one;
        std::string two;
        bool whitespace;
        bool caseToo;
        const char* state;
        bool sameIgnoring;
    };
    const SCase cases[] = {
        {"blanks", "a b\nc\n", "ab\n c\n", true, false, "same", true},
        {"blanks-not-ignored", "a b\n", "ab\n", false, false, "diff", false},
        {"case", "Hello\n", "hELLO\n", false, true, "same", true},
        {"case-and-text", "Hello\n", "hELL0\n", true, true, "diff", false},
        {"cr-lf", "a\r\nb\r\n", "a\nb\n", true, false, "same", true},
        {"identical", "a\n", "a\n", true, true, "same", false},
        {"binary", std::string("a\0b", 3), std::string("A\0B", 3), true, true, "diff", false},
    };
    for (const SCase& c : cases) {
        CTempDir dir;
        make(dir.path() / "a", "f", c.one);
        make(dir.path() / "b", "f", c.two);
        SFolderCompareOptions options;
        options.ignoreWhitespace = c.whitespace;
        options.ignoreCase = c.caseToo;
        CFolderComparison comparison((dir.path() / "a").string(), (dir.path() / "b").string(), options);
        ASSERT_TRUE(comparison.run());
        ASSERT_EQ(comparison.entries().size(), 1u);
        const SFolderEntry& entry = comparison.entries()[0];
        EXPECT_STREQ(word(entry.state), c.state) << c.name;
        EXPECT_EQ(entry.sameIgnoring, c.sameIgnoring) << c.name;
    }
}

TEST_F(FolderComparisonTest, KindsComeFromTheBinaryTestOfEitherFile)
{
    make(a(), "text", "abc\n");
    make(b(), "text", "abcd\n");
    make(a(), "bin", std::string("ab\0", 3));
    make(b(), "bin", "abcdef");
    SFolderCompareOptions options;
    options.fileKinds = true;
    CFolderComparison comparison(a().string(), b().string(), options);
    ASSERT_TRUE(comparison.run());
    std::map<std::string, EFileKind> kinds;
    for (const SFolderEntry& entry : comparison.entries())
        kinds[entry.path] = entry.kind;
    EXPECT_EQ(kinds["text"], EFileKind::Text);
    EXPECT_EQ(kinds["bin"], EFileKind::Binary);
}

TEST_F(FolderComparisonTest, ExcludedNamesAreLeftOutOnBothSidesAtAnyDepth)
{
    make(a(), ".git/HEAD", "1");
    make(b(), "src/.git/HEAD", "2");
    make(a(), "src/main.o", "1");
    make(a(), "src/main.c", "c");
    make(b(), "src/main.c", "c");
    make(b(), "src/__pycache__/x.pyc", "p");
    make(a(), ".hidden.o", "h");  // a pattern's * does not take a leading dot
    SFolderCompareOptions options;
    options.excludes = defaultExcludePatterns();
    EXPECT_EQ(compare(options), (std::vector<std::string>{"only1 .hidden.o", "same src", "same src/main.c"}));
}

TEST_F(FolderComparisonTest, ExcludePatternsKeepTheirSettings)
{
    CMemorySettingsStore store;
    CProfile profile(store);
    EXPECT_EQ(loadExcludePatterns(profile), defaultExcludePatterns());
    const std::vector<std::vector<std::string>> lists = {{}, {"*.tmp"}, {"build", "*.o", "[ab]?"}};
    for (const auto& patterns : lists) {
        saveExcludePatterns(profile, patterns);
        EXPECT_EQ(loadExcludePatterns(profile), patterns);
    }
}

// An entry that cannot be read says why and leaves the rest compared; its folder does not count
// as the same.
TEST_F(FolderComparisonTest, UnreadableEntriesSayWhyAndTheRestIsCompared)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    make(a(), "locked/f", "1");
    make(b(), "locked/f", "1");
    make(a(), "dir/closed", "1");
    make(b(), "dir/closed", "1");
    make(a(), "z", "1");
    make(b(), "z", "1");
    fs::permissions(a() / "locked", fs::perms::none);
    fs::permissions(b() / "dir/closed", fs::perms::none);
    CFolderComparison comparison(a().string(), b().string(), {});
    ASSERT_TRUE(comparison.run());
    fs::permissions(a() / "locked", fs::perms::owner_all);
    EXPECT_EQ(lines(comparison),
              (std::vector<std::string>{"diff dir", "unreadable dir/closed", "unreadable locked", "same z"}));
    for (const SFolderEntry& entry : comparison.entries()) {
        if (entry.state == EEntryState::Unreadable) {
            EXPECT_NE(entry.problem.find(entry.name), std::string::npos) << entry.problem;
        }
    }
}

TEST_F(FolderComparisonTest, ARootThatIsNoFolderThrows)
{
    make(a(), "f", "1");
    test::writeFile(m_dir.file("b"), "a file");
    CFolderComparison comparison(a().string(), m_dir.file("b"), {});
    EXPECT_ANY_THROW(comparison.run());
}

// A cancel stops the workers: run says so, and pairs not reached stay pending, never "same".
TEST_F(FolderComparisonTest, CancelLeavesThePairsNotReachedPending)
{
    for (int i = 0; i < 200; ++i) {
        make(a(), "f" + std::to_string(i), "x");
        make(b(), "f" + std::to_string(i), "x");
    }
    SFolderCompareOptions options;
    options.threads = 2;
    CFolderComparison comparison(a().string(), b().string(), options);
    SFolderCallbacks callbacks;
    callbacks.compared = [](std::size_t) { setCancelRequested(true); };
    {
        const test::CScopedCancel cancel;
        EXPECT_FALSE(comparison.run(callbacks));
    }
    std::size_t pending = 0;
    for (const SFolderEntry& entry : comparison.entries()) {
        EXPECT_TRUE(entry.state == EEntryState::Same || entry.state == EEntryState::Pending) << entry.path;
        pending += entry.state == EEntryState::Pending ? 1 : 0;
    }
    EXPECT_GT(pending, 0u);
}

// Random trees: the states do not depend on how many workers compare, and a file pair is the
// same exactly when its bytes are.
TEST_F(FolderComparisonTest, WorkersAgreeWithOneAndWithTheBytes)
{
    std::mt19937 random(7);
    std::map<std::string, bool> sameBytes;
    for (int i = 0; i < 300; ++i) {
        const std::string name =
            "d" + std::to_string(random() % 7) + "/e" + std::to_string(random() % 3) + "/f" + std::to_string(i);
        std::string content(random() % 3000, 'x');
        for (char& c : content)
            c = static_cast<char>('a' + random() % 3);
        make(a(), name, content);
        const std::string before = content;
        const int change = static_cast<int>(random() % 3);
        if (change == 1 && !content.empty())
            content[random() % content.size()] ^= 1;
        if (change == 2)
            content += "!";
        make(b(), name, content);
        sameBytes[name] = content == before;
    }
    SFolderCompareOptions one;
    one.threads = 1;
    SFolderCompareOptions many;
    many.threads = 8;
    const std::vector<std::string> serial = compare(one);
    EXPECT_EQ(compare(many), serial);
    CFolderComparison comparison(a().string(), b().string(), many);
    ASSERT_TRUE(comparison.run());
    for (const SFolderEntry& entry : comparison.entries()) {
        if (!entry.isFolder()) {
            EXPECT_EQ(entry.state == EEntryState::Same, sameBytes.at(entry.path)) << entry.path;
        }
    }
}

}  // namespace
}  // namespace brindle
