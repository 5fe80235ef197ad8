#include "editor/ed_text_buffer.h"

#include "editor/backup_file_sink.h"
#include "editor/ed_buffer_view.h"
#include "editor/text_type.h"
#include "engine/byte_sink.h"
#include "engine/engine_strings.h"
#include "engine/file_exception.h"
#include "engine/text_encoding.h"
#include "engine/text_file_read.h"
#include "engine/text_file_write.h"
#include "platform/file_system.h"
#include "platform/fill_template.h"
#include "platform/utf8.h"

#include <algorithm>
#include <array>
#include <bit>
#include <iterator>
#include <limits>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace brindle {

namespace {

std::int32_t g_defaultSourceEncoding = -1;

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';

// String ids of the undo and redo descriptions, by action code; kStrActionUnknown for codes
// outside the table.
constexpr int kStrActionUnknown = 8619;
constexpr int kActionStrings[] = {8619, 8620, 8621, 8622, 8624, 8625, 8626, 8627, 8628, 8623,
                                  8629, 8630, 8631, 8632, 8633, 8634, 8635, 8636, 8637, 8638};

bool isSingleBit(std::uint32_t flag) { return std::has_single_bit(flag); }

[[noreturn]] void programError(const char* what) { throw std::invalid_argument(what); }

std::u16string_view lineEndText(ELineEnd end)
{
    switch (end) {
    case ELineEnd::CrLf: return u"\r\n";
    case ELineEnd::Cr: return u"\r";
    case ELineEnd::Lf: break;
    }
    return u"\n";
}

// The line end used most in a loaded file; LF, this platform's own, when none is used more.
ELineEnd mostUsedLineEnd(const std::array<std::size_t, 3>& counts)
{
    ELineEnd best = ELineEnd::Lf;
    for (const ELineEnd end : {ELineEnd::CrLf, ELineEnd::Cr}) {
        if (counts[static_cast<std::size_t>(end)] > counts[static_cast<std::size_t>(best)])
            best = end;
    }
    return best;
}

}  // namespace

// ---- Contexts

void CEdTextBuffer::CInsertContext::AdjustPosition(STextPos& pos) const
{
    if (pos.line < m_start.line)
        return;
    if (pos.line > m_start.line) {
        pos.line += m_end.line - m_start.line;
        return;
    }
    if (pos.ch <= m_start.ch)
        return;
    pos.line = m_end.line;
    pos.ch = m_end.ch + (pos.ch - m_start.ch);
}

void CEdTextBuffer::CDeleteContext::AdjustPosition(STextPos& pos) const
{
    if (pos.line < m_start.line)
        return;
    if (pos.line > m_end.line) {
        pos.line -= m_end.line - m_start.line;
        return;
    }
    if (pos.line == m_end.line && pos.ch >= m_end.ch) {
        pos.line = m_start.line;
        pos.ch = m_start.ch + (pos.ch - m_end.ch);
        return;
    }
    if (pos.line == m_start.line) {
        pos.ch = std::min(pos.ch, m_start.ch);
        return;
    }
    pos = m_start;
}

// ---- Life cycle and state

void CEdTextBuffer::SetDefaultSourceEncoding(std::int32_t code) { g_defaultSourceEncoding = code; }
std::int32_t CEdTextBuffer::DefaultSourceEncoding() { return g_defaultSourceEncoding; }

CEdTextBuffer::CEdTextBuffer() : m_sourceEncoding(g_defaultSourceEncoding) {}

CEdTextBuffer::~CEdTextBuffer() = default;

void CEdTextBuffer::SetLineEndStyle(std::int32_t code)
{
    if (code >= 0)
        m_lineEndStyle = code;
}

void CEdTextBuffer::MarkModified(bool modified) { m_modified = modified; }

const SLineInfo& CEdTextBuffer::lineAt(std::int32_t line) const
{
    if (line < 0 || line >= LineCount())
        programError("line index outside the text buffer");
    return m_lines[static_cast<std::size_t>(line)];
}

SLineInfo& CEdTextBuffer::lineAt(std::int32_t line)
{
    return const_cast<SLineInfo&>(std::as_const(*this).lineAt(line));
}

void CEdTextBuffer::checkPos(STextPos pos) const
{
    if (m_lines.empty() && pos == STextPos{0, 0})
        return;
    if (pos.ch < 0 || pos.ch > lineAt(pos.line).length)
        programError("character index outside the line");
}

