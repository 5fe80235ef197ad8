#include "framework/mdi_frame_wnd.h"

#include "framework/command_ids.h"
#include "framework/doc_template.h"
#include "framework/document.h"
#include "framework/mdi_child_wnd.h"
#include "framework/resources.h"
#include "framework/view.h"
#include "framework/win_app.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

namespace brindle {

namespace {

// Tool bar pictures when the icon theme has none.
QIcon fallbackIcon(const QString& name)
{
    static const QHash<QString, QStyle::StandardPixmap> pixmaps = {
        {QStringLiteral("document-new"), QStyle::SP_FileDialogNewFolder},
        {QStringLiteral("document-open"), QStyle::SP_DialogOpenButton},
        {QStringLiteral("document-save"), QStyle::SP_DialogSaveButton},
        {QStringLiteral("view-refresh"), QStyle::SP_BrowserReload},
        {QStringLiteral("go-up"), QStyle::SP_ArrowUp},
        {QStringLiteral("go-down"), QStyle::SP_ArrowDown},
        {QStringLiteral("help-about"), QStyle::SP_MessageBoxInformation},
        {QStringLiteral("document-print"), QStyle::SP_FileIcon},
        {QStringLiteral("edit-cut"), QStyle::SP_DialogDiscardButton},
        {QStringLiteral("edit-copy"), QStyle::SP_FileLinkIcon},
        {QStringLiteral("edit-paste"), QStyle::SP_DialogApplyButton},
    };
    return QApplication::style()->standardIcon(pixmaps.value(name, QStyle::SP_FileIcon));
}

// Status-bar prompt and tooltip of a command: the string of the same id, "prompt\ntooltip".
void applyPrompt(QAction* action, int id)
{
    const QString entry = loadString(id);
    if (entry.isEmpty())
        return;
    action->setStatusTip(entry.section(u'\n', 0, 0));
    const QString tip = entry.section(u'\n', 1, 1);
    action->setToolTip(tip.isEmpty() ? entry.section(u'\n', 0, 0) : tip);
    if (action->text().isEmpty())
        action->setText(action->toolTip());
}

constexpr auto kWindowEntryProperty = "brindleWindowEntry";
constexpr int kMaxListedWindows = 9;

bool isLockIndicator(int id)
{
    return id == cmd::kIndicatorCaps || id == cmd::kIndicatorNum || id == cmd::kIndicatorScroll;
}

bool lockIsOn(int id, const CKeyboardLocks::SState& locks)
{
    return id == cmd::kIndicatorCaps ? locks.caps : id == cmd::kIndicatorNum ? locks.num : locks.scroll;
}

}  // namespace

CMDIFrameWnd::CMDIFrameWnd(QWidget* parent)
    : QMainWindow(parent), m_mdiArea(new QMdiArea(this)), m_idleTimer(new QTimer(this)),
      m_radioItems(new QActionGroup(this))
{
    // Items checked as one choice of several are drawn with a radio mark; which one is checked
    // stays the companions' business.
    m_radioItems->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMDIFrameWnd::onSubWindowActivated);
    // The toolkit's idle processing: keep tool buttons and indicators in step with the state.
    m_idleTimer->setInterval(200);
    connect(m_idleTimer, &QTimer::timeout, this, [this] {
        updateCommandUI();
        updateIndicators();
    });
    m_idleTimer->start();
    // The lock keys can be read where the window system is X11; elsewhere their panes are hidden.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        m_keyboardLocks.open();
    qApp->installEventFilter(this);
}

CMDIFrameWnd::~CMDIFrameWnd()
{
    // Closing child windows while the frame is torn down activates others: nothing may reach the
    // half-destroyed frame any more.
    m_idleTimer->stop();
    qApp->removeEventFilter(this);
    disconnect(m_mdiArea, nullptr, this, nullptr);
    for (const QMetaObject::Connection& connection : std::as_const(m_activeDocument))
        disconnect(connection);
}

CMDIChildWnd* CMDIFrameWnd::activeChild() const { return qobject_cast<CMDIChildWnd*>(m_mdiArea->activeSubWindow()); }

CView* CMDIFrameWnd::activeView() const
{
    CMDIChildWnd* child = activeChild();
    return child ? child->activeView() : nullptr;
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::children() const
{
    std::vector<CMDIChildWnd*> result;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (auto* child = qobject_cast<CMDIChildWnd*>(window))
            result.push_back(child);
    }
    return result;
}

// The routing chain: the active view, its document, its frame, this frame, the application;
// those that are not there (no window open, no application) are null.
std::array<CCmdTarget*, 5> CMDIFrameWnd::commandTargets()
{
    CMDIChildWnd* child = activeChild();
    CView* view = child ? child->activeView() : nullptr;
    CDocument* document = child ? child->document() : nullptr;
    return {view, document, child, this, CWinApp::instance()};
}

