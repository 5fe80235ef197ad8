// The conversion between QString and std::u16string: every unit crosses as it is.
#include "framework/qt_utf16.h"

#include <gtest/gtest.h>

#include <string>

namespace brindle {
namespace {

struct SUnitsCase {
    const char* name;
    std::u16string units;
};

// Texts a decoder would change: a byte-order mark is no marker here, surrogates that pair with
// nothing and the units that stand for undecodable bytes are kept, and so is NUL.
const SUnitsCase kUnitsCases[] = {
    {"empty", u""},
    {"plain", u"a b.txt"},
    {"leading byte-order mark", u"\uFEFFline"},
    {"lone high surrogate", std::u16string(1, char16_t(0xD800)) + u"x"},
    {"lone low surrogate at the end", u"x" + std::u16string(1, char16_t(0xDFFF))},
    {"units of undecodable bytes", std::u16string{char16_t(0xDC80), char16_t(0xDCFF)}},
    {"pair", u"\U0001F600"},
    {"NUL inside", std::u16string(u"a\0b", 3)},
};

TEST(QtUtf16, UnitsCrossBothWaysUnchanged)
{
    for (const SUnitsCase& c : kUnitsCases) {
        SCOPED_TRACE(c.name);
        const QString text = toQString(c.units);
        ASSERT_EQ(text.size(), static_cast<qsizetype>(c.units.size()));
        for (std::size_t i = 0; i < c.units.size(); ++i)
            EXPECT_EQ(text[static_cast<qsizetype>(i)].unicode(), c.units[i]) << "unit " << i;
        EXPECT_EQ(toU16String(text), c.units);
    }
}

}  // namespace
}  // namespace brindle
