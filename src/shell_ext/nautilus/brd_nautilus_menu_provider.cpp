// CBrdNautilusMenuProvider: the GObject type that gives Nautilus the "Compare Files..." item.
#include "shell_ext/nautilus/brd_nautilus_menu_provider.h"

#include "platform/settings_store.h"
#include "platform/start_program.h"
#include "platform/utf8.h"
#include "shell_ext/nautilus/nautilus_api.h"
#include "shell_ext/nautilus/nautilus_menu_texts.h"
#include "shell_ext/nautilus/nautilus_selection.h"

#include <new>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

struct CBrdNautilusMenuProvider {
    GObject parent;
    // Constructed in instanceInit and destroyed in finalize: GObject allocates the instance as
    // plain zeroed memory.
    std::string program;
};

struct CBrdNautilusMenuProviderClass {
    GObjectClass parent;
};

namespace brindle {

namespace {

enum : guint { kPropertyProgram = 1 };

GType g_providerType = 0;
std::string g_defaultProgram;

CBrdNautilusMenuProvider* provider(gpointer object) { return static_cast<CBrdNautilusMenuProvider*>(object); }

// What one menu item starts; owned by the item's "activate" handler and freed with the item.
struct SLaunch {
    std::u16string program;
    std::vector<std::u16string> arguments;
};

void launch(NautilusMenuItem* /*item*/, gpointer data)
{
    const SLaunch& what = *static_cast<const SLaunch*>(data);
    std::error_code error;
    // brd64 takes no options in front of the files, so no "--" is passed; the paths are absolute
    // and begin with "/", so none is read as an option either.
    if (!startProgram(what.program, what.arguments, &error))
        g_warning("Brindle: cannot start %s: %s", u8(what.program).c_str(), error.message().c_str());
}

void freeLaunch(gpointer data, GClosure* /*closure*/) { delete static_cast<SLaunch*>(data); }

GList* getFileItems(NautilusMenuProvider* menuProvider, GList* files)
{
    std::optional<SShellSelection> selection = NautilusTakeSelection(files);
    if (!selection)
        return nullptr;
    const SNautilusMenuTexts texts = NautilusMenuTexts(userSettingsStore());
    NautilusMenuItem* item =
        nautilus_menu_item_new(kBrdNautilusMenuItemName, texts.label.c_str(), texts.tip.c_str(), nullptr);
    auto* what = new SLaunch{pathFromNative(provider(menuProvider)->program), ShellProgramArguments(*selection)};
    g_signal_connect_data(item, "activate", G_CALLBACK(launch), what, freeLaunch, GConnectFlags{});
    return g_list_append(nullptr, item);
}

void setProperty(GObject* object, guint id, const GValue* value, GParamSpec* spec)
{
    if (id != kPropertyProgram) {
        G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, spec);
        return;
    }
    const char* program = g_value_get_string(value);
    provider(object)->program = program ? program : "";
}

void getProperty(GObject* object, guint id, GValue* value, GParamSpec* spec)
{
    if (id != kPropertyProgram) {
        G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, spec);
        return;
    }
    g_value_set_string(value, provider(object)->program.c_str());
}

gpointer g_parentClass = nullptr;

void finalize(GObject* object)
{
    provider(object)->program.~basic_string();
    G_OBJECT_CLASS(g_parentClass)->finalize(object);
}

void classInit(gpointer klass, gpointer /*data*/)
{
    g_parentClass = g_type_class_peek_parent(klass);
    GObjectClass* objectClass = G_OBJECT_CLASS(klass);
    objectClass->set_property = setProperty;
    objectClass->get_property = getProperty;
    objectClass->finalize = finalize;
    g_object_class_install_property(
        objectClass, kPropertyProgram,
        g_param_spec_string("program", "Program", "The program the menu item starts", g_defaultProgram.c_str(),
                            static_cast<GParamFlags>(G_PARAM_READWRITE | G_PARAM_CONSTRUCT | G_PARAM_STATIC_STRINGS)));
}

void classFinalize(gpointer /*klass*/, gpointer /*data*/) {}

void instanceInit(GTypeInstance* instance, gpointer /*klass*/) { new (&provider(instance)->program) std::string(); }

void menuProviderInit(gpointer iface, gpointer /*data*/)
{
    static_cast<NautilusMenuProviderInterface*>(iface)->get_file_items = getFileItems;
}

}  // namespace

GType BrdNautilusMenuProviderRegister(GTypeModule* module, std::string_view defaultProgram)
{
    g_defaultProgram = defaultProgram;
    static const GTypeInfo info = {
        sizeof(CBrdNautilusMenuProviderClass), nullptr, nullptr,      classInit, classFinalize, nullptr,
        sizeof(CBrdNautilusMenuProvider),      0,       instanceInit, nullptr,
    };
    g_providerType =
        g_type_module_register_type(module, G_TYPE_OBJECT, "CBrdNautilusMenuProvider", &info, GTypeFlags{});
    if (g_providerType == 0)
        return 0;
    static const GInterfaceInfo menuProvider = {menuProviderInit, nullptr, nullptr};
    g_type_module_add_interface(module, g_providerType, NAUTILUS_TYPE_MENU_PROVIDER, &menuProvider);
    return g_providerType;
}

GType BrdNautilusMenuProviderType() { return g_providerType; }

}  // namespace brindle
