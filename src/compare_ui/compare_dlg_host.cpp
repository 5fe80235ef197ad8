#include "compare_ui/compare_dlg_host.h"

#include "compare_ui/color_btn.h"
#include "framework/command_ids.h"
#include "framework/resources.h"
#include "framework/win_app.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>

namespace brindle {

namespace {

CCompareDlgHost* g_installedHost = nullptr;

}  // namespace

CCompareDlgHost::~CCompareDlgHost()
{
    if (g_installedHost == this)
        g_installedHost = nullptr;
}

CCompareDlgHost& CCompareDlgHost::instance()
{
    static CCompareDlgHost defaultHost;
    return g_installedHost ? *g_installedHost : defaultHost;
}

void CCompareDlgHost::setInstance(CCompareDlgHost* host) { g_installedHost = host; }

CProfile& CCompareDlgHost::profile() { return CWinApp::instance()->profile(); }

QFont CCompareDlgHost::textFont() const { return QApplication::font(); }

void CCompareDlgHost::setTextFont(const QString&, int) {}

void CCompareDlgHost::message(QWidget* parent, int stringId)
{
    QMessageBox::warning(parent, loadString(res::kStrAppTitle), loadString(stringId));
}

QString CCompareDlgHost::openFileName(QWidget* parent, const QString& startName, const QString& filter)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(qtNameFilters(filter).split(QStringLiteral(";;")));
    if (!startName.isEmpty()) {
        const QFileInfo start(startName);
        dialog.setDirectory(start.isDir() ? start.absoluteFilePath() : start.absolutePath());
        if (!start.isDir())
            dialog.selectFile(start.fileName());
    }
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().front()
                                                                                    : QString();
}

QString CCompareDlgHost::saveFileName(QWidget* parent, const QString& proposedName, const QString& defaultSuffix,
                                      const QString& filter)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(qtNameFilters(filter).split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(proposedName);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().front()
                                                                                    : QString();
}

std::optional<QFont> CCompareDlgHost::chooseFont(QWidget* parent, const QFont& initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent);
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

std::optional<QColor> CCompareDlgHost::chooseColor(QWidget* parent, const QColor& initial)
{
    return runColorDialog(parent, initial);
}

QString qtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            if (pattern.trimmed() == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        filters.append(parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return filters.isEmpty() ? QStringLiteral("*") : filters.join(QStringLiteral(";;"));
}

}  // namespace brindle
