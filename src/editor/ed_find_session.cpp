#include "editor/ed_find_session.h"

#include "editor/ed_search_settings.h"
#include "editor/ed_search_target.h"
#include "editor/ed_text_buffer.h"

namespace brindle {

namespace {

// The text of a selection that lies within one line; empty otherwise.
std::u16string oneLineSelection(CEdSearchTarget& target)
{
    STextPos start;
    STextPos end;
    target.GetSelection(start, end);
    const CEdTextBuffer* buffer = target.SearchBuffer();
    if (buffer == nullptr || start == end || start.line != end.line)
        return {};
    std::u16string text;
    buffer->CopyRange(start.line, start.ch, end.line, end.ch, text);
    return text;
}

}  // namespace

CEdFindSession::CEdFindSession(CEdSearchTarget& target, CSettingsStore& store)
    : m_target(target), m_store(store), m_upStart(SearchStartOf(target, true)),
      m_downStart(SearchStartOf(target, false))
{
    const SEdViewSearchState& state = target.SearchState();
    if (state.searched) {
        m_initialText = state.lastText;
        m_initialFlags = state.lastFlags;
    } else {
        m_initialFlags = CEdSearchSettings::findFlags(store);
    }
    if (std::u16string selected = oneLineSelection(target); !selected.empty())
        m_initialText = std::move(selected);
}

bool CEdFindSession::findNext(std::u16string_view text, std::uint32_t flags)
{
    SEdSearchHit hit;
    const bool up = (flags & kEdFindUp) != 0;
    if (!FindInTarget(m_target, text, up ? m_upStart : m_downStart, flags, true, hit)) {
        m_upStart = m_downStart = {0, 0};
        m_target.ReportNotFound(text);
        return false;
    }
    SelectHit(m_target, hit, up);
    return true;
}

void CEdFindSession::finish(std::u16string_view text, std::uint32_t flags)
{
    SEdViewSearchState& state = m_target.SearchState();
    state.searched = true;
    state.lastText = text;
    state.lastFlags = flags;
    CEdSearchSettings::setFindFlags(m_store, flags);
}

}  // namespace brindle
