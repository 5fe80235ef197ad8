// What the search commands need from a view, and the find commands built on it: find, find next / previous.
#pragma once

#include "editor/ed_search.h"
#include "editor/text_pos.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace brindle {

class CEdBufferView;
class CEdTextBuffer;

// The search record a view keeps for the find and replace commands.
struct SEdViewSearchState {
    bool searched = false;        // a find dialog or find next ran in this view
    std::u16string lastText;      // the last search text, of the find or the replace dialog
    std::uint32_t lastFlags = 0;  // EdSearchFlags of the last find
    bool replaced = false;        // a replace dialog ran in this view
    std::uint32_t lastReplaceFlags = 0;
    int matchLength = 0;  // length of the last match found in this view
};

// A view as the find and replace commands, their dialogs and the incremental search see it.
// Positions are buffer positions (character, line). The view keeps its caret, anchor and
// selection valid across buffer changes itself (CEdBufferView::OnBufferChanged).
class CEdSearchTarget {
public:
    virtual ~CEdSearchTarget() = default;

    // The buffer shown; nullptr when the view has none, and every command then does nothing.
    virtual CEdTextBuffer* SearchBuffer() = 0;
    // The view named as the source of replacements (CEdTextBuffer::InsertTextAt); may be nullptr.
    virtual CEdBufferView* SearchSourceView() = 0;
    // Whether the view edits text; a view that does not is offered no replace.
    virtual bool IsEditable() const = 0;

    virtual STextPos GetCursorPos() const = 0;
    virtual void SetCursorPos(STextPos pos) = 0;
    // The end of the selection that stays put while the selection is extended.
    virtual void SetAnchor(STextPos pos) = 0;
    // The selection, start <= end; start == end when nothing is selected.
    virtual void GetSelection(STextPos& start, STextPos& end) const = 0;
    virtual void SetSelection(STextPos start, STextPos end) = 0;
    // Scrolls so that pos can be seen.
    virtual void EnsureVisible(STextPos pos) = 0;

    // The view's record of its searches; lives as long as the view.
    virtual SEdViewSearchState& SearchState() = 0;

    // Nothing was found for text: the view shows message 8606 (FormatNotFound) with an OK button.
    virtual void ReportNotFound(std::u16string_view text) = 0;
    // The incremental search's signal for "not found".
    virtual void Beep() = 0;
};

// Names of the search histories in CEdHistoryTable.
inline constexpr std::u16string_view kFindTextHistory = u"FindText";
inline constexpr std::u16string_view kReplaceTextHistory = u"ReplaceText";

// The view's FindTextInBlock: the search of ed_search.h on the target's buffer. On success hit
// is the match and the view's match length is set from it. False without a buffer.
bool FindInTarget(CEdSearchTarget& target, std::u16string_view text, STextPos start, STextPos blockBegin,
                  STextPos blockEnd, std::uint32_t flags, bool wrap, SEdSearchHit& hit);
// The view's FindText: the same over the whole text, (0, 0) to the end of the last line.
bool FindInTarget(CEdSearchTarget& target, std::u16string_view text, STextPos start, std::uint32_t flags, bool wrap,
                  SEdSearchHit& hit);

// Selects the hit with the caret at its start (caretAtStart) or its end, the anchor at the other
// end, and scrolls the caret into view.
void SelectHit(CEdSearchTarget& target, const SEdSearchHit& hit, bool caretAtStart);

// The text find next / previous would look for: the view's last search text, else the most
// recent "FindText" history entry; empty when there is neither.
std::u16string FindNextText(CEdSearchTarget& target);
// Whether find next / previous can run (their menu items are enabled).
bool CanFindNext(CEdSearchTarget& target);

// Where a search from the view's caret starts: with a selection, at its start when searching
// upwards and at its end otherwise, so that the selected match is not found again; without one,
// at the caret.
STextPos SearchStartOf(const CEdSearchTarget& target, bool up);

enum class EdFindResult { NoText, Found, NotFound };

// Find next (F3) or, with previous, find previous (Shift+F3): looks for FindNextText with the
// view's last flags (previous reverses the direction), with wrap, from SearchStartOf, and
// records the text as the view's last search text. A match is selected as SelectHit does, the
// caret at its start when searching upwards; NotFound has been reported to the target.
EdFindResult FindNextCommand(CEdSearchTarget& target, bool previous);

// Message 8606: format with its %s replaced by text (fillTemplate: the first %s only, "%%" stands
// for "%").
std::u16string FormatNotFound(std::u16string_view format, std::u16string_view text);

}  // namespace brindle
