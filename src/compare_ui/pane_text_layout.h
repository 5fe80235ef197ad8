// Measuring the report pane's lines in one font: character advances, tab stops, x positions.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QStringView>
#include <QtGlobal>
#include <vector>

namespace brindle {

// Lines are laid out character by character: each character moves by its own advance (kerning
// is switched off in font(), so drawing a piece of a line puts every character where the sums
// say), and a tab moves to the next multiple of eight average character widths. A surrogate pair
// advances as one character on its first unit. Advances of the basic plane are cached, so a
// million-line report is measured at the cost of a table look-up per character.
class CPaneTextLayout {
public:
    CPaneTextLayout();

    // Takes font (kerning and shaping switched off) and forgets cached advances.
    void setFont(const QFont& font);
    const QFont& font() const { return m_font; }
    int lineHeight() const { return m_lineHeight; }
    int ascent() const { return m_ascent; }
    qreal averageCharWidth() const { return m_averageWidth; }

    // Width of a whole line.
    qreal width(QStringView line) const;
    // x of the boundary before each character of line, from the start up to the first boundary at
    // or past limit (or the end): positions[i] is the x of character i; one more entry holds the x
    // after the last character measured. Fills positions and returns the number of characters
    // measured.
    qsizetype positions(QStringView line, qreal limit, std::vector<qreal>& positions) const;
    // The boundary (0 to line.size()) nearest to x.
    qsizetype indexAt(QStringView line, qreal x) const;
    // x of the boundary before character index (index <= line.size()).
    qreal xAt(QStringView line, qsizetype index) const;

private:
    // The x after the character at index i of line, starting at x.
    qreal advanceFrom(QStringView line, qsizetype i, qreal x) const;
    qreal advance(char16_t c) const;

    QFont m_font;
    QFontMetricsF m_metrics;
    int m_lineHeight = 1;
    int m_ascent = 0;
    qreal m_averageWidth = 1;
    qreal m_tabWidth = 8;
    mutable std::vector<float> m_advances;  // by character; negative: not measured yet
};

}  // namespace brindle
