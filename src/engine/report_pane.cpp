#include "engine/report_pane.h"

#include "engine/line_list.h"

#include <algorithm>

namespace brindle {

std::size_t formatLineNumber(std::int32_t number, char* out)
{
    // Written by hand: it is done once per line of both panes.
    char digits[16];
    char* const end = digits + sizeof digits;
    char* p = end;
    std::uint32_t value = number < 0 ? 0u - static_cast<std::uint32_t>(number) : static_cast<std::uint32_t>(number);
    do {
        *--p = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value);
    if (number < 0)
        *--p = '-';
    const auto width = static_cast<std::size_t>(end - p);
    std::size_t length = 0;
    for (std::size_t pad = width; pad < 4; ++pad)
        out[length++] = ' ';
    for (; p < end; ++p)
        out[length++] = *p;
    for (const char c : {' ', '-', ' '})
        out[length++] = c;
    return length;
}

CReportPane::CReportPane(std::u16string fontName, std::int32_t fontSizePoints)
    : m_fontName(std::move(fontName)), m_fontSize(fontSizePoints)
{
}

void CReportPane::addLine(const CDiffLine* line, std::int32_t number, EReportColour colour)
{
    m_lines.push_back({line, number, colour});
}

void CReportPane::addLineWithRedPart(const CDiffLine& line, std::int32_t number, EReportColour colour,
                                     std::size_t redBegin, std::size_t redEnd)
{
    m_redParts.push_back({static_cast<std::uint32_t>(redBegin), static_cast<std::uint32_t>(redEnd)});
    m_lines.push_back({&line, number, static_cast<std::uint32_t>(m_redParts.size() << kColourBits) | colour});
}

void CReportPane::keepAlive(std::shared_ptr<const CLineList> lines) { m_keptAlive.push_back(std::move(lines)); }

std::size_t CReportPane::prefixLength(const SLine& line) const
{
    if (line.number == 0 || !line.line)
        return 0;
    // The length formatLineNumber gives, without formatting: it is asked for every line.
    std::uint32_t value =
        line.number < 0 ? 0u - static_cast<std::uint32_t>(line.number) : static_cast<std::uint32_t>(line.number);
    std::size_t digits = line.number < 0 ? 2 : 1;
    for (; value >= 10; value /= 10)
        ++digits;
    return std::max<std::size_t>(digits, 4) + 3;
}

std::size_t CReportPane::lineLength(std::size_t index) const
{
    const SLine& line = m_lines[index];
    return prefixLength(line) + (line.line ? line.line->length() : 0);
}

void CReportPane::appendLine(std::size_t index, std::u16string& out) const
{
    const SLine& line = m_lines[index];
    if (!line.line)
        return;
    if (line.number != 0) {
        char prefix[24];
        const std::size_t length = formatLineNumber(line.number, prefix);
        out.append(prefix, prefix + length);
    }
    line.line->appendTextTo(out);
}

void CReportPane::runs(std::size_t index, std::vector<SReportRun>& out) const
{
    out.clear();
    const SLine& line = m_lines[index];
    const std::size_t length = lineLength(index);
    if (length == 0)
        return;
    const auto colour = static_cast<EReportColour>(line.colourAndRed & ((1u << kColourBits) - 1));
    const std::uint32_t red = line.colourAndRed >> kColourBits;
    if (red == 0) {
        out.push_back({length, colour});
        return;
    }
    const SRedPart& part = m_redParts[red - 1];
    const std::size_t prefix = prefixLength(line);
    for (const SReportRun run : {SReportRun{prefix + part.begin, colour}, SReportRun{part.end - part.begin, kReportRed},
                                 SReportRun{length - prefix - part.end, colour}}) {
        if (run.length > 0)
            out.push_back(run);
    }
}

}  // namespace brindle
