// The main frame of brd64: tool bar, status bar, the "Compare Files" command and command lines.
#pragma once

#include "framework/persist_mdi_frame.h"

#include <QString>
#include <QStringList>

namespace brindle {

// Keeps its placement in section "Main Window".
class CMainFrame : public CPersistMDIFrame {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Builds tool bar, status bar and menus; false when a part cannot be made.
    bool create();
    // Shows the frame with its saved placement (position and normal, maximized or minimized).
    void showFromPlacement();

    // Command-line processing, for the start-up command line and for command lines handed over
    // by a second copy of the program. True when the text was handled.
    bool processCommandLine(const QString& commandLine);

protected:
    void fillRecentFiles(QMenu* menu, QAction* placeholder) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void onCompareFiles();
    void onAppAbout();
    void openDropped(const QStringList& files);
};

}  // namespace brindle
