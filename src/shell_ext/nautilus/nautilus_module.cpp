// The entry points Nautilus looks up in each module of its extension folder.
#include "shell_ext/nautilus/brd_nautilus_menu_provider.h"
#include "shell_ext/nautilus/nautilus_api.h"
#include "shell_ext/nautilus/nautilus_program_path.h"

#include <string>

#include <dlfcn.h>

extern "C" G_MODULE_EXPORT void nautilus_module_initialize(GTypeModule* module);

namespace {

GType g_types[1] = {0};

// The brd64 of the prefix the module was installed into, which need not be the configured one
// (cmake --install --prefix); Nautilus may load the module through a link in its own folder.
std::string installedProgram()
{
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&nautilus_module_initialize), &info) == 0 || !info.dli_fname)
        return BRINDLE_NAUTILUS_PROGRAM;
    return brindle::NautilusProgramPath(info.dli_fname, BRINDLE_NAUTILUS_PROGRAM_FROM_MODULE, BRINDLE_NAUTILUS_PROGRAM);
}

}  // namespace

extern "C" {

G_MODULE_EXPORT void nautilus_module_initialize(GTypeModule* module)
{
    g_types[0] = brindle::BrdNautilusMenuProviderRegister(module, installedProgram());
}

// Nothing to release: the type stays registered, as GObject never drops a type once an instance
// was made, and the provider instances belong to Nautilus.
G_MODULE_EXPORT void nautilus_module_shutdown(void) {}

G_MODULE_EXPORT void nautilus_module_list_types(const GType** types, int* num_types)
{
    *types = g_types;
    *num_types = g_types[0] != 0 ? 1 : 0;
}

}  // extern "C"
