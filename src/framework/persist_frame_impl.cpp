#include "framework/persist_frame_impl.h"

#include "framework/qt_utf16.h"
#include "framework/win_app.h"
#include "platform/profile.h"
#include "platform/settings_names.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindowStateChangeEvent>

#include <algorithm>

namespace brindle {

namespace {

constexpr int kRestoreToMaximizedFlag = 2;  // the platform's flag value, as "Maximized" stores it
constexpr Qt::WindowStates kNotNormal = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

// The leading decimal number of text: blanks skipped, an optional sign, then digits.
int leadingInt(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    int value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = value * 10 + (text[i].unicode() - u'0');
    return negative ? -value : value;
}

bool isNormal(Qt::WindowStates state) { return !(state & kNotNormal); }

}  // namespace

QString formatPlacementRectangle(const QRect& rect)
{
    return QString::asprintf("%04d %04d %04d %04d", rect.left(), rect.top(), rect.left() + rect.width(),
                             rect.top() + rect.height());
}

std::array<int, 4> parsePlacementFields(const QString& text)
{
    std::array<int, 4> fields{};
    for (qsizetype i = 0; i < 4; ++i)
        fields[i] = leadingInt(QStringView(text).mid(std::min(i * 5, text.size()), 4));
    return fields;
}

std::optional<QRect> placementRectangle(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    const auto [left, top, right, bottom] = parsePlacementFields(text);
    if (right <= left || bottom <= top)
        return std::nullopt;
    return QRect(left, top, right - left, bottom - top);
}

CPersistFrameImpl::CPersistFrameImpl(QWidget& frame, QString section)
    : m_frame(frame), m_section(std::move(section)), m_track(new QTimer(this))
{
    // A window manager may report the new size of a window it maximizes before it reports the
    // maximized state; reading the geometry once the events of the moment are through keeps the
    // maximized size out of the normal rectangle.
    m_track->setSingleShot(true);
    m_track->setInterval(0);
    connect(m_track, &QTimer::timeout, this, &CPersistFrameImpl::recordNormalGeometry);
    m_frame.installEventFilter(this);
}

CPersistFrameImpl::~CPersistFrameImpl() = default;

bool CPersistFrameImpl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_frame) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            if (isNormal(m_frame.windowState()))
                m_track->start();
            break;
        case QEvent::WindowStateChange: onStateChange(static_cast<QWindowStateChangeEvent*>(event)->oldState()); break;
        default: break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void CPersistFrameImpl::recordNormalGeometry()
{
    if (isNormal(m_frame.windowState()))
        m_normal = m_frame.geometry();
}

void CPersistFrameImpl::onStateChange(Qt::WindowStates oldState)
{
    const Qt::WindowStates state = m_frame.windowState();
    if (state & Qt::WindowMinimized) {
        if ((oldState & Qt::WindowMaximized) || (state & Qt::WindowMaximized))
            m_restoreToMaximized = true;
        else if (!(oldState & Qt::WindowMinimized))
            m_restoreToMaximized = false;
        return;
    }
    // Top-level windows keep the maximized flag while minimized and the platform restores them
    // maximized; a child of the window area drops it, so put the maximized state back here.
    if ((oldState & Qt::WindowMinimized) && m_restoreToMaximized && !(state & Qt::WindowMaximized) &&
        !m_frame.isWindow()) {
        QTimer::singleShot(0, &m_frame, [frame = &m_frame] {
            if (isNormal(frame->windowState()))
                frame->showMaximized();
        });
    }
    m_restoreToMaximized = false;
}

