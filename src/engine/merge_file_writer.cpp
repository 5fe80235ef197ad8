#include "engine/merge_file_writer.h"

#include "engine/cancel_flag.h"
#include "engine/comp_file_opt.h"
#include "engine/compared_files.h"
#include "engine/diff_line.h"
#include "engine/merge_file_formatter.h"

#include <string>

namespace brindle {

namespace {

// Thrown by the sink to leave the formatter's walk early; caught in writeLines().
struct SCancelled {};

class CTextFileLineSink final : public CMergeLineSink {
public:
    CTextFileLineSink(CTextFileWrite& writer, std::u16string_view lineEnd, bool stopOnCancel)
        : m_writer(writer), m_lineEnd(lineEnd), m_stopOnCancel(stopOnCancel)
    {
    }

    void writeLine(std::u16string_view prefixOrMarker, const CDiffLine* line) override
    {
        // Tested once every 1024 lines: a line costs less than the atomic load.
        if (m_stopOnCancel && (++m_lines & 1023) == 0 && cancelRequested())
            throw SCancelled();
        m_writer.WriteString(prefixOrMarker);
        if (line && line->isAscii()) {
            m_writer.WriteAscii(line->asciiText());
        } else if (line) {
            m_text.clear();
            line->appendTextTo(m_text);
            m_writer.WriteString(m_text);
        }
        m_writer.WriteString(m_lineEnd);
    }

private:
    CTextFileWrite& m_writer;
    std::u16string_view m_lineEnd;
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
