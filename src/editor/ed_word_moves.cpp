// Word-left and word-right movement over the editor's lines.
#include "editor/ed_word_moves.h"

#include "editor/ed_search_chars.h"
#include "editor/ed_text_buffer.h"

#include <string_view>

namespace brindle {
namespace {

int classOf(char16_t ch)
{
    if (ch == u' ' || ch == u'\t')
        return 0;
    return isEdWordChar(ch) ? 1 : 2;
}

}  // namespace

STextPos EdWordRight(const CEdTextBuffer& buffer, STextPos pos)
{
    const std::u16string_view text = buffer.LineText(pos.line);
    const auto length = static_cast<std::int32_t>(text.size());
    if (pos.ch >= length)
        return pos.line + 1 < buffer.LineCount() ? STextPos{0, pos.line + 1} : STextPos{length, pos.line};
    const int start = classOf(text[static_cast<std::size_t>(pos.ch)]);
    std::int32_t ch = pos.ch;
    while (ch < length && classOf(text[static_cast<std::size_t>(ch)]) == start)
        ++ch;
    while (ch < length && classOf(text[static_cast<std::size_t>(ch)]) == 0)
        ++ch;
    return STextPos{ch, pos.line};
}

STextPos EdWordLeft(const CEdTextBuffer& buffer, STextPos pos)
{
    if (pos.ch <= 0)
        return pos.line > 0 ? STextPos{buffer.LineLength(pos.line - 1), pos.line - 1} : STextPos{0, pos.line};
    const std::u16string_view text = buffer.LineText(pos.line);
    std::int32_t ch = pos.ch;
    while (ch > 0 && classOf(text[static_cast<std::size_t>(ch - 1)]) == 0)
        --ch;
    if (ch == 0)
        return STextPos{0, pos.line};
    const int run = classOf(text[static_cast<std::size_t>(ch - 1)]);
    while (ch > 0 && classOf(text[static_cast<std::size_t>(ch - 1)]) == run)
        --ch;
    return STextPos{ch, pos.line};
}

}  // namespace brindle
