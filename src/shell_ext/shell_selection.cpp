// The files a shell extension object was initialised with, and how they are handed to brd64.
#include "shell_ext/shell_selection.h"

namespace brindle {

bool ShellPathCanBePassed(std::u16string_view path)
{
    return !path.empty() && path.size() <= kShellMaxPath && path.find(u'\0') == std::u16string_view::npos &&
           path.back() != u'\\';
}

SShellInitOutcome ShellTakeSelection(std::span<const std::u16string> names, const ShellItemKindOf& kindOf)
{
    SShellInitOutcome outcome;
    int accepted = 0;
    for (const std::u16string& name : names) {
        // A name longer than the limit is never cut short: a shortened name could be another file.
        if (!ShellPathCanBePassed(name) || kindOf(name) != EShellItemKind::File)
            continue;
        ++accepted;
        if (accepted == 1) {
            outcome.selection.first = name;
        } else if (accepted == 2) {
            outcome.selection.second = name;
        } else {
            // No half-taken selection survives a refusal; see ShellSelection.ThirdFileClearsSelection.
            return {EShellResult::Fail, {}};
        }
    }
    return outcome;
}

namespace {

void appendQuoted(std::u16string& text, std::u16string_view path)
{
    text += u'"';
    for (const char16_t ch : path) {
        if (ch == u'"')
            text += u'\\';
        text += ch;
    }
    text += u'"';
}

}  // namespace

std::u16string ShellParameterText(const SShellSelection& selection)
{
    std::u16string text;
    for (const std::u16string* path : {&selection.first, &selection.second}) {
        if (!ShellPathCanBePassed(*path))
            continue;
        if (!text.empty())
            text += u' ';
        appendQuoted(text, *path);
    }
    return text;
}

std::vector<std::u16string> ShellProgramArguments(const SShellSelection& selection)
{
    std::vector<std::u16string> arguments;
    for (const std::u16string* path : {&selection.first, &selection.second}) {
        if (ShellPathCanBePassed(*path))
            arguments.push_back(*path);
    }
    return arguments;
}

}  // namespace brindle
