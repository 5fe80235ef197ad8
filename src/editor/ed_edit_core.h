// The editing logic of one edit view: caret, selection and the editing commands on a text buffer.
#pragma once

#include "editor/ed_abbreviations.h"
#include "editor/ed_case_convert.h"
#include "editor/ed_text_buffer.h"
#include "editor/text_pos.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace brindle {

class CEdBufferView;
class CSettingsStore;
struct STextType;

// The view settings the editing commands depend on.
struct SEdEditSettings {
    std::int32_t tabSize = 4;             // display columns per tab stop, at least 1
    std::uint32_t flags = 0;              // text type flags (kTextTypeInsertTabs, kTextTypeAutoIndent, ...)
    const STextType* textType = nullptr;  // comment rules for bracket matching; may be nullptr
};

// Edit state of one view (caret, anchor, overtype mode, a drag in progress) and every editing
// command of the edit view, carried out on the buffer through its recorded operations inside
// one undo group per command.
//
// The owner, the edit view, must
//  - pass itself as `view`: it is the source view of every change, and the buffer calls its
//    OnEditCompleted when a command's undo group closes;
//  - forward every OnBufferChanged context to AdjustPositions (changes by other views, undo
//    and redo move the caret too) and every OnEditCompleted to OnEditCompleted here (automatic
//    indentation runs from there);
//  - redraw and scroll the caret into view after a command; the buffer's notifications say
//    which lines changed.
// The selection runs between anchor and caret. A command returns true when it changed the text
// or moved the caret; it does nothing and returns false on a read-only buffer, without lines,
// or when its condition does not hold.
class CEdEditCore {
public:
    CEdEditCore(CEdTextBuffer& buffer, CEdBufferView* view);

    CEdTextBuffer& Buffer() const { return m_buffer; }

    // ---- State

    STextPos Caret() const { return m_caret; }
    STextPos Anchor() const { return m_anchor; }
    STextPos SelStart() const { return m_anchor < m_caret ? m_anchor : m_caret; }
    STextPos SelEnd() const { return m_anchor < m_caret ? m_caret : m_anchor; }
    bool HasSelection() const { return m_anchor != m_caret; }
    // Moves the caret; the anchor follows unless keepAnchor (then the selection runs to it).
    void SetCaret(STextPos pos, bool keepAnchor = false);
    void SetSelection(STextPos anchor, STextPos caret);
    // The selected text, lines joined by CR LF.
    std::u16string SelectedText() const;

    bool IsOvertype() const { return m_overtype; }
    void SetOvertype(bool overtype) { m_overtype = overtype; }
    // Insert (37005).
    void ToggleOvertype() { m_overtype = !m_overtype; }

    const SEdEditSettings& Settings() const { return m_settings; }
    void SetSettings(const SEdEditSettings& settings);
    // Takes tab size, flags and comment rules of type and, with a store, its abbreviations.
    // Nothing happens for nullptr.
    void ApplyTextType(const STextType* type, const CSettingsStore* store);
    CEdAbbreviations& Abbreviations() { return m_abbreviations; }
    const CEdAbbreviations& Abbreviations() const { return m_abbreviations; }

    bool IsEditable() const;

    // ---- Calls the owning view forwards

    void AdjustPositions(const CEdTextBuffer::CUpdateContext& context);
    // Automatic indentation after a command of action Typing, with auto-indent on: after a line
    // break the new line takes the previous line's indentation (one step more after an opening
    // bracket, one less after a lone closing bracket with bracket step indent); a lone "(" gets
    // a space before it after a word (space before parenthesis); a lone opening bracket alone
    // on its line moves right one step (bracket step indent); a lone closing bracket alone on
    // an indented line moves left one step (bracket indent or bracket step indent).
    void OnEditCompleted(std::int32_t action, std::u16string_view text);

    // ---- Typing

    // A typed character (code 32 or above). Consecutive characters form one undo group; a space
    // starts a new one. Overtype replaces the character under the caret, a selection is replaced.
    bool TypeChar(char16_t ch);
    // Enter: a line break (Typing); in overtype mode only to the start of the next line.
    bool Enter();
    // Tab: over a selection of several lines, one step at the start of each line of the block
    // (Indent) and the selection widened to whole lines; in overtype mode inside a line, the
    // caret to the next tab stop; otherwise the selection replaced by one step (Typing), a tab
    // or spaces up to the next multiple of the tab size in characters.
    bool Tab();
    // Shift+Tab: over several lines, up to tab-size leading spaces or the leading spaces and one
    // tab removed from each line (Indent); otherwise the caret back to the previous tab stop.
    bool ShiftTab();

    // ---- Deleting

