// One line of the editor's text buffer: its characters, spare room and line marks.
#pragma once

#include "engine/text_encoding.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace brindle {

// Holds the characters of one line (no line end, not terminated). Room grows in steps of 16:
// a line created for or grown to n characters gets (n / 16 + 1) * 16, and it never shrinks, so
// typing reallocates only every 16 characters. Move-only; the array is owned.
//
// Lengths beyond the int32 range throw std::length_error; positions outside 0..length are the
// caller's error (the buffer checks them before it calls).
struct SLineInfo {
    std::unique_ptr<char16_t[]> text;
    std::int32_t length = 0;
    std::int32_t capacity = 0;
    std::uint32_t flags = 0;
    ELineEnd end = ELineEnd::Lf;  // the line end after the line; the last line's is not written

    SLineInfo() = default;
    explicit SLineInfo(std::u16string_view chars);

    static std::int32_t capacityFor(std::int32_t n) { return (n / 16 + 1) * 16; }

    std::u16string_view chars() const { return {text.get(), static_cast<std::size_t>(length)}; }

    // Makes room for n characters, keeping the text.
    void reserve(std::int32_t n);
    void append(std::u16string_view more);
    void insert(std::int32_t at, std::u16string_view more);
    void erase(std::int32_t from, std::int32_t count);
    void truncate(std::int32_t n) { length = n; }
};

}  // namespace brindle
