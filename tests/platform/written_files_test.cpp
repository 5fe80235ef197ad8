// What protects a file the user changed: the record of what we wrote, the numbered backups that
// keep the rest, and the clean-up of temporary files when a run is interrupted.
#include "platform/atomic_file.h"
#include "platform/content_hash.h"
#include "platform/interrupt_cleanup.h"
#include "platform/memory_settings_store.h"
#include "platform/numbered_backup.h"
#include "platform/utf8.h"
#include "platform/written_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace brindle {
namespace {

using test::CTempDir;
using test::readBytes;
using test::writeFile;

TEST(ContentHash, DependsOnTheBytesNotOnHowTheyArrive)
{
    const std::string text = "The quick brown fox jumps over the lazy dog, twice over.";
    CContentHash whole;
    whole.add(text.data(), text.size());
    for (std::size_t step : {1u, 3u, 7u, 8u, 9u, 16u}) {
        CContentHash pieces;
        for (std::size_t at = 0; at < text.size(); at += step)
            pieces.add(text.data() + at, std::min(step, text.size() - at));
        EXPECT_EQ(pieces.value(), whole.value()) << step;
    }
    // One changed byte, a zero byte more at the end, or nothing at all: all differ.
    std::string changed = text;
    changed[20] ^= 1;
    CContentHash other;
    other.add(changed.data(), changed.size());
    CContentHash longer;
    longer.add(text.data(), text.size());
    longer.add("\0", 1);
    EXPECT_NE(other.value(), whole.value());
    EXPECT_NE(longer.value(), whole.value());
    EXPECT_NE(CContentHash().value(), whole.value());
}

// The values are stored in the user's record of written files: a changed function would take
// every file written before for one the user edited, and keep it as a backup.
TEST(ContentHash, KeepsTheValuesStoredByEarlierRuns)
{
    std::string thousand;
    for (int i = 0; i < 1000; ++i)
        thousand += static_cast<char>(i * 7 + 3);
    struct SCase {
        const char* name;
        std::string bytes;
        std::uint64_t expected;
    };
    const SCase cases[] = {
        {"empty", "", 0x189423a245fb73f6ull},
        {"one byte", "a", 0x7b0fb32a1babb8a4ull},
        {"one word", "12345678", 0x21ba7dbc0543f62aull},
        {"words and a tail", "The quick brown fox jumps over the lazy dog, twice over.", 0xbd6b00ab5675dd83ull},
        {"every byte value", thousand, 0x6ce8c6b2d36abcceull},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CContentHash hash;
        hash.add(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(hash.value(), c.expected);
    }
}

TEST(NumberedBackup, TakesTheNumberAboveTheHighestAndNeverReplacesOne)
{
    struct SCase {
        std::vector<std::string> existing;  // names beside "f"
        std::string expected;
    };
    const SCase cases[] = {
        {{}, "f.~1~"},
        {{"f.~1~"}, "f.~2~"},
        {{"f.~1~", "f.~7~"}, "f.~8~"},                              // a gap is not filled
        {{"f.~x~", "f.~01~", "f.~2", "g.~5~", "ff.~9~"}, "f.~1~"},  // not backups of f
    };
    for (const SCase& c : cases) {
        CTempDir folder;
        writeFile(folder.file("f"), "content");
        for (const std::string& name : c.existing)
            writeFile(folder.file(name), "earlier " + name);
        std::error_code error;
        const auto backup = makeNumberedBackup(folder.file("f"), error);
        ASSERT_TRUE(backup) << error.message();
        EXPECT_EQ(*backup, folder.file(c.expected));
        EXPECT_EQ(readBytes(*backup), "content");
        for (const std::string& name : c.existing)
            EXPECT_EQ(readBytes(folder.file(name)), "earlier " + name);
    }
}

TEST(WrittenFiles, KnowsOnlyTheFileAsItWasWritten)
{
    CTempDir folder;
    CMemorySettingsStore store;
    CWrittenFiles record(store);
    const std::string path = folder.file("merge.txt");
    writeFile(path, "written");
    CContentHash hash;
    hash.add("written", 7);
    EXPECT_FALSE(record.holdsWhatWasWritten(path));
    record.remember(path, hash.value());
    EXPECT_TRUE(record.holdsWhatWasWritten(path));
    // Same size, same time, other content: the content decides.
    struct stat info {};
    ::stat(path.c_str(), &info);
    writeFile(path, "WRITTEN");
    const timespec times[2] = {info.st_atim, info.st_mtim};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
    EXPECT_FALSE(record.holdsWhatWasWritten(path));
    std::filesystem::remove(path);
    EXPECT_FALSE(record.holdsWhatWasWritten(path));
}

// sync() hashes the earlier file ahead of commit(); an edit in between that keeps its size and
// time must still be seen, and the edited file kept.
TEST(WrittenFiles, AHashTakenAheadHoldsOnlyWhileTheFileIsUnchanged)
{
    struct SCase {
        const char* name;
        const char* editAfterSync;  // nullptr: left alone
        bool backupKept;
    };
    const SCase cases[] = {
        {"left alone", nullptr, false},
        {"edited, size and time restored", "WRITTEN", true},
        {"edited to the same bytes", "written", false},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CTempDir folder;
        CMemorySettingsStore store;
        CWrittenFiles record(store);
        const std::string path = folder.file("merge.txt");
        CAtomicFile first;
        first.keepChangedTarget(record);
        ASSERT_TRUE(first.open(pathFromNative(path)));
        ASSERT_TRUE(first.write("written", 7));
        ASSERT_TRUE(first.commit());

        CAtomicFile second;
        second.keepChangedTarget(record);
        ASSERT_TRUE(second.open(pathFromNative(path)));
        ASSERT_TRUE(second.write("second", 6));
        ASSERT_TRUE(second.sync());
        if (c.editAfterSync) {
            struct stat info {};
            ::stat(path.c_str(), &info);
            writeFile(path, c.editAfterSync);
            const timespec times[2] = {info.st_atim, info.st_mtim};
            ::utimensat(AT_FDCWD, path.c_str(), times, 0);
        }
        ASSERT_TRUE(second.commit());
        EXPECT_EQ(readBytes(path), "second");
        EXPECT_EQ(!second.keptBackup().empty(), c.backupKept);
        if (c.backupKept) {
            EXPECT_EQ(readBytes(nativePath(second.keptBackup())), c.editAfterSync);
        }
    }
}

TEST(WrittenFiles, KeepsTheMostRecentEntriesOnly)
{
    CTempDir folder;
    CMemorySettingsStore store;
    CWrittenFiles record(store);
    const int total = CWrittenFiles::kCapacity + 5;
    for (int i = 0; i < total; ++i) {
        const std::string path = folder.file("f" + std::to_string(i));
        writeFile(path, "x");
        record.remember(path, 1);
        if (i == 50)
            record.remember(folder.file("f0"), 1);  // written again: recent once more
    }
    EXPECT_TRUE(record.find(folder.file("f0")));
    EXPECT_FALSE(record.find(folder.file("f1")));
    EXPECT_FALSE(record.find(folder.file("f5")));
    EXPECT_TRUE(record.find(folder.file("f6")));
    EXPECT_TRUE(record.find(folder.file("f" + std::to_string(total - 1))));
}

// An interrupted write leaves no temporary file, and the status says which signal ended it.
TEST(InterruptCleanup, SignalRemovesTemporaryFilesAndEndsWithItsStatus)
{
    for (const int signal : {SIGINT, SIGTERM}) {
        CTempDir folder;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            removeTempFilesOnInterrupt();
            CAtomicFile file;
            if (!file.open(pathFromNative(folder.file("target"))) || !file.write("partial", 7))
                ::_exit(3);
            ::raise(signal);
            ::_exit(4);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 128 + signal);
        EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    }
}

}  // namespace
}  // namespace brindle