void CEdTextBuffer::checkRange(STextPos start, STextPos end) const
{
    checkPos(start);
    checkPos(end);
    if (end < start)
        programError("range ends before it starts");
}

// ---- Reading

void CEdTextBuffer::CopyRange(std::int32_t startLine, std::int32_t startChar, std::int32_t endLine,
                              std::int32_t endChar, std::u16string& text, std::u16string_view separator) const
{
    const STextPos start{startChar, startLine};
    const STextPos end{endChar, endLine};
    checkRange(start, end);
    text.clear();
    if (start == end)
        return;
    if (startLine == endLine) {
        text = lineAt(startLine).chars().substr(static_cast<std::size_t>(startChar),
                                                static_cast<std::size_t>(endChar - startChar));
        return;
    }
    std::size_t size = separator.size() * static_cast<std::size_t>(endLine - startLine);
    for (std::int32_t line = startLine; line <= endLine; ++line)
        size += static_cast<std::size_t>(m_lines[static_cast<std::size_t>(line)].length);
    text.reserve(size);
    text = lineAt(startLine).chars().substr(static_cast<std::size_t>(startChar));
    for (std::int32_t line = startLine + 1; line < endLine; ++line) {
        text += separator;
        text += m_lines[static_cast<std::size_t>(line)].chars();
    }
    text += separator;
    text += lineAt(endLine).chars().substr(0, static_cast<std::size_t>(endChar));
}

std::vector<ELineEnd> CEdTextBuffer::lineEndsOf(std::int32_t first, std::int32_t last) const
{
    std::vector<ELineEnd> ends;
    for (std::int32_t line = first; line < last; ++line)
        ends.push_back(lineAt(line).end);
    return ends;
}

// ---- Raw changes

