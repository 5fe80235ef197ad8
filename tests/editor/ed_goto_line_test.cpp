// The go-to-line dialog's target line: absolute and relative numbers, limits and bad input.
#include "editor/ed_goto_line.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

TEST(EdGotoLine, TargetLine)
{
    struct SCase {
        std::u16string text;
        std::int32_t caretLine;
        std::optional<std::int32_t> target;
    };
    const std::int32_t lineCount = 10;
    const SCase cases[] = {
        {u"0", 5, 0},
        {u"1", 5, 0},
        {u"2", 5, 1},
        {u"10", 0, 9},
        {u"11", 0, 9},
        {u"99999999999", 0, 9},
        {u"+1", 5, 5},
        {u"-1", 5, 3},
        {u"+0", 5, 4},
        {u"-0", 5, 4},
        {u"-6", 5, std::nullopt},
        {u"-4", 5, 0},
        {u"+9", 5, 9},
        {u" 3 ", 0, 2},
        {u"", 0, std::nullopt},
        {u"+", 0, std::nullopt},
        {u"3x", 0, std::nullopt},
        {u"--1", 5, std::nullopt},
        {u"-5", 5, 0},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(EdGotoLineTarget(c.text, c.caretLine, lineCount), c.target);
    }
    EXPECT_EQ(EdGotoLineTarget(u"1", 0, 0), std::nullopt) << "no lines";
}

TEST(EdGotoLine, CaretKeepsItsColumnWithinTheLine)
{
    EXPECT_EQ(EdGotoLineCaret(3, 7, 10), (STextPos{3, 7}));
    EXPECT_EQ(EdGotoLineCaret(12, 7, 10), (STextPos{9, 7}));
    EXPECT_EQ(EdGotoLineCaret(10, 7, 10), (STextPos{9, 7}));
    EXPECT_EQ(EdGotoLineCaret(4, 2, 0), (STextPos{0, 2}));
}

}  // namespace
}  // namespace brindle
