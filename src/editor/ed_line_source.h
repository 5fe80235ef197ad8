// Read access to lines of text for the search: an interface, and an adapter for any buffer with the same three methods.
#pragma once

#include <concepts>

namespace brindle {

// Lines of UTF-16 text without line ends. Indices passed in are always within 0..LineCount()-1.
class CEdLineSource {
public:
    virtual ~CEdLineSource() = default;

    virtual int LineCount() const = 0;
    virtual int LineLength(int line) const = 0;
    // The line's characters, not terminated; valid until the text changes.
    virtual const char16_t* LineChars(int line) const = 0;
};

// Any type that reads like a CEdLineSource (the text buffer does).
template <class Lines>
concept EdLineSourceLike = requires(const Lines& lines, int line)
{
    {
        lines.LineCount()
        } -> std::convertible_to<int>;
    {
        lines.LineLength(line)
        } -> std::convertible_to<int>;
    {
        lines.LineChars(line)
        } -> std::convertible_to<const char16_t*>;
};

// Presents lines as a CEdLineSource; holds a reference, so lines must outlive the adapter.
template <EdLineSourceLike Lines>
class CEdLineSourceOf final : public CEdLineSource {
public:
    explicit CEdLineSourceOf(const Lines& lines) : m_lines(lines) {}

    int LineCount() const override { return static_cast<int>(m_lines.LineCount()); }
    int LineLength(int line) const override { return static_cast<int>(m_lines.LineLength(line)); }
    const char16_t* LineChars(int line) const override { return m_lines.LineChars(line); }

private:
    const Lines& m_lines;
};

}  // namespace brindle
