// The four fonts of an editor view (plain, bold, italic, bold italic), made from one description.
#pragma once

#include <QFont>
#include <QString>
#include <array>
#include <optional>

namespace brindle {

// A font description in the manner of the platform's logical font: a face, a size in points
// (0: the default of 11 points), weight and italic. The fonts are made on first use and
// dropped when the description changes. A face beginning with "Courier" (any case) is never
// made bold or italic.
class CEdViewFonts {
public:
    CEdViewFonts();

    const QString& face() const { return m_face; }
    int pointSize() const { return m_pointSize; }
    // Takes face and size; drops the fonts made so far.
    void setDescription(const QString& face, int pointSize);
    // Drops the fonts; the next use makes them again.
    void release();

    const QFont& font(bool bold, bool italic);

    static bool neverStyled(const QString& face);

private:
    QString m_face;
    int m_pointSize = 0;
    std::array<std::optional<QFont>, 4> m_fonts;
};

}  // namespace brindle
