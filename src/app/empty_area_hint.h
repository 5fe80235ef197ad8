// The main frame's window area when no window is open: how to start, and files dropped onto it.
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QLabel;
class QMdiArea;

namespace brindle {

// Watches the window area's viewport. While no window is open a text over it says how to start;
// files dropped onto the area (open windows or not) go to onDrop, in the order the drag gave them.
class CEmptyAreaHint : public QObject {
public:
    CEmptyAreaHint(QMdiArea& area, const QString& hint, std::function<void(const QStringList&)> onDrop);

    bool shown() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void update();

    QMdiArea& m_area;
    QLabel* m_label;
    std::function<void(const QStringList&)> m_onDrop;
};

}  // namespace brindle
