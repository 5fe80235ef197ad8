// A document: the data of one window or more, its file, title, modified flag and views.
#pragma once

#include "framework/cmd_target.h"

#include <QObject>
#include <QString>
#include <vector>

namespace brindle {

class CDocTemplate;
class CMDIChildWnd;
class CView;

// Documents hold data and load and save it; views show it. A document belongs to its template and
// is deleted when its last view goes away (unless auto-delete is off). Every document handles the
// standard commands Close, Save (an untitled document goes to Save As) and Save As (the file
// dialog with the template's filter; the document then takes the new name and title).
class CDocument : public QObject, public CCmdTarget {
    Q_OBJECT
public:
    CDocument();
    ~CDocument() override;

    CDocTemplate* docTemplate() const { return m_template; }
    void setDocTemplate(CDocTemplate* docTemplate) { m_template = docTemplate; }

    const QString& title() const { return m_title; }
    virtual void setTitle(const QString& title);
    const QString& pathName() const { return m_pathName; }
    // Sets the file and takes the title from its name; adds it to the recent-file list.
    virtual void setPathName(const QString& path, bool addToRecentFiles = true);

    bool isModified() const { return m_modified; }
    virtual void setModifiedFlag(bool modified = true);

    const std::vector<CView*>& views() const { return m_views; }
    // The frame of the first view that sits in one, or nullptr.
    CMDIChildWnd* firstFrame() const;
    void addView(CView* view);
    void removeView(CView* view);
    void updateAllViews(CView* sender, int hint = 0);

    virtual bool onNewDocument();
    virtual bool onOpenDocument(const QString& path);
    virtual bool onSaveDocument(const QString& path);
    // Closes every frame showing the document; the document is then deleted.
    virtual void onCloseDocument();
    virtual void deleteContents();
    // File > Close: asks to save a modified document (Yes, No, Cancel), then closes its windows.
    void onFileClose();
    // Asks whether to save a modified document; true when it may be closed.
    virtual bool saveModified();
    virtual bool canCloseFrame(CMDIChildWnd* frame);
    // Saves to path, or asks for a name when path is empty or replace is set.
    bool doSave(const QString& path, bool replace = true);
    bool doFileSave();
    // Writes the unsaved content to path without changing the document (used when a document is
    // closed without asking). False when there is nothing to write or writing failed.
    virtual bool writeRecoveryCopy(const QString& path);
    // The template's message when onOpenDocument failed; documents that know a better reason
    // override it.
    virtual void reportOpenFailed(const QString& path);

    // Whether the window titles show "* " / " *" while the document is modified (the editors' way).
    virtual bool marksModifiedInTitles() const { return false; }

    bool autoDelete() const { return m_autoDelete; }
    void setAutoDelete(bool autoDelete) { m_autoDelete = autoDelete; }

protected:
    // doSave's message when onSaveDocument failed; documents that report their own failures
    // override it with nothing.
    virtual void reportSaveFailed(const QString& path);

signals:
    void titleChanged();
    void modifiedChanged(bool modified);

private:
    CDocTemplate* m_template = nullptr;
    QString m_title;
    QString m_pathName;
    bool m_modified = false;
    bool m_autoDelete = true;
    bool m_closing = false;
    std::vector<CView*> m_views;
};

}  // namespace brindle