bool CMDIFrameWnd::routeCommand(int id)
{
    for (CCmdTarget* target : commandTargets()) {
        if (target && target->onCmdMsg(id))
            return true;
    }
    return false;
}

void CMDIFrameWnd::routeUpdate(CCmdUI& ui)
{
    for (CCmdTarget* target : commandTargets()) {
        if (target && target->onUpdateCmdUI(ui))
            return;
    }
    ui.enable(false);
}

bool CMDIFrameWnd::runCommand(int id)
{
    CCmdUI ui(id);
    routeUpdate(ui);
    return ui.enabled() && routeCommand(id);
}

void CMDIFrameWnd::postCommand(int id)
{
    QTimer::singleShot(0, this, [this, id] { routeCommand(id); });
}

QAction* CMDIFrameWnd::commandAction(int id)
{
    if (QAction* action = m_actions.value(id))
        return action;
    auto* action = new QAction(this);
    action->setData(id);
    applyPrompt(action, id);
    connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    m_actions.insert(id, action);
    return action;
}

void CMDIFrameWnd::buildMenu(QMenu* menu, const std::vector<SMenuItem>& items)
{
    for (const SMenuItem& item : items) {
        if (item.separator) {
            menu->addSeparator();
        } else if (item.popup) {
            QMenu* sub = menu->addMenu(item.text);
            buildMenu(sub, item.children);
        } else {
            QAction* action = commandAction(item.id);
            action->setText(item.text);
            action->setProperty("brindleMenuText", item.text);
            menu->addAction(action);
        }
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { updateMenu(menu); });
}

void CMDIFrameWnd::setMenuResource(int id)
{
    if (m_menuResource == id)
        return;
    const std::vector<SMenuItem>* items = CResources::instance().menu(id);
    if (!items)
        return;
    m_menuResource = id;
    QMenuBar* bar = menuBar();
    bar->clear();
    for (const SMenuItem& item : *items) {
        if (!item.popup)
            continue;
        QMenu* menu = bar->addMenu(item.text);
        buildMenu(menu, item.children);
    }
}

void CMDIFrameWnd::updateMenu(QMenu* menu)
{
    bool windowMenu = false;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() || action->menu() || action->property(kWindowEntryProperty).toBool())
            continue;
        const int id = action->data().toInt();
        if (id >= cmd::kFileMruFirst && id <= cmd::kFileMruLast) {
            fillRecentFiles(menu, action);
            continue;
        }
        windowMenu = windowMenu || id == cmd::kWindowCascade;
        updateAction(action);
        QString text = action->property("brindleUpdatedText").toString();
        if (text.isEmpty())
            text = action->property("brindleMenuText").toString();
        if (!text.isEmpty())
            action->setText(text);
    }
    if (windowMenu)
        fillWindowList(menu);
}

void CMDIFrameWnd::updateAction(QAction* action)
{
    CCmdUI ui(action->data().toInt());
    routeUpdate(ui);
    action->setEnabled(ui.enabled());
    if (ui.checked() || ui.radio())
        action->setCheckable(true);
    if (ui.radio() && !action->actionGroup())
        m_radioItems->addAction(action);  // drawn with a radio mark
    if (action->isCheckable())
        action->setChecked(ui.checked());
    action->setProperty("brindleUpdatedText", ui.text());
}

void CMDIFrameWnd::updateCommandUI()
{
    for (QAction* action : std::as_const(m_actions))
        updateAction(action);
}

void CMDIFrameWnd::fillWindowList(QMenu* menu)
{
    for (QAction* action : menu->actions()) {
        if (action->property(kWindowEntryProperty).toBool())
            menu->removeAction(action);
    }
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    if (windows.isEmpty())
        return;
    menu->addSeparator()->setProperty(kWindowEntryProperty, true);
    for (int i = 0; i < windows.size() && i < kMaxListedWindows; ++i) {
        QMdiSubWindow* window = windows[i];
        auto* entry = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(window->windowTitle()));
        entry->setProperty(kWindowEntryProperty, true);
        entry->setCheckable(true);
        entry->setChecked(window == m_mdiArea->activeSubWindow());
        connect(entry, &QAction::triggered, this, [this, window = QPointer<QMdiSubWindow>(window)] {
            if (window)
                m_mdiArea->setActiveSubWindow(window);
        });
    }
}

void CMDIFrameWnd::fillRecentFiles(QMenu*, QAction* placeholder) { placeholder->setEnabled(false); }

