#include "editor/ed_replace_session.h"

#include "editor/ed_search_settings.h"
#include "editor/ed_search_target.h"
#include "editor/ed_text_buffer.h"

namespace brindle {

// The view's buffer as Replace changes it: each replacement one undo group, and the positions
// the session keeps moved along.
class CEdReplaceSession::CBufferTarget final : public CEdEditTarget {
public:
    CBufferTarget(CEdReplaceSession& session, CEdTextBuffer& buffer, CEdBufferView* view)
        : m_session(session), m_buffer(buffer), m_view(view)
    {
    }

    int LineCount() const override { return m_buffer.LineCount(); }
    int LineLength(int line) const override { return m_buffer.LineLength(line); }
    const char16_t* LineChars(int line) const override { return m_buffer.LineChars(line); }

    STextPos ReplaceRange(STextPos begin, STextPos end, std::u16string_view text) override
    {
        struct SGroup {
            CEdTextBuffer& buffer;
            CEdBufferView* view;
            ~SGroup() { buffer.CloseUndoGroup(view); }
        };
        m_buffer.OpenUndoGroup();
        const SGroup group{m_buffer, m_view};
        m_buffer.DeleteRange(m_view, begin.line, begin.ch, end.line, end.ch, CEdTextBuffer::Replace);
        STextPos after = begin;
        m_buffer.InsertTextAt(m_view, begin.line, begin.ch, text, after.line, after.ch, CEdTextBuffer::Replace);
        m_session.moveTracked(begin, end, after);
        m_lastAfter = after;
        return after;
    }

