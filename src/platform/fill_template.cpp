#include "platform/fill_template.h"

#include <optional>

namespace brindle {

namespace {

// The argument a placeholder stands for, given the character after its "%"; nullopt when it
// is no placeholder or has no argument. next advances past each "%s" or "%d".
std::optional<std::u16string_view> argumentFor(char16_t kind, std::initializer_list<std::u16string_view> arguments,
                                               std::size_t& next)
{
    std::size_t index = arguments.size();
    if (kind >= u'1' && kind <= u'9')
        index = static_cast<std::size_t>(kind - u'1');
    else if (kind == u's' || kind == u'd')
        index = next++;
    if (index >= arguments.size())
        return std::nullopt;
    return arguments.begin()[index];
}

}  // namespace

std::u16string fillTemplate(std::u16string_view format, std::initializer_list<std::u16string_view> arguments)
{
    std::u16string text;
    text.reserve(format.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != u'%' || i + 1 == format.size()) {
            text += format[i];
            continue;
        }
        const char16_t kind = format[i + 1];
        if (kind == u'%') {
            text += u'%';
            ++i;
        } else if (const std::optional<std::u16string_view> argument = argumentFor(kind, arguments, next)) {
            text += *argument;
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

}  // namespace brindle
