#include "editor/word_list.h"

#include "editor/word_list_p.h"

namespace brindle {

namespace {

char16_t foldAscii(char16_t ch) { return ch >= u'A' && ch <= u'Z' ? static_cast<char16_t>(ch - u'A' + u'a') : ch; }

bool equalFolded(std::u16string_view a, std::u16string_view b)
{
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i]) != foldAscii(b[i]))
            return false;
    }
    return true;
}

}  // namespace

bool SWordList::contains(std::u16string_view word) const
{
    for (const std::u16string_view entry : words) {
        if (entry.size() != word.size())
            continue;
        if (caseSensitive ? entry == word : equalFolded(entry, word))
            return true;
    }
    return false;
}

std::span<const SWordList> wordListsOfTextType(std::int32_t type)
{
    using ListsOf = std::span<const SWordList> (*)();
    static constexpr ListsOf kByRow[] = {
        nullptr,        words::asp,  words::basic,         words::batch, words::c,         words::dcl,
        words::fortran, words::html, words::installShield, words::java,  words::autoLisp,  words::pascal,
        words::perl,    words::php,  words::python,        words::rexx,  words::resources, words::sgml,
        words::shell,   words::siod, words::sql,           words::tcl,   words::tex,       nullptr,
    };
    if (type < 0 || type >= static_cast<std::int32_t>(std::size(kByRow)) || kByRow[type] == nullptr)
        return {};
    return kByRow[type]();
}

}  // namespace brindle
