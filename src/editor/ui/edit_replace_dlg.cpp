#include "editor/ui/edit_replace_dlg.h"

#include "editor/ed_replace_session.h"
#include "editor/ed_search.h"
#include "editor/ed_search_target.h"
#include "editor/ui/mem_combo_box.h"
#include "editor/ui/search_option_boxes.h"
#include "framework/help_window.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "framework/string_ids.h"
#include "platform/settings_store.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace brindle {

CEditReplaceDlg::CEditReplaceDlg(CEdSearchTarget& target, QWidget* parent, CSettingsStore* store)
    : QDialog(parent),
      m_session(std::make_unique<CEdReplaceSession>(target, store != nullptr ? *store : userSettingsStore())),
      m_findWhat(withControlId(new CMemComboBox(this), kIdFindWhat)),
      m_replaceWith(withControlId(new CMemComboBox(this), kIdReplaceWith)),
      m_options(std::make_unique<CSearchOptionBoxes>(this)),
      m_selection(withControlId(new QRadioButton(loadString(res::kStrSelection), this), kIdSelection)),
      m_wholeFile(withControlId(new QRadioButton(loadString(res::kStrWholeFile), this), kIdWholeFile)),
      m_findNext(withControlId(new QPushButton(loadString(res::kStrFindNext), this), kIdFindNext)),
      m_replace(withControlId(new QPushButton(loadString(res::kStrReplace), this), kIdReplace)),
      m_replaceAll(withControlId(new QPushButton(loadString(res::kStrReplaceAll), this), kIdReplaceAll)),
      m_cancel(withControlId(new QPushButton(loadString(res::kStrCancel), this), kIdCancel))
{
    setObjectName(QString::number(kDialogId));
    setWindowTitle(loadString(res::kStrReplaceTitle));
    setHelpPage(this, QStringLiteral("text-editor.html#replace"));
    setModal(true);
    buildLayout();

    m_findWhat->setHistoryName(toQString(kFindTextHistory));
    m_replaceWith->setHistoryName(toQString(kReplaceTextHistory));
    m_findWhat->setEditText(toQString(m_session->initialText()));
    m_replaceWith->setEditText(m_replaceWith->itemText(0));
    setSearchFlags(m_session->initialFlags());
    m_selection->setEnabled(m_session->hasSelection());
    (m_session->selectionScope() ? m_selection : m_wholeFile)->setChecked(true);

    connect(m_findNext, &QPushButton::clicked, this, &CEditReplaceDlg::findNext);
    connect(m_replace, &QPushButton::clicked, this, &CEditReplaceDlg::replace);
    connect(m_replaceAll, &QPushButton::clicked, this, &CEditReplaceDlg::replaceAll);
    connect(m_cancel, &QPushButton::clicked, this, &CEditReplaceDlg::reject);
    connect(m_selection, &QRadioButton::toggled, this, [this](bool checked) { m_session->setSelectionScope(checked); });
    connect(m_findWhat, &QComboBox::editTextChanged, this, &CEditReplaceDlg::updateControls);
    connect(m_findWhat, &QComboBox::currentIndexChanged, this, &CEditReplaceDlg::updateControls);
    setDefaultButton(false);
    updateControls();
    m_findWhat->setFocus();
}

void CEditReplaceDlg::buildLayout()
{
    auto* findLabel = new QLabel(loadString(res::kStrFindWhat), this);
    findLabel->setBuddy(m_findWhat);
    auto* replaceLabel = new QLabel(loadString(res::kStrReplaceWith), this);
    replaceLabel->setBuddy(m_replaceWith);
    auto* scope = new QGroupBox(loadString(res::kStrReplaceIn), this);
    auto* scopeLayout = new QVBoxLayout(scope);
    scopeLayout->addWidget(m_selection);
    scopeLayout->addWidget(m_wholeFile);

    auto* layout = new QGridLayout(this);
    layout->addWidget(findLabel, 0, 0);
    layout->addWidget(m_findWhat, 0, 1, 1, 2);
    layout->addWidget(replaceLabel, 1, 0);
    layout->addWidget(m_replaceWith, 1, 1, 1, 2);
    auto* checks = new QVBoxLayout;
    m_options->addTo(*checks);
    checks->addStretch();
    layout->addLayout(checks, 2, 0, 1, 2);
    layout->addWidget(scope, 2, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_findNext);
    buttons->addWidget(m_replace);
    buttons->addWidget(m_replaceAll);
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 3, 3, 1);
    m_findWhat->setMinimumContentsLength(24);
    m_replaceWith->setMinimumContentsLength(24);
}

QString CEditReplaceDlg::findText() const { return m_findWhat->currentText(); }
QString CEditReplaceDlg::replaceText() const { return m_replaceWith->currentText(); }

std::uint32_t CEditReplaceDlg::searchFlags() const { return m_options->flags(); }

void CEditReplaceDlg::setSearchFlags(std::uint32_t flags) { m_options->setFlags(flags); }

void CEditReplaceDlg::updateControls() { m_findNext->setEnabled(!findText().isEmpty()); }

void CEditReplaceDlg::setDefaultButton(bool replaceDefault)
{
    m_findNext->setDefault(!replaceDefault);
    m_replace->setDefault(replaceDefault);
}

void CEditReplaceDlg::rememberTexts(bool withReplacement)
{
    m_findWhat->remember();
    if (withReplacement)
        m_replaceWith->remember();
}

void CEditReplaceDlg::findNext()
{
    if (findText().isEmpty())
        return;
    rememberTexts(false);
    setDefaultButton(m_session->findNext(toU16String(findText()), searchFlags()));
}

void CEditReplaceDlg::replace()
{
    rememberTexts(true);
    setDefaultButton(m_session->replace(toU16String(findText()), toU16String(replaceText()), searchFlags()));
}

void CEditReplaceDlg::replaceAll()
{
    rememberTexts(true);
    m_session->replaceAll(toU16String(findText()), toU16String(replaceText()), searchFlags());
    setDefaultButton(false);
}

CEditReplaceDlg::~CEditReplaceDlg() = default;

void CEditReplaceDlg::done(int result)
{
    if (!m_finished) {
        m_finished = true;
        m_session->finish(toU16String(findText()), searchFlags());
    }
    QDialog::done(result);
}

}  // namespace brindle
