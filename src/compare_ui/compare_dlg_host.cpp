#include "compare_ui/compare_dlg_host.h"

#include "compare_ui/color_btn.h"
#include "framework/command_ids.h"
#include "framework/file_dialog.h"
#include "framework/resources.h"
#include "framework/win_app.h"

#include <QApplication>
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
    return promptOpenFileName(parent, startName, filter);
}

QString CCompareDlgHost::saveFileName(QWidget* parent, const QString& proposedName, const QString& defaultSuffix,
                                      const QString& filter)
{
    return promptSaveFileName(parent, proposedName, defaultSuffix, filter);
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

}  // namespace brindle
