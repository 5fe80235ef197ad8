#include "compare_ui/report_position.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace brindle {

namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The decimal number at the start of text (0 when there is none); stops at the first non-digit.
// A label edited into nonsense must not overflow: the number stops growing at kMaxNumber.
std::int64_t leadingNumber(std::u16string_view text)
{
    constexpr std::int64_t kMaxNumber = std::numeric_limits<std::int32_t>::max();
    std::int64_t number = 0;
    for (std::size_t i = 0; i < text.size() && isDigit(text[i]); ++i)
        number = std::min(number * 10 + (text[i] - u'0'), kMaxNumber);
    return number;
}

std::u16string_view sidePart(std::u16string_view label, int side)
{
    const std::size_t semicolon = label.find(u';');
    if (semicolon == std::u16string_view::npos)
        return label;
    return side == 1 ? label.substr(0, semicolon) : label.substr(semicolon + 1);
}

}  // namespace

std::int64_t reportLinePosition(const std::vector<SSectionItem>& items, std::int64_t line, int side, bool binary)
{
    std::int64_t position = line;
    std::int64_t remembered = 0;
    bool inSection = false;
    for (const SSectionItem& item : items) {
        // Item data counts report lines from 0, the clicked line counts from 1.
        const std::int64_t start = item.reportLine;
        if (line < start + 1)
            break;
        inSection = true;
        const std::u16string_view part = sidePart(item.label, side);
        const std::size_t dash = part.find(u'-');
        // A translated "missing" may itself contain a dash; only a leading digit makes a range.
        if (dash == std::u16string_view::npos || part.empty() || !isDigit(part.front())) {
            const std::int64_t number = leadingNumber(part);
            position = number != 0 ? number : remembered;
            if (number != 0)
                remembered = number;
            continue;
        }
        const std::int64_t first = leadingNumber(part);
        remembered = leadingNumber(part.substr(dash + 1));
        position = binary ? (line - start - 1) * kBinaryBytesPerReportLine + first : first + (line - start - 1);
    }
    // Above the first section there is no line of the file to name.
    return binary || inSection ? position : position - 1;
}

}  // namespace brindle
