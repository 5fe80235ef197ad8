// A GTypeModule for tests, standing in for the one Nautilus loads its extensions with.
#include "test_type_module.h"

namespace {

// The module's code is linked into the test program, so there is nothing to load or unload.
gboolean load(GTypeModule*) { return TRUE; }
void unload(GTypeModule*) {}

void classInit(gpointer klass, gpointer)
{
    GTypeModuleClass* moduleClass = G_TYPE_MODULE_CLASS(klass);
    moduleClass->load = load;
    moduleClass->unload = unload;
}

GType testTypeModuleType()
{
    static const GType type =
        g_type_register_static_simple(G_TYPE_TYPE_MODULE, "BrindleTestTypeModule", sizeof(GTypeModuleClass), classInit,
                                      sizeof(GTypeModule), nullptr, GTypeFlags{});
    return type;
}

}  // namespace

namespace brindle::test {

GTypeModule* TestTypeModuleNew(const char* name)
{
    auto* module = G_TYPE_MODULE(g_object_new(testTypeModuleType(), nullptr));
    g_type_module_set_name(module, name);
    g_type_module_use(module);
    return module;
}

}  // namespace brindle::test