    // The selection, else the character before the caret; at column 0 the line break before,
    // only with backspace-joins-lines (Backspace).
    bool Backspace();
    // The selection, else the character after the caret or the line break at a line end; nothing
    // at the end of the text (Delete).
    bool Delete();
    // Ctrl+Delete and Ctrl+Backspace: the selection, else the range to the word-right or
    // word-left position (Delete).
    bool DeleteWordRight();
    bool DeleteWordLeft();
    // Replaces the selection (or inserts at the caret) with text, given with CR LF line breaks,
    // and puts the caret behind it. Opens no undo group of its own: inside the caller's group,
    // or each change its own group (used by the spelling correction and by replace).
    bool ReplaceSelection(std::u16string_view text, std::int32_t action);

    // ---- Case commands (enabled while there is a selection); the result stays selected.

    bool ConvertCase(EEdCaseConversion conversion);

    // ---- Completion and expansion

    // Caret after column 0, not on the first line, a word character before it and none under it.
    bool CanAutoComplete() const;
    // Completes the word before the caret from the nearest whole word that starts with it (case
    // matters): backwards from the word first, then forwards from the caret (AutoComplete).
    bool AutoComplete();
    bool CanAutoExpand() const;
    // Replaces the abbreviation before the caret by its expansion, running the backslash codes
    // of CEdAbbreviations::Split, each piece followed by automatic indentation (AutoExpand).
    bool AutoExpand();

    // ---- Moving

    // The caret to the partner of the bracket at (or before) the caret, skipping comments.
    bool MatchBracket();
    // Go-to-line box text (see EdGotoLineTarget); the selection is emptied.
    bool GotoLine(std::u16string_view text);
    bool CanGotoLastChange() const;
    bool GotoLastChange();

    // ---- Clipboard; texts are in the external form (LF line ends, see ed_text_transfer.h).

    std::u16string Copy() const;
    bool Cut(std::u16string& text);
    bool Paste(std::u16string_view text);

    // ---- Drag and drop

    // Starts dragging the selection: returns its text in the external form (empty without a
    // selection). The dragged range then follows every change until EndDrag.
    std::u16string BeginDrag();
    bool IsDragging() const { return m_dragging; }
    STextPos DragStart() const { return m_dragStart; }
    STextPos DragEnd() const { return m_dragEnd; }
    // Text dropped at pos (external form): inserted (DragDrop), selected, caret at its end. A
    // drop onto the text this view is dragging (its start to its end) only moves the caret.
    bool Drop(STextPos pos, std::u16string_view text);
    // The drag ended; after a move the dragged range is deleted (DragDrop), in the same undo
    // group as the drop when the text was dropped into this view. Returns whether it deleted.
    bool EndDrag(bool moved);

private:
    std::u16string_view lineText(std::int32_t line) const { return m_buffer.LineText(line); }
    std::int32_t lineLength(std::int32_t line) const { return m_buffer.LineLength(line); }
    std::int32_t lastLine() const { return m_buffer.LineCount() - 1; }
    bool usable() const { return IsEditable() && m_buffer.LineCount() > 0; }
    std::int32_t tabSize() const { return m_settings.tabSize > 0 ? m_settings.tabSize : 1; }
    bool hasFlag(std::uint32_t flag) const { return (m_settings.flags & flag) != 0; }

    std::int32_t displayColumn(std::int32_t line, std::int32_t ch) const;
    // The display column after ch when it starts at column (tabs go to the next tab stop).
    std::int32_t columnAfter(char16_t ch, std::int32_t column) const;
    std::u16string stepAtColumn(std::int32_t column) const;
    std::u16string stepAtChar(std::int32_t ch) const;

    bool insertAtCaret(std::u16string_view text, std::int32_t action);
    bool deleteRange(STextPos start, STextPos end, std::int32_t action);
    bool deleteSelection(std::int32_t action);
    bool deleteCharBefore(std::int32_t action);
    bool deleteCharAfter(std::int32_t action);
    void closeGroup() { m_buffer.CloseUndoGroup(m_view); }

    bool blockLines(std::int32_t& first, std::int32_t& last) const;
    void selectLines(std::int32_t first, std::int32_t last);
    bool wordBeforeCaret(std::int32_t& start) const;
    bool findCompletion(std::u16string_view prefix, STextPos prefixStart, std::u16string& rest) const;
    void runExpansionStep(char16_t command);

    void autoIndent(std::u16string_view text);
    void indentNewLine();
    void spaceBeforeParenthesis();
    void stepBeforeOpeningBracket();
    void outdentClosingBracket();

    CEdTextBuffer& m_buffer;
    CEdBufferView* m_view;
    SEdEditSettings m_settings;
    CEdAbbreviations m_abbreviations;
    STextPos m_caret;
    STextPos m_anchor;
    bool m_overtype = false;

    bool m_dragging = false;
    STextPos m_dragStart;
    STextPos m_dragEnd;
    bool m_dropInside = false;   // the drop landed on the dragged text
    bool m_droppedHere = false;  // the dragged text was dropped into this view
};

}  // namespace brindle
