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
#include "engine/memory_estimate.h"
#include "engine/merge_file.h"
#include "engine/merge_file_writer.h"
#include "engine/progress.h"
#include "engine/report_builder.h"
#include "engine/report_output_file.h"
#include "platform/utf8.h"

#include <chrono>
#include <future>
#include <new>
#include <optional>
#include <system_error>

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

// Reads the two files side by side: file 2 on a thread of its own while this thread reads file 1
// and then goes on polling, so that a click on Cancel is still seen. A failure to read file 1 is
// reported before one of file 2, as when they were read one after the other.
void loadBoth(CLineList& lines1, CLineList& lines2)
{
    std::future<std::size_t> second;
    try {
        second = std::async(std::launch::async, [&lines2] { return LoadLines(lines2.path(), lines2); });
    } catch (const std::system_error&) {
        LoadLines(lines1.path(), lines1);
        LoadLines(lines2.path(), lines2);
        return;
    }
    try {
        LoadLines(lines1.path(), lines1);
    } catch (...) {
        second.wait();
        throw;
    }
    while (second.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
        pollCancel();
    second.get();
}

// Loads both files and compares them into the record's result list. The line lists live on with
// the result. Returns false when cancelled; throws CMemoryException, before reading, when the
// comparison (with the report documents when withDocuments) would not fit in memory.
bool compareText(CCompFileOpt& record, int& encoding1, bool withDocuments)
{
    record.m_sections.clear();
    checkComparisonFits(record.m_file1Path, record.m_file2Path, withDocuments);
    auto lines1 = std::make_shared<CLineList>(record.m_file1Path);
    auto lines2 = std::make_shared<CLineList>(record.m_file2Path);
    loadBoth(*lines1, *lines2);
    if (cancelRequested())
        return false;
    encoding1 = lines1->encoding();
    return CompareLines(lines1, lines2, lineOptions(record), record.m_sections);
}

SReportOptions reportOptions(const SRunOptions& options)
{
    return {options.buildDocuments, options.panesOnly, options.documentFile1, options.documentFile2};
}

// A document made whole (binary comparisons) into its file, when it has one; the report then no
// longer holds it.
void writeDocumentFile(const std::u16string& path, std::string& document, const CCompFileOpt& record)
{
    CReportOutputFile file;
    if (!file.open(path, record.m_file1Path, record.m_file2Path, u"\r\n"))
        return;
    file.writeBytes(document);
    file.commit();
    document.clear();
}

// Starts writing the merge file's lines on a thread of their own; nothing (finishLines() then
// writes them) when the file is refused or no thread can be started.
std::future<bool> startLines(CMergeFileWriter& merge)
{
    if (merge.refused())
        return {};
    try {
        return std::async(std::launch::async, [&merge] { return merge.writeLines(true); });
    } catch (const std::system_error&) {
        return {};
    }
}

// Waits for the merge file's lines; false when they stopped at a cancel, and rethrows the failure
// of the thread that wrote them. Messages are not pumped meanwhile: the report is complete and its
// documents are in their files, so a click on Cancel now would only leave the merge file out, as
// it never could while the merge file was written after the report.
bool finishLines(CMergeFileWriter& merge, std::future<bool>& lines)
{
    if (!lines.valid())
        return merge.writeLines(true);
    return lines.get();
}

SRunOutcome cancelledRun(SReport& report)
{
    report = SReport{};
    SRunOutcome outcome;
    outcome.status = SRunOutcome::Status::Cancelled;
    return outcome;
}

// The merge file's lines are written on a second thread while this one builds the report: both
// only read the result list. The merge file replaces its target only once the report is complete,
// here, so that a cancelled or failed report leaves it as it was, and a failure of the report
// comes before one of the merge file, as when the one followed the other.
SRunOutcome runText(CCompFileOpt& record, std::u16string_view mergePath, SReport& report, bool bareLf,
                    const SRunOptions& options)
{
    SRunOutcome outcome;
    const std::u16string_view lineEnd = outputLineEnd(bareLf);
    const std::unique_ptr<CProgress> progress = createProgress(kStrCreatingReport, 100, true);
    CActiveProgressScope active(progress.get());
    int encoding1 = 0;
    const std::u16string outputFile = record.m_outputFile;
    // Documents that go to their files while they are built are never held whole.
    const bool heldDocuments = options.buildDocuments && !options.panesOnly &&
                               (options.documentFile1.empty() || options.documentFile2.empty());
    if (!compareText(record, encoding1, heldDocuments))
        return cancelledRun(report);
    std::optional<CMergeFileWriter> merge;
    if (!mergePath.empty())
        merge.emplace(record, mergePath, encoding1, lineEnd);
    // Declared after merge: leaving early waits here for the thread before merge is discarded.
    std::future<bool> lines = merge ? startLines(*merge) : std::future<bool>();
    if (!BuildReport(record, lineEnd, report, reportOptions(options)) || cancelRequested())
        return cancelledRun(report);
    outcome.outputFileRefused = !outputFile.empty() && record.m_outputFile.empty();
    if (merge) {
        if (!finishLines(*merge, lines))
            return cancelledRun(report);
        merge->commit();
        outcome.mergeFileWritten = !merge->refused();
        outcome.mergeFileRefused = merge->refused();
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
            if (options.buildDocuments)
                checkBinaryReportFits(record.m_file1Path, record.m_file2Path, options.panesOnly);
            CompareBinary(record, report, options.buildDocuments);
            writeDocumentFile(options.documentFile1, report.left, record);
            writeDocumentFile(options.documentFile2, report.right, record);
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
        } else if (!compareText(record, encoding1, false)) {
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
