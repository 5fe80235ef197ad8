#include "platform/whole_file.h"

#include "platform/file_system.h"

#include "platform/utf8.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brindle {

namespace {

// Closes the descriptor on every way out.
class CReadDescriptor {
public:
    CReadDescriptor(std::u16string_view path, std::error_code& error) { m_fd = openInputFile(path, error); }
    ~CReadDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CReadDescriptor(const CReadDescriptor&) = delete;
    CReadDescriptor& operator=(const CReadDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd = -1;
};

std::optional<SFileContents> readContents(std::u16string_view path, std::error_code& error)
{
    // openInputFile opens only ordinary files: a device or a pipe may never end.
    CReadDescriptor file(path, error);
    struct stat info {};
    if (file.get() < 0)
        return std::nullopt;
    if (::fstat(file.get(), &info) != 0) {
        error = std::error_code(errno, std::generic_category());
        return std::nullopt;
    }
    // One byte more than the size, so that reaching the end needs no second buffer.
    std::size_t capacity = static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 0) + 1;
    SFileContents contents;
    contents.buffer = CLargeBuffer(capacity);
    for (;;) {
        if (contents.size == capacity) {
            CLargeBuffer larger(capacity * 2);
            std::memcpy(larger.data(), contents.buffer.data(), contents.size);
            contents.buffer = std::move(larger);
            capacity *= 2;
        }
        const ssize_t n = ::read(file.get(), static_cast<std::uint8_t*>(contents.buffer.data()) + contents.size,
                                 capacity - contents.size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = std::error_code(errno, std::generic_category());
            return std::nullopt;
        }
        if (n == 0)
            return contents;
        contents.size += static_cast<std::size_t>(n);
    }
}

}  // namespace

std::optional<SFileContents> readWholeFile(std::u16string_view path, std::error_code* error)
{
    std::error_code problem;
    std::optional<SFileContents> contents = readContents(path, problem);
    if (error)
        *error = problem;
    return contents;
}

}  // namespace brindle
