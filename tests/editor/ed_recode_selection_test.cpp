// Tests for converting a view's selection between character sets: the text, the undo group, the
// selection and caret afterwards, and the refusals.
#include "editor/ed_recode_selection.h"

#include "editor/fake_search_target.h"
#include "editor/recode_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brindle {
namespace {

TEST(RecodeSelection, ConvertsOnlyTheSelectionAsOneUndoGroup)
{
    // "xÁ" and "Áy" in code page 1250, the selection from the first Á to the second.
    test::CFakeSearchTarget view({u"x\u00C1", u"\u00C1y<!--"});
    view.select({1, 0}, {1, 1});
    EXPECT_EQ(SelectedText(view), u"\u00C1\r\n\u00C1");

    EXPECT_EQ(RecodeSelection(view, kRecodeCp1250, kRecodeCp852, false), kRecodeOk);
    EXPECT_EQ(view.lines(), (std::vector<std::u16string>{u"x\u00B5", u"\u00B5y<!--"}));
    EXPECT_EQ(view.selStart, (STextPos{1, 0}));
    EXPECT_EQ(view.selEnd, (STextPos{1, 1}));
    EXPECT_EQ(view.caret, (STextPos{1, 1}));
    EXPECT_EQ(view.anchor, (STextPos{1, 0}));
    for (const SUndoRecord& record : view.buffer.UndoRecords())
        EXPECT_EQ(record.action, CEdTextBuffer::Recode);

    STextPos cursor;
    EXPECT_TRUE(view.buffer.Undo(cursor));
    EXPECT_FALSE(view.buffer.CanUndo());
    EXPECT_EQ(view.lines(), (std::vector<std::u16string>{u"x\u00C1", u"\u00C1y<!--"}));
}

TEST(RecodeSelection, MarkerRenamedAndCaretToColumnZeroWhenItsColumnIsGone)
{
    // Declared CP1250, converted with no source to CP852: "CP1250" becomes the shorter "CP852",
    // so a caret behind the line's last character no longer fits.
    test::CFakeSearchTarget view({u"<!--MYCHARSET=CP1250-->\u00C1"});
    view.select({0, 0}, {24, 0});
    EXPECT_EQ(RecodeSelection(view, -1, kRecodeCp852, false), kRecodeOk);
    EXPECT_EQ(view.lines(), std::vector<std::u16string>{u"<!--MYCHARSET=CP852-->\u00B5"});
    EXPECT_EQ(view.selEnd, (STextPos{23, 0}));
    EXPECT_EQ(view.caret, (STextPos{0, 0}));
}

TEST(RecodeSelection, RefusalsLeaveEverything)
{
    const struct {
        const char* name;
        bool editable;
        bool readOnly;
        bool select;
        int source;
        int destination;
        int result;
    } cases[] = {
        {"NoSelection", true, false, false, kRecodeCp1250, kRecodeCp852, kRecodeRefused},
        {"ViewDoesNotEdit", false, false, true, kRecodeCp1250, kRecodeCp852, kRecodeRefused},
        {"ReadOnlyBuffer", true, true, true, kRecodeCp1250, kRecodeCp852, kRecodeRefused},
        {"NoMarker", true, false, true, -1, kRecodeCp852, kRecodeNoSource},
        {"BadDestination", true, false, true, kRecodeCp1250, 13, kRecodeBadDestination},
    };
    for (const auto& c : cases) {
        test::CFakeSearchTarget view({u"\u00C1b"});
        view.editable = c.editable;
        view.buffer.SetReadOnly(c.readOnly);
        if (c.select)
            view.select({0, 0}, {2, 0});
        EXPECT_EQ(RecodeSelection(view, c.source, c.destination, false), c.result) << c.name;
        EXPECT_EQ(view.lines(), std::vector<std::u16string>{u"\u00C1b"}) << c.name;
        EXPECT_FALSE(view.buffer.CanUndo()) << c.name;
    }
}

}  // namespace
}  // namespace brindle
