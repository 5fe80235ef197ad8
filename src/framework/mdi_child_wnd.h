// A child window in the main frame's window area, holding the views of one document.
#pragma once

#include "framework/cmd_target.h"
#include "framework/document.h"

#include <QMdiSubWindow>
#include <QPointer>

namespace brindle {

class CDocTemplate;

class CView;

class CMDIChildWnd : public QMdiSubWindow, public CCmdTarget {
    Q_OBJECT
public:
    CMDIChildWnd(CDocTemplate& docTemplate, CDocument& document);
    ~CMDIChildWnd() override;

    CDocTemplate& docTemplate() const { return m_template; }
    CDocument* document() const { return m_document.data(); }

    // Builds the client area; the default makes one view of the template. False fails creation.
    virtual bool onCreateClient();
    CView* activeView() const { return m_activeView; }
    void setActiveView(CView* view);

    // The caption: the document's title, with " *" after it while the document is modified and
    // marks it in titles, unless the window is maximized.
    virtual void onUpdateFrameTitle();
    // Called when the frame is first shown and on every later activation.
    virtual void activateFrame();

protected:
    // Where a window opened without a saved place goes: alone it fills the window area; beside
    // others it takes three quarters of it, cascaded down from the active one, so that each stays
    // usable. Done once: later calls do nothing.
    void placeFirstOpening();
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Makes views created inside the frame known: focus on a view's widget makes it active.
    void watchView(CView* view);

private:
    CDocTemplate& m_template;
    QPointer<CDocument> m_document;
    CView* m_activeView = nullptr;
    bool m_activated = false;
    bool m_placed = false;
};

}  // namespace brindle
