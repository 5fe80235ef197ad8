// The main frame: menu bar, tool bar, status bar and the area of child windows; routes commands.
#pragma once

#include "framework/cmd_target.h"
#include "platform/keyboard_locks.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <array>
#include <vector>

class QAction;
class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

namespace brindle {

class CMDIChildWnd;
class CView;
struct SMenuItem;

// Every command id has one QAction, shared by menus, the tool bar and the keyboard shortcuts of
// accelerator table 128, with its status-bar prompt and tooltip from the string entry of the same
// id ("prompt\ntooltip"). Triggering it routes the command: active view, its document, its frame,
// this frame, the application; a command whose companion disables it is not run. The
// enable/check companions run before a menu opens, before a key is matched to a shortcut and, for
// the tool bar, whenever the program is idle. The menu holding Cascade lists the open windows.
class CMDIFrameWnd : public QMainWindow, public CCmdTarget {
    Q_OBJECT
public:
    explicit CMDIFrameWnd(QWidget* parent = nullptr);
    ~CMDIFrameWnd() override;

    QMdiArea* mdiArea() const { return m_mdiArea; }
    CMDIChildWnd* activeChild() const;
    CView* activeView() const;
    std::vector<CMDIChildWnd*> children() const;

    // Runs command id along the routing chain; false when no target handled it.
    bool routeCommand(int id);
    // As the user's menu item, key or button does: the command runs only when enabled.
    bool runCommand(int id);
    // Fills ui from the routing chain; a command nobody knows is disabled.
    void routeUpdate(CCmdUI& ui);
    // Posts command id to be run once the current event is done.
    void postCommand(int id);

    // The menu bar of resource id (128 when no child is active; a child's template id otherwise).
    void setMenuResource(int id);
    int menuResource() const { return m_menuResource; }
    QAction* commandAction(int id);
    // Re-evaluates the companions of every action on the tool bar and in the menu bar's menus.
    void updateCommandUI();

    // The title with no document window. Once set, the frame's title follows the active window:
    // "<app> - <document title>" ("<app> - [<window title>]" while it is maximized), with "* " in front while that document is modified and marks it
    // in titles. Titles set from outside (the toolkit's own for a maximized window, the editors'
    // markers) give way to it.
    void setAppTitle(const QString& title);

    // The message pane of the status bar.
    void setMessageText(const QString& text);
    QString messageText() const;

protected:
    // Builds the tool bar of resource toolBarId and the status bar with its indicator panes.
    bool createBars(int toolBarId, const std::vector<int>& indicators);
    // Fills in the recent-file entries where a menu holds the "Recent File" item.
    virtual void fillRecentFiles(QMenu* menu, QAction* placeholder);
    void bindAccelerators(int tableId);
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<CCmdTarget*, 5> commandTargets();
    void buildMenu(QMenu* menu, const std::vector<SMenuItem>& items);
    void onSubWindowActivated(QMdiSubWindow* window);
    void updateMenu(QMenu* menu);
    void updateAction(QAction* action);
    void fillWindowList(QMenu* menu);
    void updateIndicators();
    void followActiveDocument(CMDIChildWnd* child);
    void updateTitle();

    QMdiArea* m_mdiArea;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_message = nullptr;
    std::vector<std::pair<int, QLabel*>> m_indicators;
    QHash<int, QAction*> m_actions;
    int m_menuResource = -1;
    QTimer* m_idleTimer;
    QActionGroup* m_radioItems;
    CKeyboardLocks m_keyboardLocks;
    QString m_appTitle;
    bool m_settingTitle = false;
    QList<QMetaObject::Connection> m_activeDocument;
};

}  // namespace brindle
