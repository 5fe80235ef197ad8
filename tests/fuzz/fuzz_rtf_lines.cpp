// The report pane's RTF reader on any bytes. Properties: the lines tile text() (each line ends at
// a "\n" or the end of the text and the next starts after it), no line holds a "\n", every
// offset of a line maps back to that line, and a line's runs spell out exactly the line.
#include "compare_ui/rtf_lines.h"
#include "fuzz_check.h"

#include <QString>

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brindle;
    const CRtfLines lines = CRtfLines::read(std::string_view(reinterpret_cast<const char*>(data), size));
    const QString& text = lines.text();
    FUZZ_CHECK(lines.lineCount() >= 1 || text.isEmpty());
    FUZZ_CHECK(lines.lineCount() == 0 || lines.lineStart(0) == 0);
    for (int i = 0; i < lines.lineCount(); ++i) {
        const qsizetype start = lines.lineStart(i);
        const qsizetype end = lines.lineEnd(i);
        FUZZ_CHECK(start <= end && end <= text.size());
        if (i + 1 < lines.lineCount()) {
            FUZZ_CHECK(text[end] == u'\n' && lines.lineStart(i + 1) == end + 1);
        } else {
            FUZZ_CHECK(end == text.size());
        }
        FUZZ_CHECK(!lines.line(i).contains(u'\n'));
        FUZZ_CHECK(lines.lineOfOffset(start) == i && lines.lineOfOffset(end) == i);
        QString spelled;
        for (const SRtfRun& run : lines.runs(i))
            spelled += run.text;
        FUZZ_CHECK(spelled == lines.line(i));
    }
    FUZZ_CHECK(lines.pointSize() >= 0);
    return 0;
}
