// Text buffer files: byte-exact round trips, line ends, backups and failed saves that leave the
// previous file (and backup) in place.
#include "editor/ed_text_buffer.h"

#include "editor/buffer_test_support.h"
#include "editor/text_type.h"
#include "engine/text_encoding.h"
#include "platform/utf8.h"
#include "support/case_name.h"
#include "support/random_text.h"
#include "support/scoped_code_page.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string_view>
#include <sys/resource.h>
#include <sys/stat.h>

namespace brindle {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using test::CRecordingView;
using test::CTempDir;
using test::linesOf;
using test::readBytes;
using Lines = std::vector<std::u16string>;

std::set<std::string> folderNames(const CTempDir& dir)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        names.insert(entry.path().filename().string());
    return names;
}

struct SRoundTripCase {
    const char* name;
    std::string bytes;
    Lines lines;
    int encoding;
};

class BufferRoundTripTest : public testing::TestWithParam<SRoundTripCase> {};

// Regression: every line got a line end, so each open-and-save of an unchanged file added an
// empty last line, and LF files came back with CR LF.
TEST_P(BufferRoundTripTest, UnchangedFileSavesBackByteForByte)
{
    const SRoundTripCase& c = GetParam();
    CTempDir dir;
    const std::u16string path = u16(dir.write("f.txt", c.bytes));
    CEdTextBuffer buffer;
    ASSERT_TRUE(buffer.LoadFile(path));
    EXPECT_EQ(linesOf(buffer), c.lines);
    EXPECT_EQ(buffer.FileEncoding(), c.encoding);
    ASSERT_TRUE(buffer.SaveFile(path));
    EXPECT_EQ(readBytes(dir.file("f.txt")), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BufferRoundTripTest,
    testing::Values(SRoundTripCase{"Empty", "", {u""}, 0}, SRoundTripCase{"NoLineEnd", "a", {u"a"}, 0},
                    SRoundTripCase{"Lf", "a\n", {u"a", u""}, 0}, SRoundTripCase{"CrLf", "a\r\n", {u"a", u""}, 0},
                    SRoundTripCase{"TwoLf", "a\nb\n", {u"a", u"b", u""}, 0},
                    SRoundTripCase{"StartsWithLf", "\n\n", {u"", u"", u""}, 0},
                    SRoundTripCase{"StartsWithCrLf", "\r\n\r\nx", {u"", u"", u"x"}, 0},
                    SRoundTripCase{"Ansi1252", "caf\xE9\n", {u"caf\u00E9", u""}, 0},
                    SRoundTripCase{"Utf16LeCrLf",
                                   "\xFF\xFE"
                                   "a\0\r\0\n\0\xE9\0"s,
                                   {u"a", u"\u00E9"},
                                   2},
                    SRoundTripCase{"Utf16LeLf",
                                   "\xFF\xFE"
                                   "a\0\n\0b\0\n\0"s,
                                   {u"a", u"b", u""},
                                   2},
                    SRoundTripCase{"Utf16BeCrLf", "\xFE\xFF\0a\0\r\0\n"s, {u"a", u""}, 1},
                    SRoundTripCase{"Utf16BeLf", "\xFE\xFF\0\n\0a"s, {u"", u"a"}, 1},
                    SRoundTripCase{"Utf8CrLf", "\xEF\xBB\xBF\xC3\xA9\r\nx", {u"\u00E9", u"x"}, 3},
                    SRoundTripCase{"Utf8Lf", "\xEF\xBB\xBF\n\xE2\x82\xAC\n", {u"", u"\u20AC", u""}, 3},
                    // Regression: a stray byte took the LF and the "n" after it, a four-byte
                    // sequence came back as four U+FFFD.
                    SRoundTripCase{"Utf8StrayByteAndEmoji",
                                   "\xEF\xBB\xBF"
                                   "caf\xE9\nnext \xF0\x9F\x98\x80",
                                   {u"caf\xDCE9", u"next \U0001F600"},
                                   3},
                    SRoundTripCase{"Utf8CutOffAtEnd",
                                   "\xEF\xBB\xBF"
                                   "a\r\n\xE2\x82",
                                   {u"a", u"\xDCE2\xDC82"},
                                   3},
                    SRoundTripCase{"Utf16LeOddLastByte",
                                   "\xFF\xFE"
                                   "a\0\n\0\xE9"s,
                                   {u"a", u"\xDCE9"},
                                   2},
                    SRoundTripCase{"Utf16BeLoneLowSurrogateAtEnd", "\xFE\xFF\0a\xDC\xE9"s, {u"a\xDCE9"}, 1},
                    SRoundTripCase{
                        "LongFirstLineLf", std::string(5000, 'x') + "\ny", {std::u16string(5000, u'x'), u"y"}, 0}),
    test::SCaseName());

// Random files behind each mark, with every kind of line end mixed: an unchanged file saves back
// byte for byte.
TEST(BufferFile, RandomFilesWithMarkSaveBackByteForByte)
{
    std::mt19937 rng(611);
    std::uniform_int_distribution<std::size_t> length(0, 50);
    CTempDir dir;
    for (const int encoding : {kEncodingUtf8, kEncodingUtf16Le, kEncodingUtf16Be}) {
        for (int round = 0; round < 150; ++round) {
            const std::string bytes = test::randomMarkedFile(rng, encoding, length(rng), {u"\r", u"\n", u"\r\n"});
            const std::u16string path = u16(dir.write("r.txt", bytes));
            CEdTextBuffer buffer;
            ASSERT_TRUE(buffer.LoadFile(path));
            ASSERT_TRUE(buffer.SaveFile(path));
            ASSERT_EQ(readBytes(dir.file("r.txt")), bytes) << testing::PrintToString(bytes);
        }
    }
}

// Shift-JIS under code page 932: a double-byte character is one unit, and bytes that are no
// character (a lead byte cut off at the end of the file, stray bytes) are saved as they were.
TEST(BufferFile, ShiftJisKeepsBytesThatAreNoCharacter)
{
    const test::CScopedCodePage shiftJis("932");
    const SRoundTripCase cases[] = {
        {"CutOffAtTheEnd", "\x82\xA0\r\n\x82\xA0\x82", {u"\u3042", u"\u3042\xDC82"}, 0},
        {"StrayBytes",
         "\x80"
         "a\xFD\x82\n",
         {u"\xDC80"
          "a\xDCFD\xDC82",
          u""},
         0},
    };
    CTempDir dir;
    for (const SRoundTripCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::u16string path = u16(dir.write("sjis.txt", c.bytes));
        CEdTextBuffer buffer;
        ASSERT_TRUE(buffer.LoadFile(path));
        EXPECT_EQ(linesOf(buffer), c.lines);
        ASSERT_TRUE(buffer.SaveFile(path));
        EXPECT_EQ(readBytes(dir.file("sjis.txt")), c.bytes);
    }
}

// Every line keeps its own line end, so a file with any mix saves back byte for byte; a new line
// break takes the line end the file uses most (LF on a tie and in a new document); a deletion
// undone gives the lines their own ends back.
TEST(BufferFile, EveryLineKeepsItsOwnLineEnd)
{
    struct SCase {
        std::string bytes;
        STextPos at;         // where a line break is typed
        std::string edited;  // saved after the break
    };
    const SCase cases[] = {
        {"a\nb\r\nc", {1, 0}, "a\nx\nb\r\nc"},   {"a\r\nb\nc\r\n", {1, 0}, "a\r\nx\r\nb\nc\r\n"},
        {"a\rb\rc\nd", {1, 2}, "a\rb\rc\rx\nd"}, {"a\n\r\r\nb\r", {0, 4}, "a\n\r\r\nb\r\rx"},  // CR is used most
        {"single", {6, 0}, "single\nx"},
    };
    CTempDir dir;
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.bytes);
        const std::u16string path = u16(dir.write("m.txt", c.bytes));
        CEdTextBuffer buffer;
        ASSERT_TRUE(buffer.LoadFile(path));
        ASSERT_TRUE(buffer.SaveFile(path));
        EXPECT_EQ(readBytes(dir.file("m.txt")), c.bytes);

        STextPos end;
        ASSERT_TRUE(buffer.InsertTextAt(nullptr, c.at.line, c.at.ch, u"\r\nx", end.line, end.ch));
        ASSERT_TRUE(buffer.SaveFile(path));
        EXPECT_EQ(readBytes(dir.file("m.txt")), c.edited);

        const std::int32_t last = buffer.LineCount() - 1;
        ASSERT_TRUE(buffer.DeleteRange(nullptr, 0, 0, last, buffer.LineLength(last)));
        STextPos cursor;
        ASSERT_TRUE(buffer.Undo(cursor));
        ASSERT_TRUE(buffer.SaveFile(path));
        EXPECT_EQ(readBytes(dir.file("m.txt")), c.edited);
    }
    CEdTextBuffer built;  // never loaded: this platform's LF
    built.AddLine(u"a");
    built.AddLine(u"b");
    ASSERT_TRUE(built.SaveFile(u16(dir.file("new.txt"))));
    EXPECT_EQ(readBytes(dir.file("new.txt")), "a\nb");
}

