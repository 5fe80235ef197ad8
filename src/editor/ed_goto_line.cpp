// Where the go-to-line dialog takes the caret.
#include "editor/ed_goto_line.h"

#include <algorithm>
#include <limits>

namespace brindle {
namespace {

std::u16string_view trimmed(std::u16string_view text)
{
    const auto blank = [](char16_t ch) { return ch == u' ' || ch == u'\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Saturates instead of overflowing: "99999999999" is simply past the last line.
std::optional<std::int64_t> parseSigned(std::u16string_view text, bool& relative)
{
    relative = !text.empty() && (text.front() == u'+' || text.front() == u'-');
    const bool negative = !text.empty() && text.front() == u'-';
    if (relative)
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (const char16_t ch : text) {
        if (ch < u'0' || ch > u'9')
            return std::nullopt;
        value = std::min<std::int64_t>(value * 10 + (ch - u'0'), std::numeric_limits<std::int32_t>::max());
    }
    return negative ? -value : value;
}

}  // namespace

std::optional<std::int32_t> EdGotoLineTarget(std::u16string_view text, std::int32_t caretLine, std::int32_t lineCount)
{
    bool relative = false;
    std::optional<std::int64_t> number = parseSigned(trimmed(text), relative);
    if (!number || lineCount <= 0)
        return std::nullopt;
    std::int64_t line = *number + (relative ? caretLine : 0);
    if (line != 0)
        --line;
    line = std::min<std::int64_t>(line, lineCount - 1);
    if (line < 0)
        return std::nullopt;
    return static_cast<std::int32_t>(line);
}

STextPos EdGotoLineCaret(std::int32_t caretChar, std::int32_t target, std::int32_t targetLength)
{
    return STextPos{std::clamp(caretChar, 0, std::max(targetLength - 1, 0)), target};
}

}  // namespace brindle
