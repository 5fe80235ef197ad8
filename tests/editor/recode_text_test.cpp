// Character-set conversion: letter tables, RecodeText, charset markers, buffer ranges.
#include "editor/recode_range.h"
#include "editor/recode_text.h"
#include "platform/code_page.h"

#include "support/case_name.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <new>
#include <string>
#include <vector>

namespace brindle {
namespace {

// The letter order of the tables, and each letter without its accent.
constexpr std::u16string_view kLetters = u"ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽĽŔĹÔÖÜÄáčďéěíňóřšťúůýžľŕĺôöüä";
constexpr std::u16string_view kPlain = u"ACDEEINORSTUUYZLRLOOUAacdeeinorstuuyzlrlooua";

// The published code-page-852 codes of the letters, in table order.
const std::vector<int> kCp852Letters = {
    0xB5, 0xAC, 0xD2, 0x90, 0xB7, 0xD6, 0xD5, 0xE0, 0xFC, 0xE6, 0x9B, 0xE9, 0xDE, 0xED, 0xA6,
    0x95, 0xE8, 0x91, 0xE2, 0x99, 0x9A, 0x8E, 0xA0, 0x9F, 0xD4, 0x82, 0xD8, 0xA1, 0xE5, 0xA2,
    0xFD, 0xE7, 0x9C, 0xA3, 0x85, 0xEC, 0xA7, 0x96, 0xEA, 0x92, 0x93, 0x94, 0x81, 0x84,
};

// Text whose units are the given 8-bit codes (or any units), and the codes of a text.
std::u16string units(std::initializer_list<int> codes)
{
    std::u16string text;
    for (int code : codes)
        text += static_cast<char16_t>(code);
    return text;
}

std::vector<int> codesOf(std::u16string_view text) { return std::vector<int>(text.begin(), text.end()); }

std::u16string recoded(std::u16string_view text, int source, int destination, bool alphabetOnly)
{
    std::u16string converted;
    EXPECT_EQ(RecodeText(text, source, destination, alphabetOnly, converted), kRecodeOk);
    return converted;
}

// ---- Tables

struct SPlatformPageCase {
    const char* name;
    int set;
    std::uint32_t codePage;
};

class RecodeTableOfCodePage : public testing::TestWithParam<SPlatformPageCase> {};

// The pages the platform also decodes give an independent account of each letter's code.
TEST_P(RecodeTableOfCodePage, HoldsEachLetterOrItsPlainForm)
{
    const CCodePage* page = CCodePage::byNumber(GetParam().codePage);
    ASSERT_NE(page, nullptr);
    const auto row = recodeDestinationRow(GetParam().set);
    for (std::size_t i = 0; i < kLetters.size(); ++i) {
        std::uint8_t byte = 0;
        const int expected = page->byteFor(kLetters[i], byte) ? byte : kPlain[i];
        EXPECT_EQ(row[i], expected) << "position " << i;
    }
    std::uint8_t sharpS = 0;
    EXPECT_EQ(row[44], page->byteFor(u'ß', sharpS) ? sharpS : 's');
}

INSTANTIATE_TEST_SUITE_P(Pages, RecodeTableOfCodePage,
                         testing::Values(SPlatformPageCase{"Cp1250", kRecodeCp1250, 1250},
                                         SPlatformPageCase{"Cp1252", kRecodeCp1252, 1252},
                                         SPlatformPageCase{"Iso8859_1", kRecodeIso8859_1, 28591},
                                         SPlatformPageCase{"Iso8859_2", kRecodeIso8859_2, 28592}),
                         test::SCaseName());

TEST(RecodeTable, NoSetHoldsAnUpperCodeTwice)
{
    for (int set = 0; set < kRecodeSetCount; ++set) {
        std::vector<int> seen(256, -1);
        const auto row = recodeDestinationRow(set);
        for (int position = 0; position < kRecodePositions; ++position) {
            const int code = row[position];
            if (code >= 0x80) {
                EXPECT_EQ(seen[code], -1) << "set " << set << " positions " << seen[code] << " and " << position;
                seen[code] = position;
            }
        }
    }
}

// ---- Conversion

TEST(RecodeText, Cp1250LettersTo852AndBack)
{
    const CCodePage* cp1250 = CCodePage::byNumber(1250);
    ASSERT_NE(cp1250, nullptr);
    std::u16string text;
    for (char16_t letter : kLetters) {
        std::uint8_t byte = 0;
        ASSERT_TRUE(cp1250->byteFor(letter, byte));
        text += static_cast<char16_t>(byte);
    }
    const std::u16string to852 = recoded(text, kRecodeCp1250, kRecodeCp852, true);
    EXPECT_EQ(codesOf(to852), kCp852Letters);
    EXPECT_EQ(recoded(to852, kRecodeCp852, kRecodeCp1250, true), text);
}

struct SConvertCase {
    const char* name;
    int source;
    int destination;
    bool alphabetOnly;
    std::u16string text;
    std::u16string expected;
};

class RecodeTextConverts : public testing::TestWithParam<SConvertCase> {};

TEST_P(RecodeTextConverts, ExpectedUnits)
{
    const SConvertCase& c = GetParam();
    EXPECT_EQ(codesOf(recoded(c.text, c.source, c.destination, c.alphabetOnly)), codesOf(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecodeTextConverts,
    testing::Values(SConvertCase{"AccentedA", kRecodeCp1250, kRecodeCp852, false, units({0xC1}), units({0xB5})},
                    // ß, §, „ and ° lie beyond the letters.
                    SConvertCase{"AlphabetOnlyLeavesSigns", kRecodeCp1250, kRecodeCp852, true,
                                 units({0xDF, 0xA7, 0x84, 0xB0, 0xC1}), units({0xDF, 0xA7, 0x84, 0xB0, 0xB5})},
                    SConvertCase{"AllPositionsConvertSigns", kRecodeCp1250, kRecodeCp852, false,
                                 units({0xDF, 0xA7, 0x84, 0xB0, 0xC1}), units({0xE1, 0xF5, '"', 0xF8, 0xB5})},
                    SConvertCase{"AsciiNeverChanges", kRecodeCp1250, kRecodeAscii, false, u"Az09 <!-- \r\n\t\x7F",
                                 u"Az09 <!-- \r\n\t\x7F"},
                    SConvertCase{"UnitsBeyond8BitsStay", kRecodeCp1250, kRecodeCp852, false,
                                 units({0x160, 0x20AC, 0x1C1, 0xC1}), units({0x160, 0x20AC, 0x1C1, 0xB5})},
                    // The euro sign and the dot above of 1250 are in no table.
                    SConvertCase{"CodesOutsideTheTableStay", kRecodeCp1250, kRecodeCp852, false, units({0x80, 0xFF}),
                                 units({0x80, 0xFF})},
                    SConvertCase{"MissingLetterBecomesPlain", kRecodeCp1250, kRecodeMac, false,
                                 units({0xC8, 0xE8, 0xC1}), units({'C', 'c', 0xE7})},
                    SConvertCase{"ToAsciiRemovesAccents", kRecodeCp1250, kRecodeAscii, false,
                                 units({0x8E, 'l', 'u', 0x9D, 'o', 'u', 0xE8, 'k', 0xFD, ' ', 'k', 0xF9, 0xF2}),
                                 u"Zlutoucky kun"},
                    SConvertCase{"FromAsciiConvertsNothing", kRecodeAscii, kRecodeCp1250, false, units({0xC1, 0xB5}),
                                 units({0xC1, 0xB5})},
                    SConvertCase{"KamenickyToCork", kRecodeKamenicky, kRecodeCork, false, units({0x9E, 0xA9, 0x80}),
                                 units({0x90, 0xB0, 0x83})},
                    SConvertCase{"MacCeToIso8859_2", kRecodeMacCe, kRecodeIso8859_2, false, units({0xE1, 0xEB, 0xF1}),
                                 units({0xA9, 0xAE, 0xD9})}),
    test::SCaseName());

TEST(RecodeText, IdentityLeavesEveryUnit)
{
    std::u16string text;
    for (char16_t unit = 0; unit < 0x200; ++unit)
        text += unit;
    for (int set = 0; set < kRecodeSetCount; ++set) {
        EXPECT_EQ(recoded(text, set, set, false), text) << "set " << set;
        EXPECT_EQ(recoded(text, set, set, true), text) << "set " << set;
    }
}

TEST(RecodeText, RoundTripsWhereBothSetsHoldTheCharacter)
{
    for (int from = 1; from < kRecodeSetCount; ++from) {
        for (int to = 1; to < kRecodeSetCount; ++to) {
            const auto a = recodeDestinationRow(from);
            const auto b = recodeDestinationRow(to);
            std::u16string text;
            for (int position = 0; position < kRecodePositions; ++position) {
                if (a[position] >= 0x80 && b[position] >= 0x80)
                    text += static_cast<char16_t>(a[position]);
            }
            const std::u16string back = recoded(recoded(text, from, to, false), to, from, false);
            EXPECT_EQ(codesOf(back), codesOf(text)) << from << " to " << to << " and back";
        }
    }
}

// ---- Errors

struct SErrorCase {
    const char* name;
    std::u16string text;
    int source;
    int destination;
    int expected;
};

class RecodeTextFails : public testing::TestWithParam<SErrorCase> {};

TEST_P(RecodeTextFails, WithCodeAndLeavesResultAlone)
{
    const SErrorCase& c = GetParam();
    std::u16string converted = u"untouched";
    EXPECT_EQ(RecodeText(c.text, c.source, c.destination, false, converted), c.expected);
    EXPECT_EQ(converted, u"untouched");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecodeTextFails,
    testing::Values(SErrorCase{"DestinationPastLast", u"x", kRecodeCp1250, 13, kRecodeBadDestination},
                    SErrorCase{"BadDestinationBeforeMarkerSearch", u"x", -1, 13, kRecodeBadDestination},
                    SErrorCase{"NoSourceNoMarker", u"<!-- plain -->", -1, kRecodeCp852, kRecodeNoSource},
                    SErrorCase{"MarkerWithoutEquals", u"MYCHARSET CP1250", -1, kRecodeCp852, kRecodeNoSource},
                    SErrorCase{"MarkerUnknownName", u"MYCHARSET=UTF-8", -1, kRecodeCp852, kRecodeNoSource},
                    SErrorCase{"MarkerCutAfterEquals", u"x MYCHARSET = ", -1, kRecodeCp852, kRecodeNoSource},
                    SErrorCase{"KeywordCutShort", u"x MYCHARSE", -1, kRecodeCp852, kRecodeNoSource}),
    test::SCaseName());

// ---- Charset markers

struct SMarkerCase {
    const char* name;
    std::u16string text;
    int source;
    int destination;
    std::u16string expected;
};

class RecodeTextMarker : public testing::TestWithParam<SMarkerCase> {};

TEST_P(RecodeTextMarker, ConvertsAndRewritesDeclaration)
{
    const SMarkerCase& c = GetParam();
    EXPECT_EQ(codesOf(recoded(c.text, c.source, c.destination, false)), codesOf(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecodeTextMarker,
    testing::Values(SMarkerCase{"HtmlComment", u"<!--MYCHARSET=CP1250-->\r\n" + units({0xC1, 0x8A}), -1, kRecodeCp852,
                                u"<!--MYCHARSET=CP852-->\r\n" + units({0xB5, 0xE6})},
                    SMarkerCase{"AtStartAnyCaseWithBlanks", u"mycharset =\tcp1250 x" + units({0xC1}), -1, kRecodeCp852,
                                u"mycharset =\tCP852 x" + units({0xB5})},
                    SMarkerCase{"AtEnd", units({0xC1}) + u" MYCHARSET=CP1250", -1, kRecodeCp852,
                                units({0xB5}) + u" MYCHARSET=CP852"},
                    SMarkerCase{"ShorterNameMovesTailBack", u"MYCHARSET=ISO-8859-2;" + units({0xA9}), -1, kRecodeMac,
                                u"MYCHARSET=MAC;S"},
                    SMarkerCase{"LongerNameMovesTailOn", u"MYCHARSET=MAC;" + units({0xE7}), -1, kRecodeIso8859_2,
                                u"MYCHARSET=ISO-8859-2;" + units({0xC1})},
                    SMarkerCase{"MacCeIsNotMac", u"<!--MYCHARSET=MACCE-->" + units({0x89}), -1, kRecodeCp1250,
                                u"<!--MYCHARSET=CP1250-->" + units({0xC8})},
                    SMarkerCase{"FirstCompleteDeclarationCounts",
                                u"MYCHARSET is below <!--MYCHARSET=CP852-->" + units({0xB5}), -1, kRecodeCp1250,
                                u"MYCHARSET is below <!--MYCHARSET=CP1250-->" + units({0xC1})},
                    SMarkerCase{"AsciiDeclaredConvertsNothing", u"MYCHARSET=ASCII " + units({0xC1}), -1, kRecodeCp1250,
                                u"MYCHARSET=CP1250 " + units({0xC1})},
                    SMarkerCase{"GivenSourceLeavesDeclaration", u"MYCHARSET=CP1250 " + units({0xC1}), kRecodeCp1250,
                                kRecodeCp852, u"MYCHARSET=CP1250 " + units({0xB5})}),
    test::SCaseName());

// ---- Text read through a code page

TEST(RecodeTextThroughCodePage, Cp1252AgreesWithByteConversion)
{
    const CCodePage* page = CCodePage::byNumber(1252);
    ASSERT_NE(page, nullptr);
    std::uint32_t seed = 12345;
    for (int round = 0; round < 40; ++round) {
        std::string bytes;
        for (int i = 0; i < 64; ++i) {
            seed = seed * 1103515245 + 12345;
            bytes += static_cast<char>(seed >> 16);
        }
        const int source = 1 + round % 12;
        const int destination = (round * 5) % kRecodeSetCount;
        const bool alphabetOnly = round % 2 == 0;
        std::u16string direct;
        for (char byte : bytes)
            direct += static_cast<char16_t>(static_cast<unsigned char>(byte));
        direct = recoded(direct, source, destination, alphabetOnly);
        std::u16string throughPage;
        ASSERT_EQ(RecodeText(page->toUtf16(bytes), source, destination, alphabetOnly, *page, throughPage), kRecodeOk);
        std::string directBytes;
        for (char16_t code : direct)
            directBytes += static_cast<char>(code);
        EXPECT_EQ(codesOf(page->toUtf16(directBytes)), codesOf(throughPage)) << "round " << round;
    }
}

// Regression guard: U+100C1 is the surrogate pair D800 DCC1, and DCC1 alone is how the UTF-8
// page shows the stray byte C1.
TEST(RecodeTextThroughCodePage, Utf8PageConvertsOnlyStrayBytes)
{
    const CCodePage* page = CCodePage::byNumber(kCodePageUtf8);
    ASSERT_NE(page, nullptr);
    const std::u16string text = page->toUtf16("\xC1 \xC3\xA1 \xF0\x90\x83\x81");
    std::u16string converted;
    ASSERT_EQ(RecodeText(text, kRecodeCp1250, kRecodeCp852, false, *page, converted), kRecodeOk);
    EXPECT_EQ(page->toBytes(converted), "\xB5 \xC3\xA1 \xF0\x90\x83\x81");
}

// ---- Buffer ranges

// One line of text with the buffer operations the conversion uses, logging each call.
struct SFakeBuffer {
    std::u16string text;
    bool readOnly = false;
    bool outOfMemory = false;
    std::vector<std::string> log;

    void CopyRange(std::int32_t, std::int32_t startChar, std::int32_t, std::int32_t endChar, std::u16string& out)
    {
        log.push_back("copy");
        if (outOfMemory)
            throw std::bad_alloc();
        out = text.substr(startChar, endChar - startChar);
    }
    void OpenUndoGroup() { log.push_back("open"); }
    void CloseUndoGroup(int* view) { log.push_back(view != nullptr ? "close view" : "close"); }
    bool DeleteRange(int*, std::int32_t, std::int32_t startChar, std::int32_t, std::int32_t endChar,
                     std::int32_t action)
    {
        log.push_back("delete " + std::to_string(action));
        if (readOnly)
            return false;
        text.erase(startChar, endChar - startChar);
        return true;
    }
    bool InsertTextAt(int*, std::int32_t line, std::int32_t ch, std::u16string_view inserted, std::int32_t& endLine,
                      std::int32_t& endChar, std::int32_t action)
    {
        log.push_back("insert " + std::to_string(action));
        text.insert(ch, inserted);
        endLine = line;
        endChar = ch + static_cast<std::int32_t>(inserted.size());
        return true;
    }
};

struct SRangeCase {
    const char* name;
    bool readOnly;
    bool outOfMemory;
    int source;
    int expected;
    std::vector<std::string> log;
    std::u16string text;
};

class RecodeBufferRange : public testing::TestWithParam<SRangeCase> {};

TEST_P(RecodeBufferRange, ReplacesInOneGroupOrLeavesBufferAlone)
{
    const SRangeCase& c = GetParam();
    SFakeBuffer buffer{u"ab" + units({0xC1, 0xC8}) + u"yz", c.readOnly, c.outOfMemory, {}};
    int view = 0;
    std::int32_t endLine = -1;
    std::int32_t endChar = -1;
    EXPECT_EQ(recodeBufferRange(buffer, &view, 0, 1, 0, 5, c.source, kRecodeCp852, false, nullptr, endLine, endChar),
              c.expected);
    EXPECT_EQ(buffer.log, c.log);
    EXPECT_EQ(codesOf(buffer.text), codesOf(c.text));
    if (c.expected == kRecodeOk) {
        EXPECT_EQ(endLine, 0);
        EXPECT_EQ(endChar, 5);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecodeBufferRange,
    testing::Values(
        SRangeCase{"Converted",
                   false,
                   false,
                   kRecodeCp1250,
                   kRecodeOk,
                   {"copy", "open", "delete 18", "insert 18", "close view"},
                   u"ab" + units({0xB5, 0xAC}) + u"yz"},
        SRangeCase{"NoSource", false, false, -1, kRecodeNoSource, {"copy"}, u"ab" + units({0xC1, 0xC8}) + u"yz"},
        SRangeCase{
            "OutOfMemory", false, true, kRecodeCp1250, kRecodeNoMemory, {"copy"}, u"ab" + units({0xC1, 0xC8}) + u"yz"},
        SRangeCase{"ReadOnly",
                   true,
                   false,
                   kRecodeCp1250,
                   kRecodeRefused,
                   {"copy", "open", "delete 18", "close view"},
                   u"ab" + units({0xC1, 0xC8}) + u"yz"}),
    test::SCaseName());

TEST(RecodeBufferRangeOfAnsiText, ConvertsWhatThePageShows)
{
    // Code page 1250's Š (8A) reads as U+0160 under the pinned 1252; 852's Š (E6) as U+00E6.
    SFakeBuffer buffer{u"\u0160", false, false, {}};
    std::int32_t endLine = -1;
    std::int32_t endChar = -1;
    EXPECT_EQ(recodeBufferRange(buffer, static_cast<int*>(nullptr), 0, 0, 0, 1, kRecodeCp1250, kRecodeCp852, false,
                                &CCodePage::ansi(), endLine, endChar),
              kRecodeOk);
    EXPECT_EQ(buffer.text, u"\u00E6");
}

}  // namespace
}  // namespace brindle
