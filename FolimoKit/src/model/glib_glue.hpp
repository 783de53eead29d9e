#pragma once

// Small owners for GLib objects, errors and strings.
#include <glib-object.h>
#include <memory>
#include <string>

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

// The text of a string GLib hands over, which is freed; empty for none.
inline std::string takeString(gchar* text) {
    const GCharPtr owned(text);
    return owned ? owned.get() : "";
}

} // namespace folimo
