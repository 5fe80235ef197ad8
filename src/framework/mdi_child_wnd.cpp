#include "framework/mdi_child_wnd.h"

#include "framework/doc_template.h"
#include "framework/document.h"
#include "framework/mdi_frame_wnd.h"
#include "framework/view.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>
#include <QWidget>

namespace brindle {

CMDIChildWnd::CMDIChildWnd(CDocTemplate& docTemplate, CDocument& document)
    : m_template(docTemplate), m_document(&document)
{
    connect(&document, &CDocument::titleChanged, this, &CMDIChildWnd::onUpdateFrameTitle);
    connect(&document, &CDocument::modifiedChanged, this, [this] { onUpdateFrameTitle(); });
    connect(this, &QMdiSubWindow::windowStateChanged, this, [this] { onUpdateFrameTitle(); });
    // The window menu of the child carries Ctrl+W and Ctrl+F4 for Close as well; two actions with
    // one key answer neither. The main frame's Close command (which asks first) keeps the key.
    if (QMenu* menu = systemMenu()) {
        for (QAction* action : menu->actions())
            action->setShortcuts({});
    }
}

CMDIChildWnd::~CMDIChildWnd() = default;

bool CMDIChildWnd::onCreateClient()
{
    if (!m_document)
        return false;
    CView* view = m_template.createView(*m_document, this);
    if (!view)
        return false;
    setWidget(view->widget());
    watchView(view);
    setActiveView(view);
    return true;
}

void CMDIChildWnd::watchView(CView* view)
{
    QWidget* widget = view->widget();
    widget->setProperty("brindleView", QVariant::fromValue(static_cast<void*>(view)));
    widget->installEventFilter(this);
}

bool CMDIChildWnd::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (void* view = watched->property("brindleView").value<void*>())
            setActiveView(static_cast<CView*>(view));
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void CMDIChildWnd::setActiveView(CView* view)
{
    if (m_activeView == view)
        return;
    if (m_activeView)
        m_activeView->onActivateView(false);
    m_activeView = view;
    if (m_activeView)
        m_activeView->onActivateView(true);
}

void CMDIChildWnd::onUpdateFrameTitle()
{
    if (!m_document)
        return;
    // A maximized window's title stands inside the main window's, which carries the marker.
    const bool marked = m_document->isModified() && m_document->marksModifiedInTitles() && !isMaximized();
    const QString title = m_document->title() + (marked ? QStringLiteral(" *") : QString());
    if (windowTitle() != title)
        setWindowTitle(title);
}

void CMDIChildWnd::placeFirstOpening()
{
    QMdiArea* area = mdiArea();
    if (m_placed || !area)
        return;
    m_placed = true;
    const QRect room = area->viewport()->rect();
    QMdiSubWindow* beside = nullptr;
    for (QMdiSubWindow* other : area->subWindowList(QMdiArea::ActivationHistoryOrder)) {
        if (other != this && other->isVisible() && !other->isMinimized())
            beside = other;
    }
    if (!beside) {
        setGeometry(room);
        return;
    }
    constexpr int kCascadeStep = 28;
    const QSize size = room.size() * 3 / 4;
    QPoint at =
        beside->isMaximized() ? room.topLeft() : beside->geometry().topLeft() + QPoint(kCascadeStep, kCascadeStep);
    if (at.x() + size.width() > room.right() || at.y() + size.height() > room.bottom())
        at = room.topLeft();
    setGeometry(QRect(at, size));
}

void CMDIChildWnd::activateFrame()
{
    m_activated = true;
    placeFirstOpening();
    show();
    if (QMdiArea* area = mdiArea())
        area->setActiveSubWindow(this);
    if (m_activeView)
        m_activeView->widget()->setFocus();
}

void CMDIChildWnd::closeEvent(QCloseEvent* event)
{
    if (!property("brindleForceClose").toBool() && m_document && !m_document->canCloseFrame(this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

}  // namespace brindle
