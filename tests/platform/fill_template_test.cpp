// Filling message templates: both placeholder styles, in one pass, and texts that hold "%".
#include "platform/fill_template.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {
namespace {

struct SFillCase {
    const char* name;
    std::u16string_view format;
    std::vector<std::u16string_view> arguments;
    std::u16string_view filled;
};

const SFillCase kFillCases[] = {
    {"numbered", u"Cannot read %1: %2", {u"/a", u"Permission denied"}, u"Cannot read /a: Permission denied"},
    {"numbered out of order", u"%2 before %1", {u"one", u"two"}, u"two before one"},
    {"numbered twice", u"%1 and %1", {u"x"}, u"x and x"},
    {"printf string", u"File %s cannot be saved.", {u"/a b"}, u"File /a b cannot be saved."},
    {"printf numbers in turn", u"Ln %d, Col %d", {u"12", u"3"}, u"Ln 12, Col 3"},
    {"percent sign", u"100%% of %s", {u"it"}, u"100% of it"},
    {"argument holding a placeholder", u"%1 (%2)", {u"/tmp/%2%s", u"why"}, u"/tmp/%2%s (why)"},
    {"printf argument holding a placeholder", u"%s then %s", {u"%s", u"b"}, u"%s then b"},
    {"placeholder without argument stays", u"Cannot find string\"%s\" in %1", {}, u"Cannot find string\"%s\" in %1"},
    {"second printf placeholder without argument", u"%s and %s", {u"a"}, u"a and %s"},
    {"other percent stays", u"50% %x %0 %", {u"a"}, u"50% %x %0 %"},
    {"empty format", u"", {u"a"}, u""},
};

TEST(FillTemplate, FillsBothStylesInOnePass)
{
    for (const SFillCase& c : kFillCases) {
        SCOPED_TRACE(c.name);
        std::u16string filled;
        switch (c.arguments.size()) {
        case 0: filled = fillTemplate(c.format, {}); break;
        case 1: filled = fillTemplate(c.format, {c.arguments[0]}); break;
        default: filled = fillTemplate(c.format, {c.arguments[0], c.arguments[1]}); break;
        }
        EXPECT_EQ(filled, c.filled);
    }
}

}  // namespace
}  // namespace brindle
