// The files a comparison produces never cost the user a byte: each writer against each kind of
// target. A file we did not write as it stands is kept as NAME.~N~ first; a target that is no
// ordinary file is refused and left alone.
#include "engine/comp_file_opt.h"
#include "engine/compare_driver.h"
#include "platform/utf8.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace brindle {
namespace {

SRunOptions withoutDocuments()
{
    SRunOptions options;
    options.buildDocuments = false;
    return options;
}

using test::CTempDir;
using test::readBytes;
namespace fs = std::filesystem;

struct SWriteResult {
    bool written = false;
    std::string message;
    std::vector<SKeptBackup> kept;
};

using Writer = std::function<SWriteResult(const CTempDir& dir, const std::string& target)>;

CCompFileOpt textPair(const CTempDir& dir)
{
    CCompFileOpt record;
    record.m_file1Path = pathFromNative(dir.write("one.txt", "a\nb\n"));
    record.m_file2Path = pathFromNative(dir.write("two.txt", "a\nc\n"));
    return record;
}

SWriteResult fromRun(const SRunOutcome& outcome)
{
    return {outcome.status == SRunOutcome::Status::Completed, outcome.message, outcome.keptBackups};
}

const std::pair<const char*, Writer> kWriters[] = {
    {"quiet batch action",
     [](const CTempDir& dir, const std::string& target) {
         CCompFileOpt record = textPair(dir);
         record.m_outputFile = pathFromNative(target);
         const SQuietOutcome outcome = RunQuietComparison(record);
         return SWriteResult{outcome.status == SQuietOutcome::Status::Written, outcome.message, outcome.keptBackups};
     }},
    {"window merge file",
     [](const CTempDir& dir, const std::string& target) {
         CCompFileOpt record = textPair(dir);
         SReport report;
         return fromRun(RunComparison(record, pathFromNative(target), report, withoutDocuments()));
     }},
    {"report output file",
     [](const CTempDir& dir, const std::string& target) {
         CCompFileOpt record = textPair(dir);
         record.m_outputFile = pathFromNative(target);
         SReport report;
         return fromRun(RunComparison(record, {}, report, withoutDocuments()));
     }},
    {"binary output file",
     [](const CTempDir& dir, const std::string& target) {
         CCompFileOpt record;
         record.m_file1Path = pathFromNative(dir.write("one.bin", std::string("a\0b", 3)));
         record.m_file2Path = pathFromNative(dir.write("two.bin", std::string("a\0c", 3)));
         record.m_outputFile = pathFromNative(target);
         SReport report;
         return fromRun(RunComparison(record, {}, report, withoutDocuments()));
     }},
};

enum class EOutcome { Written, KeptBackup, Refused };

struct STarget {
    const char* name;
    // Makes the target in dir (the writer may be used to write it first) and returns its path;
    // empty when this machine cannot make it (device nodes need privileges).
    std::function<std::string(const CTempDir&, const Writer&)> make;
    EOutcome outcome;
    const char* backupContent = nullptr;  // of NAME.~<backupNumber>~
    int backupNumber = 1;
};

std::string makeDeviceNode(const CTempDir& dir)
{
    const std::string node = dir.file("null-device");
    return ::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0 ? node : std::string();
}

const STarget kTargets[] = {
    {"missing", [](const CTempDir& dir, const Writer&) { return dir.file("out"); }, EOutcome::Written},
    {"ordinary, not written by us",
     [](const CTempDir& dir, const Writer&) { return dir.write("out", "the user's own"); }, EOutcome::KeptBackup,
     "the user's own"},
    {"read-only, not written by us",
     [](const CTempDir& dir, const Writer&) {
         const std::string path = dir.write("out", "read-only");
         ::chmod(path.c_str(), 0444);
         return path;
     },
     EOutcome::KeptBackup, "read-only"},
    {"written by us, unchanged",
     [](const CTempDir& dir, const Writer& writer) {
         writer(dir, dir.file("out"));
         return dir.file("out");
     },
     EOutcome::Written},
    {"written by us, edited since",
     [](const CTempDir& dir, const Writer& writer) {
         writer(dir, dir.file("out"));
         return dir.write("out", "edited");
     },
     EOutcome::KeptBackup, "edited"},
    {"edited, with earlier backups",
     [](const CTempDir& dir, const Writer&) {
         dir.write("out.~1~", "first");
         dir.write("out.~3~", "third");
         return dir.write("out", "fourth");
     },
     EOutcome::KeptBackup, "fourth", 4},
    {"link to an ordinary file",
     [](const CTempDir& dir, const Writer&) {
         const std::string real = dir.write("real", "behind the link");
         fs::create_symlink(real, dir.file("out"));
         return dir.file("out");
     },
     EOutcome::KeptBackup, "behind the link"},
    {"FIFO",
     [](const CTempDir& dir, const Writer&) {
         const std::string path = dir.file("out");
         return ::mkfifo(path.c_str(), 0644) == 0 ? path : std::string();
     },
     EOutcome::Refused},
    {"device node", [](const CTempDir& dir, const Writer&) { return makeDeviceNode(dir); }, EOutcome::Refused},
    {"link to a device node",
     [](const CTempDir& dir, const Writer&) {
         const std::string node = makeDeviceNode(dir);
         if (node.empty())
             return node;
         fs::create_symlink(node, dir.file("out"));
         return dir.file("out");
     },
     EOutcome::Refused},
    {"folder",
     [](const CTempDir& dir, const Writer&) {
         fs::create_directory(dir.file("out"));
         return dir.file("out");
     },
     EOutcome::Refused},
};

// The names in dir besides the compared files.
std::set<std::string> namesIn(const CTempDir& dir)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("one.") && !name.starts_with("two."))
            names.insert(name);
    }
    return names;
}

