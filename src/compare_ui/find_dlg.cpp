#include "compare_ui/find_dlg.h"

#include "framework/help_window.h"
#include "framework/resources.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace brindle {

namespace {

constexpr int kStrFindTitle = 3250;  // "Find"
constexpr int kStrFindWhat = 3251;   // "Fi&nd what:"
constexpr int kStrWholeWord = 3252;  // "Match &whole word only"
constexpr int kStrMatchCase = 3253;  // "Match &case"
constexpr int kStrFindNext = 3254;   // "&Find Next"
constexpr int kStrCancel = 3211;     // "Cancel"

}  // namespace

CFindDlg::CFindDlg(QWidget* parent)
    : QDialog(parent), m_text(new QLineEdit(this)), m_wholeWord(new QCheckBox(loadString(kStrWholeWord), this)),
      m_matchCase(new QCheckBox(loadString(kStrMatchCase), this)),
      m_findNext(new QPushButton(loadString(kStrFindNext), this)),
      m_cancel(new QPushButton(loadString(kStrCancel), this))
{
    setWindowTitle(loadString(kStrFindTitle));
    setHelpPage(this, QStringLiteral("comparison-window.html#find"));
    setModal(false);
    auto* label = new QLabel(loadString(kStrFindWhat), this);
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
