// Line ends of text exchanged with other programs, and a pasted paragraph becoming lines.
#include "editor/ed_text_transfer.h"

#include "editor/buffer_test_support.h"
#include "editor/ed_text_buffer.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

TEST(EdTextTransfer, LineEnds)
{
    struct SCase {
        std::u16string external;
        std::u16string inside;  // EdTextFromExternal(external)
        std::u16string back;    // EdTextToExternal(inside)
    };
    const SCase cases[] = {
        {u"a\nb", u"a\r\nb", u"a\nb"},
        {u"a\rb", u"a\r\nb", u"a\nb"},
        {u"a\r\nb", u"a\r\nb", u"a\nb"},
        {u"a\n\rb", u"a\r\n\r\nb", u"a\n\nb"},
        {u"\r\r\n\n", u"\r\n\r\n\r\n", u"\n\n\n"},
        {u"a\r", u"a\r\n", u"a\n"},
        {u"", u"", u""},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(EdTextFromExternal(c.external), c.inside);
        EXPECT_EQ(EdTextToExternal(c.inside), c.back);
    }
}

TEST(EdTextTransfer, PastedParagraphBecomesLinesAndCopiesBack)
{
    CEdTextBuffer buffer;
    buffer.AddLine(u"");
    std::int32_t endLine = 0;
    std::int32_t endChar = 0;
    ASSERT_TRUE(buffer.InsertTextAt(nullptr, 0, 0, EdTextFromExternal(u"one\ntwo\rthree\r\n"), endLine, endChar));
    EXPECT_EQ(test::linesOf(buffer), (std::vector<std::u16string>{u"one", u"two", u"three", u""}));
    std::u16string copied;
    buffer.CopyRange(0, 0, endLine, endChar, copied);
    EXPECT_EQ(EdTextToExternal(copied), u"one\ntwo\nthree\n");
}

}  // namespace
}  // namespace brindle
