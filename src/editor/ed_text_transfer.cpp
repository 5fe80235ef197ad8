// Line ends of text exchanged with other programs.
#include "editor/ed_text_transfer.h"

namespace brindle {

std::u16string EdTextFromExternal(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i];
        if (ch == u'\r') {
            out += u"\r\n";
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (ch == u'\n') {
            out += u"\r\n";
        } else {
            out += ch;
        }
    }
    return out;
}

std::u16string EdTextToExternal(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue;
        out += text[i];
    }
    return out;
}

}  // namespace brindle
