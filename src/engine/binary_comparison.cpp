#include "engine/binary_comparison.h"

#include "engine/cancel_flag.h"
#include "engine/comp_file_opt.h"
#include "engine/engine_strings.h"
#include "engine/file_exception.h"
#include "engine/progress.h"
#include "engine/report.h"
#include "engine/report_output_file.h"
#include "engine/rtf_document.h"
#include "platform/mapped_file.h"
#include "platform/whole_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace brindle {

namespace {

constexpr std::int64_t kAnchorLength = 30;
constexpr std::int64_t kSearchWindow = 102400;
constexpr std::int64_t kFirstStep = 5;
constexpr std::int64_t kStep = 100;
constexpr std::int64_t kPastBlock = 10;

using Bytes = std::span<const std::uint8_t>;

// ---- Matching ----

// Equal runs are compared a chunk at a time with memcmp (vectorised in the C library); only the
// chunk holding the first difference is walked byte by byte.
constexpr std::size_t kCompareChunk = 256;

// Number of equal bytes at the start of a and b, looking at no more than limit bytes.
std::size_t equalPrefix(const std::uint8_t* a, const std::uint8_t* b, std::size_t limit)
{
    std::size_t done = 0;
    while (limit - done >= kCompareChunk && std::memcmp(a + done, b + done, kCompareChunk) == 0)
        done += kCompareChunk;
    while (done < limit && a[done] == b[done])
        ++done;
    return done;
}

// Number of equal bytes just before aEnd and bEnd, looking at no more than limit bytes.
std::size_t equalSuffix(const std::uint8_t* aEnd, const std::uint8_t* bEnd, std::size_t limit)
{
    std::size_t done = 0;
    while (limit - done >= kCompareChunk &&
           std::memcmp(aEnd - done - kCompareChunk, bEnd - done - kCompareChunk, kCompareChunk) == 0)
        done += kCompareChunk;
    while (done < limit && aEnd[-1 - static_cast<std::ptrdiff_t>(done)] == bEnd[-1 - static_cast<std::ptrdiff_t>(done)])
        ++done;
    return done;
}

// The first file-2 offset i in [from, from + window) where the anchor at probe starts. The anchor
// is 30 bytes, or fewer when less is left of file 1 or of file 2 after `from`; candidates must
// hold the whole anchor. Shortening it only by what is left at each candidate would let the last
// byte or two of file 2 match by chance, and such a block would end all further matching.
std::optional<std::int64_t> findAnchor(Bytes file1, Bytes file2, std::int64_t probe, std::int64_t from)
{
    const auto len1 = static_cast<std::int64_t>(file1.size());
    const auto len2 = static_cast<std::int64_t>(file2.size());
    const std::int64_t end = std::min(from + kSearchWindow, len2);
    if (from >= end)
        return std::nullopt;
    const std::uint8_t* anchor = file1.data() + probe;
    const std::int64_t anchorLength = std::min({kAnchorLength, len1 - probe, len2 - from});
    // memmem finds the first occurrence in linear time, also on hostile input such as long runs
    // of one byte value.
    const std::int64_t wholeEnd = std::min(end, len2 - anchorLength + 1);
    if (from >= wholeEnd)
        return std::nullopt;
    const void* found = ::memmem(file2.data() + from, static_cast<std::size_t>(wholeEnd - 1 + anchorLength - from),
                                 anchor, static_cast<std::size_t>(anchorLength));
    if (!found)
        return std::nullopt;
    return static_cast<const std::uint8_t*>(found) - file2.data();
}

// The block of equal bytes around the anchor (p, q): backwards no further than low1 and low2 (the
// bytes after the previous block), forwards to the end of either file.
SMatchBlock extendAnchor(Bytes file1, Bytes file2, std::int64_t p, std::int64_t q, std::int64_t low1, std::int64_t low2)
{
    const std::uint8_t* a = file1.data() + p;
    const std::uint8_t* b = file2.data() + q;
    const auto back =
        static_cast<std::int64_t>(equalSuffix(a, b, static_cast<std::size_t>(std::min(p - low1, q - low2))));
    const auto ahead = static_cast<std::int64_t>(
        equalPrefix(a, b,
                    static_cast<std::size_t>(std::min(static_cast<std::int64_t>(file1.size()) - p,
                                                      static_cast<std::int64_t>(file2.size()) - q))));
    return SMatchBlock{p - back, p + ahead - 1, q - back, q + ahead - 1};
}

// ---- Loading ----

// The bytes of a compared file: mapped where the file system allows it, so that a file larger
// than memory is compared without being read whole; read whole where it does not. A file that
// cannot be read is an error, never an empty file: the report would show all of the other file as
// different.
class CBinaryImage {
public:
    explicit CBinaryImage(std::u16string_view path) : m_path(path)
    {
        std::error_code error;
        m_mapped = CMappedFile::map(path, error);
        // A file that says it is empty may still give bytes, or an error, when read (the
        // system's own files): only reading tells.
        if (m_mapped && !m_mapped->bytes().empty())
            return;
        m_mapped.reset();
        m_read = readWholeFile(path, &error);
        if (!m_read)
            throw CFileException(m_path, CFileException::Operation::Read, error);
    }

