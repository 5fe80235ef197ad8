#include "compare_ui/report_position.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace brindle {

namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Where the numbers of a label stop growing: a text report's lines count in int32, while byte
// offsets go past 4 GiB; the byte cap leaves room to add the rows of a section to it.
constexpr std::int64_t kMaxLineNumber = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMaxByteOffset = std::int64_t{1} << 62;

// The decimal number at the start of text (0 when there is none); stops at the first non-digit.
// A label edited into nonsense must not overflow: the number stops growing at cap.
std::int64_t leadingNumber(std::u16string_view text, std::int64_t cap)
{
    std::int64_t number = 0;
    for (std::size_t i = 0; i < text.size() && isDigit(text[i]); ++i) {
        const int digit = text[i] - u'0';
        number = number > (cap - digit) / 10 ? cap : number * 10 + digit;
    }
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
    const std::int64_t cap = binary ? kMaxByteOffset : kMaxLineNumber;
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
            const std::int64_t number = leadingNumber(part, cap);
            position = number != 0 ? number : remembered;
            if (number != 0)
                remembered = number;
            continue;
        }
        const std::int64_t first = leadingNumber(part, cap);
        remembered = leadingNumber(part.substr(dash + 1), cap);
        position = binary ? (line - start - 1) * kBinaryBytesPerReportLine + first : first + (line - start - 1);
    }
    // Above the first section there is no line of the file to name.
    return binary || inSection ? position : position - 1;
}

}  // namespace brindle
