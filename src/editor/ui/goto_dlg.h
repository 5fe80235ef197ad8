// The edit view's go-to-line dialog (8603): one box for an absolute or relative line number.
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

namespace brindle {

// Modal. The box starts empty; OK is enabled only while it holds text. The caller reads
// lineText() after OK and hands it to EdGotoLineTarget. Controls carry their ids as object names.
class CGotoDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId {
        kDialogId = 8603,
        kIdLine = 1005,
        kIdOk = 1,
        kIdCancel = 2,
    };

    explicit CGotoDlg(QWidget* parent = nullptr);

    QString lineText() const;
    QLineEdit* lineEdit() const { return m_line; }
    QPushButton* okButton() const { return m_ok; }

private:
    QLineEdit* m_line;
    QPushButton* m_ok;
};

}  // namespace brindle
