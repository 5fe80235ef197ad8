// The entry points Nautilus looks up in each module of its extension folder.
#include "shell_ext/nautilus/brd_nautilus_menu_provider.h"
#include "shell_ext/nautilus/nautilus_api.h"

namespace {

GType g_types[1] = {0};

}  // namespace

extern "C" {

G_MODULE_EXPORT void nautilus_module_initialize(GTypeModule* module)
{
    g_types[0] = brindle::BrdNautilusMenuProviderRegister(module, BRINDLE_NAUTILUS_PROGRAM);
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
