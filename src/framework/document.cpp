#include "framework/document.h"

#include "framework/command_ids.h"
#include "framework/doc_template.h"
#include "framework/file_dialog.h"
#include "framework/mdi_child_wnd.h"
#include "framework/mdi_frame_wnd.h"
#include "framework/resources.h"
#include "framework/view.h"
#include "framework/win_app.h"

#include <QFileInfo>
#include <QMessageBox>
#include <algorithm>

namespace brindle {

namespace {

}  // namespace

CDocument::CDocument()
{
    // The standard commands of every document; views that show no savable data disable them.
    onCommand(cmd::kFileClose, [this] { onFileClose(); });
    onCommand(cmd::kFileSave, [this] { doFileSave(); });
    onCommand(cmd::kFileSaveAs, [this] { doSave(m_pathName); });
}

CDocument::~CDocument()
{
    if (m_template)
        m_template->removeDocument(this);
}

void CDocument::setTitle(const QString& title)
{
    if (m_title == title)
        return;
    m_title = title;
    emit titleChanged();
}

void CDocument::setPathName(const QString& path, bool addToRecentFiles)
{
    m_pathName = path;
    setTitle(QFileInfo(path).fileName());
    if (addToRecentFiles && !path.isEmpty() && CWinApp::instance())
        CWinApp::instance()->addToRecentFiles(path);
}

void CDocument::setModifiedFlag(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

CMDIChildWnd* CDocument::firstFrame() const
{
    for (CView* view : m_views) {
        if (CMDIChildWnd* frame = view->parentFrame())
            return frame;
    }
    return nullptr;
}

void CDocument::addView(CView* view)
{
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CDocument::removeView(CView* view)
{
    const auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end())
        return;
    m_views.erase(it);
    // The last view gone: the document goes too, once the current event is over.
    if (m_views.empty() && m_autoDelete && !m_closing) {
        m_closing = true;
        deleteContents();
        deleteLater();
    }
}

void CDocument::updateAllViews(CView* sender, int hint)
{
    const std::vector<CView*> views = m_views;
    for (CView* view : views) {
        if (view != sender)
            view->onUpdate(sender, hint);
    }
}

bool CDocument::onNewDocument()
{
    deleteContents();
    m_pathName.clear();
    setModifiedFlag(false);
    return true;
}

bool CDocument::onOpenDocument(const QString& path)
{
    deleteContents();
    setModifiedFlag(false);
    return QFileInfo::exists(path);
}

bool CDocument::onSaveDocument(const QString&)
{
    setModifiedFlag(false);
    return true;
}

void CDocument::onCloseDocument()
{
    // Frames close their views; the last view leaving deletes the document.
    const bool autoDelete = m_autoDelete;
    m_autoDelete = false;
    std::vector<CMDIChildWnd*> frames;
    for (CView* view : m_views) {
        if (CMDIChildWnd* frame = view->parentFrame();
            frame && std::find(frames.begin(), frames.end(), frame) == frames.end())
            frames.push_back(frame);
    }
    for (CMDIChildWnd* frame : frames) {
        frame->setAttribute(Qt::WA_DeleteOnClose);
        frame->setProperty("brindleForceClose", true);
        frame->close();
    }
    m_autoDelete = autoDelete;
    deleteContents();
    if (m_autoDelete && !m_closing) {
        m_closing = true;
        deleteLater();
    }
}

void CDocument::deleteContents() {}

void CDocument::onFileClose()
{
    if (saveModified())
        onCloseDocument();
}

bool CDocument::saveModified()
{
    if (!m_modified)
        return true;
    const QString name = m_title.isEmpty() ? m_pathName : m_title;
    const auto answer =
        QMessageBox::question(dialogParent(), loadString(res::kStrAppTitle), loadString(res::kStrAskToSave).arg(name),
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::No)
        return true;
    return doFileSave();
}

bool CDocument::canCloseFrame(CMDIChildWnd* frame)
{
    // Other frames still show the document: closing this one loses nothing.
    for (CView* view : m_views) {
        if (view->parentFrame() && view->parentFrame() != frame)
            return true;
    }
    return saveModified();
}

bool CDocument::writeRecoveryCopy(const QString&) { return false; }

void CDocument::reportSaveFailed(const QString& path)
{
    QMessageBox::warning(dialogParent(), loadString(res::kStrAppTitle), loadString(res::kStrSaveFailed).arg(path));
}

void CDocument::reportOpenFailed(const QString& path)
{
    QMessageBox::warning(dialogParent(), loadString(res::kStrAppTitle), loadString(res::kStrOpenFailed).arg(path));
}

bool CDocument::doFileSave() { return doSave(m_pathName, m_pathName.isEmpty()); }

bool CDocument::doSave(const QString& path, bool replace)
{
    QString target = path;
    if (target.isEmpty() || replace) {
        // Save As proposes the current file, or the title for a document without one.
        const QString filter =
            m_template ? templateFilter(m_template->docString(CDocTemplate::kFilterName)) : QString();
        const QString suffix =
            m_template ? m_template->docString(CDocTemplate::kFilterExt).section(u'.', -1) : QString();
        target = promptSaveFileName(dialogParent(), target.isEmpty() ? m_title : target, suffix, filter);
        if (target.isEmpty())
            return false;
    }
    if (!onSaveDocument(target)) {
        reportSaveFailed(target);
        return false;
    }
    if (replace)
        setPathName(target);
    return true;
}

}  // namespace brindle
