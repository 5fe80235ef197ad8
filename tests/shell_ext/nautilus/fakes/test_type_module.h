// A GTypeModule for tests, standing in for the one Nautilus loads its extensions with.
#pragma once

#include <glib-object.h>

namespace brindle::test {

// A new module that is in use (so the types registered in it can be instantiated). Tests keep it
// for the rest of the process: GObject never unloads a module whose types have instances.
GTypeModule* TestTypeModuleNew(const char* name);

}  // namespace brindle::test
