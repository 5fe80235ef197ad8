// Which of the files selected in Nautilus "Compare Files..." takes.
#pragma once

#include "shell_ext/shell_selection.h"

#include <gio/gio.h>

#include <optional>

namespace brindle {

// File types as the context menu counts them: a regular file (also behind a symbolic link) is a
// File, a folder a Folder. Anything else is Unreadable: a missing file, a dangling link, and
// devices, pipes and sockets, which brd64 would block on or could not compare.
EShellItemKind NautilusItemKind(GFileType type);

// The accepted files of files (a GList of NautilusFileInfo, not taken over), in Nautilus's order;
// nullopt when no item is to be shown. The rules are ShellTakeSelection's: folders and unreadable
// names are skipped, a third file refuses the whole selection. A file without a local path (a
// remote location) is skipped like an unreadable one. Unlike the Windows menu, no item is shown
// when no file is accepted: started with nothing, brd64 only opens its last comparison again.
std::optional<SShellSelection> NautilusTakeSelection(GList* files);

}  // namespace brindle
