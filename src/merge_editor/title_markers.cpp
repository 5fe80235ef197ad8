#include "merge_editor/title_markers.h"

#include "framework/mdi_child_wnd.h"
#include "framework/mdi_frame_wnd.h"
#include "framework/win_app.h"

#include <QString>
#include <QWidget>

namespace brindle {

namespace {

const QString kMainMarker = QStringLiteral("* ");
const QString kChildMarker = QStringLiteral(" *");

}  // namespace

void applyTitleMarkers(bool modified, QWidget* mainWindow, QWidget* childFrame, bool childMaximized)
{
    if (mainWindow) {
        const QString title = mainWindow->windowTitle();
        const bool marked = title.startsWith(kMainMarker);
        if (modified && !marked)
            mainWindow->setWindowTitle(kMainMarker + title);
        else if (!modified && marked)
            mainWindow->setWindowTitle(title.mid(kMainMarker.size()));
    }
    if (childFrame && !childMaximized) {
        const QString title = childFrame->windowTitle();
        const bool marked = title.endsWith(kChildMarker);
        if (modified && !marked)
            childFrame->setWindowTitle(title + kChildMarker);
        else if (!modified && marked)
            childFrame->setWindowTitle(title.chopped(kChildMarker.size()));
    }
}

void applyTitleMarkersToActiveChild(bool modified)
{
    CMDIFrameWnd* main = CWinApp::instance() ? CWinApp::instance()->mainFrame() : nullptr;
    if (!main)
        return;
    CMDIChildWnd* child = main->activeChild();
    applyTitleMarkers(modified, main, child, child && child->isMaximized());
}

}  // namespace brindle
