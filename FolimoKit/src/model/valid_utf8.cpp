#include "model/valid_utf8.hpp"

#include "model/glib_glue.hpp"

namespace folimo {

std::string validUTF8(std::string_view text) {
    return takeString(g_utf8_make_valid(text.data(), gssize(text.size())));
}

} // namespace folimo
