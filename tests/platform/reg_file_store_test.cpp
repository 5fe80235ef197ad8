#include "platform/reg_file_store.h"

#include "platform/file_system.h"
#include "platform/memory_settings_store.h"
#include "platform/utf8.h"
#include "support/case_name.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace brindle {
namespace {

using test::CTempDir;
using test::readBytes;
using test::writeFile;

const std::u16string kKey = u"Software\\Tollan Software Inc.\\Brindle\\Settings";

using namespace std::string_view_literals;

// Runs work in a child process and returns what it returned, or "timed out" when the child did
// not end within seconds: a store that waits on a FIFO fails the test instead of hanging it.
std::string inChildWithin(int seconds, const std::function<std::string()>& work)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        const std::string result = work();
        const bool written = ::write(pipeEnds[1], result.data(), result.size()) == ssize_t(result.size());
        ::_exit(written ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    int status = 0;
    bool ended = false;
    for (int waited = 0; !ended && waited < seconds * 100; ++waited) {
        ended = ::waitpid(child, &status, WNOHANG) == child;
        if (!ended)
            ::usleep(10'000);
    }
    std::string result;
    if (ended) {
        char buffer[4096];
        for (ssize_t count; (count = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
            result.append(buffer, static_cast<std::size_t>(count));
    } else {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        result = "timed out";
    }
    ::close(pipeEnds[0]);
    return result;
}

// The same contract holds for both stores; the file store keeps it across instances.
class SettingsStoreContract : public testing::TestWithParam<bool> {
protected:
    std::unique_ptr<CSettingsStore> makeStore()
    {
        if (!GetParam())
            return std::make_unique<CMemorySettingsStore>();
        return std::make_unique<CRegFileStore>(pathFromNative(m_folder.file("user.reg")));
    }
    CTempDir m_folder;
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
    EXPECT_EQ(store->readString(u"software\\TOLLAN software inc.\\brindle\\settings", u"TEXT"), u"caf\u00e9 \"x\"\r\n");
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

// Paths are kept whole as values (recent files, the compare options' output file) and as value
// names (remembered caret positions are named by the file's path); the file store also after
// being read again.
TEST_P(SettingsStoreContract, PathsOf1000CharactersRoundTripAsValuesAndNames)
{
    std::u16string path;
    for (int folder = 0; folder < 4; ++folder)
        path += u"/" + std::u16string(200, u'd');
    path += u"/" + std::u16string(191, u'f') + u".txt";
    ASSERT_EQ(path.size(), 1000u);
    const std::vector<std::uint8_t> position = {1, 2, 3};
    {
        auto store = makeStore();
        ASSERT_TRUE(store->writeString(kKey, u"File1", path));
        ASSERT_TRUE(store->writeBinary(kKey, path, position));
        EXPECT_EQ(store->readString(kKey, u"File1"), path);
        EXPECT_EQ(store->readBinary(kKey, path), position);
    }
    if (GetParam()) {
        CRegFileStore again(pathFromNative(m_folder.file("user.reg")));
        EXPECT_EQ(again.readString(kKey, u"File1"), path);
        EXPECT_EQ(again.readBinary(kKey, path), position);
    }
}

INSTANTIATE_TEST_SUITE_P(Stores, SettingsStoreContract, testing::Values(false, true),
                         [](const auto& store) { return store.param ? "File" : "Memory"; });

TEST(RegFileStore, SeesChangesOfOtherWritersEvenWithTheSameSize)
{
    CTempDir folder;
    CRegFileStore reader(pathFromNative(folder.file("user.reg")));
    CRegFileStore writer(pathFromNative(folder.file("user.reg")));
    EXPECT_EQ(reader.readString(kKey, u"a"), std::nullopt);
    for (const char16_t* value : {u"1", u"2", u"3"}) {
        ASSERT_TRUE(writer.writeString(kKey, u"a", value));
        EXPECT_EQ(reader.readString(kKey, u"a"), value);
    }
    ASSERT_EQ(::unlink(folder.file("user.reg").c_str()), 0);
    EXPECT_EQ(reader.readString(kKey, u"a"), std::nullopt);
}

TEST(RegFileStore, NewFileIsPrivateAndFoldersAreCreated)
{
    CTempDir folder;
    const std::string path = folder.file("a/b/user.reg");
    CRegFileStore store(pathFromNative(path));
    ASSERT_TRUE(store.writeDword(kKey, u"x", 1));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(folder.file("a/b").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0077, 0u);
}

const std::u16string kCompare = u"Software\\Tollan Software Inc.\\Brindle\\Compare Files";

// The user's font, prefixes and ignore options, around the line each row damages.
constexpr std::string_view kUserFile =
    "Windows Registry Editor Version 5.00\n"
    "\n"
    "[Software\\Tollan Software Inc.\\Brindle\\Compare Files]\n"
    "\"Font Name\"=\"Courier New\"\n"
    "\"File1 Line Prefix\"=\"<<\"\n"
    "\"Ignore Case\"=dword:00000001\n"
    "DAMAGE\n"
    "\"File2 Line Prefix\"=\">>\"\n"
    "\"Ignore Whitespace\"=dword:00000001\n";

struct SDamagedFileCase {
    std::string name;
    std::string_view damage;  // what takes the place of the line "DAMAGE"
    int skippedLines;
};
void PrintTo(const SDamagedFileCase& c, std::ostream* out) { *out << c.name; }

class RegFileStoreDamage : public testing::TestWithParam<SDamagedFileCase> {
protected:
    std::string fileWith(std::string_view damage) const
    {
        std::string text(kUserFile);
        text.replace(text.find("DAMAGE\n"), 7, damage);
        return text;
    }
    CTempDir m_folder;
};

TEST_P(RegFileStoreDamage, KeepsEveryReadableValueAndCopiesTheFileBeforeWriting)
{
    const std::string path = m_folder.file("user.reg");
    const std::string original = fileWith(GetParam().damage);
    writeFile(path, original);
    CRegFileStore store(pathFromNative(path));
    EXPECT_EQ(store.readString(kCompare, u"Font Name"), u"Courier New");
    EXPECT_EQ(store.readString(kCompare, u"File1 Line Prefix"), u"<<");
    EXPECT_EQ(store.readString(kCompare, u"File2 Line Prefix"), u">>");
    EXPECT_EQ(store.readDword(kCompare, u"Ignore Case"), 1u);
    EXPECT_EQ(store.readDword(kCompare, u"Ignore Whitespace"), 1u);

    const SSettingsFileReport report = store.fileReport();
    EXPECT_EQ(report.skippedLines, GetParam().skippedLines);
    EXPECT_EQ(report.copyPath, pathFromNative(path + ".bad"));
    EXPECT_EQ(report.refusal, SSettingsFileReport::ERefusal::None);
    EXPECT_EQ(readBytes(path + ".bad"), original);
    EXPECT_EQ(readBytes(path), original);  // reading alone changes nothing

    ASSERT_TRUE(store.writeDword(kCompare, u"Font Size", 12));
    EXPECT_EQ(readBytes(path + ".bad"), original);
    const CRegFileStore next(pathFromNative(path));
    EXPECT_TRUE(next.fileReport().healthy());
    EXPECT_EQ(next.readString(kCompare, u"Font Name"), u"Courier New");
    EXPECT_EQ(next.readString(kCompare, u"File2 Line Prefix"), u">>");
    EXPECT_EQ(next.readDword(kCompare, u"Ignore Whitespace"), 1u);
    EXPECT_EQ(next.readDword(kCompare, u"Font Size"), 12u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, RegFileStoreDamage,
                         testing::Values(SDamagedFileCase{"GarbageLine", "}}} not a settings line {{{\n", 1},
                                         SDamagedFileCase{"RandomBytes", "\x8f\xff\x00\x13\x9c\n\x80\x7f\n"sv, 2},
                                         SDamagedFileCase{"UnterminatedString", "\"Viewer\"=\"gvim \\\"%PATH%\n", 1},
                                         SDamagedFileCase{"BadHexValue", "\"Blob\"=hex:01,2x,03\n", 1},
                                         SDamagedFileCase{"BadDword", "\"Font Size\"=dword:1234567890\n", 1}),
                         test::SCaseName());

TEST(RegFileStore, FileCutOffInAStringKeepsWhatCameBefore)
{
    CTempDir folder;
    const std::string path = folder.file("user.reg");
    const std::string original =
        std::string(kUserFile.substr(0, kUserFile.find("DAMAGE"))) + "\"Viewer\"=\"gvim \\\"%PA";
    writeFile(path, original);
    CRegFileStore store(pathFromNative(path));
    EXPECT_EQ(store.readString(kCompare, u"Font Name"), u"Courier New");
    EXPECT_EQ(store.readDword(kCompare, u"Ignore Case"), 1u);
    EXPECT_EQ(store.readString(kCompare, u"Viewer"), std::nullopt);
    EXPECT_EQ(store.fileReport().skippedLines, 1);
    EXPECT_EQ(readBytes(path + ".bad"), original);
}

// Each damaged version gets a copy of its own; no copy is ever written over, and the same
// damaged file read again adds none.
TEST(RegFileStore, DamagedCopiesAreNumberedAndNeverOverwritten)
{
    CTempDir folder;
    const std::string path = folder.file("user.reg");
    const auto damagedVersion = [&](const char* garbage) {
        const std::string text = "[K]\n\"a\"=dword:1\n" + std::string(garbage) + "\n";
        writeFile(path, text);
        return text;
    };
    const std::string first = damagedVersion("first garbage");
    EXPECT_EQ(CRegFileStore(pathFromNative(path)).fileReport().copyPath, pathFromNative(path + ".bad"));
    const std::string second = damagedVersion("second garbage");
    EXPECT_EQ(CRegFileStore(pathFromNative(path)).fileReport().copyPath, pathFromNative(path + ".bad.1"));
    EXPECT_EQ(CRegFileStore(pathFromNative(path)).fileReport().copyPath, pathFromNative(path + ".bad.1"));
    // A name taken by something that is not a copy, even a FIFO, is passed over unopened.
    ASSERT_EQ(::mkfifo((path + ".bad.2").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/zero", (path + ".bad.3").c_str()), 0);
    const std::string third = damagedVersion("third garbage");
    const std::string reportedCopy =
        inChildWithin(10, [&] { return u8(CRegFileStore(pathFromNative(path)).fileReport().copyPath); });
    EXPECT_EQ(reportedCopy, path + ".bad.4");

    EXPECT_EQ(readBytes(path + ".bad"), first);
    EXPECT_EQ(readBytes(path + ".bad.1"), second);
    EXPECT_EQ(readBytes(path + ".bad.4"), third);
    struct stat info {};
    EXPECT_NE(::stat((path + ".bad.5").c_str(), &info), 0);
    ASSERT_TRUE(CRegFileStore(pathFromNative(path)).writeDword(kKey, u"b", 2));
    EXPECT_EQ(readBytes(path + ".bad"), first);
    EXPECT_EQ(readBytes(path + ".bad.1"), second);
    EXPECT_EQ(readBytes(path + ".bad.4"), third);
}

TEST(RegFileStore, WriteFailsWhenTheFolderIsNotWritable)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores permissions";
    CTempDir folder;
    const std::string path = folder.file("user.reg");
    CRegFileStore store(pathFromNative(path));
    ASSERT_TRUE(store.writeDword(kKey, u"x", 1));
    ASSERT_EQ(::chmod(folder.path().c_str(), 0500), 0);
    EXPECT_FALSE(store.writeDword(kKey, u"x", 2));
    EXPECT_FALSE(CRegFileStore(pathFromNative(folder.file("sub/user.reg"))).writeDword(kKey, u"x", 2));
    ::chmod(folder.path().c_str(), 0700);
    EXPECT_EQ(store.readDword(kKey, u"x"), 1u);
}

// The reports the store gave its write-failure reporter.
std::vector<SSettingsFileReport> g_toldWriteFailures;
void recordWriteFailure(const SSettingsFileReport& report) { g_toldWriteFailures.push_back(report); }

// A write the system refuses says why: once to the reporter, and in fileReport() until a write
// succeeds. Such writes happen as root too, unlike a read-only folder.
TEST(RegFileStore, RefusedWriteIsToldOnceWithItsReason)
{
    struct SCase {
        const char* name;
        const char* file;                               // the settings file, in the folder
        std::function<void(CTempDir&)> block, unblock;  // make the write fail, then succeed
        std::string reason;
    };
    const SCase cases[] = {
        {"folder is a file", "conf/user.reg", [](CTempDir& f) { writeFile(f.file("conf"), "x"); },
         [](CTempDir& f) { ::unlink(f.file("conf").c_str()); }, "Not a directory"},
        {"lock file is a device", "user.reg",
         [](CTempDir& f) { ::symlink("/dev/null", f.file("user.reg.lock").c_str()); },
         [](CTempDir& f) { ::unlink(f.file("user.reg.lock").c_str()); }, errorText(notOrdinaryFileError())},
    };
    setSettingsWriteFailureReporter(&recordWriteFailure);
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        g_toldWriteFailures.clear();
        CTempDir folder;
        c.block(folder);
        CRegFileStore store(pathFromNative(folder.file(c.file)));
        EXPECT_FALSE(store.writeDword(kKey, u"x", 1));
        EXPECT_FALSE(store.writeDword(kKey, u"x", 2));
        ASSERT_EQ(g_toldWriteFailures.size(), 1u);
        EXPECT_EQ(g_toldWriteFailures.front().writeError, c.reason);
        EXPECT_EQ(u8(g_toldWriteFailures.front().path), folder.file(c.file));
        EXPECT_EQ(store.fileReport().writeError, c.reason);
        c.unblock(folder);
        EXPECT_TRUE(store.writeDword(kKey, u"x", 3));
        EXPECT_EQ(store.fileReport().writeError, "");
        EXPECT_EQ(g_toldWriteFailures.size(), 1u);
    }
    setSettingsWriteFailureReporter(nullptr);
}

// Each writer sets its own values many times; with a lost update some value would be missing.
void runWritersConcurrently(bool processes)
{
    constexpr int kWriters = 4;
    constexpr int kWrites = 40;
    CTempDir folder;
    const std::u16string path = pathFromNative(folder.file("user.reg"));
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

struct SRefusedCase {
    std::string name;
    std::function<void(const std::string& path)> make;
    std::string outcome;  // what the child reports: see refusedOutcome(); unless saved, the file stays as it was
};
void PrintTo(const SRefusedCase& c, std::ostream* out) { *out << c.name; }

// A file of that size that takes no room on disk, a line that reads as a value in front.
void makeSparseFile(const std::string& path, off_t size)
{
    writeFile(path, "[Software\\Tollan Software Inc.\\Brindle\\Settings]\n\"x\"=dword:00000005\n;");
    ASSERT_EQ(::truncate(path.c_str(), size), 0);
}

const char* refusalName(SSettingsFileReport::ERefusal refusal)
{
    switch (refusal) {
    case SSettingsFileReport::ERefusal::None: return "none";
    case SSettingsFileReport::ERefusal::NotOrdinaryFile: return "not ordinary";
    case SSettingsFileReport::ERefusal::TooLarge: return "too large";
    case SSettingsFileReport::ERefusal::Unreadable: return "unreadable";
    }
    return "?";
}

// Reads "x", writes it, reads it again, and says what happened.
std::string refusedOutcome(const std::u16string& path)
{
    CRegFileStore store(path);
    const auto before = store.readDword(kKey, u"x");
    const bool written = store.writeDword(kKey, u"x", 7);
    const auto after = store.readDword(kKey, u"x");
    return std::string("read ") + (before ? std::to_string(*before) : "none") + ", " +
           refusalName(store.fileReport().refusal) + ", write " + (written ? "saved" : "not saved") + ", then read " +
           (after ? std::to_string(*after) : "none");
}

class RegFileStoreRefusal : public testing::TestWithParam<SRefusedCase> {};

TEST_P(RegFileStoreRefusal, IsNotReadNotWrittenOverAndDoesNotHang)
{
    CTempDir folder;
    const std::string path = folder.file("user.reg");
    GetParam().make(path);
    struct stat before {};
    ASSERT_EQ(::lstat(path.c_str(), &before), 0);
    EXPECT_EQ(inChildWithin(10, [&] { return refusedOutcome(pathFromNative(path)); }), GetParam().outcome);
    if (GetParam().outcome.find("not saved") == std::string::npos)
        return;
    struct stat after {};
    ASSERT_EQ(::lstat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_size, before.st_size);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RegFileStoreRefusal,
    testing::Values(SRefusedCase{"Fifo", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); },
                                 "read none, not ordinary, write not saved, then read 7"},
                    SRefusedCase{"LinkToDevZero",
                                 [](const std::string& path) { ASSERT_EQ(::symlink("/dev/zero", path.c_str()), 0); },
                                 "read none, not ordinary, write not saved, then read 7"},
                    SRefusedCase{"Folder", [](const std::string& path) { ASSERT_EQ(::mkdir(path.c_str(), 0700), 0); },
                                 "read none, not ordinary, write not saved, then read 7"},
                    SRefusedCase{"LargerThan16MiB",
                                 [](const std::string& path) { makeSparseFile(path, kMaxSettingsFileSize + 1); },
                                 "read none, too large, write not saved, then read 7"},
                    SRefusedCase{"Exactly16MiBIsRead",
                                 [](const std::string& path) { makeSparseFile(path, kMaxSettingsFileSize); },
                                 "read 5, none, write saved, then read 7"}),
    test::SCaseName());

// A lock file that is a FIFO or a device: the write gives up instead of waiting on it.
TEST(RegFileStore, LockFileThatIsNotAFileFailsTheWriteWithoutHanging)
{
    for (const bool fifo : {true, false}) {
        CTempDir folder;
        const std::string lock = folder.file("user.reg.lock");
        ASSERT_EQ(fifo ? ::mkfifo(lock.c_str(), 0600) : ::symlink("/dev/zero", lock.c_str()), 0);
        const std::string outcome = inChildWithin(10, [&] {
            CRegFileStore store(pathFromNative(folder.file("user.reg")));
            return std::string(store.writeDword(kKey, u"x", 1) ? "saved" : "not saved");
        });
        EXPECT_EQ(outcome, "not saved") << (fifo ? "FIFO" : "link to /dev/zero");
        EXPECT_EQ(readBytes(folder.file("user.reg")), "");
    }
}

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
    CTempDir folder;
    CEnvironment config("XDG_CONFIG_HOME");
    config.set(folder.path().c_str());
    CMemorySettingsStore memory;
    setUserSettingsStore(&memory);
    EXPECT_EQ(&userSettingsStore(), &memory);
    setUserSettingsStore(nullptr);
    EXPECT_NE(dynamic_cast<CRegFileStore*>(&userSettingsStore()), nullptr);
}

}  // namespace
}  // namespace brindle
