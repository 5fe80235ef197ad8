#include "framework/persist_mdi_frame.h"

#include <QCloseEvent>

namespace brindle {

CPersistMDIFrame::CPersistMDIFrame(QWidget* parent, const QString& section)
    : CMDIFrameWnd(parent), m_placement(*this, section)
{
}

CPersistMDIFrame::~CPersistMDIFrame()
{
    if (m_restored && !m_saved)
        m_placement.save();
}

void CPersistMDIFrame::showRestored()
{
    m_placement.restore();
    m_restored = true;
    m_saved = false;
    m_placement.showFrame(m_placement.showCommand());
}

void CPersistMDIFrame::closeEvent(QCloseEvent* event)
{
    CMDIFrameWnd::closeEvent(event);
    if (event->isAccepted() && m_restored) {
        m_placement.save();
        m_saved = true;
    }
}

}  // namespace brindle
