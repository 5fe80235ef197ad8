#include "editor/ui/search_option_boxes.h"

#include "editor/ed_search.h"
#include "framework/resources.h"
#include "framework/string_ids.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace brindle {

CSearchOptionBoxes::CSearchOptionBoxes(QWidget* dialog)
    : m_wholeWord(withControlId(new QCheckBox(loadString(res::kStrWholeWord), dialog), kIdWholeWord)),
      m_matchCase(withControlId(new QCheckBox(loadString(res::kStrMatchCase), dialog), kIdMatchCase)),
      m_regExp(withControlId(new QCheckBox(loadString(res::kStrRegExp), dialog), kIdRegExp))
{
}

void CSearchOptionBoxes::addTo(QVBoxLayout& layout) const
{
    layout.addWidget(m_wholeWord);
    layout.addWidget(m_matchCase);
    layout.addWidget(m_regExp);
}

std::uint32_t CSearchOptionBoxes::flags() const
{
    std::uint32_t flags = 0;
    if (m_matchCase->isChecked())
        flags |= kEdFindMatchCase;
    if (m_wholeWord->isChecked())
        flags |= kEdFindWholeWord;
    if (m_regExp->isChecked())
        flags |= kEdFindRegExp;
    return flags;
}

void CSearchOptionBoxes::setFlags(std::uint32_t flags) const
{
    m_matchCase->setChecked((flags & kEdFindMatchCase) != 0);
    m_wholeWord->setChecked((flags & kEdFindWholeWord) != 0);
    m_regExp->setChecked((flags & kEdFindRegExp) != 0);
}

}  // namespace brindle
