#include "engine/merge_file_writer.h"

#include "engine/cancel_flag.h"
#include "engine/comp_file_opt.h"
#include "engine/compared_files.h"
#include "engine/diff_line.h"
#include "engine/merge_file_formatter.h"

#include <algorithm>
#include <string>

namespace brindle {

namespace {

// Thrown by the sink to leave the formatter's walk early; caught in writeLines().
struct SCancelled {};

bool isAsciiText(std::u16string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
}

class CTextFileLineSink final : public CMergeLineSink {
public:
    CTextFileLineSink(CTextFileWrite& writer, std::u16string_view lineEnd, bool stopOnCancel)
        : m_writer(writer), m_lineEnd(lineEnd), m_asciiLineEnd(isAsciiText(lineEnd)), m_stopOnCancel(stopOnCancel)
    {
        if (m_asciiLineEnd)
            m_lineEndBytes.assign(lineEnd.begin(), lineEnd.end());
    }

    void writeLine(std::u16string_view prefixOrMarker, const CDiffLine* line) override
    {
        // Tested once every 1024 lines: a line costs less than the atomic load.
        if (m_stopOnCancel && (++m_lines & 1023) == 0 && cancelRequested())
            throw SCancelled();
        writeText(prefixOrMarker);
        if (line && line->isAscii()) {
            m_writer.WriteAscii(line->asciiText());
        } else if (line) {
            m_text.clear();
            line->appendTextTo(m_text);
            m_writer.WriteString(m_text);
        }
        if (m_asciiLineEnd)
            m_writer.WriteAscii(m_lineEndBytes);
        else
            m_writer.WriteString(m_lineEnd);
    }

private:
    // ASCII text goes in as bytes (the same bytes, see WriteAscii): converting the prefix and
    // the line end through the code page for every line cost more than writing the line.
    void writeText(std::u16string_view text)
    {
        if (text.empty())
            return;
        if (!isAsciiText(text)) {
            m_writer.WriteString(text);
            return;
        }
        m_bytes.assign(text.begin(), text.end());
        m_writer.WriteAscii(m_bytes);
    }

    CTextFileWrite& m_writer;
    std::u16string_view m_lineEnd;
    bool m_asciiLineEnd;
    std::string m_lineEndBytes;
    std::string m_bytes;
    std::u16string m_text;
    bool m_stopOnCancel;
    unsigned m_lines = 0;
};

}  // namespace

CMergeFileWriter::CMergeFileWriter(const CCompFileOpt& record, std::u16string_view path, int encoding,
                                   std::u16string_view lineEnd)
    : m_record(record), m_lineEnd(lineEnd),
      m_refused(path.empty() || namesComparedFile(path, record.m_file1Path, record.m_file2Path))
{
    if (!m_refused)
        m_writer.OpenOutputFile(path, encoding);
}

CMergeFileWriter::~CMergeFileWriter() { discard(); }

bool CMergeFileWriter::writeLines(bool stopOnCancel)
{
    if (m_refused)
        return true;
    CTextFileLineSink sink(m_writer, m_lineEnd, stopOnCancel);
    try {
        CMergeFileFormatter(m_record, sink).writeAll();
    } catch (const SCancelled&) {
        return false;
    }
    m_writer.sync();
    return true;
}

void CMergeFileWriter::commit()
{
    if (!m_refused)
        m_writer.Close();
}

void CMergeFileWriter::discard() { m_writer.discard(); }

}  // namespace brindle
