// Which of the files selected in Nautilus "Compare Files..." takes.
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
    std::vector<std::u16string> names;
    for (GList* node = files; node; node = node->next) {
        auto* info = static_cast<NautilusFileInfo*>(node->data);
        // Folders Nautilus already knows about are left out here, so that selecting many folders
        // costs no disk access; the core would skip them all the same.
        if (nautilus_file_info_is_directory(info))
            continue;
        names.push_back(localPath(info));
    }
    SShellInitOutcome outcome = ShellTakeSelection(names, kindOnDisk);
    if (outcome.result != EShellResult::Ok || outcome.selection.first.empty())
        return std::nullopt;
    return std::move(outcome.selection);
}

}  // namespace brindle
