#include "platform/command_arguments.h"

namespace brindle {

namespace {

bool isSeparator(char16_t c) { return c == u' ' || c == u'\t'; }

bool escapableInDoubleQuotes(char16_t c) { return c == u'"' || c == u'\\' || c == u'$' || c == u'`'; }

// Reads the quoted text that starts after the opening quote at text[i - 1] into word; returns the
// index after the closing quote (or the end of the text when the quote is left open).
std::size_t readQuoted(std::u16string_view text, std::size_t i, char16_t quote, std::u16string& word)
{
    while (i < text.size() && text[i] != quote) {
        if (quote == u'"' && text[i] == u'\\' && i + 1 < text.size() && escapableInDoubleQuotes(text[i + 1]))
            ++i;
        word.push_back(text[i++]);
    }
    return i < text.size() ? i + 1 : i;
}

}  // namespace

std::vector<std::u16string> splitCommandArguments(std::u16string_view text)
{
    std::vector<std::u16string> words;
    std::u16string word;
    bool inWord = false;  // true once a character or a pair of quotes began the current word
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (isSeparator(c)) {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
            ++i;
            continue;
        }
        inWord = true;
        if (c == u'\'' || c == u'"') {
            i = readQuoted(text, i + 1, c, word);
        } else if (c == u'\\' && i + 1 < text.size()) {
            word.push_back(text[i + 1]);
            i += 2;
        } else {
            word.push_back(c);
            ++i;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

}  // namespace brindle
