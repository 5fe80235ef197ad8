#include "framework/persist_mdi_child_frame.h"

#include <QCloseEvent>
#include <QMdiArea>

namespace brindle {

CPersistMDIChildFrame::CPersistMDIChildFrame(CDocTemplate& docTemplate, CDocument& document, const QString& section)
    : CMDIChildWnd(docTemplate, document), m_placement(*this, section)
{
}

CPersistMDIChildFrame::~CPersistMDIChildFrame()
{
    if (m_restored && !m_saved)
        m_placement.save();
}

void CPersistMDIChildFrame::activateFrame()
{
    if (m_restored) {
        CMDIChildWnd::activateFrame();
        return;
    }
    m_restored = true;
    // The place a first opening gets; a saved placement replaces it.
    placeFirstOpening();
    m_placement.restore();
    m_placement.showFrame(m_placement.showCommand());
    CMDIChildWnd::activateFrame();
}

void CPersistMDIChildFrame::closeEvent(QCloseEvent* event)
{
    // Closing takes the frame out of the window area, which may change its state: keep the
    // placement it had when the user closed it.
    const SWindowPlacement before = m_placement.placement();
    CMDIChildWnd::closeEvent(event);
    if (event->isAccepted() && m_restored) {
        m_placement.writePlacement(before);
        m_saved = true;
    }
}

}  // namespace brindle
