#include "compare_ui/find_dlg.h"

#include "framework/help_window.h"
#include "framework/resources.h"
#include "framework/string_ids.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace brindle {

CFindDlg::CFindDlg(QWidget* parent)
    : QDialog(parent), m_text(new QLineEdit(this)), m_wholeWord(new QCheckBox(loadString(res::kStrWholeWord), this)),
      m_matchCase(new QCheckBox(loadString(res::kStrMatchCase), this)),
      m_findNext(new QPushButton(loadString(res::kStrFindNext), this)),
      m_cancel(new QPushButton(loadString(res::kStrCancel), this))
{
    setWindowTitle(loadString(res::kStrFindTitle));
    setHelpPage(this, QStringLiteral("comparison-window.html#find"));
    setModal(false);
    auto* label = new QLabel(loadString(res::kStrFindWhat), this);
    label->setBuddy(m_text);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(m_text, 0, 1);
    layout->addWidget(m_wholeWord, 1, 0, 1, 2);
    layout->addWidget(m_matchCase, 2, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_findNext);
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 2, 3, 1);

    m_findNext->setDefault(true);
    connect(m_findNext, &QPushButton::clicked, this, &CFindDlg::findNextRequested);
    connect(m_cancel, &QPushButton::clicked, this, &CFindDlg::reject);
    connect(m_text, &QLineEdit::textChanged, this, &CFindDlg::updateButtons);
    updateButtons();
}

QString CFindDlg::findText() const { return m_text->text(); }
bool CFindDlg::matchCase() const { return m_matchCase->isChecked(); }
bool CFindDlg::wholeWord() const { return m_wholeWord->isChecked(); }

void CFindDlg::setSearch(const QString& text, bool matchCase, bool wholeWord)
{
    m_text->setText(text);
    m_text->selectAll();
    m_text->setFocus();
    m_matchCase->setChecked(matchCase);
    m_wholeWord->setChecked(wholeWord);
}

void CFindDlg::updateButtons() { m_findNext->setEnabled(!m_text->text().isEmpty()); }

}  // namespace brindle
