#include "editor/ui/goto_dlg.h"

#include "framework/help_window.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace brindle {

CGotoDlg::CGotoDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QString::number(kDialogId));
    setWindowTitle(tr("Go to line"));
    setHelpPage(this, QStringLiteral("text-editor.html#go-to-line"));
    m_line = new QLineEdit(this);
    m_line->setObjectName(QString::number(kIdLine));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QString::number(kIdOk));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QString::number(kIdCancel));
    auto* form = new QFormLayout;
    form->addRow(tr("&Line number:"), m_line);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_line, &QLineEdit::textChanged, this, [this](const QString& text) { m_ok->setEnabled(!text.isEmpty()); });
    m_ok->setEnabled(false);
}

QString CGotoDlg::lineText() const { return m_line->text(); }

}  // namespace brindle
