// A link in a dialog: an underlined caption that opens an address, with a menu to copy or keep it.
#pragma once

#include "framework/cmd_target.h"

#include <QColor>
#include <QLabel>
#include <QString>

class QMenu;

namespace brindle {

// Colours are platform colour values 0x00BBGGRR. Clicking opens the address with the desktop's
// handler for it (never through a shell); the context menu (menu resource 103) opens, copies the
// address to the clipboard, or saves a link file into the favourites folder or onto the desktop.
// Failures end the command silently; a failed open leaves the state as it was.
class CHLinkCtrl : public QLabel, public CCmdTarget {
    Q_OBJECT
public:
    enum EState : int { kNormal = 0, kVisited = 1, kHover = 2 };
    enum ECommand : int { kOpen = 32780, kCopyShortcut = 32781, kAddToFavorites = 32782, kAddToDesktop = 32783 };

    explicit CHLinkCtrl(QWidget* parent = nullptr);
    ~CHLinkCtrl() override;

    // Stores the three; shows caption; with autoSize the control takes the caption's size, its
    // top-left corner staying where it is.
    void setLink(bool autoSize, const QString& address, const QString& caption);

    const QString& caption() const { return m_caption; }
    const QString& address() const { return m_address; }
    int state() const { return m_state; }
    int rememberedState() const { return m_rememberedState; }
    bool menuOpen() const { return m_menuOpen; }

    quint32 normalColor() const { return m_normalColor; }
    quint32 visitedColor() const { return m_visitedColor; }
    quint32 hoverColor() const { return m_hoverColor; }
    void setColors(quint32 normal, quint32 visited, quint32 hover);
    // The colour the caption has in the current state.
    QColor captionColor() const;

    bool hoverTracking() const { return m_hoverTracking; }
    void setHoverTracking(bool on) { m_hoverTracking = on; }
    bool underline() const { return m_underline; }
    void setUnderline(bool on);
    bool shadow() const { return m_shadow; }
    void setShadow(bool on);

    // The commands of the context menu.
    bool open();
    bool copyShortcut();
    bool addToFavorites();
    bool addToDesktop();

    // The context menu (first submenu of menu 103), parented to this control.
    QMenu* createContextMenu();

    static QColor colorFromColorRef(quint32 colorRef);
    // The folder "Add to Favorites" saves into: $XDG_DATA_HOME/brindle/favorites (made when
    // missing). The desktop folder must exist already.
    static QString favoritesFolder();
    static QString desktopFolder();
    // The name a link file gets for caption: the part after its last "/", else after its last ":",
    // else after its last "\", else the whole caption; empty when the caption ends in one of them.
    static QString linkFileName(const QString& caption);
    // Writes a freedesktop link file "<name>.desktop" for address into folder; the path written,
    // or empty on failure (no name, folder missing, write failed). An existing file is replaced.
    static QString saveLinkFile(const QString& folder, const QString& name, const QString& address);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void trackHover(bool inside);
    void endHover();
    QFont linkFont(bool underlined) const;
    QString saveInto(const QString& folder);

    QString m_caption;
    QString m_address;
    quint32 m_normalColor = 0xEE0000;
    quint32 m_visitedColor = 0x8B1A55;
    bool m_autoSize = true;
    bool m_hoverTracking = true;
    quint32 m_hoverColor = 0x0000FF;
    int m_state = kNormal;
    bool m_underline = true;
    bool m_shadow = true;
    int m_rememberedState = kNormal;
    bool m_menuOpen = false;
};

}  // namespace brindle
