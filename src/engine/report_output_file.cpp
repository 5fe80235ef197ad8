#include "engine/report_output_file.h"

#include "engine/byte_sink.h"
#include "engine/compared_files.h"
#include "engine/diff_line.h"
#include "engine/file_exception.h"
#include "platform/code_page.h"

namespace brindle {

namespace {
constexpr std::size_t kWriteBlock = 64 * 1024;
}  // namespace

std::unique_ptr<CByteSink> openReportSink(std::u16string_view path, std::u16string_view file1,
                                          std::u16string_view file2)
{
    if (path.empty() || namesComparedFile(path, file1, file2))
        return nullptr;
    std::error_code error;
    std::unique_ptr<CByteSink> sink = openOutputFileSink(path, error);
    if (!sink)
        throw CFileException(std::u16string(path), CFileException::Operation::Create, error);
    return sink;
}

CReportOutputFile::CReportOutputFile() = default;

CReportOutputFile::~CReportOutputFile() { discard(); }

bool CReportOutputFile::open(std::u16string_view path, std::u16string_view file1, std::u16string_view file2,
                             std::u16string_view lineEnd)
{
    discard();
    std::unique_ptr<CByteSink> sink = openReportSink(path, file1, file2);
    if (!sink)
        return false;
    m_path.assign(path);
    open(std::move(sink), lineEnd);
    return true;
}

void CReportOutputFile::open(std::unique_ptr<CByteSink> sink, std::u16string_view lineEnd)
{
    m_sink = std::move(sink);
    m_lineEnd = CCodePage::ansi().toBytes(lineEnd);
    m_buffer.clear();
}

void CReportOutputFile::put(std::string_view bytes)
{
    m_buffer.append(bytes);
    if (m_buffer.size() >= kWriteBlock)
        flush();
}

void CReportOutputFile::flush()
{
    if (!m_sink || m_buffer.empty())
        return;
    if (!m_sink->write(m_buffer.data(), m_buffer.size())) {
        const std::error_code error = m_sink->error();
        discard();
        throw CFileException(m_path, CFileException::Operation::Write, error);
    }
    m_buffer.clear();
}

void CReportOutputFile::writeLine(std::u16string_view prefixOrMarker, const CDiffLine* line)
{
    if (!m_sink)
        return;
    m_text.assign(prefixOrMarker);
    if (line)
        line->appendTextTo(m_text);
    std::string bytes;
    CCodePage::ansi().appendBytes(m_text, bytes);
    bytes += m_lineEnd;
    put(bytes);
}

void CReportOutputFile::writeBytes(std::string_view bytes)
{
    if (m_sink)
        put(bytes);
}

void CReportOutputFile::commit()
{
    if (!m_sink)
        return;
    flush();
    if (!m_sink->commit()) {
        const std::error_code error = m_sink->error();
        discard();
        throw CFileException(m_path, CFileException::Operation::Replace, error);
    }
    m_sink.reset();
}

void CReportOutputFile::discard()
{
    if (m_sink)
        m_sink->discard();
    m_sink.reset();
    m_buffer.clear();
}

}  // namespace brindle
