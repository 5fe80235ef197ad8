// The merge file of a text comparison written in steps, so that its lines can be written on one
// thread while another builds the report.
#pragma once

#include "engine/text_file_write.h"

#include <string_view>

namespace brindle {

class CCompFileOpt;

// Opens the merge file on construction (on the thread that will commit it), writes its lines
// into the temporary file with writeLines() (on any one thread) and replaces the target only at
// commit(). The layout, encoding and line ends are those of WriteMergeFile. Refuses (writes
// nothing) an empty path or one that names a compared file of the record.
//
// Does not own the record; it and its result list must stay unchanged until commit() or
// discard(). writeLines() reads only the record and the lines, so another thread may go on
// reading them meanwhile; it touches neither the settings store nor progress, and tests only
// cancelRequested(). The destructor discards a file that was not committed: the target is then
// untouched.
class CMergeFileWriter {
public:
    CMergeFileWriter(const CCompFileOpt& record, std::u16string_view path, int encoding, std::u16string_view lineEnd);
    ~CMergeFileWriter();
    CMergeFileWriter(const CMergeFileWriter&) = delete;
    CMergeFileWriter& operator=(const CMergeFileWriter&) = delete;

    bool refused() const { return m_refused; }

    // Writes every line of the merge layout and flushes the file to disk (CTextFileWrite::sync),
    // so that commit() has little left to do. With stopOnCancel, returns false when a cancel was
    // requested before the last line (the content is then incomplete and commit() must not
    // follow). Throws CFileException when the file cannot be created or written; the temporary
    // file is then already removed.
    bool writeLines(bool stopOnCancel);
    // Replaces the target with what writeLines() wrote, keeping a changed earlier file as a
    // numbered backup (noted in this thread's CKeptBackupsScope) and noting the file in the
    // record of written files. Throws CFileException.
    void commit();
    // Drops what was written; the target stays as it was.
    void discard();

private:
    const CCompFileOpt& m_record;
    std::u16string_view m_lineEnd;
    bool m_refused = false;
    CTextFileWrite m_writer;
};

}  // namespace brindle
