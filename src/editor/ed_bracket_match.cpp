// Bracket matching of the edit view.
#include "editor/ed_bracket_match.h"

#include "editor/colour_table.h"
#include "editor/ed_text_buffer.h"
#include "editor/text_type.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {
namespace {

constexpr std::u16string_view kBrackets = u"{}()[]<>";

// Which characters of each line lie in comments, from the parser's colour blocks.
class CCommentMask {
public:
    CCommentMask(const CEdTextBuffer& buffer, const STextType* type)
        : m_buffer(buffer), m_parser(type ? type->parser : nullptr)
    {
    }

    // Line states are computed from the first line once and kept, so lines may be asked for in
    // any order.
    std::vector<bool> maskOf(std::int32_t line)
    {
        const std::u16string_view text = m_buffer.LineText(line);
        std::vector<bool> mask(text.size(), false);
        if (!m_parser)
            return mask;
        const std::uint32_t state = stateBefore(line);
        std::vector<SColourBlock> blocks;
        // Parsers leave lines of fewer than two characters without blocks; a lone bracket inside
        // a block comment must still count as comment, so such a line is parsed with a blank
        // added, which colours nothing before it differently.
        if (text.size() < 2) {
            std::u16string padded(text);
            padded += u' ';
            m_parser(padded, state, &blocks);
        } else {
            m_parser(text, state, &blocks);
        }
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            const std::size_t end = i + 1 < blocks.size() ? static_cast<std::size_t>(blocks[i + 1].start) : text.size();
            if (blocks[i].colour != kColourComment)
                continue;
            for (std::size_t ch = static_cast<std::size_t>(blocks[i].start); ch < end && ch < text.size(); ++ch)
                mask[ch] = true;
        }
        return mask;
    }

private:
    std::uint32_t stateBefore(std::int32_t line)
    {
        if (m_states.empty())
            m_states.push_back(0);
        while (static_cast<std::int32_t>(m_states.size()) <= line) {
            const std::int32_t done = static_cast<std::int32_t>(m_states.size()) - 1;
            m_states.push_back(m_parser(m_buffer.LineText(done), m_states.back(), nullptr));
        }
        return m_states[static_cast<std::size_t>(line)];
    }

    const CEdTextBuffer& m_buffer;
    LineParser m_parser;
    std::vector<std::uint32_t> m_states;  // state at the start of each line parsed so far
};

std::optional<STextPos> searchForward(const CEdTextBuffer& buffer, CCommentMask& comments, STextPos from, char16_t open,
                                      char16_t close)
{
    int depth = 0;
    for (std::int32_t line = from.line; line < buffer.LineCount(); ++line) {
        const std::u16string_view text = buffer.LineText(line);
        const std::vector<bool> mask = comments.maskOf(line);
        for (std::int32_t ch = line == from.line ? from.ch : 0; ch < static_cast<std::int32_t>(text.size()); ++ch) {
            if (mask[static_cast<std::size_t>(ch)])
                continue;
            if (text[static_cast<std::size_t>(ch)] == open)
                ++depth;
            else if (text[static_cast<std::size_t>(ch)] == close && --depth == 0)
                return STextPos{ch, line};
        }
    }
    return std::nullopt;
}

std::optional<STextPos> searchBackward(const CEdTextBuffer& buffer, CCommentMask& comments, STextPos from,
                                       char16_t open, char16_t close)
{
    int depth = 0;
    for (std::int32_t line = from.line; line >= 0; --line) {
        const std::u16string_view text = buffer.LineText(line);
        const std::vector<bool> mask = comments.maskOf(line);
        for (std::int32_t ch = line == from.line ? from.ch : static_cast<std::int32_t>(text.size()) - 1; ch >= 0;
             --ch) {
            if (mask[static_cast<std::size_t>(ch)])
                continue;
            if (text[static_cast<std::size_t>(ch)] == close)
                ++depth;
            else if (text[static_cast<std::size_t>(ch)] == open && --depth == 0)
                return STextPos{ch, line};
        }
    }
    return std::nullopt;
}

}  // namespace

bool isEdOpeningBracket(char16_t ch)
{
    const std::size_t at = kBrackets.find(ch);
    return at != std::u16string_view::npos && at % 2 == 0;
}

bool isEdClosingBracket(char16_t ch)
{
    const std::size_t at = kBrackets.find(ch);
    return at != std::u16string_view::npos && at % 2 == 1;
}

std::optional<STextPos> EdFindMatchingBracket(const CEdTextBuffer& buffer, STextPos caret, const STextType* type)
{
    if (caret.line < 0 || caret.line >= buffer.LineCount())
        return std::nullopt;
    const std::u16string_view text = buffer.LineText(caret.line);
    STextPos at = caret;
    const auto isBracket = [&](std::int32_t ch) {
        return ch >= 0 && ch < static_cast<std::int32_t>(text.size()) &&
               kBrackets.find(text[static_cast<std::size_t>(ch)]) != std::u16string_view::npos;
    };
    if (!isBracket(at.ch))
        --at.ch;
    if (!isBracket(at.ch))
        return std::nullopt;
    const std::size_t index = kBrackets.find(text[static_cast<std::size_t>(at.ch)]);
    const char16_t open = kBrackets[index & ~std::size_t{1}];
    const char16_t close = kBrackets[index | 1];
    CCommentMask comments(buffer, type);
    if (index % 2 == 0)
        return searchForward(buffer, comments, at, open, close);
    return searchBackward(buffer, comments, at, open, close);
}

}  // namespace brindle
