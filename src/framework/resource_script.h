// Parsing the program's resource files: string table, menus, accelerators and tool bars.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace brindle {

// One entry of a menu: a command (id > 0), a separator (id 0, no children) or a submenu.
struct SMenuItem {
    QString text;  // with "&" marking the mnemonic and "\t" before the shortcut shown
    int id = 0;
    bool separator = false;
    std::vector<SMenuItem> children;  // a submenu when not empty or when popup is set
    bool popup = false;
};

struct SAccelerator {
    QString key;  // "Ctrl+M", as QKeySequence reads it
    int id = 0;
};

struct SToolButton {
    int id = 0;    // 0 for a separator
    QString icon;  // icon theme name
};

// Everything one set of resource files defines. Parse errors name the file and line; an entry
// that cannot be read is left out and the rest is kept.
class CResourceScript {
public:
    void parseStrings(const QString& text, const QString& source);
    void parseMenus(const QString& text, const QString& source);
    void parseAccelerators(const QString& text, const QString& source);
    void parseToolBars(const QString& text, const QString& source);

    QHash<int, QString> strings;
    QHash<int, std::vector<SMenuItem>> menus;  // menu bar id -> its top-level popups
    QHash<int, std::vector<SAccelerator>> accelerators;
    QHash<int, std::vector<SToolButton>> toolBars;
    QStringList errors;
};

}  // namespace brindle
