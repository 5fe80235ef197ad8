// Which of the files and folders selected in Nautilus "Compare Files..." takes.
#pragma once

#include "shell_ext/shell_selection.h"

#include <gio/gio.h>

#include <optional>

namespace brindle {

// File types as the context menu counts them: a regular file (also behind a symbolic link) is a
// File, a folder a Folder. Anything else is Unreadable: a missing file, a dangling link, and
// devices, pipes and sockets, which brd64 would block on or could not compare.
EShellItemKind NautilusItemKind(GFileType type);

// What the item passes to brd64 for files (a GList of NautilusFileInfo, not taken over), in
// Nautilus's order; nullopt when no item is to be shown.
//
// Exactly two folders are a folder comparison when both are local, still folders on disk and
// passable to brd64 (ShellPathCanBePassed).
//
// Any other selection follows ShellTakeSelection's rules, as the Windows menu does: folders,
// unreadable names (and a folder Nautilus took for a file) are skipped, a third file refuses the
// whole selection (nullopt: no item). A file without a local path (a remote location) is skipped
// like an unreadable one. With no file accepted the item is still shown and starts brd64 without
// files, which opens its last comparison again.
std::optional<SShellSelection> NautilusTakeSelection(GList* files);

}  // namespace brindle