// Any bytes, any mix of line ends, in every kind of code page: opened and saved unchanged, the file
// is the same file.
TEST(BufferFile, RandomBytesSaveBackUnchangedInEveryCodePage)
{
    std::mt19937 random(20261208);
    const std::string_view alphabet = "ab\r\n\x80\x82\xA0\xA4\xC7\xD1\xD6\xE9\xFE\xFF";
    CTempDir dir;
    for (const char* page : {"1252", "1250", "65001", "932", "936", "949", "950"}) {
        const test::CScopedCodePage codePage(page);
        for (int round = 0; round < 60; ++round) {
            std::string bytes(random() % 40, ' ');
            for (char& byte : bytes)
                byte = random() % 4 == 0 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
            // A mark at the start would make it another encoding: not this test's.
            if (bytes.size() >= 2 && (bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0))
                bytes[0] = 'a';
            if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
                bytes[0] = 'a';
            const std::u16string path = u16(dir.write("random.txt", bytes));
            CEdTextBuffer buffer;
            ASSERT_TRUE(buffer.LoadFile(path));
            ASSERT_TRUE(buffer.SaveFile(path));
            ASSERT_EQ(readBytes(dir.file("random.txt")), bytes) << "code page " << page;
        }
    }
}

TEST(BufferFile, LoadReplacesTextAndHistoryAndTellsViews)
{
    CTempDir dir;
    CEdTextBuffer buffer;
    test::fill(buffer, {u"old"});
    STextPos end;
    buffer.InsertTextAt(nullptr, 0, 0, u"x", end.line, end.ch);
    STextPos cursor;
    buffer.Undo(cursor);
    buffer.SetReadOnly(true);
    CRecordingView view;
    buffer.AttachView(&view);
    ASSERT_TRUE(buffer.LoadFile(u16(dir.write("a.cpp", "int a;\r\n"))));
    EXPECT_EQ(linesOf(buffer), (Lines{u"int a;", u""}));
    EXPECT_FALSE(buffer.CanUndo());
    EXPECT_FALSE(buffer.CanRedo());
    EXPECT_FALSE(buffer.IsReadOnly());
    EXPECT_FALSE(buffer.IsModified());
    EXPECT_TRUE(buffer.IsInitialised());
    EXPECT_EQ(buffer.LastChange(), (STextPos{-1, -1}));
    ASSERT_EQ(view.types.size(), 1u);
    ASSERT_NE(view.types[0], nullptr);
    EXPECT_EQ(view.types[0]->name, u"C");
    EXPECT_EQ(view.notices, (std::vector<test::SNotice>{{nullptr, CEdTextBuffer::Reset, -1}}));

    // A missing file or a folder leaves everything as it was.
    view.notices.clear();
    EXPECT_FALSE(buffer.LoadFile(u16(dir.file("missing.txt"))));
    EXPECT_FALSE(buffer.LoadFile(u16(dir.path().string())));
    EXPECT_EQ(linesOf(buffer), (Lines{u"int a;", u""}));
    EXPECT_TRUE(view.notices.empty());
}

