// Reading a whole file into memory.
#pragma once

#include "platform/large_buffer.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>

namespace brindle {

// The bytes of a file; the buffer may be larger than the content.
struct SFileContents {
    CLargeBuffer buffer;
    std::size_t size = 0;

    std::span<const std::uint8_t> bytes() const { return {static_cast<const std::uint8_t*>(buffer.data()), size}; }
    std::string_view text() const { return {static_cast<const char*>(buffer.data()), size}; }
};

// Reads the regular file at path to its end (a file that grows meanwhile is read as far as it
// got). nullopt when it cannot be opened or read, or is not a regular file (a folder, a device,
// a pipe), with the reason in *error when error is given.
std::optional<SFileContents> readWholeFile(std::u16string_view path, std::error_code* error = nullptr);

}  // namespace brindle
