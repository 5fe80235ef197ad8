#include "compare_ui/pane_text.h"

#include "compare_ui/rtf_lines.h"
#include "engine/report_pane.h"
#include "framework/qt_utf16.h"

#include <algorithm>

namespace brindle {

namespace {

class CRtfPaneText final : public CPaneText {
public:
    explicit CRtfPaneText(CRtfLines lines) : m_lines(std::move(lines))
    {
        qsizetype longestLength = -1;
        for (int line = 0; line < m_lines.lineCount(); ++line) {
            if (const qsizetype length = m_lines.lineEnd(line) - m_lines.lineStart(line); length > longestLength) {
                longestLength = length;
                m_longest = line;
            }
        }
    }

    int lineCount() const override { return m_lines.lineCount(); }
    qsizetype textLength() const override { return m_lines.text().size(); }
    qsizetype lineStart(int line) const override { return m_lines.lineStart(line); }
    qsizetype lineEnd(int line) const override { return m_lines.lineEnd(line); }
    QString line(int line) const override { return m_lines.line(line).toString(); }
    int lineOfOffset(qsizetype offset) const override { return m_lines.lineOfOffset(offset); }
    std::vector<SPaneRun> runs(int line) const override
    {
        std::vector<SPaneRun> result;
        for (const SRtfRun& run : m_lines.runs(line))
            result.push_back({run.text.size(), run.colour});
        return result;
    }
    QString text(qsizetype from, qsizetype to) const override { return m_lines.text().mid(from, to - from); }
    int longestLine() const override { return m_longest; }
    QString fontFamily() const override { return m_lines.fontFamily(); }
    qreal pointSize() const override { return m_lines.pointSize(); }

private:
    CRtfLines m_lines;
    int m_longest = -1;
};

// Line starts are kept for every 64th line only; the others are counted from there, which costs
// little for the few lines a pane paints and nothing in memory.
class CReportPaneText final : public CPaneText {
public:
    explicit CReportPaneText(std::shared_ptr<const CReportPane> pane) : m_pane(std::move(pane))
    {
        qsizetype offset = 0;
        std::size_t longestLength = 0;
        for (std::size_t line = 0; line < m_pane->lineCount(); ++line) {
            if (line % kStep == 0)
                m_blockStarts.push_back(offset);
            const std::size_t length = m_pane->lineLength(line);
            if (m_longest < 0 || length > longestLength) {
                longestLength = length;
                m_longest = static_cast<int>(line);
            }
            offset += static_cast<qsizetype>(length) + 1;
        }
        m_textLength = std::max<qsizetype>(offset - 1, 0);
    }

    int lineCount() const override { return static_cast<int>(m_pane->lineCount()); }
    qsizetype textLength() const override { return m_textLength; }
    qsizetype lineStart(int line) const override
    {
        const auto index = static_cast<std::size_t>(line);
        qsizetype offset = m_blockStarts[index / kStep];
        for (std::size_t before = index - index % kStep; before < index; ++before)
            offset += static_cast<qsizetype>(m_pane->lineLength(before)) + 1;
        return offset;
    }
    qsizetype lineEnd(int line) const override
    {
        return lineStart(line) + static_cast<qsizetype>(m_pane->lineLength(static_cast<std::size_t>(line)));
    }
    QString line(int line) const override
    {
        std::u16string text;
        m_pane->appendLine(static_cast<std::size_t>(line), text);
        return toQString(text);
    }
    int lineOfOffset(qsizetype offset) const override
    {
        if (m_blockStarts.empty())
            return 0;
        const auto after = std::upper_bound(m_blockStarts.begin(), m_blockStarts.end(), offset);
        std::size_t line = after == m_blockStarts.begin() ? 0 : (after - m_blockStarts.begin() - 1) * kStep;
        qsizetype start = m_blockStarts[line / kStep];
        const std::size_t last = m_pane->lineCount() - 1;
        while (line < last) {
            const qsizetype next = start + static_cast<qsizetype>(m_pane->lineLength(line)) + 1;
            if (next > offset)
                break;
            start = next;
            ++line;
        }
        return static_cast<int>(line);
    }
    std::vector<SPaneRun> runs(int line) const override
    {
        thread_local std::vector<SReportRun> runs;
        m_pane->runs(static_cast<std::size_t>(line), runs);
        std::vector<SPaneRun> result;
        result.reserve(runs.size());
        for (const SReportRun& run : runs)
            result.push_back({static_cast<qsizetype>(run.length), colourOf(run.colour)});
        return result;
    }
    QString text(qsizetype from, qsizetype to) const override
    {
        from = std::clamp<qsizetype>(from, 0, m_textLength);
        to = std::clamp<qsizetype>(to, from, m_textLength);
        if (from == to)
            return {};
        // Built straight into the QString: a search of the whole pane copies its text once.
        QString joined;
        std::u16string lineText;
        const int first = lineOfOffset(from);
        const int last = lineOfOffset(to);
        const qsizetype firstStart = lineStart(first);
        joined.reserve(to - firstStart);
        for (int line = first; line <= last; ++line) {
            if (line > first)
                joined.append(u'\n');
            lineText.clear();
            m_pane->appendLine(static_cast<std::size_t>(line), lineText);
            joined.append(reinterpret_cast<const QChar*>(lineText.data()), static_cast<qsizetype>(lineText.size()));
        }
        return joined.mid(from - firstStart, to - from);
    }
    int longestLine() const override { return m_longest; }
    QString fontFamily() const override { return toQString(m_pane->fontName()); }
    qreal pointSize() const override { return m_pane->fontSize(); }

private:
    static constexpr std::size_t kStep = 64;

    // The colours of the report documents' colour table.
    static QColor colourOf(EReportColour colour)
    {
        switch (colour) {
        case kReportBlue: return QColor(0, 0, 255);
        case kReportRed: return QColor(255, 0, 0);
        case kReportBlack: break;
        }
        return QColor(0, 0, 0);
    }

    std::shared_ptr<const CReportPane> m_pane;
    std::vector<qsizetype> m_blockStarts;
    qsizetype m_textLength = 0;
    int m_longest = -1;
};

}  // namespace

std::unique_ptr<CPaneText> CPaneText::fromRtf(std::string_view rtf)
{
    return std::make_unique<CRtfPaneText>(CRtfLines::read(rtf));
}

std::unique_ptr<CPaneText> CPaneText::fromReportPane(std::shared_ptr<const CReportPane> pane)
{
    return std::make_unique<CReportPaneText>(std::move(pane));
}

std::unique_ptr<CPaneText> CPaneText::empty() { return std::make_unique<CRtfPaneText>(CRtfLines()); }

}  // namespace brindle
