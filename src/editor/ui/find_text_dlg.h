// The editor's find dialog (8601): search text with history, whole word, match case, regular expression, direction.
#pragma once

#include "editor/ui/search_option_boxes.h"

#include <QDialog>
#include <QString>
#include <cstdint>
#include <memory>
#include <string_view>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace brindle {

class CEdFindSession;
class CEdSearchTarget;
class CMemComboBox;
class CSettingsStore;

// Message 8606 for a search text that was not found: Cannot find string"text".
QString notFoundMessage(std::u16string_view text);
// Shows notFoundMessage in a message box with an OK button; what a view's
// CEdSearchTarget::ReportNotFound does.
void showNotFoundMessage(QWidget* parent, std::u16string_view text);

// Modal, created per command on a view. Opens with the options of CEdFindSession; "Find Next"
// searches the whole text with wrap from the caret, and closes the dialog when it finds a match;
// otherwise the target shows the failure and the dialog stays. However it closes, the view
// records the search and "FindFlags" is stored. Controls carry their ids as object names.
class CFindTextDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId {
        kDialogId = 8601,
        kIdWholeWord = CSearchOptionBoxes::kIdWholeWord,
        kIdMatchCase = CSearchOptionBoxes::kIdMatchCase,
        kIdFindWhat = 8605,
        kIdRegExp = CSearchOptionBoxes::kIdRegExp,
        kIdUp = 8611,
        kIdDown = 8612,
        kIdOk = 1,  // "&Find Next"
        kIdCancel = 2,
    };

    // store nullptr means userSettingsStore(). target and store outlive the dialog.
    explicit CFindTextDlg(CEdSearchTarget& target, QWidget* parent = nullptr, CSettingsStore* store = nullptr);

    QString findText() const;
    // The flags of the check boxes and the direction (EdSearchFlags).
    std::uint32_t searchFlags() const;
    void setSearchFlags(std::uint32_t flags);

    CMemComboBox* findWhat() const { return m_findWhat; }
    QPushButton* findNextButton() const { return m_findNext; }

    // Closing by any way ends the session once.
    ~CFindTextDlg() override;

    void done(int result) override;

public slots:
    void findNext();

private:
    void buildLayout();
    void updateControls();

    std::unique_ptr<CEdFindSession> m_session;  // a pointer: moc cannot read the core headers
    CMemComboBox* m_findWhat;
    std::unique_ptr<CSearchOptionBoxes> m_options;
    QRadioButton* m_up;
    QRadioButton* m_down;
    QPushButton* m_findNext;
    QPushButton* m_cancel;
    bool m_finished = false;
};

}  // namespace brindle
