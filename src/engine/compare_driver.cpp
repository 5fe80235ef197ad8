#include "engine/compare_driver.h"

#include "engine/binary_comparison.h"
#include "engine/binary_test.h"
#include "engine/byte_sink.h"
#include "engine/cancel_flag.h"
#include "engine/comp_file_opt.h"
#include "engine/compare_lines.h"
#include "engine/compared_files.h"
#include "engine/engine_strings.h"
#include "engine/file_exception.h"
#include "engine/line_list.h"
#include "engine/merge_file.h"
#include "engine/progress.h"
#include "engine/report_builder.h"
#include "platform/utf8.h"

#include <new>

namespace brindle {

namespace {

// Kind 0 means "text unless a file is binary": test file 1 (noting its line ends), then file 2.
// A file that cannot be opened ends the run first: it is not compared as an empty file.
void detectKind(CCompFileOpt& record, bool& bareLf)
{
    checkInputFiles(record.m_file1Path, record.m_file2Path);
    if (record.m_comparisonKind != kComparisonText)
        return;
    if (IsBinary(record.m_file1Path, &bareLf) || IsBinary(record.m_file2Path))
        record.m_comparisonKind = kComparisonBinary;
}

// The line end of the files a comparison writes: file 1's own when it uses bare LF.
std::u16string_view outputLineEnd(bool bareLf) { return bareLf ? u"\n" : u"\r\n"; }

SLineCompareOptions lineOptions(const CCompFileOpt& record)
{
    SLineCompareOptions options;
    options.ignoreWhitespace = record.m_ignoreWhitespace != 0;
    options.ignoreCase = record.m_ignoreCase != 0;
    return options;
}

// Loads both files and compares them into the record's result list. The line lists live on with
// the result. Returns false when cancelled.
bool compareText(CCompFileOpt& record, int& encoding1)
{
    record.m_sections.clear();
    auto lines1 = std::make_shared<CLineList>(record.m_file1Path);
    auto lines2 = std::make_shared<CLineList>(record.m_file2Path);
    LoadLines(lines1->path(), *lines1);
    if (cancelRequested())
        return false;
    LoadLines(lines2->path(), *lines2);
    if (cancelRequested())
        return false;
    encoding1 = lines1->encoding();
    return CompareLines(lines1, lines2, lineOptions(record), record.m_sections);
}

SRunOutcome runText(CCompFileOpt& record, std::u16string_view mergePath, SReport& report, bool bareLf,
                    const SRunOptions& options)
{
    SRunOutcome outcome;
    const std::u16string_view lineEnd = outputLineEnd(bareLf);
    const std::unique_ptr<CProgress> progress = createProgress(kStrCreatingReport, 100, true);
    CActiveProgressScope active(progress.get());
    int encoding1 = 0;
    const std::u16string outputFile = record.m_outputFile;
    if (!compareText(record, encoding1) ||
        !BuildReport(record, lineEnd, report, SReportOptions{options.buildDocuments}) || cancelRequested()) {
        report = SReport{};
        outcome.status = SRunOutcome::Status::Cancelled;
        return outcome;
    }
    outcome.outputFileRefused = !outputFile.empty() && record.m_outputFile.empty();
    if (!mergePath.empty()) {
        outcome.mergeFileWritten = WriteMergeFile(record, mergePath, encoding1, lineEnd);
        outcome.mergeFileRefused = !outcome.mergeFileWritten;
    }
    outcome.status = SRunOutcome::Status::Completed;
    return outcome;
}

// The message of the exception being handled: a file error names the file and the reason.
// Called only inside a catch block.
std::string currentFailure()
{
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return u8(engineString(kStrNotEnoughMemory));
    } catch (const std::exception& e) {
        return e.what();
    }
}

SRunOutcome failed(std::string message)
{
    SRunOutcome outcome;
    outcome.status = SRunOutcome::Status::Failed;
    outcome.message = std::move(message);
    return outcome;
}

SRunOutcome runComparison(CCompFileOpt& record, std::u16string_view mergePath, SReport& report,
                          const SRunOptions& options)
{
    report = SReport{};
    if (record.m_file1Path.empty() || record.m_file2Path.empty())
        return {};
    setCancelRequested(false);
    try {
        bool bareLf = false;
        detectKind(record, bareLf);
        if (record.m_comparisonKind == kComparisonBinary) {
            SRunOutcome outcome;
            const std::u16string outputFile = record.m_outputFile;
            record.m_sections.clear();
            const std::unique_ptr<CProgress> progress = createProgress(kStrCreatingReport, 100, true);
            CActiveProgressScope active(progress.get());
            CompareBinary(record, report, options.buildDocuments);
            outcome.status = SRunOutcome::Status::Completed;
            outcome.outputFileRefused =
                !outputFile.empty() && namesComparedFile(outputFile, record.m_file1Path, record.m_file2Path);
            return outcome;
        }
        return runText(record, mergePath, report, bareLf, options);
    } catch (const std::exception&) {
        report = SReport{};
        return failed(currentFailure());
    }
}

SQuietOutcome runQuietComparison(CCompFileOpt& record)
{
    SQuietOutcome outcome;
    if (record.m_file1Path.empty() || record.m_file2Path.empty())
        return outcome;
    setCancelRequested(false);
    CActiveProgressScope noProgress(nullptr);
    try {
        bool bareLf = false;
        detectKind(record, bareLf);
        int encoding1 = 0;
        if (record.m_comparisonKind == kComparisonBinary) {
            outcome.status = SQuietOutcome::Status::Binary;
        } else if (!compareText(record, encoding1)) {
            outcome.status = SQuietOutcome::Status::Cancelled;
        } else if (record.m_outputFile.empty()) {
            outcome.status = SQuietOutcome::Status::NoOutputFile;
        } else {
            outcome.status = WriteMergeFile(record, record.m_outputFile, encoding1, outputLineEnd(bareLf))
                                 ? SQuietOutcome::Status::Written
                                 : SQuietOutcome::Status::Refused;
        }
    } catch (const std::exception&) {
        outcome.status = SQuietOutcome::Status::Failed;
        outcome.message = currentFailure();
    }
    record.m_sections.clear();
    return outcome;
}

}  // namespace

SRunOutcome RunComparison(CCompFileOpt& record, std::u16string_view mergePath, SReport& report,
                          const SRunOptions& options)
{
    const CKeptBackupsScope kept;
    SRunOutcome outcome = runComparison(record, mergePath, report, options);
    outcome.keptBackups = kept.backups();
    return outcome;
}

SQuietOutcome RunQuietComparison(CCompFileOpt& record)
{
    const CKeptBackupsScope kept;
    SQuietOutcome outcome = runQuietComparison(record);
    outcome.keptBackups = kept.backups();
    return outcome;
}

}  // namespace brindle
