// Bracket matching: nesting, both directions, the caret before or after the bracket, comments of
// the text type skipped.
#include "editor/ed_bracket_match.h"

#include "editor/buffer_test_support.h"
#include "editor/ed_text_buffer.h"
#include "editor/text_type.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

TEST(EdBracketMatch, FindsThePartner)
{
    struct SCase {
        const char* name;
        std::vector<std::u16string> lines;
        const char16_t* typePath;
        STextPos caret;
        std::optional<STextPos> partner;
    };
    const SCase cases[] = {
        {"forwards over nesting", {u"f(a(b)c)"}, u"a.c", {1, 0}, STextPos{7, 0}},
        {"backwards over nesting", {u"f(a(b)c)"}, u"a.c", {7, 0}, STextPos{1, 0}},
        {"caret after a closing bracket at the line end", {u"{", u"}"}, u"a.c", {1, 1}, STextPos{0, 0}},
        {"caret after a bracket when none is under it", {u"(x)"}, u"a.c", {1, 0}, STextPos{2, 0}},
        {"other pairs do not count", {u"[(])"}, u"a.c", {0, 0}, STextPos{2, 0}},
        {"angle brackets pair", {u"<a<b>>"}, u"a.c", {0, 0}, STextPos{5, 0}},
        {"no bracket", {u"abc"}, u"a.c", {1, 0}, std::nullopt},
        {"unbalanced", {u"((x)"}, u"a.c", {0, 0}, std::nullopt},
        {"line comment skipped", {u"{ // }", u"}"}, u"a.c", {0, 0}, STextPos{0, 1}},
        {"block comment over lines skipped", {u"{ /* }", u"}", u"*/ }"}, u"a.c", {0, 0}, STextPos{3, 2}},
        {"backwards over a block comment", {u"{ /* {", u"{", u"*/ }"}, u"a.c", {4, 2}, STextPos{0, 0}},
        {"the comment before the start is known", {u"/*", u"{", u"*/ ( )"}, u"a.c", {3, 2}, STextPos{5, 2}},
        {"plain text skips nothing", {u"{ // }", u"}"}, u"a.txt", {0, 0}, STextPos{5, 0}},
        {"shell comments", {u"( # )", u")"}, u"a.sh", {0, 0}, STextPos{0, 1}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CEdTextBuffer buffer;
        test::fill(buffer, c.lines);
        EXPECT_EQ(EdFindMatchingBracket(buffer, c.caret, TextTypeOfPath(c.typePath)), c.partner);
    }
}

}  // namespace
}  // namespace brindle
