#include "compare_ui/compare_dlg.h"

#include "compare_ui/comp_files_page.h"
#include "compare_ui/compare_dlg_host.h"
#include "compare_ui/display_page.h"
#include "compare_ui/sel_page.h"
#include "engine/comp_file_opt.h"
#include "framework/help_window.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "framework/string_ids.h"
#include "platform/profile.h"
#include "platform/settings_names.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace brindle {

CCompareDlg::CCompareDlg(CCompFileOpt& record, CCompareDlgHost& host, QWidget* owner)
    : QDialog(owner), m_record(record), m_host(host), m_tabs(new QTabWidget(this))
{
    setWindowTitle(loadString(res::kStrCompareDlgCaption));
    setHelpPage(this, QStringLiteral("compare-dialog.html"));
    const bool displayMergeFile =
        !record.m_outputFile.empty() && host.profile().readInt(kSettingsSection, kShowMergeEditorValue, 0) != 0;
    m_selPage =
        new CSelPage(record, host, toQString(record.m_file1Path), toQString(record.m_file2Path), displayMergeFile);
    m_compFilesPage = new CCompFilesPage(record);
    m_displayPage = new CDisplayPage(record, host);
    setHelpPage(m_selPage, QStringLiteral("compare-dialog.html#files"));
    setHelpPage(m_compFilesPage, QStringLiteral("compare-dialog.html#merge-file"));
    setHelpPage(m_displayPage, QStringLiteral("compare-dialog.html#display"));
    m_tabs->addTab(m_selPage, loadString(res::kStrSelPage));
    m_tabs->addTab(m_compFilesPage, loadString(res::kStrCompFilesPage));
    m_tabs->addTab(m_displayPage, loadString(res::kStrDisplayPage));
    m_tabs->setCurrentIndex(0);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CCompareDlg::pageChanged);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCompareDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCompareDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

void CCompareDlg::accept()
{
    // As on leaving it, the page in front is checked first.
    if (m_tabs->currentWidget() == m_compFilesPage) {
        if (const auto failure = m_compFilesPage->validate())
            return showFailure(m_compFilesPage, *failure);
    }
    if (const auto failure = m_selPage->validate())
        return showFailure(m_selPage, *failure);
    if (const auto failure = m_compFilesPage->validate())
        return showFailure(m_compFilesPage, *failure);

    m_selPage->apply();
    m_compFilesPage->apply();
    m_displayPage->apply();
    m_record.m_file1Path = toU16String(m_selPage->file1());
    m_record.m_file2Path = toU16String(m_selPage->file2());
    m_host.profile().writeInt(kSettingsSection, kShowMergeEditorValue, m_selPage->displayMergeFile() ? 1 : 0);
    QDialog::accept();
}

QString CCompareDlg::mergePath() const
{
    return m_selPage->displayMergeFile() ? toQString(m_record.m_outputFile) : QString();
}

void CCompareDlg::pageChanged(int index)
{
    const int left = m_currentPage;
    m_currentPage = index;
    if (m_tabs->widget(left) != m_compFilesPage)
        return;
    if (const auto failure = m_compFilesPage->validate())
        showFailure(m_compFilesPage, *failure);
}

void CCompareDlg::showFailure(QWidget* page, const SPageFailure& failure)
{
    {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentWidget(page);
        m_currentPage = m_tabs->currentIndex();
    }
    m_host.message(this, failure.messageId);
    failure.control->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(failure.control))
        edit->selectAll();
    else if (auto* combo = qobject_cast<QComboBox*>(failure.control); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
}

bool runCompareDialog(CCompFileOpt& record, QWidget* owner, QString* mergePath, CCompareDlgHost* host)
{
    CCompareDlgHost& sheetHost = host ? *host : CCompareDlgHost::instance();
    bool accepted = false;
    {
        CCompareDlg sheet(record, sheetHost, owner);
        accepted = sheet.exec() == QDialog::Accepted;
        if (accepted && mergePath)
            *mergePath = sheet.mergePath();
    }
    sheetHost.sheetClosed();
    return accepted;
}

}  // namespace brindle
