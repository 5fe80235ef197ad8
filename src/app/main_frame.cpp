#include "app/main_frame.h"

#include "app/about_dlg.h"
#include "app/app_compare_dlg_host.h"
#include "app/batch_run_report.h"
#include "app/brd_app.h"
#include "app/command_line.h"
#include "app/empty_area_hint.h"
#include "compare_ui/compare_dlg.h"
#include "compare_ui/recovery_file.h"
#include "engine/comp_file_opt.h"
#include "engine/compare_driver.h"
#include "framework/command_ids.h"
#include "framework/file_dialog.h"
#include "framework/resources.h"
#include "platform/profile.h"
#include "platform/settings_names.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <cstdio>

namespace brindle {

namespace {

void printError(const QString& line) { std::fprintf(stderr, "brd64: %s\n", line.toLocal8Bit().constData()); }

// Command-line processing acting on the running program.
class CFrameCommandLineActions final : public CCommandLineActions {
public:
    explicit CFrameCommandLineActions(CMainFrame& frame) : m_frame(frame) {}
    CProfile& profile() override { return CBRDApp::instance()->profile(); }
    void openComparison(const CCompFileOpt& record, const QString& mergePath) override
    {
        CBRDApp::instance()->openComparison(record, mergePath);
    }
    void setTextFont(const QString& face, int pointSize) override { CBRDApp::instance()->setTextFont(face, pointSize); }
    void runQuietActions(std::vector<CCompFileOpt>& actions) override
    {
        CBatchRunReport report;
        for (std::size_t number = 1; number <= actions.size(); ++number) {
            const SQuietOutcome outcome = RunQuietComparison(actions[number - 1]);
            // A quiet run has no window: the line goes where the script's caller looks.
            for (const SKeptBackup& kept : outcome.keptBackups)
                printError(keptBackupsMessage({kept}));
            report.add(number, actions[number - 1], outcome);
        }
        for (const QString& line : report.lines())
            printError(line);
        if (!report.empty())
            QMessageBox::warning(&m_frame, loadString(res::kStrAppTitle), report.message(actions.size()));
    }
    void postCompareFiles() override { m_frame.postCommand(cmd::kCompareFiles); }

private:
    CMainFrame& m_frame;
};

}  // namespace

CMainFrame::CMainFrame(QWidget* parent) : CPersistMDIFrame(parent, QStringView(kMainWindowSection).toString())
{
    // The compare dialog, whether opened here or from a comparison window, changes the program's
    // shared text font.
    CAppCompareDlgHost::install();
    onCommand(cmd::kAppAbout, [this] { onAppAbout(); });
    onCommand(cmd::kCompareFiles, [this] { onCompareFiles(); });
    onCommand(cmd::kAppExit, [this] { close(); });
    onCommand(cmd::kWindowCascade, [this] { mdiArea()->cascadeSubWindows(); });
    onCommand(cmd::kWindowTile, [this] { mdiArea()->tileSubWindows(); });
    onCommand(cmd::kWindowArrange, [this] { mdiArea()->tileSubWindows(); });
    onCommand(cmd::kFileOpen, [this] {
        const QString path = promptOpenFileName(this, QString(), loadString(res::kStrAllFiles));
        if (!path.isEmpty())
            CBRDApp::instance()->openDocumentFile(path);
    });
    onCommandRange(cmd::kFileMruFirst, cmd::kFileMruLast, [](int id) {
        const QStringList files = CBRDApp::instance()->recentFiles();
        const int index = id - cmd::kFileMruFirst;
        if (index < files.size())
            CBRDApp::instance()->openDocumentFile(files[index]);
    });
    // The placeholder item of an empty list stays greyed, whenever the states are updated.
    onUpdateCommandRange(cmd::kFileMruFirst, cmd::kFileMruLast, [](CCmdUI& ui) {
        ui.enable(ui.id() - cmd::kFileMruFirst < CBRDApp::instance()->recentFiles().size());
    });
    onCommand(cmd::kViewToolBar, [this] {
        for (QToolBar* bar : findChildren<QToolBar*>())
            bar->setVisible(!bar->isVisible());
    });
    onUpdateCommand(cmd::kViewToolBar, [this](CCmdUI& ui) {
        const auto bars = findChildren<QToolBar*>();
        ui.setCheck(!bars.isEmpty() && bars.front()->isVisible());
    });
    onCommand(cmd::kViewStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
    onUpdateCommand(cmd::kViewStatusBar, [this](CCmdUI& ui) { ui.setCheck(statusBar()->isVisible()); });
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::create()
{
    setAppTitle(loadString(res::kStrAppTitle));
    setMenuResource(res::kMainFrame);
    bindAccelerators(res::kMainFrame);
    new CEmptyAreaHint(*mdiArea(), loadString(res::kStrStartHint),
                       [this](const QStringList& files) { openDropped(files); });
    return createBars(res::kMainFrame, {cmd::kIndicatorCaps, cmd::kIndicatorNum, cmd::kIndicatorScroll}) &&
           menuResource() == res::kMainFrame;
}

void CMainFrame::showFromPlacement()
{
    // A first start takes four fifths of the screen's free area, centred; a saved placement
    // replaces it.
    if (const QScreen* current = screen()) {
        const QRect available = current->availableGeometry();
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, available.size() * 4 / 5, available));
    }
    showRestored();
}

bool CMainFrame::processCommandLine(const QString& commandLine)
{
    CFrameCommandLineActions actions(*this);
    return brindle::processCommandLine(commandLine, actions);
}

// Until the compare dialog arrives: ask for the two files one after the other.
void CMainFrame::onCompareFiles()
{
    CCompFileOpt record;
    record.Load(CBRDApp::instance()->profile());
    QString mergePath;
    if (runCompareDialog(record, this, &mergePath))
        CBRDApp::instance()->openComparison(record, mergePath);
}

// Two files dropped onto the window area are compared (the first two, in the drag's order); one is
// opened as File > Open opens it.
void CMainFrame::openDropped(const QStringList& files)
{
    if (files.size() >= 2) {
        CFrameCommandLineActions actions(*this);
        compareTwoFiles(files[0], files[1], actions);
    } else if (files.size() == 1) {
        CBRDApp::instance()->openDocumentFile(files.front());
    }
}

void CMainFrame::onAppAbout()
{
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::fillRecentFiles(QMenu* menu, QAction* placeholder)
{
    // Remove entries of an earlier opening, then put one action per file in place of the item.
    for (QAction* action : menu->actions()) {
        if (action->property("brindleRecentEntry").toBool())
            menu->removeAction(action);
    }
    const QStringList& files = CBRDApp::instance()->recentFiles();
    placeholder->setVisible(files.isEmpty());
    placeholder->setEnabled(false);
    for (int i = 0; i < files.size(); ++i) {
        auto* entry = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()), menu);
        entry->setProperty("brindleRecentEntry", true);
        entry->setToolTip(files[i]);
        entry->setStatusTip(files[i]);
        const int id = cmd::kFileMruFirst + i;
        connect(entry, &QAction::triggered, this, [this, id] { routeCommand(id); });
        menu->insertAction(placeholder, entry);
    }
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!CBRDApp::instance()->saveAllModified()) {
        event->ignore();
        return;
    }
    CBRDApp::instance()->closeAllDocuments();
    CPersistMDIFrame::closeEvent(event);
}

}  // namespace brindle
