#include "framework/cmd_target.h"

#include <algorithm>

namespace brindle {

CCmdTarget::~CCmdTarget() = default;

void CCmdTarget::onCommand(int id, std::function<void()> handler) { m_handlers[id] = std::move(handler); }

void CCmdTarget::onCommandRange(int first, int last, std::function<void(int)> handler)
{
    m_ranges.push_back({first, last, std::move(handler), {}});
}

void CCmdTarget::onUpdateCommand(int id, std::function<void(CCmdUI&)> companion)
{
    m_companions[id] = std::move(companion);
}

void CCmdTarget::onUpdateCommandRange(int first, int last, std::function<void(CCmdUI&)> companion)
{
    m_ranges.push_back({first, last, {}, std::move(companion)});
}

bool CCmdTarget::onCmdMsg(int id)
{
    if (const auto it = m_handlers.find(id); it != m_handlers.end() && it->second) {
        it->second();
        return true;
    }
    for (const SRange& range : m_ranges) {
        if (range.handler && id >= range.first && id <= range.last) {
            range.handler(id);
            return true;
        }
    }
    return false;
}

std::vector<int> CCmdTarget::commandIds() const
{
    std::vector<int> ids;
    for (const auto& [id, handler] : m_handlers) {
        if (handler)
            ids.push_back(id);
    }
    for (const SRange& range : m_ranges) {
        for (int id = range.first; range.handler && id <= range.last; ++id)
            ids.push_back(id);
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

bool CCmdTarget::onUpdateCmdUI(CCmdUI& ui)
{
    const int id = ui.id();
    if (const auto it = m_companions.find(id); it != m_companions.end() && it->second) {
        it->second(ui);
        ui.markHandled();
        return true;
    }
    for (const SRange& range : m_ranges) {
        if (range.companion && id >= range.first && id <= range.last) {
            range.companion(ui);
            ui.markHandled();
            return true;
        }
    }
    if (m_handlers.count(id)) {
        ui.enable(true);
        ui.markHandled();
        return true;
    }
    for (const SRange& range : m_ranges) {
        if (range.handler && id >= range.first && id <= range.last) {
            ui.enable(true);
            ui.markHandled();
            return true;
        }
    }
    return false;
}

}  // namespace brindle
