// The companion source file of a C or C++ file.
#include "editor/ed_companion_file.h"

#include "platform/file_system.h"

#include <array>

namespace brindle {
namespace {

struct SCompanions {
    std::u16string_view extension;
    std::array<std::u16string_view, 4> tryOrder;
};

// C++ sources pair with ".h" more often than with ".hpp", and a ".h" more often with ".cpp".
constexpr std::array<SCompanions, 5> kCompanions{{
    {u"c", {u"h", u"hpp", u"inl", u"cpp"}},
    {u"cpp", {u"h", u"hpp", u"inl", u"c"}},
    {u"inl", {u"h", u"hpp", u"cpp", u"c"}},
    {u"h", {u"cpp", u"c", u"inl", u"hpp"}},
    {u"hpp", {u"cpp", u"c", u"inl", u"h"}},
}};

char16_t asciiLower(char16_t ch) { return ch >= u'A' && ch <= u'Z' ? static_cast<char16_t>(ch + 32) : ch; }

char16_t asciiUpper(char16_t ch) { return ch >= u'a' && ch <= u'z' ? static_cast<char16_t>(ch - 32) : ch; }

}  // namespace

std::vector<std::u16string> EdCompanionFileCandidates(std::u16string_view path)
{
    const std::size_t dot = path.find_last_of(u'.');
    const std::size_t slash = path.find_last_of(u'/');
    if (dot == std::u16string_view::npos || (slash != std::u16string_view::npos && dot < slash))
        return {};
    const std::u16string_view extension = path.substr(dot + 1);
    std::u16string lower;
    bool upper = !extension.empty();
    for (const char16_t ch : extension) {
        lower += asciiLower(ch);
        upper = upper && ch == asciiUpper(ch);
    }
    for (const SCompanions& companions : kCompanions) {
        if (companions.extension != lower)
            continue;
        std::vector<std::u16string> candidates;
        for (const std::u16string_view other : companions.tryOrder) {
            std::u16string name(path.substr(0, dot + 1));
            for (const char16_t ch : other)
                name += upper ? asciiUpper(ch) : ch;
            candidates.push_back(std::move(name));
        }
        return candidates;
    }
    return {};
}

std::u16string EdFindCompanionFile(std::u16string_view path, const std::function<bool(const std::u16string&)>& exists)
{
    for (std::u16string& candidate : EdCompanionFileCandidates(path)) {
        if (exists ? exists(candidate) : pathExists(candidate))
            return std::move(candidate);
    }
    return {};
}

}  // namespace brindle
