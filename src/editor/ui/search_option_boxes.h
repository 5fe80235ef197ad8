// The option check boxes the find and replace dialogs share: whole word, match case, regular
// expression.
#pragma once

#include <QString>
#include <cstdint>

class QCheckBox;
class QVBoxLayout;
class QWidget;

namespace brindle {

// Gives widget the control id as its object name, as the dialogs' controls are found by id.
template <class Widget>
Widget* withControlId(Widget* widget, int id)
{
    widget->setObjectName(QString::number(id));
    return widget;
}

// Creates the three boxes as children of dialog; the dialog owns them.
class CSearchOptionBoxes {
public:
    // The boxes' control ids, the same in both dialogs.
    enum ControlId {
        kIdWholeWord = 8603,
        kIdMatchCase = 8604,
        kIdRegExp = 8606,
    };

    explicit CSearchOptionBoxes(QWidget* dialog);

    // Adds the boxes to layout in the dialogs' order.
    void addTo(QVBoxLayout& layout) const;
    // The match-case, whole-word and regular-expression bits of the search flags.
    std::uint32_t flags() const;
    void setFlags(std::uint32_t flags) const;

private:
    QCheckBox* m_wholeWord;
    QCheckBox* m_matchCase;
    QCheckBox* m_regExp;
};

}  // namespace brindle
