// The modeless find dialog of a report pane: find text, match case, whole word, Find Next.
#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace brindle {

// Searches go one way only (forward, the report panes have no direction controls) and the panes
// are read-only, so the dialog offers no replace. Closing the dialog hides it; its owner keeps it.
class CFindDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFindDlg(QWidget* parent);

    // The search as the user left it.
    QString findText() const;
    bool matchCase() const;
    bool wholeWord() const;
    // Shows text (selected) and the two options.
    void setSearch(const QString& text, bool matchCase, bool wholeWord);

    QPushButton* findNextButton() const { return m_findNext; }

signals:
    // Find Next was pressed (the search fields hold the search).
    void findNextRequested();

private:
    void updateButtons();

    QLineEdit* m_text;
    QCheckBox* m_wholeWord;
    QCheckBox* m_matchCase;
    QPushButton* m_findNext;
    QPushButton* m_cancel;
};

}  // namespace brindle
