// The Nautilus extension API for C++ sources.
#pragma once

// The GLib headers come first and outside the C block: in C++ they include standard C++ headers,
// which must not get C linkage. The Nautilus header then finds them already included.
#include <gio/gio.h>
#include <glib-object.h>
#include <gmodule.h>

// nautilus-extension.h declares the module entry points without a C linkage block of its own;
// Nautilus looks them up by their C names.
extern "C" {
#include <nautilus-extension.h>
}
