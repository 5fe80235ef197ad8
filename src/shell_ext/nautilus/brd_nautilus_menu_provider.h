// CBrdNautilusMenuProvider: the GObject type that gives Nautilus the "Compare Files..." item.
#pragma once

#include <glib-object.h>

#include <string_view>

namespace brindle {

// The name of the menu item; Nautilus keeps items of different providers apart by it.
inline constexpr const char* kBrdNautilusMenuItemName = "Brindle::CompareFiles";

// Registers the type "CBrdNautilusMenuProvider", implementing NautilusMenuProvider, in module
// (Nautilus loads extensions through a GTypeModule) and returns it; 0 when GObject refuses, for
// example because another module registered the name. defaultProgram is the brd64 to start; each
// instance keeps it in its string property "program", which a caller may set to another program.
//
// For the selected files get_file_items returns one item when one or two files or two folders are
// accepted (NautilusTakeSelection), with label and tip from the user's settings
// (NautilusMenuTexts), else nothing. Activating the item starts the program with each file or
// folder as one argument, directly, without a shell and without waiting for it.
GType BrdNautilusMenuProviderRegister(GTypeModule* module, std::string_view defaultProgram);

// The registered type, 0 before BrdNautilusMenuProviderRegister.
GType BrdNautilusMenuProviderType();

}  // namespace brindle
