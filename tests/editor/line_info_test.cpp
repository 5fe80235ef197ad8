// Line and undo-record storage: the growth rule of line arrays and the ownership of record texts.
#include "editor/line_info.h"

#include "editor/undo_record.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace brindle {
namespace {

TEST(LineInfo, GrowsInStepsOf16AndNeverShrinks)
{
    const std::pair<int, int> created[] = {{0, 16}, {15, 16}, {16, 32}, {31, 32}, {32, 48}};
    for (const auto& [length, capacity] : created) {
        const SLineInfo line(std::u16string(static_cast<std::size_t>(length), u'a'));
        EXPECT_EQ(line.capacity, capacity) << length;
    }
    SLineInfo line(u"0123456789abcde");  // 15 characters, room for 16
    const char16_t* before = line.text.get();
    line.insert(0, u"x");
    EXPECT_EQ(line.text.get(), before) << "the 16th character fits without a new array";
    line.insert(8, u"y");
    EXPECT_EQ(line.capacity, 32);
    EXPECT_EQ(line.chars(), u"x0123456y789abcde");
    line.erase(1, 10);
    EXPECT_EQ(line.chars(), u"x9abcde");
    EXPECT_EQ(line.capacity, 32);
    line.insert(2, line.chars());  // the line's own text, while its array grows
    line.insert(0, std::u16string(30, u'-'));
    EXPECT_EQ(line.chars(), std::u16string(30, u'-') + u"x9x9abcdeabcde");
}

TEST(UndoRecord, HoldsTextsOfAnyLengthAndMovesThem)
{
    const std::u16string texts[] = {u"", u"q", std::u16string(u"a\0b", 3), std::u16string(5000, u'z')};
    for (const std::u16string& text : texts) {
        SUndoRecord record;
        record.setText(u"previous");
        record.setText(text);
        EXPECT_EQ(record.text(), text);
        if (text.size() == 1) {
            const auto* inside = reinterpret_cast<const char*>(record.text().data());
            EXPECT_TRUE(inside >= reinterpret_cast<const char*>(&record) &&
                        inside < reinterpret_cast<const char*>(&record + 1))
                << "a one-character text is kept in the record";
        }
        SUndoRecord moved(std::move(record));
        EXPECT_EQ(moved.text(), text);
        EXPECT_EQ(record.text(), u"");
        SUndoRecord assigned;
        assigned.setText(u"to be freed");
        assigned = std::move(moved);
        EXPECT_EQ(assigned.text(), text);
    }
}

}  // namespace
}  // namespace brindle