    Bytes bytes() const { return m_mapped ? m_mapped->bytes() : m_read->bytes(); }
    // A file cut short while it was compared gave zeros for its lost end: nothing built from it
    // may be reported.
    void checkWhole() const
    {
        if (m_mapped && m_mapped->shrank())
            throw CFileException(m_path, CFileException::Operation::Read, std::make_error_code(std::errc::io_error));
    }

private:
    std::u16string m_path;
    std::optional<CMappedFile> m_mapped;
    std::optional<SFileContents> m_read;
};

// ---- Hex dump ----

constexpr std::size_t kRowBytes = 16;
constexpr std::string_view kRowSeparator = "    ";
// Hex column, separator, character column with every character escaped, "\par ".
constexpr std::size_t kMaxRowText = 2 * kRowBytes + kRowSeparator.size() + 2 * kRowBytes + kRtfLineEnd.size();

struct SDumpTables {
    char hex[256][2];
    char shown[256][2];  // the character column: the byte, "." or the escaped brace or backslash
    std::uint8_t shownLength[256];
    bool escaped[256];
};

constexpr SDumpTables makeDumpTables()
{
    constexpr char digits[] = "0123456789ABCDEF";
    SDumpTables t{};
    for (int b = 0; b < 256; ++b) {
        t.hex[b][0] = digits[b >> 4];
        t.hex[b][1] = digits[b & 15];
        const char c = b >= 0x20 && b <= 0x7E ? static_cast<char>(b) : '.';
        if (c == '{' || c == '}' || c == '\\') {
            t.shown[b][0] = '\\';
            t.shown[b][1] = c;
            t.shownLength[b] = 2;
            t.escaped[b] = true;
        } else {
            t.shown[b][0] = c;
            t.shownLength[b] = 1;
        }
    }
    return t;
}

constexpr SDumpTables kDump = makeDumpTables();

char* writeCharacters(char* out, const std::uint8_t* bytes, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        std::memcpy(out, kDump.shown[bytes[i]], 2);
        out += kDump.shownLength[bytes[i]];
    }
    return out;
}

// A whole row without a brace or backslash has fixed positions: the common case, written without
// the dependency of each character's place on the one before.
bool writeFullPlainRow(char* out, const std::uint8_t* bytes)
{
    bool escaped = false;
    char* characters = out + 2 * kRowBytes + kRowSeparator.size();
    for (std::size_t i = 0; i < kRowBytes; ++i) {
        std::memcpy(out + 2 * i, kDump.hex[bytes[i]], 2);
        characters[i] = kDump.shown[bytes[i]][0];
        escaped |= kDump.escaped[bytes[i]];
    }
    std::memcpy(out + 2 * kRowBytes, kRowSeparator.data(), kRowSeparator.size());
    std::memcpy(characters + kRowBytes, kRtfLineEnd.data(), kRtfLineEnd.size());
    return !escaped;
}

// Writes the row text of count bytes (1 to 16) at out and returns its end.
char* writeRow(char* out, const std::uint8_t* bytes, std::size_t count)
{
    if (count == kRowBytes && writeFullPlainRow(out, bytes))
        return out + 2 * kRowBytes + kRowSeparator.size() + kRowBytes + kRtfLineEnd.size();
    for (std::size_t i = 0; i < count; ++i, out += 2)
        std::memcpy(out, kDump.hex[bytes[i]], 2);
    const std::size_t pad = 2 * (kRowBytes - count) + kRowSeparator.size();
    std::memset(out, ' ', pad);
    out = writeCharacters(out + pad, bytes, count);
    std::memset(out, ' ', kRowBytes - count);
    out += kRowBytes - count;
    std::memcpy(out, kRtfLineEnd.data(), kRtfLineEnd.size());
    return out + kRtfLineEnd.size();
}

// Writes rows dump rows of bytes to doc; rows past the end of bytes are empty lines.
void dumpSide(CRtfDocument& doc, Bytes bytes, std::int64_t rows)
{
    char chunk[64 * 1024];
    char* out = chunk;
    for (std::int64_t row = 0; row < rows; ++row) {
        const auto offset = static_cast<std::size_t>(row) * kRowBytes;
        if (offset < bytes.size()) {
            out = writeRow(out, bytes.data() + offset, std::min(kRowBytes, bytes.size() - offset));
        } else {
            std::memcpy(out, kRtfLineEnd.data(), kRtfLineEnd.size());
            out += kRtfLineEnd.size();
        }
        if (static_cast<std::size_t>(out - chunk) > sizeof chunk - kMaxRowText) {
            doc.raw(std::string_view(chunk, static_cast<std::size_t>(out - chunk)));
            out = chunk;
        }
    }
    doc.raw(std::string_view(chunk, static_cast<std::size_t>(out - chunk)));
}

