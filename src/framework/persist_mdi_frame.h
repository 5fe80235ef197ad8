// A main frame that reopens where and as it was closed (normal, maximized or minimized).
#pragma once

#include "framework/mdi_frame_wnd.h"
#include "framework/persist_frame_impl.h"

namespace brindle {

// Owns a placement object on section "Main Frame" unless a subclass names another. The placement
// is saved when the frame closes (or, if it never closed, when it is destroyed after having been
// shown through showRestored()).
class CPersistMDIFrame : public CMDIFrameWnd {
    Q_OBJECT
public:
    explicit CPersistMDIFrame(QWidget* parent = nullptr, const QString& section = QStringLiteral("Main Frame"));
    ~CPersistMDIFrame() override;

    CPersistFrameImpl& placement() { return m_placement; }

    // Restores the saved placement, then shows the frame in the restored state.
    void showRestored();

protected:
    // Saves the placement when the close goes ahead.
    void closeEvent(QCloseEvent* event) override;

private:
    CPersistFrameImpl m_placement;
    bool m_restored = false;
    bool m_saved = false;
};

}  // namespace brindle
