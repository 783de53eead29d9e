#pragma once

// Small owners for the GLib and Poppler handles that SourcePDF keeps.
#include <glib-object.h>
#include <memory>
#include <poppler.h>

namespace folimo {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <class T> using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
using GErrorPtr = std::unique_ptr<GError, GErrorFree>;

struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
using GCharPtr = std::unique_ptr<gchar, GFree>;

using DocumentPtr = GObjectPtr<PopplerDocument>;
using PagePtr = GObjectPtr<PopplerPage>;

} // namespace folimo
