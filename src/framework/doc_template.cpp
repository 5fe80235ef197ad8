#include "framework/doc_template.h"

#include "framework/document.h"
#include "framework/mdi_child_wnd.h"
#include "framework/mdi_frame_wnd.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "framework/view.h"
#include "framework/win_app.h"
#include "platform/file_system.h"

#include <QMdiArea>
#include <algorithm>

namespace brindle {

CDocTemplate::CDocTemplate(int resourceId, DocumentFactory documentFactory, FrameFactory frameFactory,
                           ViewFactory viewFactory)
    : m_resourceId(resourceId), m_documentFactory(std::move(documentFactory)), m_frameFactory(std::move(frameFactory)),
      m_viewFactory(std::move(viewFactory))
{
}

CDocTemplate::~CDocTemplate()
{
    closeAllDocuments();
    // Closed documents are deleted once the current event is over, after this template.
    for (CDocument* document : m_documents)
        document->setDocTemplate(nullptr);
}

QString CDocTemplate::docString(DocStringIndex index) const
{
    return loadString(m_resourceId).section(u'\n', index, index);
}

void CDocTemplate::addDocument(CDocument* document)
{
    if (std::find(m_documents.begin(), m_documents.end(), document) == m_documents.end())
        m_documents.push_back(document);
    document->setDocTemplate(this);
}

void CDocTemplate::removeDocument(CDocument* document)
{
    m_documents.erase(std::remove(m_documents.begin(), m_documents.end(), document), m_documents.end());
}

CDocument* CDocTemplate::findOpenDocument(const QString& path) const
{
    const std::u16string wanted = toU16String(path);
    for (CDocument* document : m_documents) {
        if (sameFileOrPath(toU16String(document->pathName()), wanted))
            return document;
    }
    return nullptr;
}

CDocument* CDocTemplate::openOrActivateDocument(const QString& path)
{
    CDocument* document = findOpenDocument(path);
    if (!document)
        return openDocumentFile(path);
    if (CMDIChildWnd* frame = document->firstFrame()) {
        if (frame->isMinimized())
            frame->showNormal();
        frame->activateFrame();
    }
    return document;
}

CDocument* CDocTemplate::createNewDocument()
{
    CDocument* document = m_documentFactory();
    if (document)
        addDocument(document);
    return document;
}

CMDIChildWnd* CDocTemplate::createNewFrame(CDocument& document)
{
    CMDIChildWnd* frame = m_frameFactory ? m_frameFactory(*this, document) : new CMDIChildWnd(*this, document);
    if (frame && !frame->onCreateClient()) {
        delete frame;
        return nullptr;
    }
    return frame;
}

CView* CDocTemplate::createView(CDocument& document, QWidget* parent)
{
    if (!m_viewFactory)
        return nullptr;
    CView* view = m_viewFactory(document, parent);
    if (view)
        view->attachDocument(&document);
    return view;
}

void CDocTemplate::initialUpdateFrame(CMDIChildWnd& frame, CDocument& document, bool makeVisible)
{
    if (CMDIFrameWnd* main = CWinApp::instance() ? CWinApp::instance()->mainFrame() : nullptr)
        main->mdiArea()->addSubWindow(&frame);
    frame.setAttribute(Qt::WA_DeleteOnClose);
    for (CView* view : document.views()) {
        if (view->parentFrame() == &frame)
            view->onInitialUpdate();
    }
    frame.onUpdateFrameTitle();
    if (makeVisible)
        frame.activateFrame();
}

CDocument* CDocTemplate::openDocumentFile(const QString& path, bool makeVisible)
{
    CDocument* document = createNewDocument();
    if (!document)
        return nullptr;
    CMDIChildWnd* frame = createNewFrame(*document);
    if (!frame) {
        removeDocument(document);
        delete document;
        return nullptr;
    }
    const bool loaded = path.isEmpty() ? document->onNewDocument() : document->onOpenDocument(path);
    if (!loaded) {
        if (!path.isEmpty())
            document->reportOpenFailed(path);
        frame->setProperty("brindleForceClose", true);
        delete frame;  // its views leave the document, which then deletes itself
        return nullptr;
    }
    if (path.isEmpty()) {
        // A frame may have named its document already (the comparison window does).
        if (document->title().isEmpty()) {
            const QString name = docString(kDocName);
            document->setTitle(name.isEmpty() ? QStringLiteral("Untitled") : name);
        }
    } else {
        document->setPathName(path);
    }
    initialUpdateFrame(*frame, *document, makeVisible);
    return document;
}

void CDocTemplate::closeAllDocuments()
{
    const std::vector<CDocument*> documents = m_documents;
    for (CDocument* document : documents)
        document->onCloseDocument();
}

}  // namespace brindle
