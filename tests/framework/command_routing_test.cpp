// Commands go to the active view, its document, its frame, the main frame and the application,
// in that order; companions decide what menus and tool buttons show.
#include "framework/doc_template.h"
#include "framework/document.h"
#include "framework/mdi_child_wnd.h"
#include "framework/mdi_frame_wnd.h"
#include "framework/view.h"
#include "framework/win_app.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <gtest/gtest.h>

#include <string>

namespace brindle {
namespace {

std::string g_trail;

class CTestDocument : public CDocument {
public:
    CTestDocument()
    {
        onCommand(2, [] { g_trail += "document "; });
        onCommand(5, [] { g_trail += "document "; });
    }
};

class CTestView : public QLabel, public CView {
public:
    explicit CTestView(QWidget* parent) : QLabel(parent)
    {
        onCommand(1, [] { g_trail += "view "; });
        onCommand(2, [] { g_trail += "view "; });
        onUpdateCommand(7, [](CCmdUI& ui) {
            ui.enable(false);
            ui.setCheck(true);
        });
    }
    QWidget* widget() override { return this; }
};

class CTestFrame : public CMDIChildWnd {
public:
    CTestFrame(CDocTemplate& docTemplate, CDocument& document) : CMDIChildWnd(docTemplate, document)
    {
        onCommand(3, [] { g_trail += "frame "; });
    }
};

class CTestMainFrame : public CMDIFrameWnd {
public:
    CTestMainFrame()
    {
        onCommand(4, [] { g_trail += "main "; });
    }
};

class CTestApp : public CWinApp {
public:
    CTestApp()
    {
        onCommand(5, [] { g_trail += "app "; });
        onCommand(6, [] { g_trail += "app "; });
    }
};

class CommandRouting : public testing::Test {
protected:
    void SetUp() override
    {
        m_app.setMainFrame(std::make_unique<CTestMainFrame>());
        m_app.addDocTemplate(std::make_unique<CDocTemplate>(
            129, [] { return new CTestDocument; },
            [](CDocTemplate& t, CDocument& d) -> CMDIChildWnd* { return new CTestFrame(t, d); },
            [](CDocument&, QWidget* parent) -> CView* { return new CTestView(parent); }));
        m_app.mainFrame()->show();
    }

    std::string route(int id)
    {
        g_trail.clear();
        m_app.mainFrame()->routeCommand(id);
        return g_trail;
    }

    CTestApp m_app;
};

TEST_F(CommandRouting, WithoutWindowsOnlyFrameAndApplication)
{
    EXPECT_EQ(route(1), "");
    EXPECT_EQ(route(4), "main ");
    EXPECT_EQ(route(6), "app ");
}

TEST_F(CommandRouting, FirstTargetInTheChainWins)
{
    CDocument* document = m_app.docTemplateAt(0)->openDocumentFile(QString());
    ASSERT_NE(document, nullptr);
    QApplication::processEvents();
    ASSERT_NE(m_app.mainFrame()->activeView(), nullptr);
    EXPECT_EQ(route(1), "view ");
    EXPECT_EQ(route(2), "view ");
    EXPECT_EQ(route(3), "frame ");
    EXPECT_EQ(route(4), "main ");
    EXPECT_EQ(route(5), "document ");
    EXPECT_EQ(route(6), "app ");
    EXPECT_FALSE(m_app.mainFrame()->routeCommand(99));
}

TEST_F(CommandRouting, CompanionsDecideEnabledAndChecked)
{
    m_app.docTemplateAt(0)->openDocumentFile(QString());
    QApplication::processEvents();
    const auto state = [this](int id) {
        CCmdUI ui(id);
        m_app.mainFrame()->routeUpdate(ui);
        return std::pair{ui.enabled(), ui.checked()};
    };
    EXPECT_EQ(state(7), std::pair(false, true));    // the view's companion
    EXPECT_EQ(state(3), std::pair(true, false));    // a handler without companion enables
    EXPECT_EQ(state(99), std::pair(false, false));  // nobody knows it
}

TEST_F(CommandRouting, DocumentGoesWithItsLastView)
{
    CDocTemplate* docTemplate = m_app.docTemplateAt(0);
    docTemplate->openDocumentFile(QString());
    QApplication::processEvents();
    ASSERT_EQ(docTemplate->documents().size(), 1u);
    docTemplate->documents().front()->onCloseDocument();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(docTemplate->documents().empty());
    EXPECT_TRUE(m_app.mainFrame()->mdiArea()->subWindowList().isEmpty());
}

}  // namespace
}  // namespace brindle
