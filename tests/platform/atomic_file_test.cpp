#include "platform/atomic_file.h"

#include "platform/utf8.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace brindle {
namespace {

using test::CTempDir;
using test::readBytes;
using test::writeFile;

std::size_t entryCount(const std::string& folder)
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++count;
    return count;
}

mode_t modeOf(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

bool writeText(CAtomicFile& file, std::string_view text) { return file.write(text.data(), text.size()); }

TEST(AtomicFile, CommitReplacesContentAndKeepsPermissionBits)
{
    for (mode_t mode : {0600, 0640, 0755, 0444}) {
        CTempDir folder;
        const std::string target = folder.file("target.txt");
        writeFile(target, "old");
        ASSERT_EQ(::chmod(target.c_str(), mode), 0);
        CAtomicFile file;
        ASSERT_TRUE(file.open(pathFromNative(target))) << file.error().message();
        ASSERT_TRUE(writeText(file, "new content"));
        ASSERT_TRUE(file.commit()) << file.error().message();
        EXPECT_FALSE(file.isOpen());
        EXPECT_EQ(readBytes(target), "new content");
        EXPECT_EQ(modeOf(target), mode);
        EXPECT_EQ(entryCount(folder.path().string()), 1u);
    }
}

std::size_t openDescriptors()
{
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator()));
}

// A large target is held open across the rename and let go on a thread of its own (so that the
// rename does not wait while its blocks are freed): the new content is in place at once, and the
// hold is released soon after, leaving no descriptor behind.
TEST(AtomicFile, LargeTargetIsReplacedAndLetGo)
{
    for (const std::size_t oldSize : {std::size_t{3}, std::size_t{5} << 20}) {
        SCOPED_TRACE(oldSize);
        CTempDir folder;
        const std::string target = folder.file("target.txt");
        writeFile(target, std::string(oldSize, 'o'));
        const std::size_t before = openDescriptors();
        CAtomicFile file;
        ASSERT_TRUE(file.open(pathFromNative(target))) << file.error().message();
        ASSERT_TRUE(writeText(file, "new content"));
        ASSERT_TRUE(file.commit()) << file.error().message();
        EXPECT_EQ(readBytes(target), "new content");
        EXPECT_EQ(entryCount(folder.path().string()), 1u);
        for (int wait = 0; wait < 200 && openDescriptors() > before; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_EQ(openDescriptors(), before);
    }
}

TEST(AtomicFile, NewFileGetsDefaultOrChosenMode)
{
    CTempDir folder;
    const mode_t oldMask = ::umask(027);
    CAtomicFile file;
    ASSERT_TRUE(file.open(pathFromNative(folder.file("default"))));
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(modeOf(folder.file("default")), 0640u);
    file.setNewFileMode(0600);
    ASSERT_TRUE(file.open(pathFromNative(folder.file("chosen"))));
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(modeOf(folder.file("chosen")), 0600u);
    ::umask(oldMask);
}

// Every way of not completing the write must leave the old target and no temporary file.
TEST(AtomicFile, TargetUntouchedWhenNotCommitted)
{
    enum class EFault { Destroyed, Discarded, WriteFails, TargetBecameFolder, TempFileVanished };
    for (EFault fault : {EFault::Destroyed, EFault::Discarded, EFault::WriteFails, EFault::TargetBecameFolder,
                         EFault::TempFileVanished}) {
        SCOPED_TRACE(static_cast<int>(fault));
        CTempDir folder;
        const std::string target = folder.file("target");
        writeFile(target, "old");
        {
            CAtomicFile file;
            ASSERT_TRUE(file.open(pathFromNative(target)));
            ASSERT_TRUE(writeText(file, "partial"));
            ASSERT_EQ(entryCount(folder.path().string()), 2u);
            switch (fault) {
            case EFault::Destroyed: break;
            case EFault::Discarded: file.discard(); break;
            case EFault::WriteFails: {
                // A file size limit stands in for a full disk.
                const std::string big(1000, 'x');
                const bool written = [&] {
                    const test::CFileSizeLimit limit(16);
                    return file.write(big.data(), big.size());
                }();
                EXPECT_FALSE(written);
                EXPECT_EQ(file.error(), std::errc::file_too_large);
                EXPECT_FALSE(file.commit());
                break;
            }
            case EFault::TargetBecameFolder:
                ASSERT_EQ(::unlink(target.c_str()), 0);
                ASSERT_EQ(::mkdir(target.c_str(), 0700), 0);
                writeFile(target + "/inside", "old");
                EXPECT_FALSE(file.commit());
                break;
            case EFault::TempFileVanished:
                for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
                    if (entry.path().filename().string().starts_with(".target."))
                        std::filesystem::remove(entry.path());
                }
                EXPECT_FALSE(file.commit());
                EXPECT_EQ(file.error(), std::errc::no_such_file_or_directory);
                break;
            }
        }
        const std::string kept = fault == EFault::TargetBecameFolder ? target + "/inside" : target;
        EXPECT_EQ(readBytes(kept), "old");
        EXPECT_EQ(entryCount(folder.path().string()), 1u);
    }
}

