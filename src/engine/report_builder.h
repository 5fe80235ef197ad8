// The report of a text comparison: two aligned RTF documents, the section-list items, and the
// output file written on the way.
#pragma once

#include "engine/report.h"

#include <string>
#include <string_view>

namespace brindle {

class CCompFileOpt;

struct SReportOptions {
    // False skips the RTF documents (items, line counts and the output file are still made),
    // for callers that show no panes.
    bool buildDocuments = true;
    // With buildDocuments, the panes of a text comparison are made as references to the compared
    // lines (SReport::leftPane, rightPane) instead of as RTF: what the comparison window shows.
    bool panesOnly = false;
    // With RTF documents: files they go to while they are built, instead of SReport::left and
    // right (which then stay empty), so that a long report is never held whole. A file replaces
    // its target only when the report is complete; empty for none.
    std::u16string documentFile1;
    std::u16string documentFile2;
};

// Walks the record's result list and builds both documents and the items under the root
// "Comparison Results": common lines black, difference groups blue with what differs red (a
// group whose file-1 side has "Max Lines Show Diff" lines or more, or which has only one side,
// is red as a whole), lines numbered when "Show Line Numbers" is on, both documents always with
// the same number of lines. Writes the record's output file in the merge layout with lineEnd
// ("\r\n", or "\n" when file 1 uses LF-only line ends), unless it names a compared file, in which
// case the record's output file is cleared. Progress goes to the active progress dialog. Returns
// false when cancelled: the report then holds the items made so far but no documents, and the
// output file is not replaced. Throws CFileException when the output file or a document file
// cannot be written.
bool BuildReport(CCompFileOpt& record, std::u16string_view lineEnd, SReport& report,
                 const SReportOptions& options = {});

}  // namespace brindle
