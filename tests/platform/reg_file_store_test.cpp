#include "platform/reg_file_store.h"

#include "platform/memory_settings_store.h"
#include "platform/utf8.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace brindle {
namespace {

using test::CTempFolder;
using test::readFile;
using test::writeFile;

const std::u16string kKey = u"Software\\Tollan Software Inc.\\Brindle\\Settings";

// The same contract holds for both stores; the file store keeps it across instances.
class SettingsStoreContract : public testing::TestWithParam<bool> {
protected:
    std::unique_ptr<CSettingsStore> makeStore()
    {
        if (!GetParam())
            return std::make_unique<CMemorySettingsStore>();
        return std::make_unique<CRegFileStore>(m_folder.path("user.reg"));
    }
    CTempFolder m_folder;
};

TEST_P(SettingsStoreContract, TypedReadsAndCaseInsensitiveLookup)
{
    auto store = makeStore();
    const std::vector<std::uint8_t> blob = {0, 1, 0xfe};
    ASSERT_TRUE(store->writeDword(kKey, u"Number", 42));
    ASSERT_TRUE(store->writeString(kKey, u"Text", u"caf\u00e9 \"x\"\r\n"));
    ASSERT_TRUE(store->writeBinary(kKey, u"Blob", blob));
    ASSERT_TRUE(store->writeString(kKey, u"", u"unnamed"));

    EXPECT_EQ(store->readDword(kKey, u"number"), 42u);
    EXPECT_EQ(store->readString(u"software\\TOLLAN software inc.\\brindle\\settings", u"TEXT"),
              u"caf\u00e9 \"x\"\r\n");
    EXPECT_EQ(store->readBinary(kKey, u"Blob"), blob);
    EXPECT_EQ(store->readString(kKey, u""), u"unnamed");

    EXPECT_EQ(store->readString(kKey, u"Number"), std::nullopt);
    EXPECT_EQ(store->readDword(kKey, u"Text"), std::nullopt);
    EXPECT_EQ(store->readString(kKey, u"Blob"), std::nullopt);
    EXPECT_EQ(store->readDword(u"Software\\Other", u"Number"), std::nullopt);

    // Another type replaces the value.
    ASSERT_TRUE(store->writeString(kKey, u"NUMBER", u"now text"));
    EXPECT_EQ(store->readDword(kKey, u"Number"), std::nullopt);
    EXPECT_EQ(store->readString(kKey, u"Number"), u"now text");
}

TEST_P(SettingsStoreContract, ListsTheTextValuesOfAKeyInOrder)
{
    auto store = makeStore();
    const std::u16string key = u"Software\\RodeZor\\C\\Expand";
    ASSERT_TRUE(store->writeString(key, u"for", u"for (;;)"));
    ASSERT_TRUE(store->writeDword(key, u"count", 3));
    ASSERT_TRUE(store->writeString(key, u"If", u"if ()"));
    ASSERT_TRUE(store->writeString(key, u"FOR", u"changed"));
    ASSERT_TRUE(store->writeString(key + u"\\Sub", u"x", u"y"));
    using Values = std::vector<std::pair<std::u16string, std::u16string>>;
    EXPECT_EQ(store->readStringValues(u"software\\rodezor\\c\\expand"),
              (Values{{u"for", u"changed"}, {u"If", u"if ()"}}));
    EXPECT_EQ(store->readStringValues(u"Software\\RodeZor\\Missing"), Values{});
}

TEST_P(SettingsStoreContract, RefusesKeysTheFileCannotHold)
{
    auto store = makeStore();
    EXPECT_FALSE(store->writeDword(u"Software\\Line\nBreak", u"a", 1));
    EXPECT_FALSE(store->writeString(u"Software\\\xD800", u"a", u"x"));
    EXPECT_EQ(store->readDword(u"Software\\Line\nBreak", u"a"), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Stores, SettingsStoreContract, testing::Values(false, true),
                         [](const auto& store) { return store.param ? "File" : "Memory"; });

TEST(RegFileStore, SeesChangesOfOtherWritersEvenWithTheSameSize)
{
    CTempFolder folder;
    CRegFileStore reader(folder.path("user.reg"));
    CRegFileStore writer(folder.path("user.reg"));
    EXPECT_EQ(reader.readString(kKey, u"a"), std::nullopt);
    for (const char16_t* value : {u"1", u"2", u"3"}) {
        ASSERT_TRUE(writer.writeString(kKey, u"a", value));
        EXPECT_EQ(reader.readString(kKey, u"a"), value);
    }
    ASSERT_EQ(::unlink(folder.native("user.reg").c_str()), 0);
    EXPECT_EQ(reader.readString(kKey, u"a"), std::nullopt);
}

TEST(RegFileStore, NewFileIsPrivateAndFoldersAreCreated)
{
    CTempFolder folder;
    const std::string path = folder.native("a/b/user.reg");
    CRegFileStore store(pathFromNative(path));
    ASSERT_TRUE(store.writeDword(kKey, u"x", 1));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(folder.native("a/b").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0077, 0u);
}

TEST(RegFileStore, CorruptFileReadsAsDefaultsAndIsKeptAsBad)
{
    const char* corruptTexts[] = {
        "\"a\"=\"x\"\n",
        "[K]\n\"a\"=\"x\\q\"\n",
        "[K]\n\"a\"=\"x\n",
        "[K]\n\"a\"=hex(7):00\n",
        "[K]\n\"a\"=hex:zz\n",
        "[K]\n\"a\"=dword:000000001\n",
    };
    for (const char* text : corruptTexts) {
        CTempFolder folder;
        const std::string path = folder.native("user.reg");
        const std::string original = text + std::string("[Software\\Tollan Software Inc.\\Brindle\\Settings]\n\"kept\"=dword:1\n");
        writeFile(path, original);
        writeFile(path + ".bad", "older bad file");
        CRegFileStore store(pathFromNative(path));
        EXPECT_EQ(store.readDword(kKey, u"kept"), std::nullopt) << text;
        EXPECT_TRUE(store.isCorrupt()) << text;

        ASSERT_TRUE(store.writeDword(kKey, u"new", 7)) << text;
        EXPECT_FALSE(store.isCorrupt());
        EXPECT_EQ(readFile(path + ".bad"), original);
        EXPECT_EQ(store.readDword(kKey, u"new"), 7u);
        EXPECT_EQ(store.readDword(kKey, u"kept"), std::nullopt);
    }
}

TEST(RegFileStore, WriteFailsWhenTheFolderIsNotWritable)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores permissions";
    CTempFolder folder;
    const std::string path = folder.native("user.reg");
    CRegFileStore store(pathFromNative(path));
    ASSERT_TRUE(store.writeDword(kKey, u"x", 1));
    ASSERT_EQ(::chmod(folder.native().c_str(), 0500), 0);
    EXPECT_FALSE(store.writeDword(kKey, u"x", 2));
    EXPECT_FALSE(CRegFileStore(folder.path("sub/user.reg")).writeDword(kKey, u"x", 2));
    ::chmod(folder.native().c_str(), 0700);
    EXPECT_EQ(store.readDword(kKey, u"x"), 1u);
}

// Each writer sets its own values many times; with a lost update some value would be missing.
void runWritersConcurrently(bool processes)
{
    constexpr int kWriters = 4;
    constexpr int kWrites = 40;
    CTempFolder folder;
    const std::u16string path = folder.path("user.reg");
    auto work = [&](int writer) {
        CRegFileStore store(path);
        bool ok = true;
        for (int i = 0; i < kWrites; ++i)
            ok = store.writeDword(kKey, u16("w" + std::to_string(writer) + "-" + std::to_string(i)), i) && ok;
        return ok;
    };
    if (processes) {
        std::vector<pid_t> children;
        for (int writer = 0; writer < kWriters; ++writer) {
            const pid_t pid = ::fork();
            if (pid == 0)
                ::_exit(work(writer) ? 0 : 1);
            children.push_back(pid);
        }
        for (pid_t child : children) {
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
    } else {
        std::vector<std::thread> threads;
        std::vector<char> results(kWriters);
        for (int writer = 0; writer < kWriters; ++writer)
            threads.emplace_back([&, writer] { results[writer] = work(writer); });
        for (std::thread& thread : threads)
            thread.join();
        EXPECT_EQ(results, std::vector<char>(kWriters, 1));
    }
    CRegFileStore store(path);
    for (int writer = 0; writer < kWriters; ++writer) {
        for (int i = 0; i < kWrites; ++i) {
            const std::string name = "w" + std::to_string(writer) + "-" + std::to_string(i);
            EXPECT_EQ(store.readDword(kKey, u16(name)), std::uint32_t(i)) << name;
        }
    }
}

TEST(RegFileStore, ConcurrentProcessesLoseNoWrite) { runWritersConcurrently(true); }
TEST(RegFileStore, ConcurrentThreadsWithOwnStoresLoseNoWrite) { runWritersConcurrently(false); }

// Sets an environment variable for one test and restores it afterwards.
class CEnvironment {
public:
    explicit CEnvironment(const char* name) : m_name(name), m_old(std::getenv(name) ? std::getenv(name) : "") {}
    ~CEnvironment() { set(m_old.empty() ? nullptr : m_old.c_str()); }
    void set(const char* value) { value ? ::setenv(m_name, value, 1) : ::unsetenv(m_name); }

private:
    const char* m_name;
    std::string m_old;
};

TEST(RegFileStore, DefaultPathFollowsXdgConfigHome)
{
    CEnvironment config("XDG_CONFIG_HOME");
    CEnvironment home("HOME");
    home.set("/home/someone");
    struct SCase {
        const char* configHome;
        const char16_t* expected;
    };
    const SCase cases[] = {
        {"/xdg/config", u"/xdg/config/brindle/user.reg"},
        {nullptr, u"/home/someone/.config/brindle/user.reg"},
        {"", u"/home/someone/.config/brindle/user.reg"},
        {"relative/config", u"/home/someone/.config/brindle/user.reg"},
    };
    for (const SCase& c : cases) {
        config.set(c.configHome);
        EXPECT_EQ(CRegFileStore::defaultPath(), c.expected) << (c.configHome ? c.configHome : "(unset)");
    }
}

TEST(RegFileStore, UserStoreCanBeReplacedAndRestored)
{
    CTempFolder folder;
    CEnvironment config("XDG_CONFIG_HOME");
    config.set(folder.native().c_str());
    CMemorySettingsStore memory;
    setUserSettingsStore(&memory);
    EXPECT_EQ(&userSettingsStore(), &memory);
    setUserSettingsStore(nullptr);
    EXPECT_NE(dynamic_cast<CRegFileStore*>(&userSettingsStore()), nullptr);
}

}  // namespace
}  // namespace brindle
