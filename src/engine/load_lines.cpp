// Loading a compared file into its line list.
#include "engine/line_list.h"

#include "engine/cancel_flag.h"
#include "engine/line_scan_p.h"
#include "engine/text_file_read.h"
#include "platform/code_page.h"
#include "platform/large_buffer.h"
#include "platform/utf8.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brindle {

namespace {

// Closes the descriptor on every way out.
class CFileDescriptor {
public:
    explicit CFileDescriptor(int fd) : m_fd(fd) {}
    ~CFileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

bool startsWithMark(int fd)
{
    std::uint8_t head[3] = {};
    const ssize_t n = ::pread(fd, head, sizeof head, 0);
    if (n >= 2 && ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF)))
        return true;
    return n == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF;
}

// Reads the whole file; the buffer may grow if the file grows while it is read.
bool readAll(int fd, CLargeBuffer& buffer, std::size_t& size)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return false;
    std::size_t capacity = static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 0) + 4096;
    buffer = CLargeBuffer(capacity);
    size = 0;
    for (;;) {
        if (size == capacity) {
            CLargeBuffer larger(capacity * 2);
            std::memcpy(larger.data(), buffer.data(), size);
            buffer = std::move(larger);
            capacity *= 2;
        }
        const ssize_t n = ::read(fd, static_cast<std::uint8_t*>(buffer.data()) + size, capacity - size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        size += static_cast<std::size_t>(n);
    }
}

// Lines of 8-bit text end at CR LF, a lone CR or a lone LF, exactly as CTextFileRead reads
// them; a line end at the very end leaves one more, empty, line. ASCII lines stay in the file's
// own bytes; any other line is converted through the code page.
std::size_t splitAnsi(CLargeBuffer content, std::size_t size, CLineList& list)
{
    const auto* begin = static_cast<const std::uint8_t*>(content.data());
    const std::uint8_t* end = begin + size;
    list.adoptText(std::move(content));
    // Room for lines of eight bytes on average; pages of the reserve that are never used are
    // never touched, so a generous guess costs address space only.
    list.reserve(list.size() + size / 8 + 1);
    const CCodePage& codePage = CCodePage::ansi();
    std::u16string converted;
    std::size_t count = 0;
    for (const std::uint8_t* p = begin;;) {
        if (pollCancel())
            break;
        const SLineScan scan = scanLine(p, end);
        const std::uint8_t* lineEnd = scan.lineEnd;
        const auto length = static_cast<std::size_t>(lineEnd - p);
        if (scan.ascii) {
            list.appendStoredAscii(p, length, scan.containsNul);
        } else {
            converted.clear();
            codePage.appendUtf16(std::string_view(reinterpret_cast<const char*>(p), length), converted);
            list.append(converted);
        }
        ++count;
        if (lineEnd == end)
            break;
        p = lineEnd + (*lineEnd == '\r' && lineEnd + 1 != end && lineEnd[1] == '\n' ? 2 : 1);
    }
    return count;
}

std::size_t loadThroughReader(std::u16string_view path, CLineList& list)
{
    CTextFileRead reader;
    reader.Open(path);
    std::u16string text;
    std::size_t count = 0;
    while (reader.ReadLine(text)) {
        if (pollCancel())
            break;
        list.append(text);
        ++count;
    }
    list.setEncoding(reader.Encoding());
    return count;
}

}  // namespace

std::size_t LoadLines(std::u16string_view path, CLineList& list)
{
    CFileDescriptor file(::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || S_ISDIR(info.st_mode)) {
        list.setEncoding(kEncodingAnsi);
        return 0;
    }
    // Files with a byte-order mark are rare: read them through the text-file reader.
    if (startsWithMark(file.get()))
        return loadThroughReader(path, list);
    CLargeBuffer content;
    std::size_t size = 0;
    list.setEncoding(kEncodingAnsi);
    if (!readAll(file.get(), content, size))
        return 0;
    return splitAnsi(std::move(content), size, list);
}

}  // namespace brindle
