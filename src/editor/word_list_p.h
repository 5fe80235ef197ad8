// Building fixed word lists at compile time, and the word lists of each language.
#pragma once

#include "editor/word_list.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace brindle::words {

constexpr bool isListSeparator(char16_t ch) { return ch == u' ' || ch == u'\n'; }

// Splits blank-separated words into an array of exactly N words. A count that differs is a
// compile-time error where the result initialises a constexpr variable, so a list cannot drift
// from its documented size unnoticed.
template <std::size_t N>
consteval std::array<std::u16string_view, N> split(std::u16string_view text)
{
    std::array<std::u16string_view, N> result{};
    std::size_t count = 0;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && isListSeparator(text[i]))
            ++i;
        if (i == text.size())
            break;
        std::size_t end = i;
        while (end < text.size() && !isListSeparator(text[end]))
            ++end;
        if (count == N)
            throw "word list holds more words than declared";
        result[count++] = text.substr(i, end - i);
        i = end;
    }
    if (count != N)
        throw "word list holds fewer words than declared";
    return result;
}

// Words shared by several languages (their case rule is each language's).
std::span<const std::u16string_view> htmlTagWords();        // 77
std::span<const std::u16string_view> htmlAttributeWords();  // 57
std::span<const std::u16string_view> htmlEntityWords();     // 101
std::span<const std::u16string_view> scriptWords();         // 159, Visual Basic and VBScript

// Per-language list sets, in colour order.
std::span<const SWordList> asp();
std::span<const SWordList> basic();
std::span<const SWordList> batch();
std::span<const SWordList> c();
std::span<const SWordList> dcl();
std::span<const SWordList> fortran();
std::span<const SWordList> html();
std::span<const SWordList> installShield();
std::span<const SWordList> java();
std::span<const SWordList> autoLisp();
std::span<const SWordList> pascal();
std::span<const SWordList> perl();
std::span<const SWordList> php();
std::span<const SWordList> python();
std::span<const SWordList> rexx();
std::span<const SWordList> resources();
std::span<const SWordList> sgml();
std::span<const SWordList> shell();
std::span<const SWordList> siod();
std::span<const SWordList> sql();
std::span<const SWordList> tcl();
std::span<const SWordList> tex();

}  // namespace brindle::words