enum class EFault { None, WriteFails, BackupNameIsFolder, FolderMissing };

struct SSaveCase {
    const char* name;
    bool backup;
    bool targetExists;
    EFault fault;
    bool saved;
    std::set<std::string> files;  // the folder afterwards; "t" holds "new" when saved, else "old"
};

class BufferSaveTest : public testing::TestWithParam<SSaveCase> {};

// Fails writes beyond a few bytes, as a full disk does (root ignores permissions, not limits).
class CFileSizeLimit {
public:
    CFileSizeLimit()
    {
        m_oldSignal = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit small = m_old;
        small.rlim_cur = 8;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~CFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldSignal);
    }

private:
    rlimit m_old{};
    void (*m_oldSignal)(int);
};

TEST_P(BufferSaveTest, KeepsPreviousFileAndBackupOnFailure)
{
    const SSaveCase& c = GetParam();
    CTempDir dir;
    if (c.targetExists)
        dir.write("t", "old");
    dir.write("t.bak", "older");
    if (c.fault == EFault::BackupNameIsFolder) {
        fs::remove(dir.file("t.bak"));
        fs::create_directories(dir.file("t.bak/inside"));
    }
    CEdTextBuffer buffer;
    buffer.AddLine(std::u16string(100, u'n'));
    buffer.SetCreateBackup(c.backup);
    STextPos end;
    buffer.InsertTextAt(nullptr, 0, 0, u"x", end.line, end.ch);
    const std::u16string path = u16(dir.file(c.fault == EFault::FolderMissing ? "no/t" : "t"));
    bool saved = false;
    if (c.fault == EFault::WriteFails) {
        CFileSizeLimit limit;
        saved = buffer.SaveFile(path);
    } else {
        saved = buffer.SaveFile(path);
    }
    EXPECT_EQ(saved, c.saved);
    EXPECT_EQ(buffer.IsModified(), !c.saved);
    EXPECT_EQ(folderNames(dir), c.files);
    if (c.files.contains("t")) {
        EXPECT_EQ(readBytes(dir.file("t")), c.saved ? "x" + std::string(100, 'n') : "old");
    }
    if (c.fault != EFault::BackupNameIsFolder) {
        EXPECT_EQ(readBytes(dir.file("t.bak")), c.saved && c.backup && c.targetExists ? "old" : "older");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BufferSaveTest,
    testing::Values(SSaveCase{"Backup", true, true, EFault::None, true, {"t", "t.bak"}},
                    SSaveCase{"BackupWithoutTarget", true, false, EFault::None, true, {"t", "t.bak"}},
                    SSaveCase{"NoBackup", false, true, EFault::None, true, {"t", "t.bak"}},
                    SSaveCase{"WriteFailsWithBackup", true, true, EFault::WriteFails, false, {"t", "t.bak"}},
                    SSaveCase{"WriteFailsWithoutBackup", false, true, EFault::WriteFails, false, {"t", "t.bak"}},
                    SSaveCase{"BackupRenameFails", true, true, EFault::BackupNameIsFolder, false, {"t", "t.bak"}},
                    SSaveCase{"FolderMissing", true, true, EFault::FolderMissing, false, {"t", "t.bak"}}),
    test::SCaseName());

TEST(BufferFile, BackupKeepsModeAndFollowsLinkAcrossFileSystems)
{
    CTempDir dir;
    dir.write("t", "old");
    fs::permissions(dir.file("t"), fs::perms(0640));
    CEdTextBuffer buffer;
    buffer.AddLine(u"new");
    buffer.SetCreateBackup(true);
    ASSERT_TRUE(buffer.SaveFile(u16(dir.file("t"))));
    EXPECT_EQ(fs::status(dir.file("t")).permissions(), fs::perms(0640));
    EXPECT_EQ(fs::status(dir.file("t.bak")).permissions(), fs::perms(0640));

    // A link to a file on another file system cannot be hard-linked: the backup is a copy.
    struct stat shm {
    }, tmp{};
    if (::stat("/dev/shm", &shm) != 0 || ::stat(dir.path().c_str(), &tmp) != 0 || shm.st_dev == tmp.st_dev)
        GTEST_SKIP() << "no second file system";
    const fs::path real = fs::path("/dev/shm") / ("brindle-" + dir.path().filename().string());
    {
        std::ofstream(real) << "far";
    }
    fs::create_symlink(real, dir.file("link"));
    EXPECT_TRUE(buffer.SaveFile(u16(dir.file("link"))));
    EXPECT_TRUE(fs::is_symlink(dir.file("link")));
    EXPECT_EQ(readBytes(real.string()), "new");
    EXPECT_EQ(readBytes(dir.file("link.bak")), "far");
    EXPECT_EQ(folderNames(dir), (std::set<std::string>{"link", "link.bak", "t", "t.bak"}));
    fs::remove(real);
}

}  // namespace
}  // namespace brindle