TEST(AtomicFile, SymbolicLinkIsFollowed)
{
    CTempDir folder;
    ASSERT_EQ(::mkdir(folder.file("real").c_str(), 0700), 0);
    writeFile(folder.file("real/settings"), "old");
    ASSERT_EQ(::symlink("real/settings", folder.file("link").c_str()), 0);
    ASSERT_EQ(::symlink("real/not-yet", folder.file("dangling").c_str()), 0);
    for (const char* link : {"link", "dangling"}) {
        CAtomicFile file;
        ASSERT_TRUE(file.open(pathFromNative(folder.file(link))));
        ASSERT_TRUE(writeText(file, "new"));
        ASSERT_TRUE(file.commit()) << file.error().message();
        struct stat info {};
        ASSERT_EQ(::lstat(folder.file(link).c_str(), &info), 0);
        EXPECT_TRUE(S_ISLNK(info.st_mode)) << link;
        EXPECT_EQ(readBytes(folder.file(link)), "new");
    }
    EXPECT_EQ(readBytes(folder.file("real/settings")), "new");
    EXPECT_EQ(readBytes(folder.file("real/not-yet")), "new");
}

TEST(AtomicFile, OpenFailures)
{
    CTempDir folder;
    ASSERT_EQ(::mkdir(folder.file("sub").c_str(), 0700), 0);
    ASSERT_EQ(::mkdir(folder.file("locked").c_str(), 0500), 0);
    struct SCase {
        const char* name;
        std::errc error;
        bool needsPermissions;
    };
    const SCase cases[] = {
        {"sub", std::errc::is_a_directory, false},
        {"missing/file", std::errc::no_such_file_or_directory, false},
        {"locked/file", std::errc::permission_denied, true},
    };
    for (const SCase& c : cases) {
        if (c.needsPermissions && ::geteuid() == 0)
            continue;  // root ignores permissions
        CAtomicFile file;
        EXPECT_FALSE(file.open(pathFromNative(folder.file(c.name)))) << c.name;
        EXPECT_EQ(file.error(), c.error) << c.name;
        EXPECT_FALSE(file.isOpen());
        EXPECT_FALSE(file.commit());
    }
}

TEST(AtomicFile, MoveTransfersTheTemporaryFile)
{
    CTempDir folder;
    CAtomicFile first;
    ASSERT_TRUE(first.open(pathFromNative(folder.file("a"))));
    ASSERT_TRUE(writeText(first, "from a"));
    CAtomicFile second(std::move(first));
    {
        CAtomicFile destroyed(std::move(first));
    }  // an empty shell must not remove anything
    CAtomicFile third;
    ASSERT_TRUE(third.open(pathFromNative(folder.file("b"))));
    third = std::move(second);  // the temporary file of "b" goes
    EXPECT_EQ(entryCount(folder.path().string()), 1u);
    EXPECT_EQ(third.target(), pathFromNative(folder.file("a")));
    ASSERT_TRUE(third.commit());
    EXPECT_EQ(readBytes(folder.file("a")), "from a");
    EXPECT_FALSE(std::filesystem::exists(folder.file("b")));
}

}  // namespace
}  // namespace brindle
