#include "app/hlink_ctrl.h"

#include "framework/command_ids.h"
#include "framework/resources.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace brindle {

namespace {

constexpr QPoint kShadowOffset(2, 2);
constexpr QPoint kKeyboardMenuOffset(5, 5);

// A string value of a desktop entry: backslash, line breaks and tabs written as escapes.
QString desktopEntryValue(const QString& text)
{
    QString value;
    value.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\')
            value += QStringLiteral("\\\\");
        else if (c == u'\n')
            value += QStringLiteral("\\n");
        else if (c == u'\r')
            value += QStringLiteral("\\r");
        else if (c == u'\t')
            value += QStringLiteral("\\t");
        else
            value += c;
    }
    return value;
}

// Plain-text formats all stand for the one text the clipboard holds; the address replaces them.
bool isPlainTextFormat(const QString& format)
{
    return format == u"text/plain" || format.startsWith(u"text/plain;") || format == u"UTF8_STRING" ||
           format == u"STRING" || format == u"TEXT" || format == u"COMPOUND_TEXT";
}

}  // namespace

CHLinkCtrl::CHLinkCtrl(QWidget* parent) : QLabel(parent)
{
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    onCommand(kOpen, [this] { open(); });
    onCommand(kCopyShortcut, [this] { copyShortcut(); });
    onCommand(kAddToFavorites, [this] { addToFavorites(); });
    onCommand(kAddToDesktop, [this] { addToDesktop(); });
}

CHLinkCtrl::~CHLinkCtrl() = default;

QColor CHLinkCtrl::colorFromColorRef(quint32 colorRef)
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

void CHLinkCtrl::setLink(bool autoSize, const QString& address, const QString& caption)
{
    m_autoSize = autoSize;
    m_address = address;
    m_caption = caption;
    setText(caption);
    updateGeometry();
    if (m_autoSize)
        resize(sizeHint());
    update();
}

void CHLinkCtrl::setColors(quint32 normal, quint32 visited, quint32 hover)
{
    m_normalColor = normal;
    m_visitedColor = visited;
    m_hoverColor = hover;
    update();
}

QColor CHLinkCtrl::captionColor() const
{
    switch (m_state) {
    case kVisited: return colorFromColorRef(m_visitedColor);
    case kHover: return colorFromColorRef(m_hoverColor);
    default: return colorFromColorRef(m_normalColor);
    }
}

void CHLinkCtrl::setUnderline(bool on)
{
    m_underline = on;
    update();
}

void CHLinkCtrl::setShadow(bool on)
{
    m_shadow = on;
    update();
}

QFont CHLinkCtrl::linkFont(bool underlined) const
{
    QFont result = font();
    result.setUnderline(underlined);
    return result;
}

QSize CHLinkCtrl::sizeHint() const { return QFontMetrics(linkFont(m_underline)).size(Qt::TextSingleLine, m_caption); }

QSize CHLinkCtrl::minimumSizeHint() const { return sizeHint(); }

void CHLinkCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    if (m_state == kHover && m_shadow) {
        painter.setFont(linkFont(true));
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawText(rect().translated(kShadowOffset), flags, m_caption);
    } else {
        // The dialog's face colour: the caption sits on the dialog without a box around it.
        painter.fillRect(rect(), palette().color(QPalette::Window));
    }
    painter.setFont(linkFont(m_underline));
    painter.setPen(captionColor());
    painter.drawText(rect(), flags, m_caption);
}

void CHLinkCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    // Opening starts another program: let the click finish first.
    QTimer::singleShot(0, this, [this] { onCmdMsg(kOpen); });
}

void CHLinkCtrl::mouseMoveEvent(QMouseEvent* event)
{
    trackHover(rect().contains(event->position().toPoint()));
    QLabel::mouseMoveEvent(event);
}

void CHLinkCtrl::leaveEvent(QEvent* event)
{
    trackHover(false);
    QLabel::leaveEvent(event);
}

void CHLinkCtrl::trackHover(bool inside)
{
    if (!m_hoverTracking)
        return;
    if (inside && m_state != kHover) {
        m_rememberedState = m_state;
        m_state = kHover;
        update();
    } else if (!inside && m_state == kHover) {
        endHover();
    }
}

void CHLinkCtrl::endHover()
{
    if (m_state != kHover)
        return;
    m_state = m_rememberedState;
    update();
}

QMenu* CHLinkCtrl::createContextMenu()
{
    auto* menu = new QMenu(this);
    const std::vector<SMenuItem>* items = CResources::instance().menu(res::kLinkMenu);
    if (!items || items->empty())
        return menu;
    for (const SMenuItem& item : items->front().children) {
        if (item.separator) {
            menu->addSeparator();
        } else if (!item.popup) {
            QAction* action = menu->addAction(item.text);
            action->setData(item.id);
        }
    }
    return menu;
}

void CHLinkCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    const QPoint at =
        event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(kKeyboardMenuOffset) : event->globalPos();
    endHover();
    const std::unique_ptr<QMenu> menu(createContextMenu());
    m_menuOpen = true;
    setCursor(Qt::ArrowCursor);
    QAction* chosen = menu->exec(at);
    m_menuOpen = false;
    setCursor(Qt::PointingHandCursor);
    if (chosen)
        onCmdMsg(chosen->data().toInt());
}

bool CHLinkCtrl::open()
{
    const QUrl url = QUrl::fromUserInput(m_address);
    if (url.isEmpty() || !url.isValid() || !QDesktopServices::openUrl(url))
        return false;
    // Remembered too: the click came with the mouse over the caption, and leaving it must not
    // bring back the colour of a link never opened.
    m_rememberedState = kVisited;
    m_state = kVisited;
    update();
    return true;
}

bool CHLinkCtrl::copyShortcut()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    auto merged = std::make_unique<QMimeData>();
    if (const QMimeData* current = clipboard->mimeData()) {
        for (const QString& format : current->formats()) {
            if (!isPlainTextFormat(format))
                merged->setData(format, current->data(format));
        }
    }
    merged->setText(m_address);
    clipboard->setMimeData(merged.release());
    return true;
}

QString CHLinkCtrl::favoritesFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/brindle/favorites");
}

QString CHLinkCtrl::desktopFolder() { return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation); }

QString CHLinkCtrl::linkFileName(const QString& caption)
{
    for (const QChar separator : {u'/', u':', u'\\'}) {
        const qsizetype at = caption.lastIndexOf(separator);
        if (at >= 0)
            return caption.mid(at + 1);
    }
    return caption;
}

QString CHLinkCtrl::saveLinkFile(const QString& folder, const QString& name, const QString& address)
{
    if (name.isEmpty() || folder.isEmpty() || !QDir(folder).exists())
        return {};
    const QString path = QDir(folder).filePath(name + QStringLiteral(".desktop"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    const QString entry = QStringLiteral("[Desktop Entry]\nType=Link\nName=%1\nURL=%2\n")
                              .arg(desktopEntryValue(name), desktopEntryValue(address));
    file.write(entry.toUtf8());
    return file.commit() ? path : QString();
}

QString CHLinkCtrl::saveInto(const QString& folder) { return saveLinkFile(folder, linkFileName(m_caption), m_address); }

bool CHLinkCtrl::addToFavorites()
{
    const QString folder = favoritesFolder();
    if (linkFileName(m_caption).isEmpty() || !QDir().mkpath(folder))
        return false;
    return !saveInto(folder).isEmpty();
}

bool CHLinkCtrl::addToDesktop() { return !saveInto(desktopFolder()).isEmpty(); }

}  // namespace brindle