bool CMDIFrameWnd::createBars(int toolBarId, const std::vector<int>& indicators)
{
    const std::vector<SToolButton>* buttons = CResources::instance().toolBar(toolBarId);
    if (!buttons)
        return false;
    m_toolBar = addToolBar(QString());
    m_toolBar->setObjectName(QStringLiteral("toolBar%1").arg(toolBarId));
    for (const SToolButton& button : *buttons) {
        if (button.id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = commandAction(button.id);
        action->setIcon(QIcon::fromTheme(button.icon, fallbackIcon(button.icon)));
        if (action->text().isEmpty())
            action->setText(button.icon);
        m_toolBar->addAction(action);
    }
    m_message = new QLabel(loadString(res::kStrIdleMessage), this);
    statusBar()->addWidget(m_message, 1);
    for (int id : indicators) {
        auto* label = new QLabel(loadString(id), this);
        label->setProperty("brindleIndicator", id);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(label->text()) + 8);
        statusBar()->addPermanentWidget(label);
        m_indicators.emplace_back(id, label);
    }
    updateIndicators();
    return true;
}

void CMDIFrameWnd::updateIndicators()
{
    const std::optional<CKeyboardLocks::SState> locks = m_keyboardLocks.read();
    for (auto& [id, label] : m_indicators) {
        bool on = false;
        if (isLockIndicator(id)) {
            // Where the lock state cannot be known the pane is hidden, not left blank.
            label->setVisible(locks.has_value());
            on = locks && lockIsOn(id, *locks);
        } else {
            CCmdUI ui(id);
            routeUpdate(ui);
            on = ui.handled() && ui.enabled();
        }
        label->setText(on ? loadString(id) : QString());
    }
}

void CMDIFrameWnd::setMessageText(const QString& text)
{
    if (m_message)
        m_message->setText(text);
}

QString CMDIFrameWnd::messageText() const { return m_message ? m_message->text() : QString(); }

void CMDIFrameWnd::bindAccelerators(int tableId)
{
    const std::vector<SAccelerator>* table = CResources::instance().accelerators(tableId);
    if (!table)
        return;
    for (const SAccelerator& accelerator : *table) {
        QAction* action = commandAction(accelerator.id);
        QList<QKeySequence> keys = action->shortcuts();
        keys.append(QKeySequence(accelerator.key));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);  // shortcuts work even when no menu holds the action
    }
}

void CMDIFrameWnd::onSubWindowActivated(QMdiSubWindow* window)
{
    auto* child = qobject_cast<CMDIChildWnd*>(window);
    setMenuResource(child ? child->docTemplate().resourceId() : 128);
    followActiveDocument(child);
    updateCommandUI();
}

void CMDIFrameWnd::setAppTitle(const QString& title)
{
    m_appTitle = title;
    updateTitle();
}

void CMDIFrameWnd::followActiveDocument(CMDIChildWnd* child)
{
    for (const QMetaObject::Connection& connection : std::as_const(m_activeDocument))
        disconnect(connection);
    m_activeDocument.clear();
    if (CDocument* document = child ? child->document() : nullptr) {
        m_activeDocument << connect(document, &CDocument::titleChanged, this, &CMDIFrameWnd::updateTitle)
                         << connect(document, &CDocument::modifiedChanged, this, &CMDIFrameWnd::updateTitle)
                         << connect(child, &QMdiSubWindow::windowStateChanged, this, &CMDIFrameWnd::updateTitle);
    }
    updateTitle();
}

void CMDIFrameWnd::updateTitle()
{
    if (m_appTitle.isEmpty() || m_settingTitle)
        return;
    CMDIChildWnd* child = activeChild();
    const CDocument* document = child ? child->document() : nullptr;
    QString title = m_appTitle;
    if (document) {
        // A maximized window is named the toolkit's way, which it then leaves alone.
        title += child->isMaximized() ? QStringLiteral(" - [%1]").arg(child->windowTitle())
                                      : QStringLiteral(" - ") + document->title();
        if (document->isModified() && document->marksModifiedInTitles())
            title.prepend(QStringLiteral("* "));
    }
    if (windowTitle() == title)
        return;
    m_settingTitle = true;
    setWindowTitle(title);
    m_settingTitle = false;
}

void CMDIFrameWnd::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // The toolkit puts a maximized window's name into the frame's title and puts the old title
    // back on restoring, which may be out of date by then: the frame's rule wins.
    if (event->type() == QEvent::WindowTitleChange)
        updateTitle();
}

bool CMDIFrameWnd::eventFilter(QObject* watched, QEvent* event)
{
    // A key is about to be matched to the shortcuts: a command enabled since the last idle update
    // (Save after the first keystroke) must already answer to its key. Only the commands of that
    // key are asked, as this runs for every key typed.
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::ShortcutOverride && widget && widget->window() == this) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const QKeySequence typed(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
        for (QAction* action : std::as_const(m_actions)) {
            if (action->shortcuts().contains(typed))
                updateAction(action);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace brindle
