#include "compare_ui/display_page.h"

#include "compare_ui/color_btn.h"
#include "compare_ui/compare_dlg_host.h"
#include "engine/comp_file_opt.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "framework/string_ids.h"

#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

namespace brindle {

namespace {

constexpr int kMaxFaceLength = 31;

}  // namespace

CDisplayPage::CDisplayPage(CCompFileOpt& record, CCompareDlgHost& host, QWidget* parent)
    : QWidget(parent), m_record(record), m_host(host)
{
    setObjectName(QStringLiteral("8606"));
    auto* fonts = new QHBoxLayout;
    for (const auto& [stringId, id] :
         {std::pair{res::kStrTextFont, kIdTextFont}, std::pair{res::kStrBinaryFont, kIdBinaryFont}}) {
        auto* button = new QPushButton(loadString(stringId), this);
        button->setObjectName(QString::number(id));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                id == kIdTextFont ? &CDisplayPage::chooseTextFont : &CDisplayPage::chooseBinaryFont);
        fonts->addWidget(button);
    }
    fonts->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeAlignmentGroup());
    layout->addLayout(fonts);
    m_ignoreWhitespace = makeCheckBox(res::kStrIgnoreWhitespace, kIdIgnoreWhitespace, record.m_ignoreWhitespace != 0);
    m_ignoreCase = makeCheckBox(res::kStrIgnoreCase, kIdIgnoreCase, record.m_ignoreCase != 0);
    m_synchScrolling = makeCheckBox(res::kStrSynchScrolling, kIdSynchScrolling, record.m_synchScrolling != 0);
    layout->addWidget(m_ignoreWhitespace);
    layout->addWidget(m_ignoreCase);
    layout->addWidget(m_synchScrolling);
    layout->addWidget(makeColorRows());
    m_showLineNumbers = makeCheckBox(res::kStrShowLineNumbers, kIdShowLineNumbers, record.m_showLineNumbers != 0);
    layout->addWidget(m_showLineNumbers);
    layout->addStretch(1);
}

QWidget* CDisplayPage::makeAlignmentGroup()
{
    auto* group = new QGroupBox(loadString(res::kStrAlignment), this);
    m_alignVertical = new QRadioButton(loadString(res::kStrAlignVertical), group);
    m_alignVertical->setObjectName(QString::number(kIdAlignVertical));
    m_alignHorizontal = new QRadioButton(loadString(res::kStrAlignHorizontal), group);
    m_alignHorizontal->setObjectName(QString::number(kIdAlignHorizontal));
    (m_record.m_alignment == 1 ? m_alignHorizontal : m_alignVertical)->setChecked(true);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(m_alignVertical);
    layout->addWidget(m_alignHorizontal);
    layout->addStretch(1);
    return group;
}

QWidget* CDisplayPage::makeColorRows()
{
    auto* rows = new QWidget(this);
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(0, 0, 0, 0);
    const struct {
        int label, name, id;
        std::int32_t color;
    } sides[] = {{res::kStrColor1, res::kStrUser1, kIdColor1, m_record.m_file1Color},
                 {res::kStrColor2, res::kStrUser2, kIdColor2, m_record.m_file2Color}};
    for (int side = 0; side < 2; ++side) {
        auto* button = new CColorBtn(rows);
        button->setObjectName(QString::number(sides[side].id));
        button->setAccessibleName(loadString(sides[side].name));
        button->setColorRef(sides[side].color);
        button->setColorDialog(
            [this](QWidget* parent, const QColor& initial) { return m_host.chooseColor(parent, initial); });
        auto* label = new QLabel(loadString(sides[side].label), rows);
        label->setBuddy(button);
        grid->addWidget(label, side, 0);
        grid->addWidget(button, side, 1);
        (side == 0 ? m_color1 : m_color2) = button;
    }
    grid->setColumnStretch(2, 1);
    return rows;
}

QCheckBox* CDisplayPage::makeCheckBox(int stringId, int id, bool checked)
{
    auto* box = new QCheckBox(loadString(stringId), this);
    box->setObjectName(QString::number(id));
    box->setChecked(checked);
    return box;
}

void CDisplayPage::apply()
{
    m_record.m_alignment = m_alignHorizontal->isChecked() ? 1 : 0;
    m_record.m_ignoreWhitespace = m_ignoreWhitespace->isChecked() ? 1 : 0;
    m_record.m_ignoreCase = m_ignoreCase->isChecked() ? 1 : 0;
    m_record.m_synchScrolling = m_synchScrolling->isChecked() ? 1 : 0;
    m_record.m_showLineNumbers = m_showLineNumbers->isChecked() ? 1 : 0;
    m_record.m_file1Color = m_color1->colorRef();
    m_record.m_file2Color = m_color2->colorRef();
}

void CDisplayPage::chooseTextFont()
{
    const std::optional<QFont> font = chooseFont(m_host.textFont(), m_record.m_fontName, m_record.m_fontSize);
    if (!font)
        return;
    const QString face = font->family().left(kMaxFaceLength);
    m_host.setTextFont(face, pointSize(*font));
    m_record.m_fontName = toU16String(face);
    m_record.m_fontSize = pointSize(*font);
}

void CDisplayPage::chooseBinaryFont()
{
    // The binary font has no shared description behind it: it starts from the default font.
    const std::optional<QFont> font = chooseFont(QFont(), m_record.m_binaryFontName, m_record.m_binaryFontSize);
    if (!font)
        return;
    m_record.m_binaryFontName = toU16String(font->family().left(kMaxFaceLength));
    m_record.m_binaryFontSize = pointSize(*font);
}

std::optional<QFont> CDisplayPage::chooseFont(QFont initial, const std::u16string& name, int size)
{
    initial.setFamily(toQString(name).left(kMaxFaceLength));
    if (size > 0)
        initial.setPointSize(size);
    return m_host.chooseFont(this, initial);
}

// A font chosen by pixel size has no point size; convert with the screen's resolution.
int CDisplayPage::pointSize(const QFont& font) const
{
    if (font.pointSize() > 0)
        return font.pointSize();
    return static_cast<int>(std::lround(font.pixelSize() * 72.0 / logicalDpiY()));
}

}  // namespace brindle