SWindowPlacement CPersistFrameImpl::placement() const
{
    const Qt::WindowStates state = m_frame.windowState();
    SWindowPlacement result;
    if (state & Qt::WindowMinimized)
        result.showCommand = kShowMinimized;
    else if (state & Qt::WindowMaximized)
        result.showCommand = kShowMaximized;
    result.restoreToMaximized =
        (state & Qt::WindowMinimized) && (m_restoreToMaximized || (state & Qt::WindowMaximized));
    if (isNormal(state))
        result.normal = m_frame.geometry();
    else if (m_normal.isValid())
        result.normal = m_normal;
    else if (m_frame.isWindow() && m_frame.normalGeometry().isValid())
        result.normal = m_frame.normalGeometry();
    else
        result.normal = m_frame.geometry();
    return result;
}

void CPersistFrameImpl::setPlacement(const SWindowPlacement& placement)
{
    if (placement.normal.isValid()) {
        // The rectangle belongs to the normal state: put the frame there before sizing it.
        if (!isNormal(m_frame.windowState()))
            m_frame.setWindowState(m_frame.windowState() & Qt::WindowActive);
        m_frame.setGeometry(placement.normal);
        m_normal = placement.normal;
    }
    m_showCommand = placement.showCommand;
    m_restoreToMaximized = placement.restoreToMaximized;
}

void CPersistFrameImpl::showFrame(int command)
{
    const Qt::WindowStates active = m_frame.windowState() & Qt::WindowActive;
    switch (command) {
    case kShowMaximized: m_frame.showMaximized(); break;
    case kShowMinimized:
    case kShowMinNoActive: {
        const bool toMaximized = m_restoreToMaximized;
        m_frame.setWindowState(active | Qt::WindowMinimized | (toMaximized ? Qt::WindowMaximized : Qt::WindowNoState));
        m_frame.show();
        m_restoreToMaximized = toMaximized;
        break;
    }
    default: m_frame.showNormal(); break;
    }
}

QRect fittedToScreen(const QRect& rect)
{
    const QScreen* screen = QGuiApplication::screenAt(rect.center());
    // A window the user put partly past an edge of its screen stays where it was put.
    if (screen && rect.width() <= screen->availableGeometry().width() &&
        rect.height() <= screen->availableGeometry().height())
        return rect;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return rect;
    const QRect available = screen->availableGeometry();
    QRect fitted(rect.topLeft(), rect.size().boundedTo(available.size()));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(), available.right() + 1 - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), available.top(), available.bottom() + 1 - fitted.height()));
    return fitted;
}

void CPersistFrameImpl::restore()
{
    CWinApp* app = CWinApp::instance();
    if (!app)
        return;
    const CProfile& profile = app->profile();
    const std::u16string section = toU16String(m_section);
    SWindowPlacement restored;
    if (const auto rect = placementRectangle(toQString(profile.readString(section, kRectangleValue))))
        restored.normal = m_frame.isWindow() ? fittedToScreen(*rect) : *rect;
    const bool iconized = profile.readInt(section, kIconizedValue, 0) != 0;
    const bool maximized = profile.readInt(section, kMaximizedValue, 0) != 0;
    if (iconized) {
        restored.showCommand = kShowMinNoActive;
        restored.restoreToMaximized = maximized;
    } else if (maximized) {
        restored.showCommand = kShowMaximized;
        restored.restoreToMaximized = true;
    }
    setPlacement(restored);
}

void CPersistFrameImpl::save() { writePlacement(placement()); }

void CPersistFrameImpl::writePlacement(const SWindowPlacement& current)
{
    CWinApp* app = CWinApp::instance();
    if (!app)
        return;
    CProfile& profile = app->profile();
    const std::u16string section = toU16String(m_section);
    int maximized = 0;
    if (current.showCommand == kShowMaximized)
        maximized = 1;
    else if (current.showCommand == kShowMinimized && current.restoreToMaximized)
        maximized = kRestoreToMaximizedFlag;
    profile.writeString(section, kRectangleValue, toU16String(formatPlacementRectangle(current.normal)));
    profile.writeInt(section, kIconizedValue, current.showCommand == kShowMinimized ? 1 : 0);
    profile.writeInt(section, kMaximizedValue, maximized);
}

}  // namespace brindle
