// The rules of the context-menu operations.
#include "shell_ext/shell_command.h"

#include <algorithm>

namespace brindle {

SShellQueryOutcome ShellQueryContextMenu(std::uint32_t indexMenu, std::uint32_t idCmdFirst, std::uint32_t idCmdLast,
                                         std::uint32_t flags)
{
    const std::uint32_t low = flags & 0xF;
    const bool wanted = low == 0 || (low & 2) != 0 || (low & 4) != 0;
    if (!wanted || idCmdFirst > idCmdLast)
        return {};
    // indexMenu + 1 would wrap the appending position round to the top of the menu.
    const std::uint32_t itemPosition = indexMenu == kShellAppendPosition ? kShellAppendPosition : indexMenu + 1;
    return {SShellMenuInsertion{indexMenu, itemPosition, idCmdFirst}, 1};
}

std::optional<std::uint16_t> ShellCommandOffset(std::uint64_t verb)
{
    // Looking only at bits 16 to 31 would take a 64-bit string pointer for an offset.
    if (verb >> 16 != 0)
        return std::nullopt;
    return static_cast<std::uint16_t>(verb);
}

SShellInvocation ShellInvokeCommand(std::uint64_t verb, const SShellSelection& selection)
{
    if (ShellCommandOffset(verb) != std::uint16_t{0})
        return {EShellResult::InvalidArg, std::nullopt};
    return {EShellResult::Ok, ShellParameterText(selection)};
}

namespace {

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

std::u16string fittedUnicode(std::u16string_view text, std::uint32_t cchMax)
{
    std::size_t length = std::min<std::size_t>(text.size(), cchMax - 1);
    if (length > 0 && length < text.size() && isHighSurrogate(text[length - 1]))
        --length;
    return std::u16string(text.substr(0, length));
}

std::string fittedAnsi(std::u16string_view text, std::uint32_t cchMax)
{
    std::string out;
    for (std::size_t i = 0; i < text.size() && out.size() + 1 < cchMax; ++i) {
        const char16_t unit = text[i];
        if (isHighSurrogate(unit) && i + 1 < text.size())
            ++i;  // one "?" for the whole pair
        out += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return out;
}

}  // namespace

SShellCommandString ShellGetCommandString(std::uint64_t idCmd, std::uint32_t type, std::uint32_t cchMax,
                                          std::u16string_view helpText)
{
    switch (static_cast<EShellStringKind>(type)) {
    case EShellStringKind::VerbAnsi:
    case EShellStringKind::VerbUnicode: return {EShellResult::NotImpl, std::nullopt, std::nullopt};
    case EShellStringKind::ValidateAnsi:
    case EShellStringKind::ValidateUnicode:
        return {idCmd == 0 ? EShellResult::Ok : EShellResult::False, std::nullopt, std::nullopt};
    case EShellStringKind::HelpAnsi:
    case EShellStringKind::HelpUnicode: break;
    default: return {EShellResult::InvalidArg, std::nullopt, std::nullopt};
    }
    if (idCmd != 0)
        return {EShellResult::InvalidArg, std::nullopt, std::nullopt};
    if (cchMax == 0)
        return {};
    // An ANSI buffer holds cchMax bytes, not cchMax UTF-16 units.
    if (static_cast<EShellStringKind>(type) == EShellStringKind::HelpAnsi)
        return {EShellResult::Ok, fittedAnsi(helpText, cchMax), std::nullopt};
    return {EShellResult::Ok, std::nullopt, fittedUnicode(helpText, cchMax)};
}

std::optional<std::u16string> ShellProgramPath(std::u16string_view libraryPath, std::u16string_view programName,
                                               EShellPathStyle style)
{
    const std::u16string_view separators = style == EShellPathStyle::Windows ? u"\\/" : u"/";
    const std::size_t last = libraryPath.find_last_of(separators);
    if (last == std::u16string_view::npos)
        return std::nullopt;
    std::u16string path(libraryPath.substr(0, last + 1));
    path += programName;
    return path;
}

}  // namespace brindle
