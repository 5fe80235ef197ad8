// The text-type table: extension lookup, line-end styles, and the rows' invariants.
#include "editor/text_type.h"

#include "support/case_name.h"

#include <gtest/gtest.h>

#include <string>

namespace brindle {
namespace {

struct SPathCase {
    const char* name;
    std::u16string path;
    const char16_t* typeName;  // nullptr: no type
};

class TextTypeOfPathTest : public testing::TestWithParam<SPathCase> {};

TEST_P(TextTypeOfPathTest, FindsFirstRowHoldingTheExtension)
{
    const SPathCase& c = GetParam();
    const STextType* type = TextTypeOfPath(c.path);
    if (c.typeName == nullptr) {
        EXPECT_EQ(type, nullptr);
        return;
    }
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->name, std::u16string_view(c.typeName));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextTypeOfPathTest,
    testing::Values(
        SPathCase{"CmdGoesToEarlierBatchRow", u"x.cmd", u"Batch"}, SPathCase{"RexxOnlyExtension", u"job.rexx", u"REXX"},
        SPathCase{"UpperCaseExtension", u"X.CMD", u"Batch"}, SPathCase{"MixedCaseExtension", u"Main.Cpp", u"C"},
        SPathCase{"DoubleExtensionUsesLast", u"a.tar.c", u"C"}, SPathCase{"BareExtension", u"cpp", u"C"},
        SPathCase{"BareUpperExtension", u"PAS", u"Pascal"},
        SPathCase{"WindowsPath", u"C:\\dir.old\\unit.PAS", u"Pascal"},
        SPathCase{"MergeFile", u"/tmp/out.mrg", u"Compare"}, SPathCase{"PlainText", u"notes.txt", u"Plain"},
        SPathCase{"ConfIsShell", u"/etc/x.conf", u"Shell"}, SPathCase{"JsIsJava", u"app.js", u"Java"},
        SPathCase{"WholeItemOnlyNotPrefixOfHm", u"x.m", nullptr},
        SPathCase{"WholeItemOnlyNotSuffix", u"x.tml", nullptr}, SPathCase{"UnknownExtension", u"x.unknown", nullptr},
        SPathCase{"NoExtensionInFolder", u"src/Makefile", nullptr},
        SPathCase{"DotOnlyInFolderName", u"dir.c/README", nullptr}, SPathCase{"TrailingDot", u"x.", nullptr},
        SPathCase{"Empty", u"", nullptr}),
    test::SCaseName{});

TEST(TextTypeTable, RowsAreNumberedAndWellFormed)
{
    const std::span<const STextType> rows = textTypes();
    ASSERT_EQ(rows.size(), 24u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const STextType& row = rows[i];
        SCOPED_TRACE(std::string(row.name.begin(), row.name.end()));
        EXPECT_EQ(row.type, static_cast<std::int32_t>(i));
        EXPECT_EQ(row.encoding, -1);
        EXPECT_EQ(row.parser == nullptr, i == 0) << "only Plain has no parser";
        EXPECT_GT(row.tabSize, 0u);
        for (const char16_t ch : row.extensions)
            EXPECT_TRUE((ch >= u'a' && ch <= u'z') || (ch >= u'0' && ch <= u'9') || ch == u',') << char(ch);
        // Every extension of a row finds that row or an earlier one.
        std::u16string_view list = row.extensions;
        while (!list.empty()) {
            const std::size_t comma = list.find(u',');
            const STextType* found = TextTypeOfPath(std::u16string(u"f.") + std::u16string(list.substr(0, comma)));
            ASSERT_NE(found, nullptr);
            EXPECT_LE(found->type, row.type);
            list = comma == std::u16string_view::npos ? std::u16string_view{} : list.substr(comma + 1);
        }
    }
    EXPECT_EQ(rows[23].name, u"Compare");
    EXPECT_EQ(rows[10].openComment, u";|");
    EXPECT_EQ(rows[10].closeComment, u"|;");
    EXPECT_EQ(rows[3].lineComment, u"rem ");
}

TEST(TextTypeTable, LineEndStyleFromFlags)
{
    struct SCase {
        std::uint32_t flags;
        std::int32_t style;
    };
    const SCase cases[] = {{0x80, 0}, {0x100, 1}, {0x200, 2}, {0x10, -1}, {0x180, -1}, {0x111, 1}};
    for (const SCase& c : cases) {
        STextType type = textTypes()[0];
        type.flags = c.flags;
        EXPECT_EQ(type.lineEndStyle(), c.style) << std::hex << c.flags;
    }
    EXPECT_EQ(TextTypeOfPath(u"x.pl")->lineEndStyle(), 1);
    EXPECT_EQ(TextTypeOfPath(u"x.tcl")->lineEndStyle(), 1);
    EXPECT_EQ(TextTypeOfPath(u"x.c")->lineEndStyle(), -1);
}

}  // namespace
}  // namespace brindle
