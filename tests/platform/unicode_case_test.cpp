// Tests for the simple uppercase mapping of BMP units.
#include "platform/unicode_case.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

struct UpperCase {
    char16_t ch;
    char16_t upper;
};

const UpperCase kCases[] = {
    {u'a', u'A'},     {u'z', u'Z'},     {u'A', u'A'},     {u'@', u'@'},     {u'\0', u'\0'},   {0x00E9, 0x00C9},
    {0x00FF, 0x0178}, {0x00DF, 0x00DF}, {0x00B5, 0x039C}, {0x0131, u'I'},   {0x0130, 0x0130}, {0x017F, u'S'},
    {0x01C4, 0x01C4}, {0x01C5, 0x01C4}, {0x01C6, 0x01C4}, {0x03C9, 0x03A9}, {0x03C2, 0x03A3}, {0x0430, 0x0410},
    {0x0450, 0x0400}, {0x10D0, 0x1C90}, {0x1F80, 0x1F88}, {0x1FA7, 0x1FAF}, {0x1F88, 0x1F88}, {0x1FB3, 0x1FBC},
    {0x1FC3, 0x1FCC}, {0x1FF3, 0x1FFC}, {0x1FB2, 0x1FB2}, {0x2170, 0x2160}, {0x24D0, 0x24B6}, {0xA641, 0xA640},
    {0xFF41, 0xFF21}, {0x4E2D, 0x4E2D}, {0xD800, 0xD800}, {0xDC80, 0xDC80}, {0xFFFF, 0xFFFF}, {0xFB00, 0xFB00},
};

TEST(UnicodeCase, SimpleUpper)
{
    for (const auto& c : kCases)
        EXPECT_EQ(static_cast<int>(simpleUpper(c.ch)), static_cast<int>(c.upper)) << std::hex << int(c.ch);
}

TEST(UnicodeCase, UpperIsStableAndLeavesSurrogatesAlone)
{
    for (unsigned ch = 0; ch <= 0xFFFF; ++ch) {
        const char16_t upper = simpleUpper(static_cast<char16_t>(ch));
        ASSERT_EQ(static_cast<int>(simpleUpper(upper)), static_cast<int>(upper)) << std::hex << ch;
        if (ch >= 0xD800 && ch <= 0xDFFF) {
            ASSERT_EQ(static_cast<unsigned>(upper), ch);
        }
    }
}

}  // namespace
}  // namespace brindle
