// Where the text-file writer puts its bytes: a file replaced atomically, or a test double.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

namespace brindle {

// Receives bytes in order; commit() makes them the file's content, discard() drops them.
class CByteSink {
public:
    virtual ~CByteSink() = default;
    virtual bool write(const void* data, std::size_t size) = 0;
    virtual bool commit() = 0;
    virtual void discard() = 0;
    virtual std::error_code error() const = 0;
};

// A sink on a temporary file in the target's folder that replaces the target on commit,
// keeping its permission bits. nullptr with error set when the temporary file cannot be made.
std::unique_ptr<CByteSink> openFileSink(std::u16string_view target, std::error_code& error);

}  // namespace brindle
