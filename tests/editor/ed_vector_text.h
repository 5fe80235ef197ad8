// An in-memory text of lines for the search and replace tests, edited as the text buffer does.
#pragma once

#include "editor/ed_replace.h"

#include <string>
#include <utility>
#include <vector>

namespace brindle::test {

// "(ch, line)", for comparisons that print readably when they fail.
inline std::string describe(STextPos pos)
{
    return "(" + std::to_string(pos.ch) + ", " + std::to_string(pos.line) + ")";
}

class CVectorText final : public CEdEditTarget {
public:
    explicit CVectorText(std::vector<std::u16string> lines) : m_lines(std::move(lines)) {}

    int LineCount() const override { return static_cast<int>(m_lines.size()); }
    int LineLength(int line) const override { return static_cast<int>(at(line).size()); }
    const char16_t* LineChars(int line) const override { return at(line).data(); }

    // A carriage return, or carriage return and line feed, starts a new line; a lone line feed
    // stays in the line.
    STextPos ReplaceRange(STextPos begin, STextPos end, std::u16string_view text) override
    {
        const std::u16string tail = at(end.line).substr(static_cast<std::size_t>(end.ch));
        m_lines.erase(m_lines.begin() + begin.line + 1, m_lines.begin() + end.line + 1);
        std::u16string& first = m_lines[static_cast<std::size_t>(begin.line)];
        first.resize(static_cast<std::size_t>(begin.ch));
        int line = begin.line;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != u'\r') {
                m_lines[static_cast<std::size_t>(line)] += text[i];
                continue;
            }
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            m_lines.insert(m_lines.begin() + ++line, std::u16string());
        }
        const STextPos after{LineLength(line), line};
        m_lines[static_cast<std::size_t>(line)] += tail;
        return after;
    }

    const std::vector<std::u16string>& lines() const { return m_lines; }

private:
    const std::u16string& at(int line) const { return m_lines.at(static_cast<std::size_t>(line)); }

    std::vector<std::u16string> m_lines;
};

}  // namespace brindle::test
