#include "platform/file_system.h"

#include "platform/utf8.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace brindle {
namespace {

using test::CTempDir;
using test::writeFile;

TEST(FileSystem, FolderAndNameParts)
{
    struct SCase {
        const char16_t* path;
        const char16_t* folder;
        const char16_t* name;
    };
    const SCase cases[] = {
        {u"/home/u/file.txt", u"/home/u", u"file.txt"},
        {u"file.txt", u".", u"file.txt"},
        {u"/file", u"/", u"file"},
        {u"/", u"/", u""},
        {u"a//b", u"a", u"b"},
        {u"a/b/", u"a", u"b"},
        {u"//x", u"/", u"x"},
        {u"d\u00e9j\u00e0/\U0001F600", u"d\u00e9j\u00e0", u"\U0001F600"},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(parentFolder(c.path), c.folder) << u8(c.path);
        EXPECT_EQ(fileName(c.path), c.name) << u8(c.path);
    }
}

TEST(FileSystem, AttributesAndReadOnly)
{
    CTempDir folder;
    const std::string path = folder.file("caf\xC3\xA9 \xE9.txt");  // one name part is not UTF-8
    writeFile(path, "12345");
    const timespec times[2] = {{1'600'000'000, 123'456'789}, {1'600'000'000, 123'456'789}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);

    const std::u16string file = pathFromNative(path);
    auto attributes = fileAttributes(file);
    ASSERT_TRUE(attributes);
    EXPECT_FALSE(attributes->directory);
    EXPECT_TRUE(attributes->readOnly);
    EXPECT_EQ(attributes->size, 5);
    EXPECT_EQ(attributes->lastWriteTime, 1'600'000'000'123'456'789);

    {
        const CWritableForSave writable(file);
        EXPECT_FALSE(fileAttributes(file)->readOnly);
    }
    EXPECT_TRUE(fileAttributes(file)->readOnly);  // no save happened: the mode is back
    {
        CWritableForSave writable(file);
        writable.keep();
    }
    struct stat info {};
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0644u);  // only the owner write bit was added

    EXPECT_TRUE(fileAttributes(pathFromNative(folder.path().string()))->directory);
    const CWritableForSave missing(pathFromNative(folder.file("missing")));
    EXPECT_FALSE(pathExists(pathFromNative(folder.file("missing"))));
    EXPECT_TRUE(removeFile(file));
    EXPECT_FALSE(pathExists(file));
    EXPECT_FALSE(removeFile(file));
}

TEST(FileSystem, SameFile)
{
    CTempDir folder;
    writeFile(folder.file("a"), "x");
    writeFile(folder.file("b"), "x");
    ASSERT_EQ(::link(folder.file("a").c_str(), folder.file("hard").c_str()), 0);
    ASSERT_EQ(::symlink("a", folder.file("soft").c_str()), 0);
    EXPECT_TRUE(sameFile(pathFromNative(folder.file("a")), pathFromNative(folder.file("hard"))));
    EXPECT_TRUE(sameFile(pathFromNative(folder.file("a")), pathFromNative(folder.file("soft"))));
    EXPECT_FALSE(sameFile(pathFromNative(folder.file("a")), pathFromNative(folder.file("b"))));
    EXPECT_FALSE(sameFile(pathFromNative(folder.file("missing")), pathFromNative(folder.file("missing"))));
}

