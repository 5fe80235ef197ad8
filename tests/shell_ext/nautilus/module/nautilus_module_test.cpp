// The installed Nautilus module as Nautilus loads it: its entry points, its type, its item.
#include "fakes/fake_file_info.h"
#include "fakes/nautilus_test_environment.h"
#include "fakes/test_type_module.h"
#include "menu_provider_harness.h"
#include "shell_ext/nautilus/gobject_ptr.h"
#include "shell_ext/nautilus/nautilus_api.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <string>

namespace brindle {
namespace {

const auto* const g_environment = testing::AddGlobalTestEnvironment(new test::CNautilusTestEnvironment);

using InitializeFunction = void (*)(GTypeModule*);
using ShutdownFunction = void (*)();
using ListTypesFunction = void (*)(const GType**, int*);

// The module stays loaded for the rest of the process: the type it registered keeps pointing
// into its code.
void* loadedModule()
{
    static void* const handle = ::dlopen(BRINDLE_NAUTILUS_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    return handle;
}

using test::stringProperty;

TEST(NautilusModule, ExportsOnlyTheEntryPoints)
{
    ASSERT_NE(loadedModule(), nullptr) << ::dlerror();
    struct SCase {
        const char* symbol;
        bool exported;
    };
    const SCase cases[] = {
        {"nautilus_module_initialize", true},
        {"nautilus_module_shutdown", true},
        {"nautilus_module_list_types", true},
        {"_ZN7brindle17ShellMenuItemTextERKSt8optionalINSt7__cxx1112basic_stringIDsSt11char_traitsIDsESaIDsEEEE",
         false},
        {"_ZN7brindle17userSettingsStoreEv", false},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(::dlsym(loadedModule(), c.symbol) != nullptr, c.exported) << c.symbol;
}

TEST(NautilusModule, RegistersOneMenuProviderThatOffersTheItem)
{
    ASSERT_NE(loadedModule(), nullptr) << ::dlerror();
    const auto initialize = reinterpret_cast<InitializeFunction>(::dlsym(loadedModule(), "nautilus_module_initialize"));
    const auto listTypes = reinterpret_cast<ListTypesFunction>(::dlsym(loadedModule(), "nautilus_module_list_types"));
    const auto shutdown = reinterpret_cast<ShutdownFunction>(::dlsym(loadedModule(), "nautilus_module_shutdown"));
    ASSERT_TRUE(initialize && listTypes && shutdown);

    initialize(test::TestTypeModuleNew("brindle-nautilus-module-test"));
    const GType* types = nullptr;
    int count = 0;
    listTypes(&types, &count);
    ASSERT_EQ(count, 1);
    EXPECT_TRUE(g_type_is_a(types[0], NAUTILUS_TYPE_MENU_PROVIDER)) << g_type_name(types[0]);

    const TGObjectPtr<NautilusMenuProvider> provider(
        static_cast<NautilusMenuProvider*>(g_object_new(types[0], nullptr)));
    EXPECT_EQ(stringProperty(provider.get(), "program"), BRINDLE_NAUTILUS_INSTALLED_PROGRAM);
    const test::CTempDir dir;
    test::CFakeSelection selection;
    selection.add(dir.write("a.txt", "a"));
    GList* items = nautilus_menu_provider_get_file_items(provider.get(), selection.list());
    ASSERT_EQ(g_list_length(items), 1u);
    EXPECT_EQ(stringProperty(items->data, "label"), "Compare Files...");
    EXPECT_EQ(stringProperty(items->data, "tip"), "Compare Files");
    nautilus_menu_item_list_free(items);
    shutdown();
}

}  // namespace
}  // namespace brindle
