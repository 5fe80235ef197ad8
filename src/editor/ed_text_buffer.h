// The editor's text buffer: lines of UTF-16 text, the undo history, loading and saving, and the
// notification of the views that show it.
#pragma once

#include "editor/line_info.h"
#include "editor/text_pos.h"
#include "editor/undo_record.h"

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace brindle {

class CEdBufferView;

// Holds the text of one document as an array of lines (no line-end characters in a line: line
// ends exist only between lines), records every change for undo and tells the attached views
// what changed. All editing goes through InsertTextAt and DeleteRange; undo and redo replay the
// records through the same raw operations.
//
// A line index outside 0..LineCount()-1, a character index outside 0..LineLength(line), a range
// whose end lies before its start or a negative count is a programming error and throws
// std::invalid_argument. The one position a buffer without lines accepts is (0, 0): an insertion
// there first creates the empty line it goes into, and the empty range there copies and deletes
// nothing. Changes of a read-only buffer return false, record nothing and notify no view.
//
// Not thread-safe: the buffer belongs to the user-interface thread.
class CEdTextBuffer {
public:
    // Update flags passed to views with each change.
    enum UpdateFlags : std::uint32_t {
        ChangedColumns = 0x0001,  // characters changed within lines
        ChangedLines = 0x0002,    // lines were added or removed
        SingleLine = 0x0100,      // only the line given changed
        FlagsOnly = 0x0200,       // only the line's flags changed
        Reset = 0x1000,           // everything changed (after a load); line is -1
    };

    // Action codes stored with undo records; they select the undo and redo descriptions.
    enum EditAction : std::int32_t {
        Unknown = 0,
        Paste = 1,
        DeleteSelection = 2,
        Cut = 3,
        Typing = 4,
        Backspace = 5,
        Indent = 6,
        DragDrop = 7,
        Replace = 8,
        Delete = 9,
        AutoIndent = 10,
        AutoComplete = 11,
        AutoExpand = 12,
        LowerCase = 13,
        UpperCase = 14,
        InvertCase = 15,
        Capitalize = 16,
        Sentencize = 17,
        Recode = 18,
        Spelling = 19,
    };

    // Line flags the editor component uses; the other bits are free for owners of the buffer.
    enum LineFlagBits : std::uint32_t {
        BookmarkAnonymous = 0x80000,  // any number of lines may carry it
    };
    // Numbered bookmark n (0..9); at most one line carries each.
    static constexpr std::uint32_t BookmarkFlag(int n) { return 1u << n; }

    // Tells a view how a position that lay in the text before a change moves.
    class CUpdateContext {
    public:
        virtual ~CUpdateContext() = default;
        virtual void AdjustPosition(STextPos& pos) const = 0;
    };

    // Text was inserted from start to end (end is where the inserted text stops).
    class CInsertContext final : public CUpdateContext {
    public:
        CInsertContext(STextPos start, STextPos end) : m_start(start), m_end(end) {}
        // A position after start on the start line moves with the inserted text; a position on a
        // later line moves down by the number of lines added; the rest stays.
        void AdjustPosition(STextPos& pos) const override;
        STextPos start() const { return m_start; }
        STextPos end() const { return m_end; }

    private:
        STextPos m_start;
        STextPos m_end;
    };

    // The text from start to end was deleted.
    class CDeleteContext final : public CUpdateContext {
    public:
        CDeleteContext(STextPos start, STextPos end) : m_start(start), m_end(end) {}
        // A position at or after end keeps its distance from end (on the end line) or its line
        // offset (on later lines); one before start keeps its place; one inside becomes start.
        void AdjustPosition(STextPos& pos) const override;
        STextPos start() const { return m_start; }
        STextPos end() const { return m_end; }

    private:
        STextPos m_start;
        STextPos m_end;
    };

    static constexpr std::int32_t kDefaultUndoLimit = 1024;

    // Source encoding new buffers start with (-1 until the program sets one).
    static void SetDefaultSourceEncoding(std::int32_t code);
    static std::int32_t DefaultSourceEncoding();

    CEdTextBuffer();
    virtual ~CEdTextBuffer();
    CEdTextBuffer(const CEdTextBuffer&) = delete;
    CEdTextBuffer& operator=(const CEdTextBuffer&) = delete;

    // ---- Reading

    std::int32_t LineCount() const { return static_cast<std::int32_t>(m_lines.size()); }
    std::int32_t LineLength(std::int32_t line) const { return lineAt(line).length; }
    // The line's characters, not terminated; valid until the line changes.
    const char16_t* LineChars(std::int32_t line) const { return lineAt(line).text.get(); }
    std::u16string_view LineText(std::int32_t line) const { return lineAt(line).chars(); }
    std::uint32_t LineFlags(std::int32_t line) const { return lineAt(line).flags; }

    // The text of the range, lines joined by separator.
    void CopyRange(std::int32_t startLine, std::int32_t startChar, std::int32_t endLine, std::int32_t endChar,
                   std::u16string& text, std::u16string_view separator = u"\r\n") const;

    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool IsModified() const { return m_modified; }
    // True once a file was loaded (until ClearAll).
    bool IsInitialised() const { return m_initialised; }

    // Encoding code of the file (0 8-bit, 1 UTF-16 BE, 2 UTF-16 LE, 3 UTF-8 with mark); the
    // load sets it and the save writes in it.
    std::int32_t FileEncoding() const { return m_fileEncoding; }
    void SetFileEncoding(std::int32_t code) { m_fileEncoding = code; }
    // 0 "DOS", 1 "UNIX", 2 "MAC" for display, or -1; negative values are ignored when set.
    // Saving does not use it: every line keeps its own line end (LineEnd).
    std::int32_t LineEndStyle() const { return m_lineEndStyle; }
    void SetLineEndStyle(std::int32_t code);
    std::int32_t SourceEncoding() const { return m_sourceEncoding; }
    void SetSourceEncoding(std::int32_t code) { m_sourceEncoding = code; }

    // Every line keeps the line end it was read with, so that an unchanged file saves back byte
    // for byte, whatever its mix of CR LF, LF and CR. A new line break (typed, pasted, inserted)
    // takes the default line end: the one the loaded file uses most, LF in a new document (the
    // convention of this platform); ClearAll resets it to LF.
    ELineEnd LineEnd(std::int32_t line) const { return lineAt(line).end; }
    ELineEnd DefaultLineEnd() const { return m_defaultLineEnd; }
    void SetDefaultLineEnd(ELineEnd end) { m_defaultLineEnd = end; }

    // Keep the previous file as path + ".bak" when saving.
    bool CreateBackup() const { return m_createBackup; }
    void SetCreateBackup(bool createBackup) { m_createBackup = createBackup; }

    // Position of the most recent change: the end of inserted text, the start of deleted text;
    // (-1, -1) after ClearAll and LoadFile.
    STextPos LastChange() const { return m_lastChange; }

    // ---- Undo history

    bool CanUndo() const { return m_undoPosition > 0; }
    bool CanRedo() const { return m_undoPosition < static_cast<std::int32_t>(m_undoRecords.size()); }
    std::int32_t UndoLimit() const { return m_undoLimit; }
    // The records, oldest first; those at and after UndoPosition() are redoable.
    const std::deque<SUndoRecord>& UndoRecords() const { return m_undoRecords; }
    std::int32_t UndoPosition() const { return m_undoPosition; }

    // Descriptions of the group Undo or Redo would replay; false when there is none.
    bool UndoDescription(std::u16string& text) const;
    bool RedoDescription(std::u16string& text) const;
    // Edit-menu texts: "&Undo <description>\tCtrl+Z" when undo is possible and described,
    // "&Undo\tCtrl+Z" otherwise; redo likewise.
    std::u16string UndoMenuText() const;
    std::u16string RedoMenuText() const;

    // ---- Changing; each returns false when the buffer is read-only.

    // Inserts text at (ch, line) and records it. A CR, or CR LF, in text ends a line; a lone
    // LF is an ordinary character. endLine and endChar receive where the inserted text ends.
    // Inserting nothing changes and records nothing.
    bool InsertTextAt(CEdBufferView* sourceView, std::int32_t line, std::int32_t ch, std::u16string_view text,
                      std::int32_t& endLine, std::int32_t& endChar, std::int32_t action = Unknown);
    // Deletes the range and records it with its text. Deleting an empty range changes and
    // records nothing.
    bool DeleteRange(CEdBufferView* sourceView, std::int32_t startLine, std::int32_t startChar, std::int32_t endLine,
                     std::int32_t endChar, std::int32_t action = Unknown);

    // Records up to CloseUndoGroup form one group that Undo and Redo replay whole. With
    // mergeWithPrevious they join the group before, if there is one.
    void OpenUndoGroup(bool mergeWithPrevious = false);
    // Ends the group. With a view, the next record starts a new group and the view's
    // OnEditCompleted receives the action and text of the last record.
    void CloseUndoGroup(CEdBufferView* sourceView = nullptr);

    // Replay one group backwards (Undo) or forwards (Redo); cursor receives where the caret
    // belongs. False when read-only or when there is nothing to undo or redo.
    bool Undo(STextPos& cursor);
    bool Redo(STextPos& cursor);

    // Sets or clears one flag bit of a line; flag must have exactly one bit set, else nothing
    // happens. line -1 means the line that carries the flag now. With set and
    // removeFromOtherLine, the first line that already carries the flag loses it first. Line
    // marks are not text: they change on a read-only buffer too. Returns whether a line changed.
    bool ChangeLineFlag(std::int32_t line, std::uint32_t flag, bool set, bool removeFromOtherLine = true);
    // The lowest line carrying flag; -1 when none, or when flag is not a single bit.
    std::int32_t FirstLineWithFlag(std::uint32_t flag) const;
    // The next (previous) line with the anonymous bookmark, starting after (before) line when
    // line carries it itself, wrapping around the end; -1 when no line carries it.
    std::int32_t NextBookmarkLine(std::int32_t line) const;
    std::int32_t PrevBookmarkLine(std::int32_t line) const;

    // Raw line building without undo, notification or read-only check (loading, owners that
    // fill a buffer). at -1 appends. The text must not hold CR.
    void AddLine(std::u16string_view text, std::int32_t at = -1);
    void AppendToLine(std::int32_t line, std::u16string_view text);

    // Frees every line and the whole history, leaving no lines, and tells the views (Reset).
    // The modified flag stays as it is.
    void ClearAll();

    // ---- Files

    // Replaces text and history with the file at path (any of the four encodings). False when
    // the file does not exist, cannot be opened or read: the buffer then stays as it was,
    // apart from the source encoding, which the text type of the path may set.
    bool LoadFile(std::u16string_view path);
    // Why the last LoadFile failed: the system's reason for an open or read that failed, "not
    // enough memory", or "file too large" for more lines than the buffer holds; clear after a success.
    const std::error_code& lastLoadError() const { return m_lastLoadError; }
    // Empties the buffer to what an empty file reads as, one empty line, ready for typing.
    void InitNew();
    // Writes the lines in FileEncoding(), each but the last followed by its own line end. Units
    // that stand for bytes of a UTF-8 or UTF-16 file that were no characters become those bytes
    // again (CTextFileWrite), so an unchanged file with a byte-order mark saves back byte for
    // byte. The target is replaced only once the new text is complete; with CreateBackup() the
    // previous file becomes path + ".bak". False on any failure, with the previous file (and any
    // old backup) in place. clearModified marks the buffer saved.
    bool SaveFile(std::u16string_view path, bool clearModified = true);
    // Why the last SaveFile failed (the system's error); clear after a success.
    const std::error_code& lastSaveError() const { return m_lastSaveError; }

    // ---- Views

    // Views are not owned; a view detaches before it is destroyed.
    void AttachView(CEdBufferView* view);
    // Removes the first entry of view.
    void DetachView(CEdBufferView* view);
    // Calls OnBufferChanged of every attached view in attach order.
    void NotifyViews(CEdBufferView* sourceView, const CUpdateContext* context, std::uint32_t updateFlags,
                     std::int32_t line);
    // Gives every attached view the text type of path's extension (nullptr when none).
    void ApplyTextTypeToViews(std::u16string_view path);

    // ---- Overridable

    // The undo/redo description of an action code; false when the string table has none.
    virtual bool DescribeAction(std::int32_t action, std::u16string& text) const;
    virtual void MarkModified(bool modified);

protected:
    // Raw changes without undo records; they notify the views and set the modified flag.
    // Text to insert separates lines by CR LF or a lone CR (a lone LF is an ordinary character).
    // Line break i takes lineEnds[i] (the undo of a deletion gives the lines their own ends
    // back); without lineEnds every new break takes the default line end.
    bool InsertRaw(CEdBufferView* sourceView, STextPos start, std::u16string_view text, STextPos& end,
                   std::span<const ELineEnd> lineEnds = {});
    bool DeleteRaw(CEdBufferView* sourceView, STextPos start, STextPos end);

private:
    const SLineInfo& lineAt(std::int32_t line) const;
    SLineInfo& lineAt(std::int32_t line);
    void checkPos(STextPos pos) const;
    void checkRange(STextPos start, STextPos end) const;
    void insertLines(std::int32_t at, std::vector<SLineInfo>& lines);
    // The line ends of the lines from first up to, not including, last.
    std::vector<ELineEnd> lineEndsOf(std::int32_t first, std::int32_t last) const;
    void afterChange(STextPos lastChange);

    void addUndoRecord(bool insert, STextPos start, STextPos end, std::u16string_view text, std::int32_t action,
                       std::span<const ELineEnd> lineEnds = {});
    void dropRedoRecords();
    void dropOldestGroup();
    void updateModifiedFromHistory();
    void resetHistory();

    std::int32_t m_sourceEncoding;
    bool m_initialised = false;
    bool m_readOnly = false;
    bool m_modified = false;
    std::int32_t m_fileEncoding = 0;
    std::int32_t m_lineEndStyle = -1;
    bool m_createBackup = false;
    std::int32_t m_undoLimit = kDefaultUndoLimit;
    std::vector<SLineInfo> m_lines;
    std::deque<SUndoRecord> m_undoRecords;  // a deque: the oldest group goes from the front
    std::int32_t m_undoPosition = 0;
    std::int32_t m_savedPosition = 0;  // -1: the saved state left the history
    bool m_groupOpen = false;
    bool m_groupStartPending = false;
    STextPos m_lastChange{-1, -1};
    std::vector<CEdBufferView*> m_views;
    std::error_code m_lastSaveError;
    std::error_code m_lastLoadError;

    ELineEnd m_defaultLineEnd = ELineEnd::Lf;
    // The file was UTF-16 with an odd last byte, kept as the last unit (CTextFileRead); the save
    // writes that unit back as the one byte while it is still last.
    bool m_endsWithOddByte = false;
    std::int32_t m_lastGroupStart = -1;  // index of the newest record with UndoGroupStart
};

}  // namespace brindle
