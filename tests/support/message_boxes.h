// Answers the message boxes an action shows, so that tests of modal warnings can go on.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace brindle::test {

// Runs action while watching for message boxes; each box shown is accepted, and the texts of all
// of them are returned in the order they appeared.
inline QStringList messagesDuring(const std::function<void()>& action)
{
    QStringList texts;
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [&texts] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                texts << box->text();
                box->accept();
            }
        }
    });
    watcher.start();
    action();
    watcher.stop();
    return texts;
}

}  // namespace brindle::test
