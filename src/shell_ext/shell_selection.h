// The files a shell extension object was initialised with, and how they are handed to brd64.
#pragma once

#include "shell_ext/shell_result.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

// The longest selected name taken, in UTF-16 units (without terminator).
inline constexpr std::size_t kShellMaxPath = 260;

// What the file system says about a selected name.
enum class EShellItemKind { Unreadable, Folder, File };

// Asks the file system about one name; tests pass a fake.
using ShellItemKindOf = std::function<EShellItemKind(std::u16string_view path)>;

// The accepted files of one extension object, in the shell's order; an empty path means none.
// Each object keeps its own selection, so two shell windows never see each other's files.
struct SShellSelection {
    std::u16string first;
    std::u16string second;

    bool operator==(const SShellSelection&) const = default;
};

struct SShellInitOutcome {
    EShellResult result = EShellResult::Ok;
    SShellSelection selection;
};

// True when path can be carried to brd64 unchanged: not empty, at most kShellMaxPath units, no
// U+0000 and no backslash at its end (brd64's tokenizer would read a backslash before the closing
// double quote as an escaped quote).
bool ShellPathCanBePassed(std::u16string_view path);

// The selection rules of Initialize. Names that cannot be passed (ShellPathCanBePassed) are
// skipped without asking kindOf; so are names kindOf reports as Folder or Unreadable. The first
// two files accepted become the selection. A third accepted file stops the walk: the result is
// Fail with an empty selection. Otherwise Ok, also for no file at all.
SShellInitOutcome ShellTakeSelection(std::span<const std::u16string> names, const ShellItemKindOf& kindOf);

// The parameter text for brd64 on Windows: each non-empty path in double quotes, one blank between
// two of them, empty for no file. A double quote inside a path is written as backslash and quote,
// which brd64's tokenizer turns back into the quote. A path that cannot be passed is left out.
std::u16string ShellParameterText(const SShellSelection& selection);

// The same paths as separate program arguments, for starting brd64 without a shell command line.
std::vector<std::u16string> ShellProgramArguments(const SShellSelection& selection);

}  // namespace brindle
