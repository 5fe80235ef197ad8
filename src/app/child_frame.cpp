#include "app/child_frame.h"

#include "engine/engine_strings.h"
#include "framework/resources.h"
#include "framework/view.h"
#include "framework/win_app.h"
#include "platform/profile.h"

#include <QSplitter>
#include <QWidget>

namespace brindle {

namespace {
constexpr auto kCompareWindowSection = u"Compare Window";
constexpr int kFormPaneWidth = 100;  // a starting width only: the form view takes the rest
}  // namespace

CChildFrame::CChildFrame(CDocTemplate& docTemplate, CDocument& document, CDocTemplate::ViewFactory formViewFactory)
    : CPersistMDIChildFrame(docTemplate, document, QStringLiteral("Compare Window")),
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
    const int width =
        app ? app->profile().readInt(kCompareWindowSection, u"Splitter", kDefaultSplitterWidth) : kDefaultSplitterWidth;
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({width, kFormPaneWidth});
    setActiveView(m_sectionView);
    return true;
}

}  // namespace brindle
