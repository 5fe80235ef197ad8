#include "editor/undo_record.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace brindle {

SUndoRecord::~SUndoRecord() { freeText(); }

SUndoRecord::SUndoRecord(SUndoRecord&& other) noexcept
    : flags(other.flags), start(other.start), end(other.end), action(other.action), m_text(other.m_text),
      m_textLength(std::exchange(other.m_textLength, 0))
{
    other.m_text.m_heap = nullptr;
}

SUndoRecord& SUndoRecord::operator=(SUndoRecord&& other) noexcept
{
    if (this != &other) {
        freeText();
        flags = other.flags;
        start = other.start;
        end = other.end;
        action = other.action;
        m_text = other.m_text;
        m_textLength = std::exchange(other.m_textLength, 0);
        other.m_text.m_heap = nullptr;
    }
    return *this;
}

std::u16string_view SUndoRecord::text() const
{
    switch (m_textLength) {
    case 0: return {};
    case 1: return {&m_text.m_inline, 1};
    default: return {m_text.m_heap, static_cast<std::size_t>(m_textLength)};
    }
}

void SUndoRecord::setText(std::u16string_view text, std::span<const ELineEnd> lineEnds)
{
    if (text.size() > static_cast<std::size_t>(INT32_MAX - 1) - lineEnds.size())
        throw std::length_error("undo text too long");
    // The buffer's line breaks are CR LF, so a text with line ends is never held inline.
    if (!lineEnds.empty() &&
        (static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\r')) != lineEnds.size() || text.size() < 2))
        throw std::logic_error("one line end per line break of CR LF");
    char16_t* copy = nullptr;
    if (text.size() > 1) {
        copy = new char16_t[text.size() + 1 + lineEnds.size()];
        std::copy(text.begin(), text.end(), copy);
        copy[text.size()] = 0;
        std::transform(lineEnds.begin(), lineEnds.end(), copy + text.size() + 1,
                       [](ELineEnd lineEnd) { return static_cast<char16_t>(lineEnd); });
    }
    if (lineEnds.empty())
        flags &= ~UndoLineEnds;
    else
        flags |= UndoLineEnds;
    freeText();
    m_textLength = static_cast<std::int32_t>(text.size());
    if (m_textLength == 1)
        m_text.m_inline = text[0];
    else
        m_text.m_heap = copy;
}

std::vector<ELineEnd> SUndoRecord::lineEnds() const
{
    if (!(flags & UndoLineEnds))
        return {};
    const std::u16string_view chars = text();
    const char16_t* kept = chars.data() + chars.size() + 1;
    std::vector<ELineEnd> ends(static_cast<std::size_t>(std::count(chars.begin(), chars.end(), u'\r')));
    std::transform(kept, kept + ends.size(), ends.begin(),
                   [](char16_t stored) { return static_cast<ELineEnd>(stored); });
    return ends;
}

void SUndoRecord::freeText()
{
    if (m_textLength > 1)
        delete[] m_text.m_heap;
    m_text.m_heap = nullptr;
    m_textLength = 0;
}

}  // namespace brindle
