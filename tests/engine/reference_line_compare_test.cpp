// Hand-made cases for the line comparison, each checked against the reference comparison and
// the engine, so that both are known to agree with a hand-worked answer before they are compared
// with each other on random input.
#include "reference_line_compare.h"

#include "engine/diff_line.h"
#include "engine/line_hash.h"
#include "engine/line_list.h"
#include "engine_line_compare_adapter.h"
#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brindle {
namespace {

using reference::SOptions;
using Lines = std::vector<std::u16string>;

constexpr SOptions kExact{false, false};
constexpr SOptions kWhitespace{true, false};
constexpr SOptions kCase{false, true};
constexpr SOptions kBoth{true, true};

struct SCompareCase {
    const char* name;
    Lines file1;
    Lines file2;
    SOptions options;
    std::string kinds;        // kind of each result section, in order
    std::string sectionList;  // the section-list entries
};

std::string kindsOf(const std::vector<reference::SSection>& sections)
{
    std::string kinds;
    for (const reference::SSection& section : sections)
        kinds += static_cast<char>('0' + section.kind);
    return kinds;
}

const SCompareCase kCompareCases[] = {
    {"identical files", {u"a", u"b", u"c"}, {u"a", u"b", u"c"}, kExact, "1", "same 1-3;1-3\n"},
    {"both empty", {}, {}, kExact, "", ""},
    {"file 1 empty", {}, {u"a", u"b"}, kExact, "3", "diff missing;1-2\n"},
    {"file 2 empty", {u"a"}, {}, kExact, "2", "diff 1;missing\n"},
    {"one changed line", {u"a", u"b", u"e"}, {u"a", u"x", u"e"}, kExact, "1231", "same 1;1\ndiff 2;2\nsame 3;3\n"},
    {"moved block gives up the file-2 copy",
     {u"p", u"q", u"r", u"s"},
     {u"r", u"s", u"p", u"q"},
     kExact,
     "312",
     "diff missing;1-2\nsame 1-2;3-4\ndiff 3-4;missing\n"},
    {"inner whitespace ignored", {u"x", u"a  b", u"y"}, {u"x", u"ab", u"y"}, kWhitespace, "1", "same 1-3;1-3\n"},
    {"inner whitespace counts",
     {u"x", u"a  b", u"y"},
     {u"x", u"ab", u"y"},
     kExact,
     "1231",
     "same 1;1\ndiff 2;2\nsame 3;3\n"},
    {"extra blank line joins the common run", {u"a", u"b"}, {u"a", u"", u"b"}, kWhitespace, "1", "same 1-2;1-3\n"},
    {"extra blank line without ignore whitespace",
     {u"a", u"b"},
     {u"a", u"", u"b"},
     kExact,
     "131",
     "same 1;1\ndiff missing;2\nsame 2;3\n"},
    {"label starts at the partner section's first line",
     {u"a", u"b"},
     {u"", u"a", u"b"},
     kWhitespace,
     "1",
     "same 1-2;1-3\n"},
    {"one trailing blank line joins the run", {u"a"}, {u"a", u"\t"}, kWhitespace, "1", "same 1;1-2\n"},
    {"two trailing blank lines form their own run",
     {u"a"},
     {u"a", u"", u" "},
     kWhitespace,
     "13",
     "same 1;1\ndiff missing;2-3\n"},
    {"case ignored", {u"ABC"}, {u"abc"}, kCase, "1", "same 1;1\n"},
    {"case counts", {u"ABC"}, {u"abc"}, kExact, "23", "diff 1;1\n"},
    {"accented letters fold under code page 1252",
     {u"x", u"\u00e9t\u00e9"},
     {u"x", u"\u00c9T\u00c9"},
     kBoth,
     "1",
     "same 1-2;1-2\n"},
    {"text after a NUL is ignored", {u"a"}, {std::u16string(u"a\0zz", 4)}, kExact, "1", "same 1;1\n"},
    {"repeated lines are no anchors",
     {u"p", u"a", u"q", u"a", u"r"},
     {u"s", u"a", u"t", u"a", u"u"},
     kExact,
     "23",
     "diff 1-5;1-5\n"},
    {"a unique line is an anchor",
     {u"p", u"a", u"q"},
     {u"s", u"a", u"t"},
     kExact,
     "23123",
     "diff 1;1\nsame 2;2\ndiff 3;3\n"},
    {"repeated line paired by extension",
     {u"p", u"k", u"a", u"q"},
     {u"s", u"k", u"a", u"a"},
     kExact,
     "23123",
     "diff 1;1\nsame 2-3;2-3\ndiff 4;4\n"},
    {"backward extension never pairs a first line",
     {u"d", u"u"},
     {u"x", u"d", u"d", u"u"},
     kExact,
     "231",
     "diff 1;1-3\nsame 2;4\n"},
    {"refinement finds lines unique within a region",
     {u"B", u"x", u"k", u"y", u"E", u"q", u"k", u"r", u"F"},
     {u"B", u"z", u"k", u"w", u"E", u"t", u"k", u"u", u"F"},
     kExact,
     "1231231231231",
     "same 1;1\ndiff 2;2\nsame 3;3\ndiff 4;4\nsame 5;5\ndiff 6;6\nsame 7;7\ndiff 8;8\nsame 9;9\n"},
    {"refinement pairs crosswise matches by their lines",
     {u"B", u"p", u"q", u"r", u"s", u"e1", u"e2", u"e3", u"p", u"q", u"r", u"s", u"F"},
     {u"B", u"r", u"s", u"p", u"q", u"e1", u"e2", u"e3", u"x", u"y", u"z", u"w", u"F"},
     kExact,
     "13121231",
     "same 1;1\ndiff missing;2-3\nsame 2-3;4-5\ndiff 4-5;missing\nsame 6-8;6-8\ndiff 9-12;9-12\n"
     "same 13;13\n"},
};

TEST(ReferenceLineCompare, HandWorkedCases)
{
    for (const SCompareCase& c : kCompareCases) {
        SCOPED_TRACE(c.name);
        const std::vector<reference::SSection> expected = reference::compareLines(c.file1, c.file2, c.options);
        EXPECT_EQ(kindsOf(expected), c.kinds);
        EXPECT_EQ(reference::sectionListText(expected), c.sectionList);

        const testing::SEngineOutcome engine = testing::engineCompare(c.file1, c.file2, c.options);
        EXPECT_TRUE(engine.completed);
        EXPECT_EQ(testing::dumpSections(engine.sections), testing::dumpSections(expected));
        EXPECT_EQ(engine.sectionList, c.sectionList);
    }
}

TEST(ReferenceLineCompare, CommonSectionsPairLineByLine)
{
    const auto result = reference::compareLines({u"a", u"b", u"e"}, {u"a", u"x", u"e"}, kExact);
    ASSERT_EQ(result.size(), 4u);
    EXPECT_EQ(result[0].pairedWith, std::vector<int>{1});
    EXPECT_EQ(result[1].lines, std::vector<int>{2});
    EXPECT_EQ(result[2].lines, std::vector<int>{2});
    EXPECT_EQ(result[3].partnerLines, std::vector<int>{3});
}

struct SPrimitiveCase {
    std::u16string a;
    std::u16string b;
    SOptions options;
    bool equal;
};

const SPrimitiveCase kPrimitiveCases[] = {
    {u"abc", u"abc", kExact, true},
    {u"abc", u"abd", kExact, false},
    {u"abc", u"ab", kExact, false},
    {u"a  b", u"ab", kWhitespace, true},
    {u"a  b", u"ab", kExact, false},
    {u" \ta\r", u"a", kWhitespace, true},
    {u"", u" \t\r", kWhitespace, true},
    {u"", u" ", kExact, false},
    {u"ABC", u"abc", kCase, true},
    {u"A B", u"ab", kBoth, true},
    {u"[", u"{", kCase, false},
    {u"\u00e9", u"\u00c9", kCase, true},
    {u"\u00e9", u"\u00c9", kExact, false},
    {u"\u00f7", u"\u00d7", kCase, false},
    {u"\u00ff", u"\u0178", kCase, true},
    {u"\u0161", u"\u0160", kCase, true},
    {u"\u4e2d", u"-", kCase, false},
    {u"\u0430", u"\u0410", kCase, true},
    {std::u16string(u"a\0b", 3), u"a", kExact, true},
    {std::u16string(u"a\0b", 3), std::u16string(u"a\0c", 3), kExact, true},
    {std::u16string(u"\0a", 2), u"", kExact, true},
};

TEST(ReferenceLineCompare, PrimitivesAgreeWithTheEngine)
{
    const CCaseFolder& folder = CCaseFolder::forCodePage(*CCodePage::byNumber(1252));
    for (const SPrimitiveCase& c : kPrimitiveCases) {
        SCOPED_TRACE(testing::escapeLines({c.a, c.b}) + " ws " + std::to_string(c.options.ignoreWhitespace) + " case " +
                     std::to_string(c.options.ignoreCase));
        const SLineCompareOptions options{c.options.ignoreWhitespace, c.options.ignoreCase, &folder};
        CLineList list;
        list.append(c.a);
        list.append(c.b);  // may move the first record
        CDiffLine& a = list[0];
        CDiffLine& b = list[1];
        EXPECT_EQ(reference::linesEqual(c.a, c.b, c.options), c.equal);
        EXPECT_EQ(LinesEqual(a, b, options), c.equal);
        EXPECT_EQ(LineHash(a, options), reference::lineHash(c.a, c.options));
        EXPECT_EQ(LineHash(b, options), reference::lineHash(c.b, c.options));
        EXPECT_EQ(IsBlankLine(a), reference::isBlankLine(c.a));
        EXPECT_EQ(IsBlankLine(b), reference::isBlankLine(c.b));
    }
}

TEST(ReferenceLineCompare, HashValuesWorkedByHand)
{
    constexpr std::int64_t m = 6293815;
    EXPECT_EQ(reference::lineHash(u"", kExact), 0);
    EXPECT_EQ(reference::lineHash(u" \t\r", kWhitespace), 0);
    EXPECT_EQ(reference::lineHash(u"a", kExact), 97 * m);
    EXPECT_EQ(reference::lineHash(u"ab", kExact), 97 * m + 2 * 98 * m * m);
    EXPECT_EQ(reference::lineHash(u" a", kWhitespace), 97 * m);
    EXPECT_EQ(reference::lineHash(u"a", kCase), 65 * m);
    // 0xE9 upper-cases to 0xC9 in code page 1252, which as a signed byte is -55.
    EXPECT_EQ(reference::lineHash(u"\u00e9", kCase), -55 * m);
    EXPECT_EQ(reference::lineHash(u"\u00e9", kExact), 0xE9 * m);
}

TEST(ReferenceLineCompare, Fold1252AgreesWithTheEngine)
{
    const CCaseFolder& folder = CCaseFolder::forCodePage(*CCodePage::byNumber(1252));
    for (unsigned ch = 0; ch < 0x100; ++ch)
        EXPECT_EQ(folder.fold(static_cast<char16_t>(ch)), reference::foldChar(static_cast<char16_t>(ch))) << ch;
}

}  // namespace
}  // namespace brindle
