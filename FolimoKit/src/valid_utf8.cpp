#include "valid_utf8.hpp"

#include <glib.h>
#include <memory>

namespace folimo {

std::string validUTF8(std::string_view text) {
    std::unique_ptr<gchar, decltype(&g_free)> valid(
        g_utf8_make_valid(text.data(), gssize(text.size())), g_free);
    return valid.get();
}

} // namespace folimo
