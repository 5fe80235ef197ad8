// Incremental search: the view collects typed characters into a search text and selects each match as it goes.
#pragma once

#include "editor/ed_search.h"
#include "editor/text_pos.h"

#include <string>

namespace brindle {

class CEdSearchTarget;

// The state machine of Ctrl+E (forwards) and Ctrl+Shift+E (backwards). While it is active the
// view hands it the keys instead of editing: printable characters to typeChar, Backspace,
// Escape, the two commands again to repeat, and any other key (Enter included) to finish, which
// swallows that key. Searches ignore case, take the text literally and wrap around the text.
// Holds a reference to the target, which outlives it.
class CEdIncrementalSearch {
public:
    explicit CEdIncrementalSearch(CEdSearchTarget& target);

    // Starts a search from the caret, remembering the selection and caret for Escape. Starting
    // while active changes the direction and searches again from the current match (repeat).
    void start(bool forward);

    bool isActive() const { return m_active; }
    bool isForward() const { return m_forward; }
    // The text collected so far.
    const std::u16string& text() const { return m_text; }
    // The text has no match: characters only beep until Backspace shortens it.
    bool isFailed() const { return m_failed; }

    // Whether the view passes ch to typeChar: the characters from the space on, and tab.
    static bool isPrintable(char16_t ch);

    // Appends ch and searches from the search start. Without a match the target beeps; once the
    // search failed, characters are not appended and only beep.
    void typeChar(char16_t ch);
    // Removes the last character and searches again (an empty text selects what was selected at
    // the start); beeps when there is nothing to remove.
    void backspace();
    // The next match in the given direction from the current one (forwards from its end,
    // backwards from its start). With an empty text the text of the previous incremental search
    // of this object is taken up again.
    void repeat(bool forward);
    // Ends the search and restores the selection and caret it started with.
    void escape();
    // Ends the search keeping the current match selected.
    void finish();

private:
    bool search(STextPos from, bool forward);
    void restoreStart();

    CEdSearchTarget& m_target;
    bool m_active = false;
    bool m_forward = true;
    bool m_failed = false;
    bool m_hasMatch = false;
    std::u16string m_text;
    std::u16string m_previousText;  // of the search before, for a repeat with no text
    STextPos m_searchStart;
    STextPos m_savedCaret;
    STextPos m_savedSelStart;
    STextPos m_savedSelEnd;
    SEdSearchHit m_hit;
};

}  // namespace brindle
