#include "editor/ui/ed_view_fonts.h"

namespace brindle {

namespace {

constexpr int kDefaultPointSize = 11;

}  // namespace

CEdViewFonts::CEdViewFonts() : m_face(QStringLiteral("FixedSys")) {}

void CEdViewFonts::setDescription(const QString& face, int pointSize)
{
    m_face = face;
    m_pointSize = pointSize;
    release();
}

void CEdViewFonts::release()
{
    for (auto& font : m_fonts)
        font.reset();
}

bool CEdViewFonts::neverStyled(const QString& face) { return face.startsWith(u"Courier", Qt::CaseInsensitive); }

const QFont& CEdViewFonts::font(bool bold, bool italic)
{
    if (neverStyled(m_face))
        bold = italic = false;
    std::optional<QFont>& slot = m_fonts[(bold ? 1 : 0) + (italic ? 2 : 0)];
    if (!slot) {
        QFont made(m_face);
        // Faces such as "FixedSys" are missing on most systems: the fallback must still be a
        // fixed-pitch face, or columns stop lining up.
        made.setStyleHint(QFont::Monospace);
        made.setFixedPitch(true);
        made.setPointSize(m_pointSize > 0 ? m_pointSize : kDefaultPointSize);
        made.setWeight(bold ? QFont::Bold : QFont::Normal);
        made.setItalic(italic);
        slot = made;
    }
    return *slot;
}

}  // namespace brindle
