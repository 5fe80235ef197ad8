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
// Exactly two folders are a folder comparison: taken when both are local, still folders on disk
// and passable to brd64 (ShellPathCanBePassed), otherwise nothing is shown.
//
// Any other selection follows ShellTakeSelection's rules: folders, unreadable names (and a folder
// Nautilus took for a file) are skipped, a third file refuses the whole selection. A file without
// a local path (a remote location) is skipped like an unreadable one. Unlike the Windows menu, no
// item is shown when no file is accepted: started with nothing, brd64 only opens its last
// comparison again.
std::optional<SShellSelection> NautilusTakeSelection(GList* files);

}  // namespace brindle
