// The menu provider under test, registered once per process, and the items it hands out.
#pragma once

#include "fakes/test_type_module.h"
#include "shell_ext/nautilus/brd_nautilus_menu_provider.h"
#include "shell_ext/nautilus/gobject_ptr.h"
#include "shell_ext/nautilus/nautilus_api.h"

#include <string>
#include <vector>

namespace brindle::test {

// Never started: each test that activates an item sets a program of its own.
inline constexpr const char* kUnusedProgram = "/nonexistent/brindle-test/brd64";

inline GType menuProviderType()
{
    static const GType type = BrdNautilusMenuProviderRegister(TestTypeModuleNew("brindle-menu-test"), kUnusedProgram);
    return type;
}

inline TGObjectPtr<NautilusMenuProvider> newMenuProvider(const std::string& program = kUnusedProgram)
{
    return TGObjectPtr<NautilusMenuProvider>(
        static_cast<NautilusMenuProvider*>(g_object_new(menuProviderType(), "program", program.c_str(), nullptr)));
}

// The items get_file_items returns, taken over from its list.
inline std::vector<TGObjectPtr<NautilusMenuItem>> fileItems(NautilusMenuProvider* provider, GList* files)
{
    std::vector<TGObjectPtr<NautilusMenuItem>> items;
    GList* list = nautilus_menu_provider_get_file_items(provider, files);
    for (GList* node = list; node; node = node->next)
        items.emplace_back(static_cast<NautilusMenuItem*>(node->data));
    g_list_free(list);
    return items;
}

inline std::string stringProperty(gpointer object, const char* name)
{
    char* value = nullptr;
    g_object_get(object, name, &value, nullptr);
    const TGCharPtr owned(value);
    return owned ? owned.get() : "(null)";
}

}  // namespace brindle::test
