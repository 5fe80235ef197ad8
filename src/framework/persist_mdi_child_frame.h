// A child frame that reopens where and as it was closed (normal, maximized or minimized).
#pragma once

#include "framework/mdi_child_wnd.h"
#include "framework/persist_frame_impl.h"
#include "platform/settings_names.h"

namespace brindle {

// Owns a placement object on section "Child Windows" unless a subclass names another. The first
// activation restores the saved placement and shows the frame in that state (without one, the
// frame starts at three quarters of the window area's size); later activations behave as usual.
// The placement is saved when the frame closes or is destroyed, provided it had been restored (a
// frame that failed before it was shown leaves the saved values alone).
class CPersistMDIChildFrame : public CMDIChildWnd {
    Q_OBJECT
public:
    CPersistMDIChildFrame(CDocTemplate& docTemplate, CDocument& document,
                          const QString& section = QStringView(kChildWindowsSection).toString());
    ~CPersistMDIChildFrame() override;

    CPersistFrameImpl& placement() { return m_placement; }
    bool restored() const { return m_restored; }

    void activateFrame() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CPersistFrameImpl m_placement;
    bool m_restored = false;
    bool m_saved = false;
};

}  // namespace brindle
