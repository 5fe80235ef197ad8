// Test stand-in for the spelling checker: corrects a few known misspellings through the view's
// callbacks and records what it was given.
//
// SpellCheck reads lines through the line supplier until it returns 0 and appends every line
// text to a log (SpellStubLog), or "<length>" when the returned length does not match the text,
// or "<not empty>" when the last call leaves a text. In each line it shows and replaces "teh"
// (by "the") and "wrod" (by "word"); "offby" is reported one column too far right and replaced
// by "OFFBY". A line holding "CANCEL" ends the check at once with result 2 (cancelled); otherwise
// the check ends with event 3 and result 1.
#include "editor/ed_spell_record.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

using brindle::SEdSpellRecord;

namespace {

std::u16string g_log;
std::u16string g_word;
int g_initCount = 0;

bool isLetter(char16_t ch) { return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z'); }

std::u16string_view correctionOf(std::u16string_view word)
{
    if (word == u"teh")
        return u"the";
    if (word == u"wrod")
        return u"word";
    if (word == u"offby")
        return u"OFFBY";
    return {};
}

// Returns false when the line asks to cancel.
bool checkLine(SEdSpellRecord* record, std::u16string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        if (!isLetter(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && isLetter(text[end]))
            ++end;
        const std::u16string_view word = text.substr(i, end - i);
        if (word == u"CANCEL")
            return false;
        const std::u16string_view correction = correctionOf(word);
        if (!correction.empty()) {
            // The text starts with "^", so index i is the word's 1-based column in the line.
            record->column = static_cast<std::int32_t>(i) + (word == u"offby" ? 1 : 0);
            g_word = word;
            record->word = g_word.c_str();
            record->eventCallback(record, 1);
            g_word = correction;
            record->word = g_word.c_str();
            record->eventCallback(record, 2);
        }
        i = end;
    }
    return true;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void SpellInit(SEdSpellRecord* record)
{
    ++g_initCount;
    std::memcpy(record->checkerArea, "STUB", 4);
}

extern "C" __attribute__((visibility("default"))) std::int32_t SpellConfig(SEdSpellRecord*) { return 0; }

extern "C" __attribute__((visibility("default"))) std::int32_t SpellCheck(SEdSpellRecord* record, std::int32_t)
{
    g_log.clear();
    for (;;) {
        const std::int32_t length = record->lineSupplier(record);
        const std::u16string text = record->lineText ? std::u16string(record->lineText) : std::u16string(u"<null>");
        if (length == 0) {
            if (!text.empty())
                g_log += u"<not empty>";
            break;
        }
        g_log += static_cast<std::int32_t>(text.size()) == length ? text : u"<length>";
        if (!checkLine(record, text))
            return 2;
    }
    record->eventCallback(record, 3);
    return 1;
}

extern "C" __attribute__((visibility("default"))) const char16_t* SpellStubLog() { return g_log.c_str(); }

extern "C" __attribute__((visibility("default"))) std::int32_t SpellStubInitCount() { return g_initCount; }
