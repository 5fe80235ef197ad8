#include "compare_ui/pane_text_layout.h"

#include <QChar>
#include <QString>
#include <algorithm>
#include <cmath>

namespace brindle {

namespace {

constexpr int kTabColumns = 8;

}  // namespace

CPaneTextLayout::CPaneTextLayout() : m_metrics(QFont()) { setFont(QFont()); }

void CPaneTextLayout::setFont(const QFont& font)
{
    m_font = font;
    m_font.setKerning(false);
    m_font.setStyleStrategy(QFont::StyleStrategy(m_font.styleStrategy() | QFont::PreferNoShaping));
    m_metrics = QFontMetricsF(m_font);
    m_lineHeight = std::max(1, static_cast<int>(std::ceil(m_metrics.lineSpacing())));
    m_ascent = static_cast<int>(std::ceil(m_metrics.ascent()));
    m_averageWidth = std::max<qreal>(1, m_metrics.averageCharWidth());
    m_tabWidth = kTabColumns * m_averageWidth;
    m_advances.assign(0x10000, -1.0f);
}

qreal CPaneTextLayout::advance(char16_t c) const
{
    float& cached = m_advances[c];
    if (cached < 0)
        cached = static_cast<float>(m_metrics.horizontalAdvance(QChar(c)));
    return cached;
}

qreal CPaneTextLayout::advanceFrom(QStringView line, qsizetype i, qreal x) const
{
    const char16_t c = line[i].unicode();
    if (c == u'\t')
        return (std::floor(x / m_tabWidth) + 1) * m_tabWidth;
    if (QChar::isHighSurrogate(c) && i + 1 < line.size() && QChar::isLowSurrogate(line[i + 1].unicode()))
        return x + m_metrics.horizontalAdvance(line.mid(i, 2).toString());
    if (QChar::isLowSurrogate(c) && i > 0 && QChar::isHighSurrogate(line[i - 1].unicode()))
        return x;
    return x + advance(c);
}

qreal CPaneTextLayout::width(QStringView line) const
{
    qreal x = 0;
    for (qsizetype i = 0; i < line.size(); ++i)
        x = advanceFrom(line, i, x);
    return x;
}

qsizetype CPaneTextLayout::positions(QStringView line, qreal limit, std::vector<qreal>& positions) const
{
    positions.clear();
    qreal x = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        positions.push_back(x);
        if (x >= limit)
            return i;
        x = advanceFrom(line, i, x);
    }
    positions.push_back(x);
    return line.size();
}

qsizetype CPaneTextLayout::indexAt(QStringView line, qreal x) const
{
    qreal left = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const qreal right = advanceFrom(line, i, left);
        if (x < (left + right) / 2)
            return i;
        left = right;
    }
    return line.size();
}

qreal CPaneTextLayout::xAt(QStringView line, qsizetype index) const
{
    qreal x = 0;
    for (qsizetype i = 0; i < index && i < line.size(); ++i)
        x = advanceFrom(line, i, x);
    return x;
}

}  // namespace brindle
