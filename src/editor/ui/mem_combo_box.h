// An editable drop-down list that remembers the texts entered in it, in a history shared by the program.
#pragma once

#include <QComboBox>
#include <QString>

namespace brindle {

// Bound to one history of CEdHistoryTable::instance() ("FindText", "ReplaceText"): the list shows
// its entries, most recent first, and remember() puts the current text at the front of both.
class CMemComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CMemComboBox(QWidget* parent = nullptr);

    // Binds the list to the history name and fills it with the history's entries; the text in
    // the edit field stays.
    void setHistoryName(const QString& name);
    const QString& historyName() const { return m_historyName; }

    // Remembers the current text (not an empty one) as the history's most recent entry.
    void remember();

private:
    void reload();

    QString m_historyName;
};

}  // namespace brindle
