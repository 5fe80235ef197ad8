// The five case commands on texts with word and sentence boundaries, numbers and non-ASCII letters.
#include "editor/ed_case_convert.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

TEST(EdConvertCase, Conversions)
{
    struct SCase {
        EEdCaseConversion conversion;
        std::u16string in;
        std::u16string out;
    };
    using E = EEdCaseConversion;
    const SCase cases[] = {
        {E::Lower, u"MiXeD 1 \u00C4\u0394", u"mixed 1 \u00E4\u03B4"},
        {E::Upper, u"MiXeD 1 \u00E4\u03C3", u"MIXED 1 \u00C4\u03A3"},
        {E::Invert, u"MiXeD-1 \u00C4\u00E9", u"mIxEd-1 \u00E4\u00C9"},
        {E::Capitalize, u"hello-world foo", u"Hello-world Foo"},
        {E::Capitalize, u"HELLO\tWORLD\r\nnEXT line", u"Hello\tWorld\r\nNext Line"},
        {E::Capitalize, u"(abc) 2nd \u00E9t\u00C9", u"(Abc) 2Nd \u00C9t\u00E9"},
        {E::Sentencize, u"ONE. two! three? four.five", u"One. Two! three? four.Five"},
        {E::Sentencize, u"pi is 3.5 or so. yes", u"Pi is 3.5 or so. Yes"},
        {E::Sentencize, u"  leading. ", u"  Leading. "},
        {E::Sentencize, u"end.", u"End."},
        {E::Lower, u"", u""},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.conversion));
        EXPECT_EQ(EdConvertCase(c.in, c.conversion), c.out);
    }
}

}  // namespace
}  // namespace brindle
