#include "app/child_frame.h"

#include "compare_ui/brd_view.h"
#include "engine/engine_strings.h"
#include "framework/resources.h"
#include "framework/view.h"
#include "framework/win_app.h"
#include "platform/profile.h"
#include "platform/settings_names.h"

#include <QSplitter>
#include <QWidget>

#include <algorithm>

namespace brindle {

namespace {
constexpr int kFormPaneWidth = 100;  // a starting width only: the form view takes the rest
constexpr int kNoStoredWidth = -1;
}  // namespace

CChildFrame::CChildFrame(CDocTemplate& docTemplate, CDocument& document, CDocTemplate::ViewFactory formViewFactory)
    : CPersistMDIChildFrame(docTemplate, document, QStringView(kCompareWindowSection).toString()),
      m_formViewFactory(std::move(formViewFactory))
{
}

CChildFrame::~CChildFrame() = default;

bool CChildFrame::onCreateClient()
{
    if (!document())
        return false;
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setChildrenCollapsible(false);
    setWidget(m_splitter);

    m_sectionView = docTemplate().createView(*document(), m_splitter);
    if (!m_sectionView)
        return false;
    m_splitter->addWidget(m_sectionView->widget());
    watchView(m_sectionView);
    document()->setTitle(loadString(kStrComparisonResults));

    m_formView = m_formViewFactory ? m_formViewFactory(*document(), m_splitter) : nullptr;
    if (!m_formView)
        return false;
    m_formView->attachDocument(document());
    m_splitter->addWidget(m_formView->widget());
    watchView(m_formView);

    // The list keeps its width when the window is resized; the form view takes the rest.
    CWinApp* app = CWinApp::instance();
    const int stored =
        app ? app->profile().readInt(kCompareWindowSection, kSplitterValue, kNoStoredWidth) : kNoStoredWidth;
    m_fitSectionList = stored == kNoStoredWidth;
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({m_fitSectionList ? kDefaultSplitterWidth : stored, kFormPaneWidth});
    // Only a drag by the user moves the bar this way: its width is kept for the next window.
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] {
        m_fitSectionList = false;
        if (CWinApp* current = CWinApp::instance())
            current->profile().writeInt(kCompareWindowSection, kSplitterValue, m_splitter->sizes().front());
    });
    if (auto* list = dynamic_cast<CBRDView*>(m_sectionView))
        connect(list, &CBRDView::itemsSet, this, [this, list] { fitSectionList(*list); });
    setActiveView(m_sectionView);
    return true;
}

// Until the user sets a width, the list is as wide as its widest label, up to a third of the window.
void CChildFrame::fitSectionList(const CBRDView& list)
{
    if (!m_fitSectionList)
        return;
    const QList<int> sizes = m_splitter->sizes();
    const int total = sizes.front() + sizes.back();
    const int width =
        std::clamp(list.fittingWidth(), kDefaultSplitterWidth, std::max(kDefaultSplitterWidth, total / 3));
    m_splitter->setSizes({width, total - width});
}

}  // namespace brindle
