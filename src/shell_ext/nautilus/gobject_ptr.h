// Owning handles for GLib and GObject allocations handed over by the Nautilus and GIO calls.
#pragma once

#include <glib-object.h>

#include <memory>

namespace brindle {

struct SGObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};

struct SGFree {
    void operator()(gpointer memory) const { g_free(memory); }
};

// A reference to a GObject that this code owns (a "transfer full" result).
template <class T>
using TGObjectPtr = std::unique_ptr<T, SGObjectUnref>;

// A string allocated by GLib.
using TGCharPtr = std::unique_ptr<char, SGFree>;

}  // namespace brindle
