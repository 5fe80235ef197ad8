#include "editor/ui/find_text_dlg.h"

#include "editor/ed_find_session.h"
#include "editor/ed_search.h"
#include "editor/ed_search_target.h"
#include "editor/ui/mem_combo_box.h"
#include "editor/ui/search_option_boxes.h"
#include "framework/command_ids.h"
#include "framework/help_window.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "platform/settings_store.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace brindle {

QString notFoundMessage(std::u16string_view text)
{
    return toQString(FormatNotFound(toU16String(loadString(res::kStrNotFound)), text));
}

void showNotFoundMessage(QWidget* parent, std::u16string_view text)
{
    QMessageBox::information(parent, loadString(res::kStrAppTitle), notFoundMessage(text), QMessageBox::Ok);
}

CFindTextDlg::CFindTextDlg(CEdSearchTarget& target, QWidget* parent, CSettingsStore* store)
    : QDialog(parent),
      m_session(std::make_unique<CEdFindSession>(target, store != nullptr ? *store : userSettingsStore())),
      m_findWhat(withControlId(new CMemComboBox(this), kIdFindWhat)),
      m_options(std::make_unique<CSearchOptionBoxes>(this)),
      m_up(withControlId(new QRadioButton(loadString(res::kStrUp), this), kIdUp)),
      m_down(withControlId(new QRadioButton(loadString(res::kStrDown), this), kIdDown)),
      m_findNext(withControlId(new QPushButton(loadString(res::kStrFindNext), this), kIdOk)),
      m_cancel(withControlId(new QPushButton(loadString(res::kStrCancel), this), kIdCancel))
{
    setObjectName(QString::number(kDialogId));
    setWindowTitle(loadString(res::kStrFindTitle));
    setHelpPage(this, QStringLiteral("text-editor.html#find"));
    setModal(true);
    buildLayout();

    m_findWhat->setHistoryName(toQString(kFindTextHistory));
    m_findWhat->setEditText(toQString(m_session->initialText()));
    setSearchFlags(m_session->initialFlags());

    m_findNext->setDefault(true);
    connect(m_findNext, &QPushButton::clicked, this, &CFindTextDlg::findNext);
    connect(m_cancel, &QPushButton::clicked, this, &CFindTextDlg::reject);
    connect(m_findWhat, &QComboBox::editTextChanged, this, &CFindTextDlg::updateControls);
    connect(m_findWhat, &QComboBox::currentIndexChanged, this, &CFindTextDlg::updateControls);
    updateControls();
    m_findWhat->setFocus();
}

void CFindTextDlg::buildLayout()
{
    auto* label = new QLabel(loadString(res::kStrFindWhat), this);
    label->setBuddy(m_findWhat);
    auto* direction = new QGroupBox(loadString(res::kStrDirection), this);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(m_findWhat, 0, 1, 1, 2);
    auto* checks = new QVBoxLayout;
    m_options->addTo(*checks);
    layout->addLayout(checks, 1, 0, 1, 2);
    layout->addWidget(direction, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_findNext);
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 3, 2, 1);
    m_findWhat->setMinimumContentsLength(24);
}

QString CFindTextDlg::findText() const { return m_findWhat->currentText(); }

std::uint32_t CFindTextDlg::searchFlags() const
{
    std::uint32_t flags = m_options->flags();
    if (m_up->isChecked())
        flags |= kEdFindUp;
    return flags;
}

void CFindTextDlg::setSearchFlags(std::uint32_t flags)
{
    m_options->setFlags(flags);
    ((flags & kEdFindUp) != 0 ? m_up : m_down)->setChecked(true);
}

void CFindTextDlg::updateControls() { m_findNext->setEnabled(!findText().isEmpty()); }

void CFindTextDlg::findNext()
{
    const QString text = findText();
    if (text.isEmpty())
        return;
    m_findWhat->remember();
    if (m_session->findNext(toU16String(text), searchFlags()))
        accept();
}

CFindTextDlg::~CFindTextDlg() = default;

void CFindTextDlg::done(int result)
{
    if (!m_finished) {
        m_finished = true;
        m_session->finish(toU16String(findText()), searchFlags());
    }
    QDialog::done(result);
}

}  // namespace brindle
