#include "editor/undo_record.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace brindle {

SUndoRecord::~SUndoRecord()
{
    freeText();
}

SUndoRecord::SUndoRecord(SUndoRecord&& other) noexcept
    : flags(other.flags), start(other.start), end(other.end), action(other.action),
      m_text(other.m_text), m_textLength(std::exchange(other.m_textLength, 0))
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

void SUndoRecord::setText(std::u16string_view text)
{
    if (text.size() > static_cast<std::size_t>(INT32_MAX - 1))
        throw std::length_error("undo text too long");
    char16_t* copy = nullptr;
    if (text.size() > 1) {
        copy = new char16_t[text.size() + 1];
        std::copy(text.begin(), text.end(), copy);
        copy[text.size()] = 0;
    }
    freeText();
    m_textLength = static_cast<std::int32_t>(text.size());
    if (m_textLength == 1)
        m_text.m_inline = text[0];
    else
        m_text.m_heap = copy;
}

void SUndoRecord::freeText()
{
    if (m_textLength > 1)
        delete[] m_text.m_heap;
    m_text.m_heap = nullptr;
    m_textLength = 0;
}

}  // namespace brindle
