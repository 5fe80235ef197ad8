// The program-wide table of remembered texts: the drop-down lists of the search dialogs.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

// History name -> history. A history is one text whose entries are separated by "\n", the most
// recent first. Entries are unique and not empty; a history keeps at most kMaxEntries. The
// table lives for the program run and is not saved. Not thread-safe: user-interface thread only.
class CEdHistoryTable {
public:
    static constexpr std::size_t kMaxEntries = 20;

    // The table every dialog of the program shares.
    static CEdHistoryTable& instance();

    // The history as stored; empty when there is none.
    std::u16string text(std::u16string_view name) const;
    // Replaces the history (entries are not checked).
    void setText(std::u16string_view name, std::u16string_view text);

    // The entries, most recent first.
    std::vector<std::u16string> entries(std::u16string_view name) const;
    // The most recent entry (the part before the first "\n"); empty when there is none.
    std::u16string first(std::u16string_view name) const;

    // Puts entry first, removing an equal entry further down and dropping the oldest beyond
    // kMaxEntries. An empty entry, or one holding a line feed, is not remembered.
    void add(std::u16string_view name, std::u16string_view entry);

    void clear() { m_histories.clear(); }

private:
    std::map<std::u16string, std::u16string, std::less<>> m_histories;
};

}  // namespace brindle