// Identity by path or by file, never by a name compared without regard to case: on this system
// "Data.bin" and "data.bin" are two files.
TEST(FileSystem, SameFileOrPath)
{
    CTempDir folder;
    writeFile(folder.file("Data.bin"), "x");
    writeFile(folder.file("data.bin"), "x");
    writeFile(folder.file("Only.bin"), "x");
    ASSERT_EQ(::mkdir(folder.file("sub").c_str(), 0700), 0);
    ASSERT_EQ(::symlink("Data.bin", folder.file("link").c_str()), 0);
    struct SCase {
        const char* name;
        std::string a;
        std::string b;
        bool same;
    };
    const SCase cases[] = {
        {"same path", "Data.bin", "Data.bin", true},
        {"same path of a missing file", "gone.bin", "gone.bin", true},
        {"two files differing in case", "Data.bin", "data.bin", false},
        {"other case of an existing file, missing itself", "Only.bin", "only.bin", false},
        {"symbolic link", "link", "Data.bin", true},
        {"through dir/..", "sub/../Data.bin", "Data.bin", true},
        {"empty names no file", "", "", false},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::u16string a = c.a.empty() ? u"" : pathFromNative(folder.file(c.a));
        const std::u16string b = c.b.empty() ? u"" : pathFromNative(folder.file(c.b));
        EXPECT_EQ(sameFileOrPath(a, b), c.same);
        EXPECT_EQ(sameFileOrPath(b, a), c.same);
    }
}

TEST(FileSystem, EqualsIgnoreAsciiCaseFoldsOnlyAsciiLetters)
{
    EXPECT_TRUE(equalsIgnoreAsciiCase(u"Software\\Brindle", u"SOFTWARE\\brindle"));
    for (auto [a, b] : {std::pair(u"\u00e9", u"\u00c9"), {u"@", u"`"}, {u"[", u"{"}, {u"ab", u"abc"}})
        EXPECT_FALSE(equalsIgnoreAsciiCase(a, b)) << u8(a);
}

TEST(FileSystem, CreateTempFile)
{
    CTempDir folder;
    std::error_code error;
    auto first = createTempFile(pathFromNative(folder.path().string()), u"pre\u00e9", &error);
    auto second = createTempFile(pathFromNative(folder.path().string() + "/"), u"pre\u00e9", &error);
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);
    EXPECT_TRUE(fileName(*first).starts_with(u"pre\u00e9"));
    EXPECT_EQ(parentFolder(*second), pathFromNative(folder.path().string()));
    EXPECT_EQ(createTempFile(pathFromNative(folder.file("missing")), u"x", &error), std::nullopt);
    EXPECT_EQ(errorText(error), std::generic_category().message(ENOENT));
}

// What may be read as an input: only an ordinary file, and asking never blocks (a FIFO without a
// writer would block an open for reading for ever).
TEST(FileSystem, OpenInputFileTakesOnlyOrdinaryFiles)
{
    CTempDir folder;
    writeFile(folder.file("file"), "text");
    ::mkfifo(folder.file("fifo").c_str(), 0644);
    const bool device = ::mknod(folder.file("device").c_str(), S_IFCHR | 0666, makedev(1, 5)) == 0;
    ::symlink(folder.file("file").c_str(), folder.file("link-to-file").c_str());
    ::symlink(folder.file("fifo").c_str(), folder.file("link-to-fifo").c_str());
    ::mkdir(folder.file("folder").c_str(), 0755);
    const std::pair<const char*, std::error_code> cases[] = {
        {"file", {}},
        {"link-to-file", {}},
        {"fifo", notOrdinaryFileError()},
        {"link-to-fifo", notOrdinaryFileError()},
        {"device", notOrdinaryFileError()},
        {"folder", std::make_error_code(std::errc::is_a_directory)},
        {"missing", std::make_error_code(std::errc::no_such_file_or_directory)},
    };
    ::alarm(20);  // a blocked open ends the test program instead of hanging the run
    for (const auto& [name, expected] : cases) {
        if (std::string_view(name) == "device" && !device)
            continue;
        std::error_code error;
        const int fd = openInputFile(pathFromNative(folder.file(name)), error);
        EXPECT_EQ(fd >= 0, !expected) << name;
        EXPECT_EQ(error, expected) << name << ": " << error.message();
        if (fd >= 0)
            ::close(fd);
        EXPECT_EQ(canOpenInputFile(pathFromNative(folder.file(name))), !expected) << name;
    }
    ::alarm(0);
}

}  // namespace
}  // namespace brindle