    // Behind the text of the latest replacement.
    STextPos lastAfter() const { return m_lastAfter; }

private:
    CEdReplaceSession& m_session;
    CEdTextBuffer& m_buffer;
    CEdBufferView* m_view;
    STextPos m_lastAfter;
};

CEdReplaceSession::CEdReplaceSession(CEdSearchTarget& target, CSettingsStore& store) : m_target(target), m_store(store)
{
    const SEdViewSearchState& state = target.SearchState();
    if (state.replaced) {
        m_initialText = state.lastText;
        m_initialFlags = state.lastReplaceFlags;
    } else {
        m_initialFlags = CEdSearchSettings::replaceFlags(store);
    }
    target.GetSelection(m_selStart, m_selEnd);
    m_hadSelection = m_selStart != m_selEnd;
    // A selection within one line is taken as the text to look for rather than as the place.
    m_selectionScope = m_hadSelection && m_selStart.line != m_selEnd.line;
    m_searchPos = m_hadSelection ? m_selStart : target.GetCursorPos();
    const CEdTextBuffer* buffer = target.SearchBuffer();
    if (m_hadSelection && m_selStart.line == m_selEnd.line && buffer != nullptr)
        buffer->CopyRange(m_selStart.line, m_selStart.ch, m_selEnd.line, m_selEnd.ch, m_initialText);
}

void CEdReplaceSession::setSelectionScope(bool selection)
{
    m_selectionScope = selection && m_hadSelection;
    m_hasMatch = false;
}

SEdReplaceBlock CEdReplaceSession::currentBlock() const
{
    if (m_selectionScope)
        return {m_selStart, m_selEnd, true};
    const CEdTextBuffer* buffer = m_target.SearchBuffer();
    const std::int32_t last = buffer == nullptr ? -1 : buffer->LineCount() - 1;
    if (last < 0)
        return {};
    return {{0, 0}, {buffer->LineLength(last), last}, false};
}

STextPos CEdReplaceSession::positionAfterHit() const
{
    if (m_hit.length > 0)
        return m_hit.end;
    // An empty match: one character further, so that the same match is not found again.
    const CEdTextBuffer* buffer = m_target.SearchBuffer();
    if (buffer != nullptr && m_hit.end.line < buffer->LineCount() && m_hit.end.ch < buffer->LineLength(m_hit.end.line))
        return {m_hit.end.ch + 1, m_hit.end.line};
    return {0, m_hit.end.line + 1};
}

bool CEdReplaceSession::search(std::u16string_view text, std::uint32_t flags)
{
    const SEdReplaceBlock block = currentBlock();
    const std::uint32_t forward = flags & ~static_cast<std::uint32_t>(kEdFindUp);
    m_hasMatch = FindInTarget(m_target, text, m_searchPos, block.begin, block.end, forward, false, m_hit);
    if (!m_hasMatch) {
        m_searchPos = block.begin;
        m_target.ReportNotFound(text);
        return false;
    }
    m_hitText = text;
    m_hitFlags = flags;
    m_searchPos = m_hit.start;
    SelectHit(m_target, m_hit, false);
    return true;
}

bool CEdReplaceSession::findNext(std::u16string_view text, std::uint32_t flags)
{
    if (m_hasMatch)
        m_searchPos = positionAfterHit();
    return search(text, flags);
}

bool CEdReplaceSession::canEdit() const
{
    const CEdTextBuffer* buffer = m_target.SearchBuffer();
    return buffer != nullptr && !buffer->IsReadOnly() && m_target.IsEditable();
}

bool CEdReplaceSession::replace(std::u16string_view text, std::u16string_view replacement, std::uint32_t flags)
{
    if (!canEdit())
        return false;
    if (!m_hasMatch || text != m_hitText || flags != m_hitFlags)
        return search(text, flags);

    CBufferTarget edit(*this, *m_target.SearchBuffer(), m_target.SearchSourceView());
    SEdReplaceBlock block = currentBlock();
    STextPos next;
    const bool more = ReplaceHit(edit, m_hit, replacement, flags, block, next);
    m_hasMatch = false;
    m_target.SetAnchor(edit.lastAfter());
    m_target.SetSelection(edit.lastAfter(), edit.lastAfter());
    m_target.SetCursorPos(edit.lastAfter());
    if (!more) {
        m_searchPos = block.begin;
        m_target.ReportNotFound(text);
        return false;
    }
    m_searchPos = next;
    return search(text, flags);
}

int CEdReplaceSession::replaceAll(std::u16string_view text, std::u16string_view replacement, std::uint32_t flags)
{
    if (!canEdit())
        return 0;
    CBufferTarget edit(*this, *m_target.SearchBuffer(), m_target.SearchSourceView());
    SEdReplaceBlock block = currentBlock();
    const STextPos start = m_hasMatch ? m_hit.start : m_searchPos;
    m_hasMatch = false;
    const int count =
        ReplaceAllInBlock(edit, text, replacement, flags & ~static_cast<std::uint32_t>(kEdFindUp), start, block);
    if (count == 0) {
        m_target.ReportNotFound(text);
        return 0;
    }
    const STextPos after = edit.lastAfter();
    m_target.SetAnchor(after);
    m_target.SetSelection(after, after);
    m_target.SetCursorPos(after);
    m_target.EnsureVisible(after);
    m_searchPos = after;
    return count;
}

void CEdReplaceSession::moveTracked(STextPos begin, STextPos end, STextPos after)
{
    // As the replace block's end moves: a position at or behind the replaced text keeps its
    // distance from the text's end on that line, and its line offset further down.
    const auto move = [&](STextPos& pos) {
        if (pos <= begin)
            return;
        if (pos < end)
            pos = begin;
        else if (pos.line == end.line)
            pos = {pos.ch - end.ch + after.ch, after.line};
        else
            pos.line += after.line - end.line;
    };
    move(m_selStart);
    move(m_selEnd);
}

void CEdReplaceSession::finish(std::u16string_view text, std::uint32_t flags)
{
    SEdViewSearchState& state = m_target.SearchState();
    state.replaced = true;
    state.lastText = text;
    state.lastReplaceFlags = flags & CEdSearchSettings::kReplaceFlagsMask;
    CEdSearchSettings::setReplaceFlags(m_store, flags);
    if (m_hadSelection && m_target.SearchBuffer() != nullptr) {
        m_target.SetAnchor(m_selStart);
        m_target.SetSelection(m_selStart, m_selEnd);
        m_target.SetCursorPos(m_selEnd);
        m_target.EnsureVisible(m_selEnd);
    }
}

}  // namespace brindle
