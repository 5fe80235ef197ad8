#include "editor/ed_history_table.h"

#include <algorithm>

namespace brindle {

CEdHistoryTable& CEdHistoryTable::instance()
{
    static CEdHistoryTable table;
    return table;
}

std::u16string CEdHistoryTable::text(std::u16string_view name) const
{
    const auto found = m_histories.find(name);
    return found == m_histories.end() ? std::u16string() : found->second;
}

void CEdHistoryTable::setText(std::u16string_view name, std::u16string_view text)
{
    m_histories.insert_or_assign(std::u16string(name), std::u16string(text));
}

std::vector<std::u16string> CEdHistoryTable::entries(std::u16string_view name) const
{
    std::vector<std::u16string> result;
    const std::u16string all = text(name);
    std::size_t from = 0;
    while (from < all.size()) {
        std::size_t to = all.find(u'\n', from);
        if (to == std::u16string::npos)
            to = all.size();
        if (to > from)
            result.push_back(all.substr(from, to - from));
        from = to + 1;
    }
    return result;
}

std::u16string CEdHistoryTable::first(std::u16string_view name) const
{
    const std::u16string all = text(name);
    return all.substr(0, all.find(u'\n'));
}

void CEdHistoryTable::add(std::u16string_view name, std::u16string_view entry)
{
    if (entry.empty() || entry.find(u'\n') != std::u16string_view::npos)
        return;
    std::vector<std::u16string> list = entries(name);
    std::erase(list, entry);
    list.insert(list.begin(), std::u16string(entry));
    if (list.size() > kMaxEntries)
        list.resize(kMaxEntries);
    std::u16string joined;
    for (const std::u16string& item : list) {
        if (!joined.empty())
            joined += u'\n';
        joined += item;
    }
    setText(name, joined);
}

}  // namespace brindle
