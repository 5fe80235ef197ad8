#include "framework/resource_script.h"

#include <QRegularExpression>

namespace brindle {

namespace {

// Lines without comments (starting with "#") and blank lines, with their line numbers.
struct SScriptLine {
    int number = 0;
    QString text;  // trimmed
};

std::vector<SScriptLine> scriptLines(const QString& text)
{
    std::vector<SScriptLine> lines;
    const QStringList raw = text.split(u'\n');
    for (int i = 0; i < raw.size(); ++i) {
        QString line = raw[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(u'#'))
            lines.push_back({i + 1, trimmed});
    }
    return lines;
}

QString unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\\' || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar next = text[++i];
        if (next == u'n')
            out += u'\n';
        else if (next == u't')
            out += u'\t';
        else
            out += next;  // \\ and \" and any other escaped character
    }
    return out;
}

// A quoted text at the start of rest: "..." with \" inside; returns the unescaped text and moves
// rest past it, or false when rest does not start with a complete quoted text.
bool takeQuoted(QStringView& rest, QString& text)
{
    if (!rest.startsWith(u'"'))
        return false;
    for (qsizetype i = 1; i < rest.size(); ++i) {
        if (rest[i] == u'\\') {
            ++i;
            continue;
        }
        if (rest[i] == u'"') {
            text = unescape(rest.mid(1, i - 1));
            rest = rest.mid(i + 1).trimmed();
            return true;
        }
    }
    return false;
}

bool takeNumber(QStringView& rest, int& value)
{
    qsizetype end = 0;
    while (end < rest.size() && rest[end].isDigit())
        ++end;
    if (end == 0)
        return false;
    bool ok = false;
    value = rest.left(end).toInt(&ok);
    rest = rest.mid(end).trimmed();
    return ok;
}

bool takeWord(QStringView& rest, QStringView word)
{
    if (!rest.startsWith(word))
        return false;
    const QStringView after = rest.mid(word.size());
    if (!after.isEmpty() && !after.front().isSpace())
        return false;
    rest = after.trimmed();
    return true;
}

// Reads "<id>" after a block keyword; -1 when missing.
int blockId(QStringView rest)
{
    int id = -1;
    return takeNumber(rest, id) && rest.isEmpty() ? id : -1;
}

}  // namespace

void CResourceScript::parseStrings(const QString& text, const QString& source)
{
    const QStringList raw = text.split(u'\n');
    for (int i = 0; i < raw.size(); ++i) {
        QString line = raw[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        bool ok = false;
        const int id = tab > 0 ? line.left(tab).trimmed().toInt(&ok) : 0;
        if (!ok) {
            errors << QStringLiteral("%1:%2: expected an id, a tab and a text").arg(source).arg(i + 1);
            continue;
        }
        strings.insert(id, unescape(QStringView(line).mid(tab + 1)));
    }
}

void CResourceScript::parseMenus(const QString& text, const QString& source)
{
    std::vector<std::vector<SMenuItem>*> open;  // innermost last
    std::vector<SMenuItem> bar;
    int barId = -1;
    for (const SScriptLine& line : scriptLines(text)) {
        QStringView rest = line.text;
        const auto error = [&](const char* what) {
            errors << QStringLiteral("%1:%2: %3").arg(source).arg(line.number).arg(QLatin1String(what));
        };
        if (takeWord(rest, u"MENU")) {
            if (!open.empty()) {
                error("MENU inside a menu");
                continue;
            }
            barId = blockId(rest);
            if (barId < 0)
                error("MENU needs an id");
            bar.clear();
            open.push_back(&bar);
        } else if (takeWord(rest, u"POPUP")) {
            SMenuItem popup;
            popup.popup = true;
            if (open.empty() || !takeQuoted(rest, popup.text)) {
                error("bad POPUP");
                continue;
            }
            open.back()->push_back(std::move(popup));
            open.push_back(&open.back()->back().children);
        } else if (takeWord(rest, u"MENUITEM")) {
            SMenuItem item;
            if (open.empty()) {
                error("MENUITEM outside a menu");
            } else if (takeWord(rest, u"SEPARATOR")) {
                item.separator = true;
                open.back()->push_back(std::move(item));
            } else if (takeQuoted(rest, item.text) && rest.startsWith(u',') &&
                       (rest = rest.mid(1).trimmed(), takeNumber(rest, item.id))) {
                open.back()->push_back(std::move(item));
            } else {
                error("bad MENUITEM");
            }
        } else if (takeWord(rest, u"END")) {
            if (open.empty()) {
                error("END without an open menu");
                continue;
            }
            open.pop_back();
            if (open.empty() && barId >= 0)
                menus.insert(barId, bar);
        } else {
            error("unknown line");
        }
    }
    if (!open.empty())
        errors << QStringLiteral("%1: menu %2 is not closed").arg(source).arg(barId);
}

void CResourceScript::parseAccelerators(const QString& text, const QString& source)
{
    int tableId = -1;
    std::vector<SAccelerator> table;
    for (const SScriptLine& line : scriptLines(text)) {
        QStringView rest = line.text;
        SAccelerator accelerator;
        if (takeWord(rest, u"ACCELERATORS")) {
            tableId = blockId(rest);
            table.clear();
        } else if (takeWord(rest, u"END")) {
            if (tableId >= 0)
                accelerators.insert(tableId, table);
            tableId = -1;
        } else if (tableId >= 0 && takeQuoted(rest, accelerator.key) && rest.startsWith(u',') &&
                   (rest = rest.mid(1).trimmed(), takeNumber(rest, accelerator.id))) {
            table.push_back(accelerator);
        } else {
            errors << QStringLiteral("%1:%2: bad accelerator line").arg(source).arg(line.number);
        }
    }
}

void CResourceScript::parseToolBars(const QString& text, const QString& source)
{
    int barId = -1;
    std::vector<SToolButton> bar;
    for (const SScriptLine& line : scriptLines(text)) {
        QStringView rest = line.text;
        SToolButton button;
        if (takeWord(rest, u"TOOLBAR")) {
            barId = blockId(rest);
            bar.clear();
        } else if (takeWord(rest, u"END")) {
            if (barId >= 0)
                toolBars.insert(barId, bar);
            barId = -1;
        } else if (barId >= 0 && takeWord(rest, u"SEPARATOR")) {
            bar.push_back(button);
        } else if (barId >= 0 && takeWord(rest, u"BUTTON") && takeNumber(rest, button.id) &&
                   takeQuoted(rest, button.icon)) {
            bar.push_back(button);
        } else {
            errors << QStringLiteral("%1:%2: bad tool bar line").arg(source).arg(line.number);
        }
    }
}

}  // namespace brindle
