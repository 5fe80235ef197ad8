// A run of consecutive lines of one list, seen as pointers to their records.
#pragma once

#include "engine/diff_line.h"

#include <cstddef>
#include <iterator>

namespace brindle {

// A list keeps its line records side by side in file order, so a run of lines is a pointer to
// its first record and a count: no table of pointers is needed beside the records. Indexing
// gives a pointer to the line, as a span of line pointers would. Does not own the records; it
// stays valid while its list lives and takes no more lines.
class CLineSpan {
public:
    class iterator {
    public:
        using iterator_concept = std::random_access_iterator_tag;
        using iterator_category = std::input_iterator_tag;  // dereferencing gives a value
        using value_type = CDiffLine*;
        using difference_type = std::ptrdiff_t;
        using reference = CDiffLine*;

        iterator() = default;
        explicit iterator(CDiffLine* line) : m_line(line) {}

        CDiffLine* operator*() const { return m_line; }
        CDiffLine* operator[](difference_type n) const { return m_line + n; }
        iterator& operator++() { return ++m_line, *this; }
        iterator operator++(int) { return iterator(m_line++); }
        iterator& operator--() { return --m_line, *this; }
        iterator operator--(int) { return iterator(m_line--); }
        iterator& operator+=(difference_type n) { return m_line += n, *this; }
        iterator& operator-=(difference_type n) { return m_line -= n, *this; }
        friend iterator operator+(iterator it, difference_type n) { return it += n; }
        friend iterator operator+(difference_type n, iterator it) { return it += n; }
        friend iterator operator-(iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(iterator a, iterator b) { return a.m_line - b.m_line; }
        friend auto operator<=>(iterator, iterator) = default;

    private:
        CDiffLine* m_line = nullptr;
    };

    CLineSpan() = default;
    CLineSpan(CDiffLine* first, std::size_t count) : m_first(count ? first : nullptr), m_count(count) {}

    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    CDiffLine* operator[](std::size_t index) const { return m_first + index; }
    CDiffLine* front() const { return m_first; }
    CDiffLine* back() const { return m_first + (m_count - 1); }
    iterator begin() const { return iterator(m_first); }
    iterator end() const { return iterator(m_first + m_count); }

    // count npos: to the end, as std::span::subspan.
    CLineSpan subspan(std::size_t offset, std::size_t count = static_cast<std::size_t>(-1)) const
    {
        return {m_first + offset, count == static_cast<std::size_t>(-1) ? m_count - offset : count};
    }

private:
    CDiffLine* m_first = nullptr;
    std::size_t m_count = 0;
};

}  // namespace brindle
