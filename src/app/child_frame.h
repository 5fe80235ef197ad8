// The comparison window's frame: the section list and the form view side by side.
#pragma once

#include "framework/doc_template.h"
#include "framework/persist_mdi_child_frame.h"

class QSplitter;

namespace brindle {

class CBRDView;
class CView;

// Keeps its placement in section "Compare Window". Its client area is a splitter of one row and two
// panes: pane 0 the template's view (the section list), as wide as "Splitter" in "Compare Window"
// says; pane 1 a view from formViewFactory (the form view), which takes the rest. Without a stored
// width the list fits its widest label, up to a third of the window (at least 100 pixels); a width
// the user drags the bar to is stored in "Splitter" for the next window. Building the panes names the
// document "Comparison Results" (kStrComparisonResults).
class CChildFrame : public CPersistMDIChildFrame {
    Q_OBJECT
public:
    static constexpr int kDefaultSplitterWidth = 100;

    CChildFrame(CDocTemplate& docTemplate, CDocument& document, CDocTemplate::ViewFactory formViewFactory);
    ~CChildFrame() override;

    // False when a pane's view cannot be made.
    bool onCreateClient() override;

    QSplitter* splitter() const { return m_splitter; }
    CView* sectionView() const { return m_sectionView; }
    CView* formView() const { return m_formView; }

private:
    void fitSectionList(const CBRDView& list);

    CDocTemplate::ViewFactory m_formViewFactory;
    bool m_fitSectionList = true;
    QSplitter* m_splitter = nullptr;
    CView* m_sectionView = nullptr;
    CView* m_formView = nullptr;
};

}  // namespace brindle
