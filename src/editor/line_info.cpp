#include "editor/line_info.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

namespace brindle {

namespace {

// The largest length whose capacity still fits in an int32.
constexpr std::int64_t kMaxLineLength = std::numeric_limits<std::int32_t>::max() - 16;

std::int32_t checkedLength(std::int64_t n)
{
    if (n > kMaxLineLength)
        throw std::length_error("line too long for the text buffer");
    return static_cast<std::int32_t>(n);
}

}  // namespace

SLineInfo::SLineInfo(std::u16string_view chars)
    : length(checkedLength(static_cast<std::int64_t>(chars.size()))), capacity(capacityFor(length))
{
    text = std::make_unique_for_overwrite<char16_t[]>(static_cast<std::size_t>(capacity));
    std::copy(chars.begin(), chars.end(), text.get());
}

void SLineInfo::reserve(std::int32_t n)
{
    if (n <= capacity && text)
        return;
    const std::int32_t room = capacityFor(n);
    auto grown = std::make_unique_for_overwrite<char16_t[]>(static_cast<std::size_t>(room));
    std::copy_n(text.get(), length, grown.get());
    text = std::move(grown);
    capacity = room;
}

void SLineInfo::append(std::u16string_view more) { insert(length, more); }

void SLineInfo::insert(std::int32_t at, std::u16string_view more)
{
    if (more.empty())
        return;
    if (text && more.data() >= text.get() && more.data() < text.get() + capacity) {
        // The text comes from this line, whose array may move when it grows.
        const std::u16string copy(more);
        insert(at, copy);
        return;
    }
    const std::int32_t newLength = checkedLength(std::int64_t{length} + static_cast<std::int64_t>(more.size()));
    reserve(newLength);
    char16_t* chars = text.get();
    std::copy_backward(chars + at, chars + length, chars + newLength);
    std::copy(more.begin(), more.end(), chars + at);
    length = newLength;
}

void SLineInfo::erase(std::int32_t from, std::int32_t count)
{
    char16_t* chars = text.get();
    std::copy(chars + from + count, chars + length, chars + from);
    length -= count;
}

}  // namespace brindle
