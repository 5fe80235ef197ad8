// Running a comparison: for a window (text or binary, with progress, report and merge file) and
// quietly for a batch action (only its output file).
#pragma once

#include "engine/byte_sink.h"
#include "engine/report.h"

#include <string>
#include <string_view>
#include <vector>

namespace brindle {

class CCompFileOpt;

struct SRunOptions {
    // False leaves the RTF documents out of the report (items and files are still made).
    bool buildDocuments = true;
    // A text comparison's panes as references to the compared lines instead of RTF
    // (SReport::leftPane, rightPane); binary comparisons still make RTF.
    bool panesOnly = false;
    // With RTF documents: files to write them to, instead of keeping them in SReport::left and
    // right (a text report goes to its file while it is built). Empty for none.
    std::u16string documentFile1;
    std::u16string documentFile2;
};

// How a run ended. The report is shown only for Completed.
struct SRunOutcome {
    enum class Status {
        Completed,  // report built, merge file written when one was asked for and allowed
        NoFiles,    // a path was empty: nothing happened
        Cancelled,  // the user cancelled: no report, no merge file
        Failed,     // a file or memory error: message says what; no merge file
    };
    Status status = Status::NoFiles;
    std::string message;  // for Failed
    bool mergeFileWritten = false;
    bool mergeFileRefused = false;   // the merge file named one of the compared files
    bool outputFileRefused = false;  // so did the record's output file (it was cleared)
    // Earlier files that an output or merge file replaced, kept as NAME.~N~ beside them because
    // this program had not written them in their present state. Also after a failure.
    std::vector<SKeptBackup> keptBackups;
};

// The comparison of a window. Detects binary files when the record's comparison kind is 0 (and
// then sets it to 2), clears the record's result list, compares, builds the report into report
// and, for text, writes the merge file mergePath in the encoding of file 1; the document files of
// the options are written before the merge file. File and memory errors are caught here, once,
// and come back as Failed with their message.
SRunOutcome RunComparison(CCompFileOpt& record, std::u16string_view mergePath, SReport& report,
                          const SRunOptions& options = {});

// How a quiet batch action ended.
struct SQuietOutcome {
    enum class Status {
        Written,       // the output file was written
        NoOutputFile,  // compared, but the action names no output file
        NoFiles,       // a path was empty
        Binary,        // a binary pair: skipped, nothing written
        Refused,       // the output file names one of the compared files: not written
        Cancelled,
        Failed,
    };
    Status status = Status::NoFiles;
    std::string message;                   // for Failed
    std::vector<SKeptBackup> keptBackups;  // as in SRunOutcome
};

// One action of a batch run without a window: compares and writes the record's output file with
// the merge-file writer in the encoding of file 1; then frees the record's result list.
SQuietOutcome RunQuietComparison(CCompFileOpt& record);

}  // namespace brindle