std::int64_t dumpRows(std::size_t length1, std::size_t length2)
{
    return static_cast<std::int64_t>((std::max(length1, length2) + kRowBytes - 1) / kRowBytes);
}

// ---- Report ----

std::int32_t clampedRow(std::int64_t row)
{
    return static_cast<std::int32_t>(std::min<std::int64_t>(row, std::numeric_limits<std::int32_t>::max()));
}

// Builds the documents, items and output file section by section.
class CBinaryReport {
public:
    CBinaryReport(Bytes file1, Bytes file2, CReportOutputFile& output, bool buildDocuments)
        : m_file1(file1), m_file2(file2), m_output(output), m_documents(buildDocuments),
          m_missing(engineString(kStrMissing))
    {
    }

    void start(const CCompFileOpt& record);
    void difference(std::int64_t start1, std::int64_t length1, std::int64_t start2, std::int64_t length2);
    void block(const SMatchBlock& block);
    void finish(SReport& report);
    std::size_t documentBytes() const { return m_left.size() + m_right.size(); }

private:
    void addItem(int image, std::int64_t start1, std::int64_t length1, std::int64_t start2, std::int64_t length2);
    void appendRange(std::u16string& label, std::int64_t start, std::int64_t length) const;
    void writeSection(Bytes range);

    Bytes m_file1;
    Bytes m_file2;
    CReportOutputFile& m_output;
    bool m_documents;
    std::u16string m_missing;
    CRtfDocument m_left;
    CRtfDocument m_right;
    std::vector<SSectionItem> m_items;
    std::int64_t m_rows = 0;
};

void CBinaryReport::start(const CCompFileOpt& record)
{
    if (!m_documents)
        return;
    // A side's dump takes about 3.6 bytes a byte of its own file, and an empty row for every 16
    // bytes the other side has more.
    m_left.reserve(4 * m_file1.size() + m_file2.size() / 2);
    m_right.reserve(4 * m_file2.size() + m_file1.size() / 2);
    m_left.start(record.m_binaryFontName, record.m_binaryFontSize);
    m_right.start(record.m_binaryFontName, record.m_binaryFontSize);
}

void CBinaryReport::appendRange(std::u16string& label, std::int64_t start, std::int64_t length) const
{
    if (length <= 0) {
        label += m_missing;
        return;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%ld-%ld", static_cast<long>(start), static_cast<long>(start + length - 1));
    for (const char* c = text; *c; ++c)
        label.push_back(static_cast<char16_t>(*c));
}

void CBinaryReport::addItem(int image, std::int64_t start1, std::int64_t length1, std::int64_t start2,
                            std::int64_t length2)
{
    SSectionItem item;
    appendRange(item.label, start1, length1);
    item.label.push_back(u';');
    appendRange(item.label, start2, length2);
    item.image = image;
    item.reportLine = clampedRow(m_rows);
    m_items.push_back(std::move(item));
}

// Each section goes out whole, zero bytes included: the output file is the concatenation of the
// sections, a binary file for the hex view.
void CBinaryReport::writeSection(Bytes range)
{
    m_output.writeBytes(std::string_view(reinterpret_cast<const char*>(range.data()), range.size()));
}

void CBinaryReport::difference(std::int64_t start1, std::int64_t length1, std::int64_t start2, std::int64_t length2)
{
    if (length1 <= 0 && length2 <= 0)
        return;
    addItem(kImageDifference, start1, length1, start2, length2);
    const Bytes a = m_file1.subspan(static_cast<std::size_t>(start1), static_cast<std::size_t>(length1));
    const Bytes b = m_file2.subspan(static_cast<std::size_t>(start2), static_cast<std::size_t>(length2));
    if (m_output.isOpen()) {
        writeSection(a);
        writeSection(b);
    }
    const std::int64_t rows = dumpRows(a.size(), b.size());
    if (m_documents) {
        m_left.raw(kRtfRed);
        m_right.raw(kRtfRed);
        dumpSide(m_left, a, rows);
        dumpSide(m_right, b, rows);
        m_left.raw("}");
        m_right.raw("}");
    }
    m_rows += rows;
}

void CBinaryReport::block(const SMatchBlock& block)
{
    const std::int64_t length = block.end1 - block.start1 + 1;
    addItem(kImageCommon, block.start1, length, block.start2, length);
    const Bytes a = m_file1.subspan(static_cast<std::size_t>(block.start1), static_cast<std::size_t>(length));
    if (m_output.isOpen())
        writeSection(a);
    const std::int64_t rows = dumpRows(a.size(), a.size());
    if (m_documents) {
        m_left.raw(kRtfBlack);
        const std::size_t dumpStart = m_left.size();
        dumpSide(m_left, a, rows);
        // The block's bytes are the same on both sides, and so is their dump text.
        m_right.raw(kRtfBlack);
        m_right.raw(std::string_view(m_left.bytes()).substr(dumpStart));
        m_left.raw("}");
        m_right.raw("}");
    }
    m_rows += rows;
}

void CBinaryReport::finish(SReport& report)
{
    if (m_documents) {
        m_left.raw("}");
        m_right.raw("}");
    }
    report.left = m_left.takeBytes();
    report.right = m_right.takeBytes();
    report.items = std::move(m_items);
    report.reportLines = clampedRow(m_rows);
}

std::vector<SMatchBlock> matchWithProgress(Bytes file1, Bytes file2)
{
    const std::unique_ptr<CProgress> progress =
        createProgress(kStrBinaryComparison, static_cast<std::int64_t>(file1.size()), true);
    return MatchBinary(file1, file2, progress.get());
}

}  // namespace

