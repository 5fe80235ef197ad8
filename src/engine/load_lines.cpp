// Loading a compared file into its line list.
#include "engine/line_list.h"

#include "engine/cancel_flag.h"
#include "engine/file_exception.h"
#include "engine/line_scan_p.h"
#include "engine/text_file_read.h"
#include "platform/code_page.h"
#include "platform/whole_file.h"

#include <cstring>

namespace brindle {

namespace {

bool startsWithMark(std::span<const std::uint8_t> b)
{
    if (b.size() >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF)))
        return true;
    return b.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF;
}

// Lines of 8-bit text end at CR LF, a lone CR or a lone LF, exactly as CTextFileRead reads
// them; a line end at the very end leaves one more, empty, line. ASCII lines stay in the file's
// own bytes; any other line is converted through the code page.
std::size_t splitAnsi(SFileContents content, CLineList& list)
{
    const std::size_t size = content.size;
    const auto* begin = content.bytes().data();
    const std::uint8_t* end = begin + size;
    list.adoptText(std::move(content.buffer));
    // Counting first lets the records take exactly the room they need, in one piece.
    list.reserve(list.size() + countLines(begin, end));
    const CCodePage& codePage = CCodePage::ansi();
    std::u16string converted;
    std::size_t count = 0;
    for (const std::uint8_t* p = begin;;) {
        if (pollCancel())
            break;
        const SLineScan scan = scanLine(p, end);
        const std::uint8_t* lineEnd = scan.lineEnd;
        const auto length = static_cast<std::size_t>(lineEnd - p);
        if (scan.ascii) {
            list.appendStoredAscii(p, length, scan.containsNul);
        } else {
            converted.clear();
            codePage.appendUtf16(std::string_view(reinterpret_cast<const char*>(p), length), converted);
            list.append(converted);
        }
        ++count;
        if (lineEnd == end)
            break;
        p = lineEnd + (*lineEnd == '\r' && lineEnd + 1 != end && lineEnd[1] == '\n' ? 2 : 1);
    }
    return count;
}

std::size_t loadThroughReader(std::u16string_view path, CLineList& list)
{
    CTextFileRead reader;
    reader.Open(path);
    std::u16string text;
    std::size_t count = 0;
    while (reader.ReadLine(text)) {
        if (pollCancel())
            break;
        list.append(text);
        ++count;
    }
    // A failed read is not a shorter file: the comparison would show lines as missing that are not.
    if (reader.Error())
        throw CFileException(std::u16string(path), CFileException::Operation::Read, reader.Error());
    list.setEncoding(reader.Encoding());
    return count;
}

}  // namespace

std::size_t LoadLines(std::u16string_view path, CLineList& list)
{
    std::error_code error;
    std::optional<SFileContents> content = readWholeFile(path, &error);
    list.setEncoding(kEncodingAnsi);
    if (!content)
        throw CFileException(std::u16string(path), CFileException::Operation::Read, error);
    // Files with a byte-order mark are rare: read them through the text-file reader.
    if (startsWithMark(content->bytes()))
        return loadThroughReader(path, list);
    return splitAnsi(std::move(*content), list);
}

}  // namespace brindle
