// A stand-in for Nautilus's file objects: a NautilusFileInfo that answers from a GFile and a flag.
#pragma once

#include "shell_ext/nautilus/gobject_ptr.h"
#include "shell_ext/nautilus/nautilus_api.h"

#include <memory>
#include <string>
#include <vector>

namespace brindle::test {

// A file info for location (a path or a URI, as g_file_new_for_commandline_arg takes it). directory
// is what is_directory answers, as Nautilus would from its own cache; it may differ from the disk.
TGObjectPtr<NautilusFileInfo> FakeFileInfoNew(const std::string& location, bool directory);

// The file infos and a GList over them, as Nautilus hands a selection to a menu provider.
class CFakeSelection {
public:
    void add(const std::string& location, bool directory = false);
    // Valid until the next add or the end of the object; the list does not own its elements.
    GList* list();

private:
    std::vector<TGObjectPtr<NautilusFileInfo>> m_infos;
    std::unique_ptr<GList, void (*)(GList*)> m_list{nullptr, g_list_free};
};

}  // namespace brindle::test
