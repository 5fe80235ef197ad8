// Batch script files: encodings, lines and sections, key and integer look-up.
#include "engine/script_file.h"
#include "platform/utf8.h"
#include "support/case_name.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace brindle {
namespace {

using test::CTempDir;

// Each section as "[name]" followed by its entries, so a failure shows the whole structure.
std::vector<std::u16string> layout(const CScriptFile& script)
{
    std::vector<std::u16string> out;
    for (const CSection& section : script.sections()) {
        out.push_back(u"[" + section.m_name + u"]");
        out.insert(out.end(), section.m_entries.begin(), section.m_entries.end());
    }
    return out;
}

std::string utf16le(std::u16string_view text)
{
    std::string out = "\xFF\xFE";
    for (char16_t ch : text) {
        out.push_back(static_cast<char>(ch & 0xFF));
        out.push_back(static_cast<char>(ch >> 8));
    }
    return out;
}

struct SLayoutCase {
    const char* name;
    std::string bytes;
    std::vector<std::u16string> layout;
};

class ScriptFileLayoutTest : public testing::TestWithParam<SLayoutCase> {};

TEST_P(ScriptFileLayoutTest, SplitsSectionsAndEntries)
{
    EXPECT_EQ(layout(CScriptFile::FromBytes(GetParam().bytes)), GetParam().layout);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ScriptFileLayoutTest,
    testing::Values(SLayoutCase{"Empty", "", {}},
                    SLayoutCase{"EntriesBeforeFirstSectionIgnored", "File1=a\n[A]\nFile1=b\n", {u"[A]", u"File1=b"}},
                    SLayoutCase{"TextAfterBracketIgnored", "[Action1] trailing\nk=v\n", {u"[Action1]", u"k=v"}},
                    SLayoutCase{"NameEndsAtFirstBracket", "[a]b]\n", {u"[a]"}},
                    SLayoutCase{"LinesWithoutEqualsIgnored", "[A]\n; note\n\nk=v\n", {u"[A]", u"k=v"}},
                    SLayoutCase{"CrLf", "[A]\r\nk=v\r\nj=w\r\n", {u"[A]", u"k=v", u"j=w"}},
                    SLayoutCase{"Lf", "[A]\nk=v\nj=w\n", {u"[A]", u"k=v", u"j=w"}},
                    SLayoutCase{"LastLineWithoutEnd", "[A]\r\nk=v", {u"[A]", u"k=v"}},
                    SLayoutCase{"LoneCrStaysInLine", "[A]\nk=v\rw\n", {u"[A]", u"k=v\rw"}},
                    SLayoutCase{"BracketNotFirstIsNoSection", "[A]\n [B]=1\n", {u"[A]", u" [B]=1"}},
                    SLayoutCase{"UnclosedBracketIsEntry", "[A]\n[B=1\n", {u"[A]", u"[B=1"}},
                    SLayoutCase{"HeaderWithEqualsIsSection", "[A=1]\nk=v\n", {u"[A=1]", u"k=v"}},
                    SLayoutCase{"EntryKeptWhole", "[A]\n  Key = v = w  \n", {u"[A]", u"  Key = v = w  "}}),
    test::SCaseName());

// The same script in each encoding a script may come in; é and the unit U+0A0A (whose bytes are
// two LFs) check that UTF-16 is split by units, not bytes.
struct SEncodingCase {
    const char* name;
    std::string bytes;
};

const std::vector<std::u16string> kEncodedLayout = {u"[Action1]", u"File1=caf\u00E9", u"File2=b"};

class ScriptFileEncodingTest : public testing::TestWithParam<SEncodingCase> {};

TEST_P(ScriptFileEncodingTest, ReadsLikeTheAnsiScript)
{
    EXPECT_EQ(layout(CScriptFile::FromBytes(GetParam().bytes)), kEncodedLayout);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, ScriptFileEncodingTest,
    testing::Values(SEncodingCase{"Ansi", "[Action1]\r\nFile1=caf\xE9\r\nFile2=b\r\n"},
                    SEncodingCase{"Utf16Le", utf16le(u"[Action1]\r\nFile1=caf\u00E9\r\nFile2=b\r\n")},
                    SEncodingCase{"Utf16LeOddLastByte", utf16le(u"[Action1]\nFile1=caf\u00E9\nFile2=b") + "\n"},
                    SEncodingCase{"Utf8WithMark", "\xEF\xBB\xBF[Action1]\nFile1=caf\xC3\xA9\nFile2=b\n"}),
    test::SCaseName());

TEST(ScriptFile, Utf16UnitsAreNotSplitAtLfBytes)
{
    const CScriptFile script = CScriptFile::FromBytes(utf16le(u"[A]\nk=\u0A0A\u0D0A\n"));
    EXPECT_EQ(layout(script), (std::vector<std::u16string>{u"[A]", u"k=\u0A0A\u0D0A"}));
}

TEST(ScriptFile, Utf8WithoutMarkIsAnsiText)
{
    const CScriptFile script = CScriptFile::FromBytes("[A]\nk=caf\xC3\xA9\n");
    EXPECT_EQ(layout(script), (std::vector<std::u16string>{u"[A]", u"k=caf\u00C3\u00A9"}));
}

TEST(ScriptFile, ReadsFilesAndGivesNothingForUnreadableOnes)
{
    CTempDir dir;
    const std::string path = dir.write("script.ini", utf16le(u"[Action1]\r\nFile1=a\r\n"));
    EXPECT_EQ(layout(CScriptFile::Read(pathFromNative(path))), (std::vector<std::u16string>{u"[Action1]", u"File1=a"}));
    EXPECT_TRUE(CScriptFile::Read(pathFromNative(dir.file("missing.ini"))).sections().empty());
    EXPECT_TRUE(CScriptFile::Read(pathFromNative(dir.path().string())).sections().empty());
    EXPECT_TRUE(CScriptFile::Read(pathFromNative(dir.write("mark-only", "\xFF\xFE["))).sections().empty());
}

struct SFindCase {
    const char* name;
    std::string bytes;
    std::u16string section;
    bool found;
    std::u16string firstEntry;  // of the section found; empty when it has none
};

class ScriptFileFindTest : public testing::TestWithParam<SFindCase> {};

TEST_P(ScriptFileFindTest, FindsSectionByName)
{
    const SFindCase& c = GetParam();
    const CScriptFile script = CScriptFile::FromBytes(c.bytes);
    const CSection* section = script.FindSection(c.section);
    ASSERT_EQ(section != nullptr, c.found);
    if (section) {
        EXPECT_EQ(section->m_entries.empty() ? u"" : section->m_entries.front(), c.firstEntry);
    }
}

INSTANTIATE_TEST_SUITE_P(Sections, ScriptFileFindTest,
                         testing::Values(SFindCase{"Exact", "[Action1]\nk=1\n", u"Action1", true, u"k=1"},
                                         SFindCase{"AsciiCaseIgnored", "[ACTION1]\nk=1\n", u"action1", true, u"k=1"},
                                         SFindCase{"NonAsciiCaseCounts", "[\xC4]\nk=1\n", u"\u00E4", false, u""},
                                         SFindCase{"NonAsciiExact", "[\xC4]\nk=1\n", u"\u00C4", true, u"k=1"},
                                         SFindCase{"LengthMustMatch", "[Action1 ]\nk=1\n", u"Action1", false, u""},
                                         SFindCase{"LeadingZeroDiffers", "[Action01]\nk=1\n", u"Action1", false, u""},
                                         SFindCase{"FirstInFileOrder", "[a]\nk=1\n[A]\nk=2\n", u"A", true, u"k=1"},
                                         SFindCase{"EmptySection", "[A]\n[B]\nk=1\n", u"A", true, u""},
                                         SFindCase{"EmptyName", "[]\nk=1\n", u"", true, u"k=1"}),
                         test::SCaseName());

struct SKeyCase {
    const char* name;
    std::u16string entries;  // lines of section [A]
    std::u16string key;
    bool found;
    std::u16string value;
};

class ScriptFileKeyTest : public testing::TestWithParam<SKeyCase> {};

TEST_P(ScriptFileKeyTest, FindsKeyAndValue)
{
    const SKeyCase& c = GetParam();
    const CScriptFile script = CScriptFile::FromText(u"[A]\n" + c.entries);
    ASSERT_NE(script.FindSection(u"A"), nullptr);
    std::u16string value = u"unchanged";
    EXPECT_EQ(CScriptFile::GetString(*script.FindSection(u"A"), c.key, value), c.found);
    EXPECT_EQ(value, c.found ? c.value : u"unchanged");
}

INSTANTIATE_TEST_SUITE_P(Keys, ScriptFileKeyTest,
                         testing::Values(SKeyCase{"CaseIgnored", u"file1=a.txt", u"File1", true, u"a.txt"},
                                         SKeyCase{"BlankBeforeEqualsNoMatch", u"File1 = a.txt", u"File1", false, u""},
                                         SKeyCase{"BlankAfterEqualsKept", u"File1= a.txt ", u"File1", true, u" a.txt "},
                                         SKeyCase{"EmptyValue", u"File1=", u"File1", true, u""},
                                         SKeyCase{"LongerKeyNoMatch", u"File10=x", u"File1", false, u""},
                                         SKeyCase{"ShorterLineNoMatch", u"File=x", u"File1", false, u""},
                                         SKeyCase{"EqualsInValue", u"File2=x=y", u"File2", true, u"x=y"},
                                         SKeyCase{"FirstLineCounts", u"File1=a\nFILE1=b", u"File1", true, u"a"},
                                         SKeyCase{"KeyWithBlanks", u"Ignore Case=1", u"ignore case", true, u"1"},
                                         SKeyCase{"OtherSectionNotSearched", u"[B]\nFile1=a", u"File1", false, u""}),
                         test::SCaseName());

struct SIntCase {
    const char* name;
    std::u16string text;
    std::int32_t value;
};

class ScriptFileIntTest : public testing::TestWithParam<SIntCase> {};

TEST_P(ScriptFileIntTest, ReadsLikeAtol)
{
    const CScriptFile script = CScriptFile::FromText(u"[A]\nn=" + GetParam().text);
    std::int32_t value = 42;
    ASSERT_TRUE(CScriptFile::GetInt(script.sections().front(), u"N", value));
    EXPECT_EQ(value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Integers, ScriptFileIntTest,
                         testing::Values(SIntCase{"TrailingText", u" -12x", -12}, SIntCase{"NoDigits", u"abc", 0},
                                         SIntCase{"PlusSign", u"+7", 7}, SIntCase{"SignOnly", u"-", 0},
                                         SIntCase{"TwoSigns", u"+-3", 0}, SIntCase{"TabAndSpace", u"\t 5", 5},
                                         SIntCase{"BlankAfterSign", u"- 5", 0}, SIntCase{"StopsAtBlank", u"1 2", 1},
                                         SIntCase{"HexIsZero", u"0x1F", 0}, SIntCase{"Min", u"-2147483648", INT32_MIN},
                                         SIntCase{"AboveMax", u"2147483648", INT32_MAX},
                                         SIntCase{"BelowMin", u"-2147483649", INT32_MIN},
                                         SIntCase{"Huge", u"99999999999999999999999", INT32_MAX},
                                         SIntCase{"FullWidthDigitIsNoDigit", u"\uFF11", 0}),
                         test::SCaseName());

TEST(ScriptFile, MissingIntKeepsValue)
{
    const CScriptFile script = CScriptFile::FromText(u"[A]\nn =1\n");
    std::int32_t value = 42;
    EXPECT_FALSE(CScriptFile::GetInt(script.sections().front(), u"n", value));
    EXPECT_EQ(value, 42);
}

}  // namespace
}  // namespace brindle