TEST(OutputFileGuard, EveryWriterAgainstEveryTarget)
{
    for (const auto& [writerName, writer] : kWriters) {
        for (const STarget& target : kTargets) {
            SCOPED_TRACE(std::string(writerName) + " / " + target.name);
            CTempDir dir;
            const std::string path = target.make(dir, writer);
            if (path.empty())
                continue;
            struct stat before {};
            ::lstat(path.c_str(), &before);
            const std::set<std::string> namesBefore = namesIn(dir);
            const SWriteResult result = writer(dir, path);

            const std::set<std::string> namesAfter = namesIn(dir);
            const std::string realPath = fs::canonical(path).string();
            const std::string backup = realPath + ".~" + std::to_string(target.backupNumber) + "~";
            switch (target.outcome) {
            case EOutcome::Refused: {
                EXPECT_FALSE(result.written);
                EXPECT_NE(result.message.find(path), std::string::npos) << result.message;
                struct stat after {};
                ::lstat(path.c_str(), &after);
                EXPECT_EQ(after.st_mode, before.st_mode);
                EXPECT_EQ(after.st_ino, before.st_ino);
                EXPECT_EQ(namesAfter, namesBefore);  // nothing left beside it either
                break;
            }
            case EOutcome::Written:
                EXPECT_TRUE(result.written) << result.message;
                EXPECT_TRUE(result.kept.empty());
                EXPECT_EQ(namesAfter.size(), namesBefore.size() + (namesBefore.count("out") ? 0 : 1));
                break;
            case EOutcome::KeptBackup:
                EXPECT_TRUE(result.written) << result.message;
                ASSERT_EQ(result.kept.size(), 1u);
                EXPECT_EQ(u8(result.kept[0].file), path);
                EXPECT_EQ(u8(result.kept[0].backup), backup);
                if (target.backupContent) {
                    EXPECT_EQ(readBytes(backup), target.backupContent);
                }
                EXPECT_EQ(namesAfter.size(), namesBefore.size() + 1);
                EXPECT_TRUE(fs::is_symlink(path) == S_ISLNK(before.st_mode));
                break;
            }
            if (target.outcome != EOutcome::Refused) {
                EXPECT_NE(readBytes(path).find('a'), std::string::npos);  // the comparison's output
                EXPECT_EQ(::access(path.c_str(), W_OK), 0);               // the user may edit what we wrote
            }
        }
    }
}

// A read-only file kept aside keeps its mode; the new file is the user's to edit.
TEST(OutputFileGuard, BackupKeepsTheModeOfTheFileItKeeps)
{
    CTempDir dir;
    const std::string path = dir.write("out", "read-only");
    ::chmod(path.c_str(), 0444);
    kWriters[0].second(dir, path);
    struct stat backup {};
    struct stat written {};
    ASSERT_EQ(::stat((path + ".~1~").c_str(), &backup), 0);
    ASSERT_EQ(::stat(path.c_str(), &written), 0);
    EXPECT_EQ(backup.st_mode & 07777, 0444u);
    EXPECT_EQ(written.st_mode & 07777, 0644u);
}

}  // namespace
}  // namespace brindle
