// What a report pane shows: its lines, their colours and the font the report asks for. Made from
// an RTF report document, or from a text comparison's report panes without copying the files.
#pragma once

#include <QColor>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <string_view>
#include <vector>

namespace brindle {

class CReportPane;

// A stretch of one line in one colour; an invalid colour stands for the pane's own text colour.
struct SPaneRun {
    qsizetype length;
    QColor colour;
};

// Character positions count through all lines joined by "\n", as the pane's selection does.
class CPaneText {
public:
    virtual ~CPaneText() = default;

    // The text of an RTF report document.
    static std::unique_ptr<CPaneText> fromRtf(std::string_view rtf);
    // A text comparison's report pane, read in place.
    static std::unique_ptr<CPaneText> fromReportPane(std::shared_ptr<const CReportPane> pane);
    static std::unique_ptr<CPaneText> empty();

    virtual int lineCount() const = 0;
    // Characters of all lines joined by "\n".
    virtual qsizetype textLength() const = 0;
    // Offset of a line's first character; line must be in [0, lineCount()).
    virtual qsizetype lineStart(int line) const = 0;
    // Offset just past a line's last character.
    virtual qsizetype lineEnd(int line) const = 0;
    virtual QString line(int line) const = 0;
    // The line of the character at offset (the line whose "\n" it is, for a line end); offsets
    // past the end give the last line, negative ones the first. 0 for an empty pane.
    virtual int lineOfOffset(qsizetype offset) const = 0;
    // The runs of a line, in order, covering it completely (none for an empty line).
    virtual std::vector<SPaneRun> runs(int line) const = 0;
    // The joined text from offset from to offset to.
    virtual QString text(qsizetype from, qsizetype to) const = 0;
    // The line with the most characters, -1 when there are no lines.
    virtual int longestLine() const = 0;
    // The report's font: family (empty for none) and size in points (0 for none).
    virtual QString fontFamily() const = 0;
    virtual qreal pointSize() const = 0;
};

}  // namespace brindle
