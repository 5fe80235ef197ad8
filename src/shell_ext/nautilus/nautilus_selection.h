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
// A selection without folders follows ShellTakeSelection's rules: unreadable names (and a folder
// Nautilus took for a file) are skipped, a third file refuses the whole selection. A file without
// a local path (a remote location) is skipped like an unreadable one. Unlike the Windows menu, no
// item is shown when no file is accepted: started with nothing, brd64 only opens its last
// comparison again.
//
// A selection that holds a folder is a folder comparison: it is taken only when it is exactly two
// folders, both local, still folders on disk and passable to brd64 (ShellPathCanBePassed). A
// folder beside files, one folder alone and three folders or more show nothing.
std::optional<SShellSelection> NautilusTakeSelection(GList* files);

}  // namespace brindle
