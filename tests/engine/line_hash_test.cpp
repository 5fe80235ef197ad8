// Line hashes and equality under ignore whitespace and ignore case.
#include "engine/line_hash.h"
#include "engine/line_list.h"
#include "platform/code_page.h"

#include "support/case_name.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

constexpr std::uint64_t kM = 6293815;

struct SEqualCase {
    const char* name;
    std::u16string a;
    std::u16string b;
    bool ignoreWhitespace;
    bool ignoreCase;
    bool equal;
};

class LinesEqualTest : public testing::TestWithParam<SEqualCase> {};

TEST_P(LinesEqualTest, ComparesUnderOptions)
{
    const SEqualCase& c = GetParam();
    CLineList list;
    list.append(c.a);
    list.append(c.b);  // may move the first record
    CDiffLine& a = list[0];
    CDiffLine& b = list[1];
    const SLineCompareOptions options{c.ignoreWhitespace, c.ignoreCase, nullptr};
    EXPECT_EQ(LinesEqual(a, b, options), c.equal);
    if (c.equal) {
        EXPECT_EQ(LineHash(a, options), LineHash(b, options)) << "equal lines must hash alike";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinesEqualTest,
    testing::Values(SEqualCase{"Same", u"abc", u"abc", false, false, true},
                    SEqualCase{"CaseDiffers", u"ABC", u"abc", false, false, false},
                    SEqualCase{"IgnoreCase", u"ABC", u"abc", false, true, true},
                    SEqualCase{"InnerSpaces", u"a  b", u"ab", true, false, true},
                    SEqualCase{"TabsAndCr", u"\ta b\r", u"ab", true, false, true},
                    SEqualCase{"SpacesCount", u"a  b", u"ab", false, false, false},
                    SEqualCase{"BlankEqualsEmpty", u" \t ", u"", true, false, true},
                    SEqualCase{"Latin1Case", u"\u00E9t\u00E9", u"\u00C9T\u00C9", false, true, true},
                    SEqualCase{"YDiaeresisAcrossPages", u"\u00FF", u"\u0178", false, true, true},
                    SEqualCase{"SCaronOutsideLatin1", u"\u0161", u"\u0160", false, true, true},
                    SEqualCase{"GreekOmega", u"\u03C9", u"\u03A9", false, true, true},
                    // Regression: folding only the low byte made U+4E2D equal to "-".
                    SEqualCase{"CjkIsNotHyphen", u"\u4E2D", u"-", false, true, false},
                    SEqualCase{"HighCharLowByteLetter", u"\u0161", u"a", false, true, false},
                    // Bytes that were no characters of the file (0xDC00 + byte) have no case.
                    SEqualCase{"StrayBytesKeepTheirValue", u"caf\xDCE9", u"caf\xDCC9", false, true, false},
                    SEqualCase{"StrayByteIsNotItsLetter", u"\xDCE9", u"\u00C9", false, true, false},
                    SEqualCase{"NulEndsLine", std::u16string(u"ab\0x", 4), std::u16string(u"ab\0y", 4), false, false,
                               true},
                    SEqualCase{"PrefixIsNotEqual", u"ab", u"abc", false, false, false}),
    test::SCaseName());

TEST(LineHash, FollowsTheWeightedPowerSum)
{
    CLineList list;
    const SLineCompareOptions plain{};
    EXPECT_EQ(LineHash(list.append(u""), plain), 0);
    EXPECT_EQ(LineHash(list.append(u"A"), plain), static_cast<std::int64_t>(65 * kM));
    EXPECT_EQ(LineHash(list.append(u"AB"), plain), static_cast<std::int64_t>(65 * kM + 2 * 66 * kM * kM));
    const SLineCompareOptions ignoreWhitespace{true, false, nullptr};
    EXPECT_EQ(LineHash(list.append(u" \t\r "), ignoreWhitespace), 0);
    EXPECT_EQ(LineHash(list.append(u" A"), ignoreWhitespace), static_cast<std::int64_t>(65 * kM));
    // Under ignore case a Latin-1 letter counts as its code page's upper-case byte, signed.
    const SLineCompareOptions ignoreCase{false, true, nullptr};
    EXPECT_EQ(LineHash(list.append(u"\u00E9"), ignoreCase),
              static_cast<std::int64_t>(static_cast<std::uint64_t>(-55) * kM));
    EXPECT_EQ(LineHash(list.append(u"a"), ignoreCase), static_cast<std::int64_t>(65 * kM));
}

TEST(IsBlankLine, WhitespaceUpToNul)
{
    CLineList list;
    EXPECT_TRUE(IsBlankLine(list.append(u"")));
    EXPECT_TRUE(IsBlankLine(list.append(u" \t\r")));
    EXPECT_TRUE(IsBlankLine(list.append(std::u16string(u" \0x", 3))));
    EXPECT_FALSE(IsBlankLine(list.append(u" x")));
    EXPECT_FALSE(IsBlankLine(list.append(u"\u00A0")));
}

TEST(CaseFolder, Utf8PageFoldsByUnicode)
{
    const CCaseFolder& folder = CCaseFolder::forCodePage(*CCodePage::byNumber(kCodePageUtf8));
    EXPECT_EQ(folder.fold(u'\u00E9'), 0xC9);
    EXPECT_EQ(folder.fold(u'\u00FF'), 0x178);
    EXPECT_EQ(folder.fold(u'\u4E2D'), 0x4E2D);
    EXPECT_EQ(folder.fold(u'z'), 'Z');
}

// Bytes above 0x7F of a multi-byte page are no characters of their own, so no byte-wise
// upper-casing applies: every character folds by Unicode, and a trail byte that looks like an
// ASCII letter (ヂ is 83 61 in 932, ア is 83 41) does not fold.
TEST(CaseFolder, MultiBytePagesFoldByUnicode)
{
    for (const std::uint32_t number : {932u, 936u, 949u, 950u}) {
        SCOPED_TRACE(number);
        const CCaseFolder& folder = CCaseFolder::forCodePage(*CCodePage::byNumber(number));
        EXPECT_EQ(folder.fold(u'\u00E9'), 0xC9);
        EXPECT_EQ(folder.fold(u'\uFF41'), 0xFF21);  // full-width a
        EXPECT_EQ(folder.fold(u'\u30C2'), 0x30C2);
        EXPECT_EQ(folder.fold(u'z'), 'Z');
    }
}

// Regression: code page 857 has no character for the byte D5 and, its own value being taken, gives
// it the unit 0xDCD5; folding went through that byte, so 0xDCD5 equalled U+00D5 under ignore case.
TEST(CaseFolder, UnitsThatStandForBytesFoldToThemselves)
{
    for (const std::uint32_t number : {1252u, 857u, 28598u, 932u, kCodePageUtf8}) {
        SCOPED_TRACE(number);
        const CCodePage* page = CCodePage::byNumber(number);
        ASSERT_NE(page, nullptr);
        const CCaseFolder& folder = CCaseFolder::forCodePage(*page);
        for (char16_t unit = 0xDC80; unit <= 0xDCFF; ++unit)
            EXPECT_EQ(folder.fold(unit), unit);
    }
}

}  // namespace
}  // namespace brindle
