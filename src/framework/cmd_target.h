// Numeric commands: handlers and their enable/check companions, and the routing chain.
#pragma once

#include <QString>
#include <functional>
#include <unordered_map>
#include <vector>

namespace brindle {

// The state of one command's menu item or tool button while its companion runs.
class CCmdUI {
public:
    explicit CCmdUI(int id) : m_id(id) {}
    int id() const { return m_id; }

    void enable(bool on = true) { m_enabled = on; }
    void setCheck(bool on = true) { m_checked = on; }
    // Checks the item as one choice of several (a radio mark in menus).
    void setRadio(bool on = true)
    {
        m_checked = on;
        m_radio = true;
    }
    // Replaces the item's text (menu entries only).
    void setText(const QString& text) { m_text = text; }

    bool enabled() const { return m_enabled; }
    bool checked() const { return m_checked; }
    bool radio() const { return m_radio; }
    const QString& text() const { return m_text; }
    // Set when a companion ran for the command.
    bool handled() const { return m_handled; }
    void markHandled() { m_handled = true; }

private:
    int m_id;
    bool m_enabled = true;
    bool m_checked = false;
    bool m_radio = false;
    bool m_handled = false;
    QString m_text;
};

// Something that can handle commands: views, documents, frames and the application. A command is
// offered along the chain active view, its document, its frame, the main frame, the application;
// the first target that handles it ends the walk. A command without a handler anywhere is shown
// disabled.
class CCmdTarget {
public:
    virtual ~CCmdTarget();

    // Runs the handler of id; false when this target has none.
    virtual bool onCmdMsg(int id);
    // Runs the companion of the command (or marks it enabled when only a handler exists);
    // false when this target knows nothing of id.
    virtual bool onUpdateCmdUI(CCmdUI& ui);
    // The ids this target has a handler for, ranges spelled out, in ascending order.
    std::vector<int> commandIds() const;

protected:
    void onCommand(int id, std::function<void()> handler);
    void onCommandRange(int first, int last, std::function<void(int)> handler);
    void onUpdateCommand(int id, std::function<void(CCmdUI&)> companion);
    void onUpdateCommandRange(int first, int last, std::function<void(CCmdUI&)> companion);

private:
    struct SRange {
        int first;
        int last;
        std::function<void(int)> handler;
        std::function<void(CCmdUI&)> companion;
    };
    std::unordered_map<int, std::function<void()>> m_handlers;
    std::unordered_map<int, std::function<void(CCmdUI&)>> m_companions;
    std::vector<SRange> m_ranges;
};

}  // namespace brindle
