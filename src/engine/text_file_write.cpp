#include "engine/text_file_write.h"

#include "engine/byte_sink.h"
#include "engine/file_exception.h"
#include "platform/code_page.h"
#include "platform/utf16_units.h"
#include "platform/utf8.h"

#include <exception>

namespace brindle {

namespace {

// Without a file, the failure surfaces once this many bytes wait to be written.
constexpr std::size_t kPendingLimitWithoutFile = 1024;
// With a file, bytes are written out in larger blocks for speed.
constexpr std::size_t kWriteBlock = 64 * 1024;

}  // namespace

CTextFileWrite::CTextFileWrite() { m_buffer.reserve(kWriteBlock); }

CTextFileWrite::~CTextFileWrite()
{
    if (!m_open)
        return;
    if (std::uncaught_exceptions() > 0) {
        if (m_sink)
            m_sink->discard();
        return;
    }
    try {
        Close();
    } catch (...) {
        // Destructors never throw; callers that care call Close() themselves.
    }
}

bool CTextFileWrite::Open(std::u16string_view path, int encoding)
{
    std::error_code error;
    std::unique_ptr<CByteSink> sink = openFileSink(path, error);
    return openSink(std::move(sink), error, encoding, path);
}

bool CTextFileWrite::OpenOutputFile(std::u16string_view path, int encoding)
{
    std::error_code error;
    std::unique_ptr<CByteSink> sink = openOutputFileSink(path, error);
    return openSink(std::move(sink), error, encoding, path);
}

bool CTextFileWrite::openSink(std::unique_ptr<CByteSink> sink, const std::error_code& error, int encoding,
                              std::u16string_view path)
{
    const bool opened = Open(std::move(sink), encoding, path);
    m_openError = error;
    return opened;
}

bool CTextFileWrite::Open(std::unique_ptr<CByteSink> sink, int encoding, std::u16string_view path)
{
    if (m_open && m_sink)
        m_sink->discard();
    m_sink = std::move(sink);
    m_path.assign(path);
    m_openError.clear();
    m_open = true;
    m_encoding = encoding;
    m_replacementUsed = false;
    m_hasHeldUnit = false;
    m_buffer.clear();
    switch (encoding) {
    case kEncodingUtf16Be: put("\xFE\xFF", 2); break;
    case kEncodingUtf16Le: put("\xFF\xFE", 2); break;
    case kEncodingUtf8: put("\xEF\xBB\xBF", 3); break;
    default: break;
    }
    return m_sink != nullptr;
}

void CTextFileWrite::put(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    m_buffer.insert(m_buffer.end(), bytes, bytes + size);
    if (!m_sink && m_buffer.size() >= kPendingLimitWithoutFile)
        fail(static_cast<int>(CFileException::Operation::Create));
    if (m_buffer.size() >= kWriteBlock)
        flush();
}

void CTextFileWrite::flush()
{
    if (m_buffer.empty())
        return;
    if (!m_sink)
        fail(static_cast<int>(CFileException::Operation::Create));
    if (!m_sink->write(m_buffer.data(), m_buffer.size()))
        fail(static_cast<int>(CFileException::Operation::Write));
    m_buffer.clear();
}

void CTextFileWrite::fail(int operation)
{
    std::error_code error = m_sink ? m_sink->error() : m_openError;
    if (m_sink)
        m_sink->discard();
    m_sink.reset();
    m_open = false;
    m_buffer.clear();
    throw CFileException(m_path, static_cast<CFileException::Operation>(operation), error);
}

bool CTextFileWrite::isUtf16() const { return m_encoding == kEncodingUtf16Be || m_encoding == kEncodingUtf16Le; }

// One unit of UTF-16 text; UTF-8 goes through WriteString as a whole.
void CTextFileWrite::putUnit(char16_t u)
{
    if (!m_endsWithOddByte) {
        putUtf16(u);
        return;
    }
    putHeldUnit(false);
    m_heldUnit = u;
    m_hasHeldUnit = true;
}

void CTextFileWrite::putUtf16(char16_t u)
{
    std::uint8_t bytes[2];
    if (m_encoding == kEncodingUtf16Be) {
        bytes[0] = static_cast<std::uint8_t>(u >> 8);
        bytes[1] = static_cast<std::uint8_t>(u);
    } else {
        bytes[0] = static_cast<std::uint8_t>(u);
        bytes[1] = static_cast<std::uint8_t>(u >> 8);
    }
    put(bytes, 2);
}

// Writes the held unit: with the next unit, or at Close as the file's last, where a unit that
// stands for the odd last byte becomes that byte again.
void CTextFileWrite::putHeldUnit(bool last)
{
    if (!m_hasHeldUnit)
        return;
    m_hasHeldUnit = false;
    if (last && m_heldUnit >= kByteUnitBase && m_heldUnit <= kByteUnitBase + 0xFF) {
        const auto byte = static_cast<std::uint8_t>(m_heldUnit - kByteUnitBase);
        put(&byte, 1);
        return;
    }
    putUtf16(m_heldUnit);
}

void CTextFileWrite::WriteString(std::u16string_view text)
{
    if (!m_open)
        return;
    if (m_encoding == kEncodingAnsi) {
        m_converted.clear();
        if (codePage().appendBytes(text, m_converted, m_replacement ? m_replacement : '?'))
            m_replacementUsed = true;
        put(m_converted.data(), m_converted.size());
        return;
    }
    if (!isUtf16()) {
        m_converted.clear();
        appendUtf8FromUtf16KeepingSurrogates(text, m_converted);
        put(m_converted.data(), m_converted.size());
        return;
    }
    for (char16_t u : text)
        putUnit(u);
}

void CTextFileWrite::WriteAscii(std::string_view text)
{
    if (!m_open)
        return;
    if (!isUtf16()) {
        put(text.data(), text.size());
        return;
    }
    for (const char c : text)
        putUnit(static_cast<char16_t>(c));
}

void CTextFileWrite::sync()
{
    if (!m_open)
        return;
    flush();
    if (!m_sink)
        fail(static_cast<int>(CFileException::Operation::Create));
    // Flushing to disk is part of replacing the target: failing it fails as Close would.
    if (!m_sink->sync())
        fail(static_cast<int>(CFileException::Operation::Replace));
}

void CTextFileWrite::discard()
{
    if (m_open && m_sink)
        m_sink->discard();
    m_sink.reset();
    m_open = false;
    m_hasHeldUnit = false;
    m_buffer.clear();
}

void CTextFileWrite::WriteEndl() { WriteString(u"\r\n"); }

void CTextFileWrite::Close()
{
    if (!m_open)
        return;
    putHeldUnit(true);
    flush();
    if (!m_sink)
        fail(static_cast<int>(CFileException::Operation::Create));
    if (!m_sink->commit())
        fail(static_cast<int>(CFileException::Operation::Replace));
    m_sink.reset();
    m_open = false;
}

}  // namespace brindle