std::vector<SMatchBlock> MatchBinary(Bytes file1, Bytes file2, CProgress* progress)
{
    const auto len1 = static_cast<std::int64_t>(file1.size());
    const std::int64_t laterStep = std::max(kStep, len1 / 1000);
    std::vector<SMatchBlock> blocks;
    std::int64_t probe = 0;
    std::int64_t step = kFirstStep;
    while (probe < len1) {
        if (progress)
            progress->setPosition(probe);
        if (pollCancel())
            break;
        if (!blocks.empty() && probe <= blocks.back().end1) {
            // Anchoring inside the previous block again would give overlapping blocks (file 2 =
            // file 1 twice shows it); a block reaching that close to the end of file 1 ends the
            // search.
            if (blocks.back().end1 + kPastBlock >= len1)
                break;
            probe = blocks.back().end1 + kPastBlock;
        }
        const std::int64_t from = blocks.empty() ? 0 : blocks.back().end2 + 1;
        if (const std::optional<std::int64_t> at = findAnchor(file1, file2, probe, from)) {
            const std::int64_t low1 = blocks.empty() ? 0 : blocks.back().end1 + 1;
            blocks.push_back(extendAnchor(file1, file2, probe, *at, low1, from));
        }
        if (probe != 0)
            step = laterStep;
        probe += step;
    }
    return blocks;
}

bool CompareBinary(CCompFileOpt& record, SReport& report, bool buildDocuments)
{
    const CBinaryImage image1(record.m_file1Path);
    const CBinaryImage image2(record.m_file2Path);
    const Bytes file1 = image1.bytes();
    const Bytes file2 = image2.bytes();
    const std::vector<SMatchBlock> blocks = matchWithProgress(file1, file2);
    image1.checkWhole();
    image2.checkWhole();

    CReportOutputFile output;
    // open() refuses only an empty path or one naming a compared file; the latter is cleared.
    if (!output.open(record.m_outputFile, record.m_file1Path, record.m_file2Path, u"\r\n"))
        record.m_outputFile.clear();
    report = SReport{};
    report.rootText = engineString(kStrComparisonResults);
    record.m_binaryFontSize = CCompFileOpt::validFontSize(record.m_binaryFontSize);
    CBinaryReport writer(file1, file2, output, buildDocuments);
    writer.start(record);

    constexpr std::int64_t kProgressPerBlock = 1000;
    CProgress* progress = activeProgress();
    std::int64_t position = static_cast<std::int64_t>(writer.documentBytes());
    if (progress) {
        progress->setMessage(kStrCreatingReport);
        progress->setTotal(position + kProgressPerBlock * static_cast<std::int64_t>(blocks.size()));
        progress->setPosition(position);
    }
    std::int64_t next1 = 0;
    std::int64_t next2 = 0;
    for (const SMatchBlock& block : blocks) {
        writer.difference(next1, block.start1 - next1, next2, block.start2 - next2);
        writer.block(block);
        next1 = block.end1 + 1;
        next2 = block.end2 + 1;
        position += kProgressPerBlock;
        // A cancel while the report is built only stops the progress display.
        if (progress && !cancelRequested())
            progress->setPosition(position);
    }
    writer.difference(next1, static_cast<std::int64_t>(file1.size()) - next1, next2,
                      static_cast<std::int64_t>(file2.size()) - next2);
    image1.checkWhole();
    image2.checkWhole();
    writer.finish(report);
    output.commit();
    return true;
}

}  // namespace brindle
