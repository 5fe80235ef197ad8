// The logic of the find dialog: its initial options, Find Next, and what the view keeps when it closes.
#pragma once

#include "editor/text_pos.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace brindle {

class CEdSearchTarget;
class CSettingsStore;

// One run of the find dialog on a view. The dialog shows initialText() and initialFlags(), calls
// findNext for "Find Next" (closing when it returns true) and finish once it closes, however it
// closes. Holds references: target and store outlive the session.
class CEdFindSession {
public:
    // Options: the view's last search text and flags when it searched before, else the flags
    // stored as "FindFlags" and no text; a selection within one line replaces the text.
    CEdFindSession(CEdSearchTarget& target, CSettingsStore& store);

    const std::u16string& initialText() const { return m_initialText; }
    std::uint32_t initialFlags() const { return m_initialFlags; }

    // Searches the whole text for text with flags (EdSearchFlags), with wrap, from where the
    // dialog was opened (SearchStartOf); after a failed search, from (0, 0). A match is selected
    // (the caret at its start when searching upwards, else at its end) and true returned;
    // otherwise the target has reported the failure.
    bool findNext(std::u16string_view text, std::uint32_t flags);

    // The view records a search with text and flags; flags are stored as "FindFlags".
    void finish(std::u16string_view text, std::uint32_t flags);

private:
    CEdSearchTarget& m_target;
    CSettingsStore& m_store;
    std::u16string m_initialText;
    std::uint32_t m_initialFlags = 0;
    STextPos m_upStart;
    STextPos m_downStart;
};

}  // namespace brindle
