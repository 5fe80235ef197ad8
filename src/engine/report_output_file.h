// The output file written while a report is built ("Compare Output File"), and the file a report
// document goes to.
#pragma once

#include "engine/merge_file_formatter.h"

#include <memory>
#include <string>
#include <string_view>

namespace brindle {

class CByteSink;

// The sink of an output file or a report document at path, which replaces its target only when
// committed; nullptr (nothing written) when path is empty or names one of the compared files.
// Throws CFileException when the file cannot be created.
std::unique_ptr<CByteSink> openReportSink(std::u16string_view path, std::u16string_view file1,
                                          std::u16string_view file2);

// Text goes in as 8-bit text of the system ANSI code page without a byte-order mark, each line
// ended by the line end given at open; characters the code page cannot hold become "?". The
// file replaces its target only at commit(): a cancelled or failed report leaves the previous
// file as it was.
class CReportOutputFile final : public CMergeLineSink {
public:
    CReportOutputFile();
    ~CReportOutputFile() override;

    // Opens path unless it is empty or names one of the compared files; returns whether the
    // file will be written. The new file is writable by its owner; a previous file that this
    // program did not write in its present state is kept as NAME.~N~ (openOutputFileSink).
    // Throws CFileException when the file cannot be created.
    bool open(std::u16string_view path, std::u16string_view file1, std::u16string_view file2,
              std::u16string_view lineEnd);
    // Writes into sink instead (tests).
    void open(std::unique_ptr<CByteSink> sink, std::u16string_view lineEnd);
    bool isOpen() const { return m_sink != nullptr; }

    void writeLine(std::u16string_view prefixOrMarker, const CDiffLine* line) override;
    // Raw bytes (binary comparisons, report documents).
    void writeBytes(std::string_view bytes);

    // Makes the written content the file's. Throws CFileException on failure.
    void commit();
    void discard();

private:
    void put(std::string_view bytes);
    void flush();

    std::unique_ptr<CByteSink> m_sink;
    std::u16string m_path;
    std::string m_lineEnd;
    std::string m_buffer;
    std::u16string m_text;
};

}  // namespace brindle
