// The logic of the replace dialog: block and scope, Find Next, Replace, Replace All, and closing.
#pragma once

#include "editor/ed_replace.h"
#include "editor/ed_search.h"
#include "editor/text_pos.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace brindle {

class CEdSearchTarget;
class CSettingsStore;

// One run of the replace dialog on an editable view. The dialog shows the initial options, passes
// the scope ("Replace in") with setSelectionScope and calls findNext, replace and replaceAll for
// its buttons and finish once it closes. Searches run forwards in the block, without wrap; a
// failed search is reported to the target and the next one starts again at the block begin.
// Each replacement is one undo group of action CEdTextBuffer::Replace. Holds references: target
// and store outlive the session.
class CEdReplaceSession {
public:
    // Options: the view's last search text and replace flags when it replaced before, else the
    // flags stored as "ReplaceFlags". With a selection over more than one line the scope starts
    // at "Selection" and the block is the selection; otherwise at "Whole file", and a selection
    // within one line gives the search text. Searches start at the caret, or at the selection
    // start.
    CEdReplaceSession(CEdSearchTarget& target, CSettingsStore& store);

    const std::u16string& initialText() const { return m_initialText; }
    std::uint32_t initialFlags() const { return m_initialFlags; }
    // Whether the view had a selection: only then can "Selection" be chosen.
    bool hasSelection() const { return m_hadSelection; }

    bool selectionScope() const { return m_selectionScope; }
    // "Selection" (the block is the selection the dialog was opened with, moving with the
    // replacements) or "Whole file". Ignored without a selection.
    void setSelectionScope(bool selection);

    // Finds and selects the next match; true when one is current afterwards.
    bool findNext(std::u16string_view text, std::uint32_t flags);
    // Without a current match of this text and these flags: finds the next one. With one:
    // replaces it (replacement escapes expanded when flags hold kEdFindRegExp), continues
    // behind the inserted text (after an empty match at the next line) and finds the next.
    // True when a match is current afterwards: the dialog makes "Replace" its default button.
    bool replace(std::u16string_view text, std::u16string_view replacement, std::uint32_t flags);
    // Replaces every match from the current one (or the search position) to the block end;
    // returns the number of replacements. None is reported as a failed search.
    int replaceAll(std::u16string_view text, std::u16string_view replacement, std::uint32_t flags);

    bool hasMatch() const { return m_hasMatch; }

    // The view records the search text and replace flags; the flags are stored as "ReplaceFlags";
    // the selection the dialog was opened with, moved by the replacements, is selected again.
    void finish(std::u16string_view text, std::uint32_t flags);

private:
    class CBufferTarget;

    SEdReplaceBlock currentBlock() const;
    STextPos positionAfterHit() const;
    bool search(std::u16string_view text, std::uint32_t flags);
    bool canEdit() const;
    void moveTracked(STextPos begin, STextPos end, STextPos after);

    CEdSearchTarget& m_target;
    CSettingsStore& m_store;
    std::u16string m_initialText;
    std::uint32_t m_initialFlags = 0;
    bool m_hadSelection = false;
    bool m_selectionScope = false;
    STextPos m_selStart;  // the selection the dialog was opened with, moved by replacements
    STextPos m_selEnd;
    STextPos m_searchPos;
    bool m_hasMatch = false;
    SEdSearchHit m_hit;
    std::u16string m_hitText;
    std::uint32_t m_hitFlags = 0;
};

}  // namespace brindle
