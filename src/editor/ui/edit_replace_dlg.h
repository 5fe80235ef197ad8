// The editor's replace dialog (8602): find and replace texts, options, scope, Find Next, Replace, Replace All.
#pragma once

#include "editor/ui/search_option_boxes.h"

#include <QDialog>
#include <QString>
#include <cstdint>
#include <memory>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace brindle {

class CEdReplaceSession;
class CEdSearchTarget;
class CMemComboBox;
class CSettingsStore;

// Modal, created per command on an editable view; the buttons run CEdReplaceSession. "Find Next"
// is enabled only while the find-what list holds text; after a search or replacement leaves a
// match selected, "Replace" becomes the default button, else "Find Next". "Selection" can be
// chosen only when the view had a selection; it is chosen from the start for one over several
// lines. However it closes, the view records the replace
// options, "ReplaceFlags" is stored and the view's selection from before is selected again.
// Controls carry their ids as object names.
class CEditReplaceDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId {
        kDialogId = 8602,
        kIdWholeWord = CSearchOptionBoxes::kIdWholeWord,
        kIdMatchCase = CSearchOptionBoxes::kIdMatchCase,
        kIdFindWhat = 8605,
        kIdRegExp = CSearchOptionBoxes::kIdRegExp,
        kIdReplace = 8607,
        kIdReplaceAll = 8608,
        kIdReplaceWith = 8609,
        kIdFindNext = 8610,
        kIdSelection = 8613,
        kIdWholeFile = 8614,
        kIdCancel = 2,
    };

    // store nullptr means userSettingsStore(). target and store outlive the dialog.
    explicit CEditReplaceDlg(CEdSearchTarget& target, QWidget* parent = nullptr, CSettingsStore* store = nullptr);

    QString findText() const;
    QString replaceText() const;
    // The flags of the three check boxes (EdSearchFlags).
    std::uint32_t searchFlags() const;
    void setSearchFlags(std::uint32_t flags);

    CMemComboBox* findWhat() const { return m_findWhat; }
    CMemComboBox* replaceWith() const { return m_replaceWith; }
    QPushButton* findNextButton() const { return m_findNext; }
    QPushButton* replaceButton() const { return m_replace; }
    QPushButton* replaceAllButton() const { return m_replaceAll; }
    QRadioButton* selectionButton() const { return m_selection; }
    QRadioButton* wholeFileButton() const { return m_wholeFile; }

    ~CEditReplaceDlg() override;

    void done(int result) override;

public slots:
    void findNext();
    void replace();
    void replaceAll();

private:
    void buildLayout();
    void updateControls();
    void setDefaultButton(bool replaceDefault);
    void rememberTexts(bool withReplacement);

    std::unique_ptr<CEdReplaceSession> m_session;  // a pointer: moc cannot read the core headers
    CMemComboBox* m_findWhat;
    CMemComboBox* m_replaceWith;
    std::unique_ptr<CSearchOptionBoxes> m_options;
    QRadioButton* m_selection;
    QRadioButton* m_wholeFile;
    QPushButton* m_findNext;
    QPushButton* m_replace;
    QPushButton* m_replaceAll;
    QPushButton* m_cancel;
    bool m_finished = false;
};

}  // namespace brindle
