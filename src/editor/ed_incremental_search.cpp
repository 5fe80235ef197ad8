#include "editor/ed_incremental_search.h"

#include "editor/ed_search_chars.h"
#include "editor/ed_search_target.h"

namespace brindle {

CEdIncrementalSearch::CEdIncrementalSearch(CEdSearchTarget& target) : m_target(target) {}

bool CEdIncrementalSearch::isPrintable(char16_t ch) { return ch == u'\t' || !isEdControl(ch); }

void CEdIncrementalSearch::start(bool forward)
{
    if (m_active) {
        repeat(forward);
        return;
    }
    m_active = true;
    m_forward = forward;
    m_failed = false;
    m_hasMatch = false;
    m_text.clear();
    m_savedCaret = m_target.GetCursorPos();
    m_target.GetSelection(m_savedSelStart, m_savedSelEnd);
    m_searchStart = m_savedCaret;
}

bool CEdIncrementalSearch::search(STextPos from, bool forward)
{
    SEdSearchHit hit;
    if (!FindInTarget(m_target, m_text, from, forward ? 0u : static_cast<std::uint32_t>(kEdFindUp), true, hit)) {
        m_failed = true;
        m_target.Beep();
        return false;
    }
    m_failed = false;
    m_hasMatch = true;
    m_hit = hit;
    SelectHit(m_target, hit, false);
    return true;
}

void CEdIncrementalSearch::typeChar(char16_t ch)
{
    if (!m_active)
        return;
    if (!isPrintable(ch)) {
        finish();
        return;
    }
    if (m_failed) {
        m_target.Beep();
        return;
    }
    m_text += ch;
    search(m_searchStart, m_forward);
}

void CEdIncrementalSearch::backspace()
{
    if (!m_active)
        return;
    if (m_text.empty()) {
        m_target.Beep();
        return;
    }
    m_text.pop_back();
    m_failed = false;
    if (m_text.empty()) {
        m_hasMatch = false;
        restoreStart();
        return;
    }
    search(m_searchStart, m_forward);
}

void CEdIncrementalSearch::repeat(bool forward)
{
    if (!m_active)
        return;
    m_forward = forward;
    if (m_text.empty())
        m_text = m_previousText;
    if (m_text.empty() || m_failed) {
        m_target.Beep();
        return;
    }
    STextPos from = m_searchStart;
    if (m_hasMatch)
        from = forward ? m_hit.end : m_hit.start;
    if (!search(from, forward))
        return;
    // Further characters extend the text at this match: a forward search from its start finds
    // it again, and so does an upward one from just behind its start.
    m_searchStart = forward ? m_hit.start : STextPos{m_hit.start.ch + 1, m_hit.start.line};
}

void CEdIncrementalSearch::restoreStart()
{
    const bool caretAtStart = m_savedCaret == m_savedSelStart;
    m_target.SetAnchor(caretAtStart ? m_savedSelEnd : m_savedSelStart);
    m_target.SetSelection(m_savedSelStart, m_savedSelEnd);
    m_target.SetCursorPos(m_savedCaret);
    m_target.EnsureVisible(m_savedCaret);
}

void CEdIncrementalSearch::escape()
{
    if (!m_active)
        return;
    restoreStart();
    finish();
}

void CEdIncrementalSearch::finish()
{
    if (!m_text.empty())
        m_previousText = m_text;
    m_active = false;
    m_failed = false;
    m_hasMatch = false;
}

}  // namespace brindle
