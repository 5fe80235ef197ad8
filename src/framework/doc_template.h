// A document template: which document, frame and view classes make one kind of window.
#pragma once

#include "framework/cmd_target.h"

#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace brindle {

class CDocument;
class CMDIChildWnd;
class CView;

// The template's resource id names its menu and its document strings (string table entry of the
// same id, fields separated by "\n": window title, document name, file new name, filter name,
// filter extension, type id, type name). Documents are owned by Qt object trees: a document is
// deleted when its last view goes; the template keeps the list of its open documents.
class CDocTemplate : public CCmdTarget {
public:
    using DocumentFactory = std::function<CDocument*()>;
    using FrameFactory = std::function<CMDIChildWnd*(CDocTemplate&, CDocument&)>;
    using ViewFactory = std::function<CView*(CDocument&, QWidget* parent)>;

    enum DocStringIndex {
        kWindowTitle = 0,
        kDocName,
        kFileNewName,
        kFilterName,
        kFilterExt,
        kRegFileTypeId,
        kRegFileTypeName
    };

    CDocTemplate(int resourceId, DocumentFactory documentFactory, FrameFactory frameFactory, ViewFactory viewFactory);
    ~CDocTemplate() override;

    int resourceId() const { return m_resourceId; }
    QString docString(DocStringIndex index) const;

    const std::vector<CDocument*>& documents() const { return m_documents; }
    void addDocument(CDocument* document);
    void removeDocument(CDocument* document);

    // Opens path in a new document and window (an empty path makes a new, empty document). Returns
    // the document, or nullptr when it could not be opened (the window is then closed again).
    virtual CDocument* openDocumentFile(const QString& path, bool makeVisible = true);
    // The open document of the same file as path (sameFileOrPath: the same name, or another name
    // of the same file; never a name that differs only in case), or nullptr.
    CDocument* findOpenDocument(const QString& path) const;
    // The open document of path with its frame brought forward (a minimized one restored);
    // otherwise path opened anew. nullptr when it cannot be opened (the open-failure message was
    // shown).
    CDocument* openOrActivateDocument(const QString& path);
    CDocument* createNewDocument();
    CMDIChildWnd* createNewFrame(CDocument& document);
    CView* createView(CDocument& document, QWidget* parent);
    // Shows the frame in the main frame's window area and gives its views their initial update.
    void initialUpdateFrame(CMDIChildWnd& frame, CDocument& document, bool makeVisible = true);
    // Closes every document of the template without asking.
    void closeAllDocuments();

private:
    int m_resourceId;
    DocumentFactory m_documentFactory;
    FrameFactory m_frameFactory;
    ViewFactory m_viewFactory;
    std::vector<CDocument*> m_documents;
};

}  // namespace brindle
