// The rules of the context-menu operations: adding the item, invoking it, its command strings,
// and where the main program lives.
#pragma once

#include "shell_ext/shell_result.h"
#include "shell_ext/shell_selection.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brindle {

// A menu position that means "at the end of the menu".
inline constexpr std::uint32_t kShellAppendPosition = 0xFFFFFFFF;

// Where QueryContextMenu puts the separator and the item (both by position) and the item's id.
struct SShellMenuInsertion {
    std::uint32_t separatorPosition = 0;
    std::uint32_t itemPosition = 0;
    std::uint32_t commandId = 0;

    bool operator==(const SShellMenuInsertion&) const = default;
};

// insertion is set when the item is to be added; count is the code of the success result (the
// number of command identifiers used).
struct SShellQueryOutcome {
    std::optional<SShellMenuInsertion> insertion;
    std::uint16_t count = 0;
};

// The flag rules of QueryContextMenu; only the low four bits of flags count. The item is added when
// they are all clear, or CMF_VERBSONLY (2) or CMF_EXPLORE (4) is set; otherwise (CMF_DEFAULTONLY (1)
// or CMF_NOVERBS (8) alone) nothing is added and count is 0. Nothing is added either when the shell
// leaves no identifier (idCmdFirst > idCmdLast). The separator goes to indexMenu and the item right
// below it; with kShellAppendPosition both are appended, separator first.
SShellQueryOutcome ShellQueryContextMenu(std::uint32_t indexMenu, std::uint32_t idCmdFirst, std::uint32_t idCmdLast,
                                         std::uint32_t flags);

// The command offset of an invoke record's verb (the pointer-sized lpVerb), or nullopt when the
// verb is a string: the whole value must be below 0x10000 to be an offset.
std::optional<std::uint16_t> ShellCommandOffset(std::uint64_t verb);

// parameters is set when brd64 is to be started, with the text to pass (ShellParameterText).
// A string verb or an offset other than 0 gives InvalidArg and starts nothing.
struct SShellInvocation {
    EShellResult result = EShellResult::Ok;
    std::optional<std::u16string> parameters;
};

SShellInvocation ShellInvokeCommand(std::uint64_t verb, const SShellSelection& selection);

// The uType values of GetCommandString.
enum class EShellStringKind : std::uint32_t {
    VerbAnsi = 0,
    HelpAnsi = 1,
    ValidateAnsi = 2,
    VerbUnicode = 4,
    HelpUnicode = 5,
    ValidateUnicode = 6,
};

// What GetCommandString writes: at most one of ansi and unicode is set, holding the text without
// its terminator; text plus terminator never exceed cchMax units of the kind's width (bytes for
// the ANSI kinds, UTF-16 units for the Unicode kinds).
struct SShellCommandString {
    EShellResult result = EShellResult::Ok;
    std::optional<std::string> ansi;
    std::optional<std::u16string> unicode;
};

// The help kinds give helpText for offset 0 (InvalidArg for others), cut to fit cchMax without
// splitting a surrogate pair; the ANSI help kind writes characters above U+007F as "?". Nothing is
// written for cchMax 0 (pass 0 when there is no buffer). The validate kinds give Ok for offset 0
// and False otherwise. The extension has no verb: the verb kinds give NotImpl. Any other type gives
// InvalidArg. Nothing is written except for the help kinds.
SShellCommandString ShellGetCommandString(std::uint64_t idCmd, std::uint32_t type, std::uint32_t cchMax,
                                          std::u16string_view helpText);

// How file names are separated: Windows takes "\" and "/", Posix only "/".
enum class EShellPathStyle { Windows, Posix };

// The main program next to the library: libraryPath cut after its last separator, then
// programName. nullopt when libraryPath has no folder, so the program is never looked up on the
// search path. libraryPath must be the library's whole name, not one cut to a buffer.
std::optional<std::u16string> ShellProgramPath(std::u16string_view libraryPath, std::u16string_view programName,
                                               EShellPathStyle style);

}  // namespace brindle
