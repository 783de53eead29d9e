#include "model/unicode_trim.hpp"

#include <glib.h>

namespace folimo {
namespace {

bool isBlank(gunichar c) {
    return c == '\t' || g_unichar_type(c) == G_UNICODE_SPACE_SEPARATOR;
}

bool isWhitespaceOrNewline(gunichar c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029 || isBlank(c);
}

template <class Predicate> std::string_view trim(std::string_view text, Predicate drop) {
    // From the front, one whole character at a time.
    while (!text.empty()) {
        const gunichar c = g_utf8_get_char_validated(text.data(), gssize(text.size()));
        if (c == gunichar(-1) || c == gunichar(-2) || !drop(c)) break;
        const auto length = std::size_t(g_utf8_skip[static_cast<unsigned char>(text[0])]);
        text.remove_prefix(length);
    }
    // From the back: find the start of the last character first.
    while (!text.empty()) {
        std::size_t start = text.size() - 1;
        while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
            --start;
        const auto last = text.substr(start);
        const gunichar c = g_utf8_get_char_validated(last.data(), gssize(last.size()));
        const auto length = std::size_t(g_utf8_skip[static_cast<unsigned char>(last[0])]);
        if (c == gunichar(-1) || c == gunichar(-2) || length != last.size() || !drop(c)) break;
        text.remove_suffix(last.size());
    }
    return text;
}

} // namespace

std::string_view trimWhitespaceAndNewlines(std::string_view text) {
    return trim(text, isWhitespaceOrNewline);
}

std::string_view trimBlanks(std::string_view text) {
    return trim(text, isBlank);
}

} // namespace folimo
