#include "app/empty_area_hint.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QUrl>

namespace brindle {

namespace {

QStringList droppedFiles(const QMimeData& data)
{
    QStringList files;
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    return files;
}

}  // namespace

CEmptyAreaHint::CEmptyAreaHint(QMdiArea& area, const QString& hint, std::function<void(const QStringList&)> onDrop)
    : QObject(&area), m_area(area), m_label(new QLabel(hint, area.viewport())), m_onDrop(std::move(onDrop))
{
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setWordWrap(true);
    m_label->setMargin(40);
    // Drops and clicks reach the area under the text.
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont font = m_label->font();
    font.setPointSizeF(font.pointSizeF() * 1.25);
    m_label->setFont(font);
    QPalette palette = m_label->palette();
    palette.setColor(QPalette::WindowText, area.palette().color(QPalette::Light));
    m_label->setPalette(palette);
    area.viewport()->setAcceptDrops(true);
    area.viewport()->installEventFilter(this);
    // The last window closing activates none.
    connect(&area, &QMdiArea::subWindowActivated, this, [this] { update(); });
    update();
}

bool CEmptyAreaHint::shown() const { return m_label->isVisible(); }

void CEmptyAreaHint::update()
{
    m_label->setGeometry(m_area.viewport()->rect());
    m_label->setVisible(m_area.subWindowList().isEmpty());
}

bool CEmptyAreaHint::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::ChildAdded: update(); break;
    // The window list drops a closed window after its widget has left.
    case QEvent::ChildRemoved:
        QMetaObject::invokeMethod(
            this, [this] { update(); }, Qt::QueuedConnection);
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (droppedFiles(*drag->mimeData()).isEmpty())
            break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = droppedFiles(*drop->mimeData());
        if (files.isEmpty())
            break;
        drop->acceptProposedAction();
        m_onDrop(files);
        return true;
    }
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace brindle
