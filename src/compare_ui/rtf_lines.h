// The text of a report document (the RTF the report writers produce) as lines of coloured runs.
#pragma once

#include <QColor>
#include <QRgb>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <string_view>
#include <vector>

namespace brindle {

// A stretch of one line in one colour. An invalid colour stands for the automatic colour (colour
// table entry 0, or none given): the pane's own text colour.
struct SRtfRun {
    QStringView text;
    QColor colour;
};

// Reads the subset of RTF that the report writers produce: the header with its font and colour
// tables, groups (each with its own colour), \cfN, \par, the escapes \{ \} \\ \'hh and \uN (with
// \ucN fallback characters skipped), and raw 8-bit bytes in the document's code page (1252 unless
// \ansicpg names another single-byte page). Unknown control words are skipped, unknown
// destinations of the form {\*...} are dropped. Malformed input never fails: unbalanced braces,
// truncated escapes and out-of-range numbers are read as far as they make sense.
//
// The lines are kept in one string, joined by "\n", so that a character position in the pane is an
// offset into text(); colour changes are kept as a sorted list of offsets. A document that ends
// with \par has no empty line after it, so a report has as many lines as it wrote \par.
class CRtfLines {
public:
    // Reads rtf. While reading, the active progress dialog (if any) gets rtf.size() as its total
    // and the number of bytes read every 64 KB, until the user cancels.
    static CRtfLines read(std::string_view rtf);

    int lineCount() const { return static_cast<int>(m_lineStarts.size()); }
    // The text of all lines joined by "\n" (no "\n" after the last line).
    const QString& text() const { return m_text; }
    // Offset of a line's first character in text(); line must be in [0, lineCount()).
    qsizetype lineStart(int line) const { return m_lineStarts[static_cast<std::size_t>(line)]; }
    // Offset just past a line's last character (its "\n", or the end of text()).
    qsizetype lineEnd(int line) const;
    QStringView line(int line) const;
    // The line of the character at offset (the line whose "\n" it is, for a line end); offsets
    // past the end give the last line, negative ones the first. 0 for an empty document.
    int lineOfOffset(qsizetype offset) const;
    // The runs of a line, in order, covering it completely (none for an empty line).
    std::vector<SRtfRun> runs(int line) const;

    // The document's default font (\deffN, else the first of the font table): its name without
    // the ";", or empty when the document has no font table; the size from the first \fsN in
    // points (half of N), or 0 when there is none.
    const QString& fontFamily() const { return m_fontFamily; }
    qreal pointSize() const { return m_pointSize; }

private:
    friend class CRtfReader;

    // From `start` on, text has the colour rgb; an alpha of 0 marks the automatic colour.
    struct SColourChange {
        qsizetype start;
        QRgb rgb;
    };
    static QColor toColour(QRgb rgb);
    std::size_t changeAt(qsizetype offset) const;

    QString m_text;
    std::vector<qsizetype> m_lineStarts;
    std::vector<SColourChange> m_changes;
    QString m_fontFamily;
    qreal m_pointSize = 0;
};

}  // namespace brindle
