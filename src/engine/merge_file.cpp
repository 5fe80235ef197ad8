#include "engine/merge_file.h"

#include "engine/comp_file_opt.h"
#include "engine/compared_files.h"
#include "engine/diff_line.h"
#include "engine/merge_file_formatter.h"
#include "engine/text_file_write.h"

namespace brindle {

namespace {

class CTextFileLineSink final : public CMergeLineSink {
public:
    CTextFileLineSink(CTextFileWrite& writer, std::u16string_view lineEnd) : m_writer(writer), m_lineEnd(lineEnd) {}

    void writeLine(std::u16string_view prefixOrMarker, const CDiffLine* line) override
    {
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
};

}  // namespace

bool WriteMergeFile(const CCompFileOpt& record, std::u16string_view path, int encoding, std::u16string_view lineEnd)
{
    if (path.empty() || namesComparedFile(path, record.m_file1Path, record.m_file2Path))
        return false;
    CTextFileWrite writer;
    writer.OpenOutputFile(path, encoding);
    CTextFileLineSink sink(writer, lineEnd);
    CMergeFileFormatter(record, sink).writeAll();
    writer.Close();
    return true;
}

}  // namespace brindle
