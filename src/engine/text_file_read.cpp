#include "engine/text_file_read.h"

#include "engine/line_scan_p.h"

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/utf16_units.h"
#include "platform/utf8.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brindle {

namespace {

// Reading in blocks larger than the writer's: how the file is cut into blocks cannot be seen
// in the lines read, and fewer system calls matter for million-line files.
constexpr std::size_t kReadBlock = 64 * 1024;
constexpr int kEof = -1;
constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';

bool isLineEnd(int c) { return c == kCr || c == kLf; }

}  // namespace

CTextFileRead::CTextFileRead() { m_buffer.resize(kReadBlock); }

CTextFileRead::~CTextFileRead() { Close(); }

void CTextFileRead::Close()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

bool CTextFileRead::Open(std::u16string_view path)
{
    Close();
    m_encoding = kEncodingAnsi;
    m_endOfFile = false;
    m_firstLine = true;
    m_hasPushedBack = false;
    m_hasPending = false;
    m_endsWithOddByte = false;
    m_bufferPos = m_bufferFill = 0;
    m_error.clear();
    m_precedingLineEnd.reset();

    // A FIFO, socket or device is not opened: it would block the comparison, or never end.
    const int fd = openInputFile(path, m_error);
    if (fd < 0) {
        m_endOfFile = true;
        return false;
    }
    m_fd = fd;
    detectEncoding();
    return true;
}

void CTextFileRead::detectEncoding()
{
    // Gather up to three bytes without setting end of file: an empty file still reads as one
    // empty line, which only the first ReadLine may discover.
    while (m_bufferFill < 3) {
        const ssize_t n = ::read(m_fd, m_buffer.data() + m_bufferFill, m_buffer.size() - m_bufferFill);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            m_error = std::error_code(errno, std::generic_category());
        if (n <= 0)
            break;
        m_bufferFill += static_cast<std::size_t>(n);
    }
    const std::uint8_t* b = m_buffer.data();
    if (m_bufferFill >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        m_encoding = kEncodingUtf16Le;
        m_bufferPos = 2;
    } else if (m_bufferFill >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        m_encoding = kEncodingUtf16Be;
        m_bufferPos = 2;
    } else if (m_bufferFill >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        m_encoding = kEncodingUtf8;
        m_bufferPos = 3;
    }
}

bool CTextFileRead::refill()
{
    m_bufferPos = m_bufferFill = 0;
    if (m_fd < 0 || m_error)
        return false;
    for (;;) {
        const ssize_t n = ::read(m_fd, m_buffer.data(), m_buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            m_error = std::error_code(errno, std::generic_category());
        if (n <= 0)
            return false;
        m_bufferFill = static_cast<std::size_t>(n);
        return true;
    }
}

int CTextFileRead::nextByte()
{
    if (m_bufferPos == m_bufferFill && !refill()) {
        m_endOfFile = true;
        return kEof;
    }
    return m_buffer[m_bufferPos++];
}

// One character in the file's encoding, or one byte of 8-bit and UTF-8 text, which are decoded a
// line at a time; kEof at the end of the file. An odd last byte of UTF-16 is kept as the unit
// 0xDC00 + byte, as the UTF-8 decoder keeps a stray byte, and endsWithOddByte() says so.
int CTextFileRead::nextChar()
{
    if (m_hasPending) {
        m_hasPending = false;
        return m_pending;
    }
    const int a = nextByte();
    if (a == kEof || (m_encoding != kEncodingUtf16Be && m_encoding != kEncodingUtf16Le))
        return a;
    const int b = nextByte();
    if (b == kEof) {
        m_endsWithOddByte = true;
        return byteUnit(static_cast<std::uint8_t>(a));
    }
    return m_encoding == kEncodingUtf16Be ? (a << 8 | b) : (b << 8 | a);
}

void CTextFileRead::skipLineEnd()
{
    if (!m_hasPushedBack)
        return;
    m_hasPushedBack = false;
    m_precedingLineEnd = ELineEnd::Lf;
    if (m_pushedBack != kCr)
        return;
    const int next = nextChar();
    m_precedingLineEnd = next == kLf ? ELineEnd::CrLf : ELineEnd::Cr;
    if (next != kLf) {
        m_pending = next;  // the first character of this line, or the end of the file
        m_hasPending = true;
    }
}

bool CTextFileRead::ReadLine(std::u16string& line)
{
    line.clear();
    if (m_encoding == kEncodingAnsi || m_encoding == kEncodingUtf8) {
        if (!readLineBytes(m_lineBytes))
            return false;
        if (m_encoding == kEncodingUtf8)
            appendUtf16FromUtf8Lossless(m_lineBytes, line);
        else
            codePage().appendUtf16(m_lineBytes, line);
        return true;
    }
    if (!startLine())
        return false;
    collectChars(line);
    return true;
}

// Steps over the line end that ended the previous line; false at the end of the file.
bool CTextFileRead::startLine()
{
    if (m_endOfFile && !m_hasPending)
        return false;
    if (m_firstLine)
        m_firstLine = false;
    else
        skipLineEnd();
    return true;
}

// 8-bit text and UTF-8: the line is gathered as bytes and converted as a whole, so that
// multi-byte sequences stay together. A CR or LF byte is never part of a sequence, so a broken
// sequence cannot take a line end with it.
bool CTextFileRead::readLineBytes(std::string& bytes)
{
    bytes.clear();
    if (!startLine())
        return false;
    collectLineBytes(bytes);
    return true;
}

bool CTextFileRead::takePending(int& c)
{
    if (!m_hasPending)
        return false;
    m_hasPending = false;
    c = m_pending;
    return true;
}

void CTextFileRead::pushBack(int c)
{
    m_pushedBack = static_cast<char16_t>(c);
    m_hasPushedBack = true;
}

bool CTextFileRead::addToLine(int c, std::u16string& line)
{
    if (c == kEof)
        return false;
    if (isLineEnd(c)) {
        pushBack(c);
        return false;
    }
    line.push_back(static_cast<char16_t>(c));
    return true;
}

void CTextFileRead::collectChars(std::u16string& line)
{
    while (addToLine(nextChar(), line)) {
    }
}

void CTextFileRead::collectLineBytes(std::string& bytes)
{
    int c = 0;
    if (takePending(c)) {
        if (c == kEof)
            return;
        if (isLineEnd(c)) {
            pushBack(c);
            return;
        }
        bytes.push_back(static_cast<char>(c));
    }
    for (;;) {
        if (m_bufferPos == m_bufferFill && !refill()) {
            m_endOfFile = true;
            break;
        }
        const std::uint8_t* begin = m_buffer.data() + m_bufferPos;
        const std::uint8_t* end = m_buffer.data() + m_bufferFill;
        const std::uint8_t* p = findLineEnd(begin, end);
        bytes.append(reinterpret_cast<const char*>(begin), static_cast<std::size_t>(p - begin));
        m_bufferPos = static_cast<std::size_t>(p - m_buffer.data());
        if (p != end) {
            pushBack(*p);
            ++m_bufferPos;
            break;
        }
    }
}

}  // namespace brindle
