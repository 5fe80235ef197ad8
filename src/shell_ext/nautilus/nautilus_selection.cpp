// Which of the files and folders selected in Nautilus "Compare Files..." takes.
#include "shell_ext/nautilus/nautilus_selection.h"

#include "platform/utf8.h"
#include "shell_ext/nautilus/gobject_ptr.h"
#include "shell_ext/nautilus/nautilus_api.h"

#include <string>
#include <vector>

namespace brindle {

namespace {

// Empty for a location without a local path; the core skips empty names without asking about
// them.
std::u16string localPath(NautilusFileInfo* info)
{
    const TGObjectPtr<GFile> location(nautilus_file_info_get_location(info));
    if (!location)
        return {};
    const TGCharPtr path(g_file_get_path(location.get()));
    return path ? pathFromNative(path.get()) : std::u16string();
}

EShellItemKind kindOnDisk(std::u16string_view path)
{
    const TGObjectPtr<GFile> file(g_file_new_for_path(nativePath(path).c_str()));
    return NautilusItemKind(g_file_query_file_type(file.get(), G_FILE_QUERY_INFO_NONE, nullptr));
}

// The two folders of a selection Nautilus reports as exactly two folders. Nautilus's cache may be
// behind the disk, and brd64 compares two folders only when both are folders, so each is checked.
std::optional<SShellSelection> takeFolderPair(GList* files)
{
    SShellSelection pair{localPath(static_cast<NautilusFileInfo*>(files->data)),
                         localPath(static_cast<NautilusFileInfo*>(files->next->data))};
    for (const std::u16string* path : {&pair.first, &pair.second}) {
        if (!ShellPathCanBePassed(*path) || kindOnDisk(*path) != EShellItemKind::Folder)
            return std::nullopt;
    }
    return pair;
}

}  // namespace

EShellItemKind NautilusItemKind(GFileType type)
{
    switch (type) {
    case G_FILE_TYPE_REGULAR: return EShellItemKind::File;
    case G_FILE_TYPE_DIRECTORY: return EShellItemKind::Folder;
    default: return EShellItemKind::Unreadable;
    }
}

std::optional<SShellSelection> NautilusTakeSelection(GList* files)
{
    // Whether the selection holds a folder is decided from what Nautilus already knows, so that
    // selecting many folders costs no disk access; only a pair of folders is looked up.
    guint count = 0;
    guint folders = 0;
    for (GList* node = files; node; node = node->next) {
        ++count;
        if (nautilus_file_info_is_directory(static_cast<NautilusFileInfo*>(node->data)))
            ++folders;
    }
    if (count == 2 && folders == 2) {
        if (std::optional<SShellSelection> pair = takeFolderPair(files))
            return pair;
    }
    // Otherwise the selection is one of files, among which folders are passed over.
    std::vector<std::u16string> names;
    for (GList* node = files; node; node = node->next)
        names.push_back(localPath(static_cast<NautilusFileInfo*>(node->data)));
    SShellInitOutcome outcome = ShellTakeSelection(names, kindOnDisk);
    if (outcome.result != EShellResult::Ok)
        return std::nullopt;
    return std::move(outcome.selection);
}

}  // namespace brindle
