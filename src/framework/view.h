// A view: a widget that shows (part of) a document and handles commands for it.
#pragma once

#include "framework/cmd_target.h"

class QWidget;

namespace brindle {

class CDocument;
class CMDIChildWnd;

// Mixed into a concrete widget class (`class CMyView : public QTreeWidget, public CView`). The
// view registers with its document on attach and leaves it when destroyed; when a document loses
// its last view it is deleted.
class CView : public CCmdTarget {
public:
    CView() = default;
    ~CView() override;
    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;

    CDocument* document() const { return m_document; }
    // Joins document (leaving any earlier one).
    void attachDocument(CDocument* document);
    void detachDocument();

    virtual QWidget* widget() = 0;
    // The frame the view's widget sits in, or nullptr.
    CMDIChildWnd* parentFrame();

    // Called once after the frame is built and the document loaded.
    virtual void onInitialUpdate() { onUpdate(nullptr, 0); }
    // The document changed (hint says how, 0 = everything).
    virtual void onUpdate(CView* sender, int hint);
    virtual void onActivateView(bool activate);

private:
    CDocument* m_document = nullptr;
};

}  // namespace brindle
