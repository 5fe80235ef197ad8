// Driving a main window as its user does: keys to the focused widget, items of the menu bar, and
// answers to the modal dialogs that follow. Offscreen, nothing needs a display.
#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <deque>
#include <functional>
#include <vector>

namespace brindle::test {

// Makes window the active window, so that its shortcuts answer keys.
inline bool activate(QWidget& window)
{
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window, 1000);
}

// Presses keys on the widget that has the focus in window (the window itself when none has). The
// window is made active first: offscreen, no window manager gives it back after a dialog.
inline void pressKeys(QWidget& window, const QKeySequence& keys)
{
    if (QApplication::activeWindow() != &window)
        activate(window);
    QWidget* target = window.focusWidget() ? window.focusWidget() : &window;
    QTest::keySequence(target, keys);
}

// One key press delivered straight to widget, as the window system would, without making its
// window active. True when the widget accepted it.
inline bool sendKey(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&widget, &event);
    return event.isAccepted();
}

// One mouse event at point `at` of widget (in its own coordinates). button is the one that changed,
// buttons those held after the event.
inline void sendMouse(QWidget& widget, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers = {})
{
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(&widget, &event);
}

// The left button pressed at point `at` of widget, not released.
inline void pressAt(QWidget& widget, QPointF at, Qt::KeyboardModifiers modifiers = {})
{
    sendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, modifiers);
}

// A left click at point `at` of widget: press and release.
inline void clickAt(QWidget& widget, QPointF at, Qt::KeyboardModifiers modifiers = {})
{
    pressAt(widget, at, modifiers);
    sendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, modifiers);
}

// The second click of a double click at point `at` of widget: the double-click press and release.
inline void doubleClickAt(QWidget& widget, QPointF at, Qt::KeyboardModifiers modifiers = {})
{
    sendMouse(widget, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton, modifiers);
    sendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, modifiers);
}

// The mouse moved to point `at` of widget with the buttons held.
inline void moveTo(QWidget& widget, QPointF at, Qt::MouseButtons buttons = Qt::NoButton)
{
    sendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, buttons);
}

// A left-button drag on widget from one of its points to another: press, one move, release.
inline void dragAt(QWidget& widget, QPointF from, QPointF to)
{
    pressAt(widget, from);
    moveTo(widget, to, Qt::LeftButton);
    sendMouse(widget, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// The item of the menu bar (submenus included) that runs command id, or nullptr.
inline QAction* menuAction(const QList<QAction*>& actions, int id)
{
    for (QAction* action : actions) {
        if (QMenu* sub = action->menu()) {
            if (QAction* found = menuAction(sub->actions(), id))
                return found;
        } else if (!action->isSeparator() && action->data().toInt() == id) {
            return action;
        }
    }
    return nullptr;
}

inline QAction* menuAction(QMainWindow& frame, int id) { return menuAction(frame.menuBar()->actions(), id); }

// Every menu that holds action, outermost first: opening them runs the items' companions.
inline void openMenusOf(QMainWindow& frame, QAction* action)
{
    std::function<bool(QMenu*)> walk = [&](QMenu* menu) {
        for (QAction* item : menu->actions()) {
            if (item == action || (item->menu() && walk(item->menu()))) {
                emit menu->aboutToShow();
                return true;
            }
        }
        return false;
    };
    for (QAction* top : frame.menuBar()->actions()) {
        if (top->menu() && walk(top->menu()))
            return;
    }
}

// Opens the menus down to the item of command id and chooses it when it is enabled, as a click
// would. False when the menu bar has no such item or it is disabled.
inline bool chooseMenuItem(QMainWindow& frame, int id)
{
    QAction* action = menuAction(frame, id);
    if (!action)
        return false;
    openMenusOf(frame, action);
    if (!action->isEnabled())
        return false;
    action->trigger();
    return true;
}

// An item of a popup menu as the user sees it: its command id (0 when the item carries none), its
// text without the shortcut, and whether it can be chosen.
struct SPopupItem {
    int id = 0;
    QString text;
    bool enabled = false;
};

// The items (submenus included) of the popup menu that open() shows; the menu is closed again.
inline std::vector<SPopupItem> popupItemsDuring(const std::function<void()>& open)
{
    std::vector<SPopupItem> items;
    std::function<void(QMenu*)> collect = [&](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            if (action->menu())
                collect(action->menu());
            else if (!action->isSeparator())
                items.push_back({action->data().toInt(), action->text().section(u'\t', 0, 0), action->isEnabled()});
        }
    };
    QTimer watcher;
    watcher.setInterval(10);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            collect(menu);
            menu->close();
        }
    });
    watcher.start();
    open();
    watcher.stop();
    return items;
}

// Answers the modal dialogs shown while it lives, in order, with the answers queued; a dialog
// beyond the queue is cancelled. Records what each dialog said: a message box its text, any other
// dialog its class name.
class CDialogAnswers {
public:
    using Answer = std::function<void(QDialog&)>;

    CDialogAnswers()
    {
        m_watcher.setInterval(10);
        QObject::connect(&m_watcher, &QTimer::timeout, [this] { answerShownDialog(); });
        m_watcher.start();
    }

    CDialogAnswers& then(Answer answer)
    {
        m_answers.push_back(std::move(answer));
        return *this;
    }
    // Clicks button of the next message box.
    CDialogAnswers& thenClick(QMessageBox::StandardButton button)
    {
        return then([button](QDialog& dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(&dialog); box && box->button(button))
                box->button(button)->click();
            else
                dialog.reject();
        });
    }
    // Names path in the next file dialog and confirms it.
    CDialogAnswers& thenChooseFile(const QString& path)
    {
        return then([path](QDialog& dialog) {
            auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (qobject_cast<QFileDialog*>(&dialog) && name) {
                // Typed, as a user does: a name chosen otherwise is replaced once the folder
                // has been read.
                name->setText(path);
                dialog.accept();  // QFileDialog::accept, through the public QDialog one
            } else {
                dialog.reject();
            }
        });
    }

    const QStringList& shown() const { return m_shown; }
    bool allAnswered() const { return m_answers.empty(); }

private:
    void answerShownDialog()
    {
        // A dialog counts once while it stays open: when a nested dialog closes, the one below
        // it is active again but was answered already.
        std::erase_if(m_open, [](const QPointer<QDialog>& open) { return !open || !open->isVisible(); });
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || std::find(m_open.begin(), m_open.end(), dialog) != m_open.end())
            return;
        m_open.emplace_back(dialog);
        auto* box = qobject_cast<QMessageBox*>(dialog);
        m_shown << (box ? box->text() : QString::fromLatin1(dialog->metaObject()->className()));
        if (m_answers.empty()) {
            dialog->reject();
            return;
        }
        // Answered after the watcher returns: an answer may open a dialog of its own (a file
        // dialog asking before it replaces a file), which the watcher must see too.
        QTimer::singleShot(0, dialog, [dialog, answer = std::move(m_answers.front())] { answer(*dialog); });
        m_answers.pop_front();
    }

    QTimer m_watcher;
    std::deque<Answer> m_answers;
    std::vector<QPointer<QDialog>> m_open;  // seen and not closed since
    QStringList m_shown;
};

}  // namespace brindle::test
