#include "editor/ui/mem_combo_box.h"

#include "editor/ed_history_table.h"
#include "framework/qt_utf16.h"

#include <QSignalBlocker>

namespace brindle {

CMemComboBox::CMemComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    // The history decides order and duplicates; Enter must not add entries on its own.
    setInsertPolicy(QComboBox::NoInsert);
    setDuplicatesEnabled(false);
}

void CMemComboBox::setHistoryName(const QString& name)
{
    m_historyName = name;
    reload();
}

void CMemComboBox::remember()
{
    if (m_historyName.isEmpty())
        return;
    CEdHistoryTable::instance().add(toU16String(m_historyName), toU16String(currentText()));
    reload();
}

void CMemComboBox::reload()
{
    const QString text = currentText();
    // Refilling the list must not look like a change of the user's text to the dialog.
    const QSignalBlocker blocker(this);
    clear();
    for (const std::u16string& entry : CEdHistoryTable::instance().entries(toU16String(m_historyName)))
        addItem(toQString(entry));
    setCurrentIndex(-1);
    setEditText(text);
}

}  // namespace brindle
