#include "framework/view.h"

#include "framework/document.h"
#include "framework/mdi_child_wnd.h"

#include <QWidget>

namespace brindle {

CView::~CView() { detachDocument(); }

void CView::attachDocument(CDocument* document)
{
    if (m_document == document)
        return;
    detachDocument();
    m_document = document;
    if (m_document)
        m_document->addView(this);
}

void CView::detachDocument()
{
    CDocument* document = m_document;
    m_document = nullptr;
    if (document)
        document->removeView(this);
}

CMDIChildWnd* CView::parentFrame()
{
    for (QWidget* w = widget(); w; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<CMDIChildWnd*>(w))
            return frame;
    }
    return nullptr;
}

void CView::onUpdate(CView*, int) {}

void CView::onActivateView(bool) {}

}  // namespace brindle
