// An application object on a settings store in memory, and a document template of simple views,
// for tests of frames and windows.
#pragma once

#include "app/brd_app.h"
#include "framework/doc_template.h"
#include "framework/document.h"
#include "framework/mdi_child_wnd.h"
#include "framework/qt_utf16.h"
#include "framework/view.h"
#include "platform/memory_settings_store.h"
#include "platform/profile.h"
#include "platform/settings_store.h"
#include "support/scoped_settings_store.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <memory>

namespace brindle::test {

// A view that counts its initial updates.
class CCountingView : public QLabel, public CView {
public:
    explicit CCountingView(QWidget* parent) : QLabel(parent) { setFocusPolicy(Qt::StrongFocus); }
    QWidget* widget() override { return this; }
    void onInitialUpdate() override { ++initialUpdates; }
    int initialUpdates = 0;
};

// Lets the window system's and the timers' events through, and deletes what waits for deletion.
inline void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Puts a store in memory in place of the user's settings for as long as it lives.
class CMemorySettings {
    CMemorySettingsStore m_store;
    test::CScopedSettingsStore m_useStore{m_store};
};

// The application of brd64 on settings in memory (declared after them, so it goes first).
struct SAppOnMemorySettings {
    // Documents go before the application: one deleted later would reach back to its template.
    ~SAppOnMemorySettings()
    {
        app.closeAllDocuments();
        settle();
    }

    CMemorySettings settings;
    CBRDApp app;

    CProfile& profile() { return app.profile(); }
    QString readString(std::u16string_view section, std::u16string_view name)
    {
        return toQString(profile().readString(section, name, u"(missing)"));
    }
};

// A template whose frames come from frameFactory and whose views are counting views.
inline std::unique_ptr<CDocTemplate> makeTestTemplate(int resourceId, CDocTemplate::FrameFactory frameFactory)
{
    return std::make_unique<CDocTemplate>(
        resourceId, [] { return new CDocument; }, std::move(frameFactory),
        [](CDocument&, QWidget* parent) -> CView* { return new CCountingView(parent); });
}

// The frame showing document (its first view's frame).
template <class Frame>
Frame* frameOf(CDocument* document)
{
    if (!document || document->views().empty())
        return nullptr;
    return qobject_cast<Frame*>(document->views().front()->parentFrame());
}

}  // namespace brindle::test