void CEdTextBuffer::insertLines(std::int32_t at, std::vector<SLineInfo>& lines)
{
    if (m_lines.size() + lines.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error("too many lines for the text buffer");
    m_lines.insert(m_lines.begin() + at, std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
}

void CEdTextBuffer::afterChange(STextPos lastChange)
{
    if (!m_modified)
        MarkModified(true);
    m_lastChange = lastChange;
}

bool CEdTextBuffer::InsertRaw(CEdBufferView* sourceView, STextPos start, std::u16string_view text, STextPos& end,
                              std::span<const ELineEnd> lineEnds)
{
    if (m_readOnly)
        return false;
    checkPos(start);
    const bool addedLine = m_lines.empty();
    if (addedLine) {
        m_lines.emplace_back(std::u16string_view());
        m_lines.back().end = m_defaultLineEnd;
    }
    std::size_t at = text.find(kCr);
    SLineInfo& first = m_lines[static_cast<std::size_t>(start.line)];
    if (at == std::u16string_view::npos) {
        first.insert(start.ch, text);
        end = {start.ch + static_cast<std::int32_t>(text.size()), start.line};
    } else {
        // The line broken into keeps its own line end after the last of the new lines.
        const std::u16string tail(first.chars().substr(static_cast<std::size_t>(start.ch)));
        const ELineEnd lastEnd = first.end;
        first.truncate(start.ch);
        first.append(text.substr(0, at));
        // Pieces end at CR; CR LF is one line break, a lone LF an ordinary character.
        SLineInfo* before = &first;
        std::vector<SLineInfo> added;
        while (at != std::u16string_view::npos) {
            const std::size_t index = added.size();
            before->end = index < lineEnds.size() ? lineEnds[index] : m_defaultLineEnd;
            std::size_t from = at + 1;
            if (from < text.size() && text[from] == kLf)
                ++from;
            at = text.find(kCr, from);
            added.emplace_back(text.substr(from, at == std::u16string_view::npos ? at : at - from));
            before = &added.back();
        }
        added.back().end = lastEnd;
        end = {added.back().length, start.line + static_cast<std::int32_t>(added.size())};
        added.back().append(tail);
        insertLines(start.line + 1, added);
    }
    const bool lines = addedLine || end.line != start.line;
    const CInsertContext context(start, end);
    NotifyViews(sourceView, &context, lines ? (ChangedColumns | ChangedLines) : (SingleLine | ChangedColumns),
                start.line);
    afterChange(end);
    return true;
}

bool CEdTextBuffer::DeleteRaw(CEdBufferView* sourceView, STextPos start, STextPos end)
{
    if (m_readOnly)
        return false;
    checkRange(start, end);
    if (m_lines.empty())
        return true;  // the empty range of a buffer without lines
    SLineInfo& first = m_lines[static_cast<std::size_t>(start.line)];
    if (start.line == end.line) {
        first.erase(start.ch, end.ch - start.ch);
    } else {
        const SLineInfo& last = m_lines[static_cast<std::size_t>(end.line)];
        first.truncate(start.ch);
        first.append(last.chars().substr(static_cast<std::size_t>(end.ch)));
        first.end = last.end;
        m_lines.erase(m_lines.begin() + start.line + 1, m_lines.begin() + end.line + 1);
    }
    const CDeleteContext context(start, end);
    NotifyViews(sourceView, &context,
                start.line == end.line ? (SingleLine | ChangedColumns) : (ChangedColumns | ChangedLines), start.line);
    afterChange(start);
    return true;
}

// ---- Recorded changes

bool CEdTextBuffer::InsertTextAt(CEdBufferView* sourceView, std::int32_t line, std::int32_t ch,
                                 std::u16string_view text, std::int32_t& endLine, std::int32_t& endChar,
                                 std::int32_t action)
{
    if (m_readOnly)
        return false;
    const STextPos start{ch, line};
    STextPos end = start;
    if (text.empty()) {
        checkPos(start);
    } else {
        if (!InsertRaw(sourceView, start, text, end))
            return false;
        const bool openHere = !m_groupOpen;
        if (openHere)
            OpenUndoGroup(false);
        addUndoRecord(true, start, end, text, action);
        if (openHere)
            CloseUndoGroup(sourceView);
    }
    endLine = end.line;
    endChar = end.ch;
    return true;
}

bool CEdTextBuffer::DeleteRange(CEdBufferView* sourceView, std::int32_t startLine, std::int32_t startChar,
                                std::int32_t endLine, std::int32_t endChar, std::int32_t action)
{
    if (m_readOnly)
        return false;
    const STextPos start{startChar, startLine};
    const STextPos end{endChar, endLine};
    checkRange(start, end);
    if (start == end)
        return true;
    std::u16string text;
    CopyRange(startLine, startChar, endLine, endChar, text);
    // Undo gives the deleted lines back with their own line ends.
    const std::vector<ELineEnd> lineEnds = lineEndsOf(startLine, endLine);
    if (!DeleteRaw(sourceView, start, end))
        return false;
    const bool openHere = !m_groupOpen;
    if (openHere)
        OpenUndoGroup(false);
    addUndoRecord(false, start, end, text, action, lineEnds);
    if (openHere)
        CloseUndoGroup(sourceView);
    return true;
}

// ---- Undo history

void CEdTextBuffer::dropRedoRecords()
{
    const std::int32_t kept = m_undoPosition;
    if (kept >= static_cast<std::int32_t>(m_undoRecords.size()))
        return;
    m_undoRecords.erase(m_undoRecords.begin() + kept, m_undoRecords.end());
    // The saved state lay in the redoable part: no undo or redo can reach it again.
    if (m_savedPosition > kept)
        m_savedPosition = -1;
    if (m_lastGroupStart >= kept) {
        m_lastGroupStart = kept - 1;
        while (m_lastGroupStart >= 0 && !m_undoRecords[static_cast<std::size_t>(m_lastGroupStart)].isGroupStart())
            --m_lastGroupStart;
    }
}

// Drops the oldest group whole. When the whole history is one group that the coming record
// joins (a long replace, for instance), nothing is dropped: the group grows beyond the limit
// rather than lose its beginning, and goes as a whole once a new group has begun.
void CEdTextBuffer::dropOldestGroup()
{
    std::size_t count = m_undoRecords.size();
    if (m_lastGroupStart > 0) {
        count = 1;
        while (!m_undoRecords[count].isGroupStart())
            ++count;
    } else if (!m_groupStartPending) {
        return;
    }
    m_undoRecords.erase(m_undoRecords.begin(), m_undoRecords.begin() + static_cast<std::ptrdiff_t>(count));
    const auto dropped = static_cast<std::int32_t>(count);
    m_undoPosition -= dropped;
    m_lastGroupStart = m_lastGroupStart >= dropped ? m_lastGroupStart - dropped : -1;
    // The saved position moves with the records; a saved state that was dropped is gone for good.
    m_savedPosition = m_savedPosition >= dropped ? m_savedPosition - dropped : -1;
}

void CEdTextBuffer::addUndoRecord(bool insert, STextPos start, STextPos end, std::u16string_view text,
                                  std::int32_t action, std::span<const ELineEnd> lineEnds)
{
    dropRedoRecords();
    if (static_cast<std::int32_t>(m_undoRecords.size()) >= m_undoLimit)
        dropOldestGroup();
    SUndoRecord record;
    record.flags = insert ? SUndoRecord::UndoInsert : 0u;
    // The first record of a history always starts a group, so Undo stops at it.
    if (m_groupStartPending || m_undoRecords.empty()) {
        record.flags |= SUndoRecord::UndoGroupStart;
        m_groupStartPending = false;
    }
    record.start = start;
    record.end = end;
    record.action = action;
    record.setText(text, lineEnds);
    m_undoRecords.push_back(std::move(record));
    m_undoPosition = static_cast<std::int32_t>(m_undoRecords.size());
    if (m_undoRecords.back().isGroupStart())
        m_lastGroupStart = m_undoPosition - 1;
}

void CEdTextBuffer::resetHistory()
{
    std::deque<SUndoRecord>().swap(m_undoRecords);
    m_undoPosition = 0;
    m_savedPosition = 0;
    m_groupOpen = false;
    m_groupStartPending = false;
    m_lastGroupStart = -1;
    m_undoLimit = kDefaultUndoLimit;
}

void CEdTextBuffer::OpenUndoGroup(bool mergeWithPrevious)
{
    m_groupOpen = true;
    m_groupStartPending = !(mergeWithPrevious && m_undoPosition > 0);
}

void CEdTextBuffer::CloseUndoGroup(CEdBufferView* sourceView)
{
    m_groupOpen = false;
    if (sourceView && m_undoPosition > 0) {
        m_groupStartPending = true;
        // A copy: the view may edit (automatic indentation), which moves the records.
        const SUndoRecord& last = m_undoRecords[static_cast<std::size_t>(m_undoPosition - 1)];
        const std::u16string text(last.text());
        sourceView->OnEditCompleted(last.action, text);
    }
}

void CEdTextBuffer::updateModifiedFromHistory()
{
    if (m_modified && m_undoPosition == m_savedPosition)
        MarkModified(false);
    if (!m_modified && m_undoPosition != m_savedPosition)
        MarkModified(true);
}

bool CEdTextBuffer::Undo(STextPos& cursor)
{
    if (m_readOnly || !CanUndo())
        return false;
    for (;;) {
        --m_undoPosition;
        const SUndoRecord& record = m_undoRecords[static_cast<std::size_t>(m_undoPosition)];
        if (record.isInsert()) {
            DeleteRaw(nullptr, record.start, record.end);
            cursor = record.start;
        } else {
            STextPos end;
            InsertRaw(nullptr, record.start, record.text(), end, record.lineEnds());
            cursor = record.end;
        }
        if (record.isGroupStart() || m_undoPosition == 0)
            break;
    }
    updateModifiedFromHistory();
    return true;
}

bool CEdTextBuffer::Redo(STextPos& cursor)
{
    if (m_readOnly || !CanRedo())
        return false;
    const auto count = static_cast<std::int32_t>(m_undoRecords.size());
    do {
        const SUndoRecord& record = m_undoRecords[static_cast<std::size_t>(m_undoPosition)];
        if (record.isInsert()) {
            STextPos end;
            InsertRaw(nullptr, record.start, record.text(), end);
            cursor = record.end;
        } else {
            DeleteRaw(nullptr, record.start, record.end);
            cursor = record.start;
        }
        ++m_undoPosition;
    } while (m_undoPosition < count && !m_undoRecords[static_cast<std::size_t>(m_undoPosition)].isGroupStart());
    updateModifiedFromHistory();
    return true;
}

bool CEdTextBuffer::DescribeAction(std::int32_t action, std::u16string& text) const
{
    const int id = action >= 0 && action < static_cast<std::int32_t>(std::size(kActionStrings)) ? kActionStrings[action]
                                                                                                : kStrActionUnknown;
    text = engineString(id);
    return !text.empty();
}

bool CEdTextBuffer::UndoDescription(std::u16string& text) const
{
    text.clear();
    // The group Undo replays ends just before the undo position; its first record names it.
    for (std::int32_t i = m_undoPosition - 1; i >= 0; --i) {
        const SUndoRecord& record = m_undoRecords[static_cast<std::size_t>(i)];
        if (record.isGroupStart() || i == 0)
            return DescribeAction(record.action, text);
    }
    return false;
}

bool CEdTextBuffer::RedoDescription(std::u16string& text) const
{
    text.clear();
    if (!CanRedo())
        return false;
    return DescribeAction(m_undoRecords[static_cast<std::size_t>(m_undoPosition)].action, text);
}

std::u16string CEdTextBuffer::UndoMenuText() const
{
    std::u16string description;
    if (CanUndo() && UndoDescription(description))
        return fillTemplate(engineString(kStrUndoAction), {description});
    return engineString(kStrUndo);
}

std::u16string CEdTextBuffer::RedoMenuText() const
{
    std::u16string description;
    if (CanRedo() && RedoDescription(description))
        return fillTemplate(engineString(kStrRedoAction), {description});
    return engineString(kStrRedo);
}

// ---- Line flags and raw line building

bool CEdTextBuffer::ChangeLineFlag(std::int32_t line, std::uint32_t flag, bool set, bool removeFromOtherLine)
{
    if (!isSingleBit(flag))
        return false;
    if (line == -1) {
        line = FirstLineWithFlag(flag);
        if (line < 0)
            return false;
        removeFromOtherLine = false;
    }
    const std::uint32_t old = lineAt(line).flags;
    const std::uint32_t flags = set ? (old | flag) : (old & ~flag);
    if (flags == old)
        return false;
    if (set && removeFromOtherLine) {
        if (const std::int32_t other = FirstLineWithFlag(flag); other >= 0) {
            m_lines[static_cast<std::size_t>(other)].flags &= ~flag;
            NotifyViews(nullptr, nullptr, SingleLine | FlagsOnly, other);
        }
    }
    m_lines[static_cast<std::size_t>(line)].flags = flags;
    NotifyViews(nullptr, nullptr, SingleLine | FlagsOnly, line);
    return true;
}

std::int32_t CEdTextBuffer::FirstLineWithFlag(std::uint32_t flag) const
{
    if (!isSingleBit(flag))
        return -1;
    for (std::int32_t line = 0; line < LineCount(); ++line) {
        if (m_lines[static_cast<std::size_t>(line)].flags & flag)
            return line;
    }
    return -1;
}

std::int32_t CEdTextBuffer::NextBookmarkLine(std::int32_t line) const
{
    const std::int32_t from = (lineAt(line).flags & BookmarkAnonymous) ? line + 1 : line;
    for (std::int32_t i = from; i < LineCount(); ++i) {
        if (m_lines[static_cast<std::size_t>(i)].flags & BookmarkAnonymous)
            return i;
    }
    for (std::int32_t i = 0; i < LineCount(); ++i) {
        if (m_lines[static_cast<std::size_t>(i)].flags & BookmarkAnonymous)
            return i;
    }
    return -1;
}

std::int32_t CEdTextBuffer::PrevBookmarkLine(std::int32_t line) const
{
    const std::int32_t from = (lineAt(line).flags & BookmarkAnonymous) ? line - 1 : line;
    for (std::int32_t i = from; i >= 0; --i) {
        if (m_lines[static_cast<std::size_t>(i)].flags & BookmarkAnonymous)
            return i;
    }
    for (std::int32_t i = LineCount() - 1; i >= 0; --i) {
        if (m_lines[static_cast<std::size_t>(i)].flags & BookmarkAnonymous)
            return i;
    }
    return -1;
}

void CEdTextBuffer::AddLine(std::u16string_view text, std::int32_t at)
{
    if (at < -1 || at > LineCount())
        programError("line index outside the text buffer");
    std::vector<SLineInfo> line;
    line.emplace_back(text);
    line.back().end = m_defaultLineEnd;
    insertLines(at == -1 ? LineCount() : at, line);
}

void CEdTextBuffer::AppendToLine(std::int32_t line, std::u16string_view text) { lineAt(line).append(text); }

void CEdTextBuffer::ClearAll()
{
    std::vector<SLineInfo>().swap(m_lines);
    resetHistory();
    m_initialised = false;
    m_defaultLineEnd = ELineEnd::Lf;
    m_endsWithOddByte = false;
    m_lastChange = {-1, -1};
    NotifyViews(nullptr, nullptr, Reset, -1);
}

// ---- Files

void CEdTextBuffer::InitNew()
{
    ClearAll();
    m_lines.emplace_back(std::u16string_view());
    m_initialised = true;
    m_readOnly = false;
    m_modified = false;
    NotifyViews(nullptr, nullptr, Reset, -1);
}

bool CEdTextBuffer::LoadFile(std::u16string_view path)
{
    m_lastLoadError.clear();
    if (const STextType* type = TextTypeOfPath(path); type && type->encoding != -1)
        m_sourceEncoding = type->encoding;
    CTextFileRead reader;
    if (!reader.Open(path)) {
        m_lastLoadError = reader.Error();
        return false;
    }
    std::vector<SLineInfo> lines;
    std::array<std::size_t, 3> lineEndCounts{};
    try {
        std::u16string text;
        while (reader.ReadLine(text)) {
            if (lines.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
                throw std::length_error("too many lines for the text buffer");
            if (const std::optional<ELineEnd> end = reader.PrecedingLineEnd()) {
                lines.back().end = *end;
                ++lineEndCounts[static_cast<std::size_t>(*end)];
            }
            lines.emplace_back(text);
        }
        // A read that failed half-way must not pass for the whole file: a save would cut it.
        if ((m_lastLoadError = reader.Error()))
            return false;
    } catch (const std::bad_alloc&) {
        m_lastChange = {-1, -1};
        m_lastLoadError = std::make_error_code(std::errc::not_enough_memory);
        return false;
    } catch (const std::length_error&) {
        m_lastChange = {-1, -1};
        m_lastLoadError = std::make_error_code(std::errc::file_too_large);
        return false;
    }
    // The reader gives an empty file one empty line; views rely on there being a line.
    if (lines.empty())
        lines.emplace_back(std::u16string_view());
    m_defaultLineEnd = mostUsedLineEnd(lineEndCounts);
    lines.back().end = m_defaultLineEnd;
    m_lines.swap(lines);
    resetHistory();
    m_fileEncoding = reader.Encoding();
    m_endsWithOddByte = reader.endsWithOddByte();
    m_initialised = true;
    m_readOnly = false;
    m_modified = false;
    ApplyTextTypeToViews(path);
    NotifyViews(nullptr, nullptr, Reset, -1);
    reader.Close();
    m_lastChange = {-1, -1};
    return true;
}

bool CEdTextBuffer::SaveFile(std::u16string_view path, bool clearModified)
{
    m_lastSaveError.clear();
    std::unique_ptr<CByteSink> sink = openFileSink(path, m_lastSaveError);
    if (!sink)
        return false;
    if (m_createBackup)
        sink = std::make_unique<CBackupFileSink>(std::move(sink), path);
    try {
        CTextFileWrite writer;
        writer.setEndsWithOddByte(m_endsWithOddByte);
        writer.Open(std::move(sink), m_fileEncoding, path);
        // Line ends go between lines only: the reader gives a final line end an empty last
        // line, so an unchanged file saves back byte for byte (BufferFileTest.RoundTrip).
        for (std::size_t line = 0; line < m_lines.size(); ++line) {
            if (line > 0)
                writer.WriteString(lineEndText(m_lines[line - 1].end));
            writer.WriteString(m_lines[line].chars());
        }
        writer.Close();
    } catch (const CFileException& failure) {
        m_lastSaveError = failure.error();
        return false;
    } catch (const std::bad_alloc&) {
        m_lastSaveError = std::make_error_code(std::errc::not_enough_memory);
        return false;
    }
    if (clearModified) {
        MarkModified(false);
        m_savedPosition = m_undoPosition;
    }
    return true;
}

// ---- Views

void CEdTextBuffer::AttachView(CEdBufferView* view) { m_views.push_back(view); }

void CEdTextBuffer::DetachView(CEdBufferView* view)
{
    if (const auto it = std::find(m_views.begin(), m_views.end(), view); it != m_views.end())
        m_views.erase(it);
}

void CEdTextBuffer::NotifyViews(CEdBufferView* sourceView, const CUpdateContext* context, std::uint32_t updateFlags,
                                std::int32_t line)
{
    // By index: a view may detach itself (or a later one) while it is notified.
    for (std::size_t i = 0; i < m_views.size(); ++i)
        m_views[i]->OnBufferChanged(sourceView, context, updateFlags, line);
}

void CEdTextBuffer::ApplyTextTypeToViews(std::u16string_view path)
{
    const STextType* type = TextTypeOfPath(path);
    for (std::size_t i = 0; i < m_views.size(); ++i)
        m_views[i]->ApplyTextType(type);
}

}  // namespace brindle
