#include "engine/report_builder.h"

#include "engine/byte_sink.h"
#include "engine/cancel_flag.h"
#include "engine/comp_file_opt.h"
#include "engine/compared_files.h"
#include "engine/diff_section.h"
#include "engine/engine_strings.h"
#include "engine/file_exception.h"
#include "engine/line_span.h"
#include "engine/merge_file_formatter.h"
#include "engine/progress.h"
#include "engine/report_output_file.h"
#include "engine/report_pane.h"
#include "engine/rtf_document.h"
#include "engine/section_groups.h"
#include "engine/streamed_documents.h"
#include "platform/file_system.h"
#include "platform/utf16_units.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace brindle {

namespace {

// A document with a file goes to it in pieces of about this size: large enough that handing one
// over costs nothing next to building it, small enough to stay in the cache.
constexpr std::size_t kDocumentPiece = std::size_t{1} << 20;

// The file a report document goes to while it is built.
struct SDocumentFile {
    std::u16string path;
    std::unique_ptr<CByteSink> sink;  // nullptr: the document stays in the report
};

// Where the red part of one line of a difference lies: [redBegin, redEnd) in its characters.
struct SRedPart {
    bool red = false;
    std::size_t redBegin = 0;
    std::size_t redEnd = 0;
};

// True when the common end of a line, tail units long, starts inside a surrogate pair.
bool tailSplitsPair(std::u16string_view line, std::size_t tail)
{
    return tail > 0 && tail < line.size() && isLowSurrogate(line[line.size() - tail]) &&
           isHighSurrogate(line[line.size() - tail - 1]);
}

// The differing middle of two lines: after their common beginning, before their common end (the
// end never reaching into the beginning). A common end that starts with a space leaves the space
// red. Neither boundary falls inside a surrogate pair: a character above U+FFFF is red or not as
// a whole.
void differingParts(std::u16string_view a, std::u16string_view b, SRedPart& partA, SRedPart& partB)
{
    const std::size_t shorter = std::min(a.size(), b.size());
    std::size_t head = 0;
    while (head < shorter && a[head] == b[head])
        ++head;
    if (head == a.size() && head == b.size())
        return;  // equal lines get no red
    if (head > 0 && isHighSurrogate(a[head - 1]))
        --head;
    std::size_t tail = 0;
    while (tail < shorter - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    if (tailSplitsPair(a, tail) || tailSplitsPair(b, tail))
        --tail;
    if (tail > 0 && a[a.size() - tail] == u' ')
        --tail;
    partA = {true, head, a.size() - tail};
    partB = {true, head, b.size() - tail};
}

class CTextReportBuilder {
public:
    CTextReportBuilder(CCompFileOpt& record, SReport& report, const SReportOptions& options)
        : m_record(record), m_report(report), m_options(options),
          m_documents(options.buildDocuments && !options.panesOnly),
          m_panes(options.buildDocuments && options.panesOnly), m_progress(activeProgress())
    {
    }

    bool build(std::u16string_view lineEnd);

private:
    bool cancelled();
    void start();
    void startDocuments();
    void startPanes();
    void openDocumentFile(const std::u16string& path, SDocumentFile& file);
    void passOn(std::size_t atLeast);
    void passOn(CRtfDocument& document, CStreamedDocuments::ESide side, std::size_t atLeast);
    void finishDocuments();
    void commitDocumentFile(SDocumentFile& file, CStreamedDocuments::ESide side);
    bool commonSection(const SSectionGroup& group);
    bool differenceGroup(const SSectionGroup& group);
    void writeRow(const CDiffLine* line1, const CDiffLine* line2, bool highlight);
    void writeSide(CRtfDocument& document, const CDiffLine* line, std::u16string_view text, bool wholeRed,
                   const SRedPart& red);
    void addPaneRow(CReportPane& pane, const CDiffLine* line, EReportColour colour, bool wholeRed, const SRedPart& red);
    std::int32_t shownNumber(std::int32_t number) const { return m_record.m_showLineNumbers ? number : 0; }
    void writeLine(CRtfDocument& document, std::int32_t number, std::u16string_view text, const SRedPart& red);
    void writeRedLine(CRtfDocument& document, std::int32_t number, std::u16string_view text);
    void addItem(const SSectionGroup& group, int image);
    void writeText(CRtfDocument& document, const CDiffLine& line);

    CCompFileOpt& m_record;
    SReport& m_report;
    const SReportOptions& m_options;
    bool m_documents;
    bool m_panes;
    CProgress* m_progress;
    CRtfDocument m_left;
    CRtfDocument m_right;
    SDocumentFile m_leftFile;
    SDocumentFile m_rightFile;
    // Writes the documents into their files on a thread of its own. Declared after the files: it
    // stops before they are discarded.
    std::optional<CStreamedDocuments> m_stream;
    std::size_t m_passedOn = 0;  // bytes of both documents handed to m_stream
    std::shared_ptr<CReportPane> m_leftPane;
    std::shared_ptr<CReportPane> m_rightPane;
    // The colour of the difference group being written, in each pane.
    EReportColour m_groupLeft = kReportBlue;
    EReportColour m_groupRight = kReportBlue;
    CReportOutputFile m_output;
    std::u16string m_missing;
    std::int32_t m_reportLine = 0;
    std::uint32_t m_rows = 0;
    std::u16string m_textLeft;
    std::u16string m_textRight;
};

bool CTextReportBuilder::cancelled()
{
    // Progress is shown every 256 rows: showing it reads the clock, which costs more than a row.
    if (m_progress && (m_rows & 255) == 0)
        m_progress->setPosition(static_cast<std::int64_t>(m_passedOn + m_left.size() + m_right.size()));
    if (m_stream && (m_rows & 15) == 0)
        passOn(kDocumentPiece);
    ++m_rows;
    return pollCancel();
}

// Hands what each document with a file holds to its file, once it holds atLeast bytes.
void CTextReportBuilder::passOn(std::size_t atLeast)
{
    passOn(m_left, CStreamedDocuments::kLeft, atLeast);
    passOn(m_right, CStreamedDocuments::kRight, atLeast);
}

void CTextReportBuilder::passOn(CRtfDocument& document, CStreamedDocuments::ESide side, std::size_t atLeast)
{
    if (!m_stream->streams(side) || document.size() < atLeast || document.size() == 0)
        return;
    m_passedOn += document.size();
    std::string next = m_stream->recycled();
    // Room for the piece and the rows that may follow before the next look.
    next.reserve(kDocumentPiece + kDocumentPiece / 4);
    m_stream->add(side, document.takeChunk(std::move(next)));
}

// Like the output file, a document file that names a compared file is not written.
void CTextReportBuilder::openDocumentFile(const std::u16string& path, SDocumentFile& file)
{
    file.sink = openReportSink(path, m_record.m_file1Path, m_record.m_file2Path);
    if (file.sink)
        file.path = path;
}

void CTextReportBuilder::start()
{
    m_report = SReport{};
    m_report.rootText = engineString(kStrComparisonResults);
    m_missing = engineString(kStrMissing);
    if (m_panes)
        startPanes();
    if (m_documents)
        startDocuments();
}

void CTextReportBuilder::startDocuments()
{
    m_record.m_fontSize = CCompFileOpt::validFontSize(m_record.m_fontSize);
    const std::u16string& file1 = m_record.m_file1Path;
    const std::u16string& file2 = m_record.m_file2Path;
    openDocumentFile(m_options.documentFile1, m_leftFile);
    openDocumentFile(m_options.documentFile2, m_rightFile);
    if (m_leftFile.sink || m_rightFile.sink)
        m_stream.emplace(m_leftFile.sink.get(), m_rightFile.sink.get());
    m_left.start(m_record.m_fontName, m_record.m_fontSize);
    m_right.start(m_record.m_fontName, m_record.m_fontSize);
    const auto size1 = fileAttributes(file1);
    const auto size2 = fileAttributes(file2);
    if (size1 && size2) {
        const auto total = static_cast<std::size_t>(size1->size + size2->size);
        m_left.reserve(m_leftFile.sink ? 2 * kDocumentPiece : 2 * total);
        m_right.reserve(m_rightFile.sink ? 2 * kDocumentPiece : 2 * total);
        if (m_progress)
            m_progress->setTotal(static_cast<std::int64_t>(total));
    }
}

// The documents are complete: into their files, which then replace their targets, or into the
// report.
void CTextReportBuilder::finishDocuments()
{
    m_left.raw("}");
    m_right.raw("}");
    if (m_stream) {
        passOn(0);
        m_stream->finish();
        commitDocumentFile(m_leftFile, CStreamedDocuments::kLeft);
        commitDocumentFile(m_rightFile, CStreamedDocuments::kRight);
    }
    m_report.left = m_left.takeBytes();
    m_report.right = m_right.takeBytes();
}

// Replaces the target of a document file with what its thread wrote; throws as the output file
// does when that failed.
void CTextReportBuilder::commitDocumentFile(SDocumentFile& file, CStreamedDocuments::ESide side)
{
    if (!file.sink)
        return;
    if (!m_stream->written(side)) {
        const std::error_code error = file.sink->error();
        file.sink->discard();
        throw CFileException(file.path, CFileException::Operation::Write, error);
    }
    if (!file.sink->commit()) {
        const std::error_code error = file.sink->error();
        file.sink->discard();
        throw CFileException(file.path, CFileException::Operation::Replace, error);
    }
    file.sink.reset();
}

void CTextReportBuilder::startPanes()
{
    m_record.m_fontSize = CCompFileOpt::validFontSize(m_record.m_fontSize);
    m_leftPane = std::make_shared<CReportPane>(m_record.m_fontName, m_record.m_fontSize);
    m_rightPane = std::make_shared<CReportPane>(m_record.m_fontName, m_record.m_fontSize);
    for (const std::shared_ptr<CLineList>& lines : m_record.m_sections.lineLists()) {
        m_leftPane->keepAlive(lines);
        m_rightPane->keepAlive(lines);
    }
}

void CTextReportBuilder::writeText(CRtfDocument& document, const CDiffLine& line)
{
    if (line.isAscii()) {
        document.escapedBytes(line.asciiText());
        return;
    }
    m_textLeft.clear();
    line.appendTextTo(m_textLeft);
    document.text(m_textLeft);
}

void CTextReportBuilder::addItem(const SSectionGroup& group, int image)
{
    m_report.items.push_back({sectionLabel(group, m_missing), image, m_reportLine});
}

// A line of a difference: its number, then its text with the red part between the two switches.
void CTextReportBuilder::writeLine(CRtfDocument& document, std::int32_t number, std::u16string_view text,
                                   const SRedPart& red)
{
    if (m_record.m_showLineNumbers)
        document.lineNumber(number);
    const bool escapes = CRtfDocument::needsUnicodeEscapes(text);
    if (!red.red) {
        document.text(text, escapes);
    } else {
        document.text(text.substr(0, red.redBegin), escapes);
        document.raw(kRtfToRed);
        document.text(text.substr(red.redBegin, red.redEnd - red.redBegin), escapes);
        document.raw(kRtfToBlue);
        document.text(text.substr(red.redEnd), escapes);
    }
    document.raw(kRtfLineEnd);
}

// A line facing an empty line on the other side: red as a whole, number included.
void CTextReportBuilder::writeRedLine(CRtfDocument& document, std::int32_t number, std::u16string_view text)
{
    document.raw(kRtfToRed);
    if (m_record.m_showLineNumbers)
        document.lineNumber(number);
    document.text(text);
    document.raw(kRtfToBlue);
    document.raw(kRtfLineEnd);
}

// One report line of a difference group. With highlighting, a line that faces an empty report
// line (no line at all, or an empty line shown without a number) is red as a whole; two lines
// facing each other are red where they differ.
void CTextReportBuilder::writeRow(const CDiffLine* line1, const CDiffLine* line2, bool highlight)
{
    m_textLeft.clear();
    m_textRight.clear();
    if (line1)
        line1->appendTextTo(m_textLeft);
    if (line2)
        line2->appendTextTo(m_textRight);
    SRedPart red1;
    SRedPart red2;
    bool wholeRed1 = false;
    bool wholeRed2 = false;
    if (highlight) {
        const bool numbers = m_record.m_showLineNumbers != 0;
        const bool empty1 = !line1 || (!numbers && m_textLeft.empty());
        const bool empty2 = !line2 || (!numbers && m_textRight.empty());
        if (empty1 != empty2) {
            wholeRed1 = empty2;
            wholeRed2 = empty1;
        } else if (!empty1) {
            differingParts(m_textLeft, m_textRight, red1, red2);
        }
    }
    if (m_panes) {
        addPaneRow(*m_leftPane, line1, m_groupLeft, wholeRed1, red1);
        addPaneRow(*m_rightPane, line2, m_groupRight, wholeRed2, red2);
        return;
    }
    writeSide(m_left, line1, m_textLeft, wholeRed1, red1);
    writeSide(m_right, line2, m_textRight, wholeRed2, red2);
}

void CTextReportBuilder::addPaneRow(CReportPane& pane, const CDiffLine* line, EReportColour colour, bool wholeRed,
                                    const SRedPart& red)
{
    if (!line)
        pane.addLine(nullptr, 0, colour);
    else if (wholeRed)
        pane.addLine(line, shownNumber(line->number()), kReportRed);
    else if (red.red)
        pane.addLineWithRedPart(*line, shownNumber(line->number()), colour, red.redBegin, red.redEnd);
    else
        pane.addLine(line, shownNumber(line->number()), colour);
}

void CTextReportBuilder::writeSide(CRtfDocument& document, const CDiffLine* line, std::u16string_view text,
                                   bool wholeRed, const SRedPart& red)
{
    if (!line)
        document.raw(kRtfLineEnd);  // filler facing a longer other side
    else if (wholeRed)
        writeRedLine(document, line->number(), text);
    else
        writeLine(document, line->number(), text, red);
}

bool CTextReportBuilder::commonSection(const SSectionGroup& group)
{
    const CDiffSection& section = m_record.m_sections[group.first];
    const CLineSpan lines1 = section.lines();
    const CLineSpan lines2 = section.partner() ? section.partner()->lines() : CLineSpan();
    const std::size_t steps = std::max(lines1.size(), lines2.size());
    const std::int32_t first2 = section.file2FirstNumber();
    const std::int32_t startLine = m_reportLine;
    if (m_documents) {
        m_left.raw(kRtfBlack);
        m_right.raw(kRtfBlack);
    }
    for (std::size_t i = 0; i < steps; ++i) {
        if (cancelled())
            return false;
        if (m_panes) {
            m_leftPane->addLine(i < lines1.size() ? lines1[i] : nullptr,
                                i < lines1.size() ? shownNumber(lines1[i]->number()) : 0, kReportBlack);
            m_rightPane->addLine(i < lines2.size() ? lines2[i] : nullptr,
                                 i < lines2.size() ? shownNumber(first2 + static_cast<std::int32_t>(i)) : 0,
                                 kReportBlack);
        }
        if (i < lines1.size()) {
            if (m_record.m_writeCommonSections)
                m_output.writeLine({}, lines1[i]);
            if (m_documents) {
                if (m_record.m_showLineNumbers)
                    m_left.lineNumber(lines1[i]->number());
                writeText(m_left, *lines1[i]);
            }
        }
        if (m_documents)
            m_left.raw(kRtfLineEnd);
        if (i < lines2.size() && m_documents) {
            if (m_record.m_showLineNumbers)
                m_right.lineNumber(first2 + static_cast<std::int32_t>(i));
            // A line that matches only under Ignore case or Ignore whitespace still shows its own
            // text: the pane is headed by file 2's name.
            writeText(m_right, *lines2[i]);
        }
        if (m_documents)
            m_right.raw(kRtfLineEnd);
        ++m_reportLine;
    }
    if (m_documents) {
        m_left.raw("}");
        m_right.raw("}");
    }
    const std::int32_t endLine = m_reportLine;
    m_reportLine = startLine;
    addItem(group, kImageCommon);
    m_reportLine = endLine;
    return true;
}

bool CTextReportBuilder::differenceGroup(const SSectionGroup& group)
{
    std::vector<const CDiffLine*> lines1;
    std::vector<const CDiffLine*> lines2;
    CMergeFileFormatter merge(m_record, m_output);
    merge.beginGroup();
    for (std::size_t i = group.first; i < group.end; ++i) {
        const CDiffSection& section = m_record.m_sections[i];
        auto& lines = section.kind() == kSectionFile1Only ? lines1 : lines2;
        lines.insert(lines.end(), section.lines().begin(), section.lines().end());
        merge.groupSection(section);
    }
    merge.endGroup();

    const std::size_t m = lines1.size();
    const std::size_t o = lines2.size();
    const std::size_t rows = std::max(m, o);
    const bool highlight = m > 0 && o > 0 && static_cast<std::int64_t>(m) < m_record.m_maxLinesShowDiff;
    m_groupLeft = !highlight && m > 0 ? kReportRed : kReportBlue;
    m_groupRight = !highlight && o > 0 ? kReportRed : kReportBlue;
    if (m_documents || m_panes) {
        if (m_documents) {
            m_left.raw(m_groupLeft == kReportRed ? kRtfRed : kRtfBlue);
            m_right.raw(m_groupRight == kReportRed ? kRtfRed : kRtfBlue);
        }
        for (std::size_t row = 0; row < rows; ++row) {
            if (cancelled())
                return false;
            writeRow(row < m ? lines1[row] : nullptr, row < o ? lines2[row] : nullptr, highlight);
        }
        if (m_documents) {
            m_left.raw("}");
            m_right.raw("}");
        }
    } else if (cancelled()) {
        return false;
    }
    addItem(group, kImageDifference);
    m_reportLine += static_cast<std::int32_t>(rows);
    return true;
}

bool CTextReportBuilder::build(std::u16string_view lineEnd)
{
    start();
    if (namesComparedFile(m_record.m_outputFile, m_record.m_file1Path, m_record.m_file2Path))
        m_record.m_outputFile.clear();
    m_output.open(m_record.m_outputFile, m_record.m_file1Path, m_record.m_file2Path, lineEnd);

    for (const SSectionGroup& group : groupSections(m_record.m_sections)) {
        if (cancelled())
            return false;
        if (!(group.common ? commonSection(group) : differenceGroup(group)))
            return false;
    }
    m_report.reportLines = m_reportLine;
    if (m_documents)
        finishDocuments();
    m_report.leftPane = std::move(m_leftPane);
    m_report.rightPane = std::move(m_rightPane);
    m_output.commit();
    return true;
}

}  // namespace

bool BuildReport(CCompFileOpt& record, std::u16string_view lineEnd, SReport& report, const SReportOptions& options)
{
    return CTextReportBuilder(record, report, options).build(lineEnd);
}

}  // namespace brindle
