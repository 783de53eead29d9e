#include "trimmed.hpp"

#include <array>

namespace folimo {
namespace {

// Every white space or line-break character outside ASCII, in UTF-8.
constexpr std::array<std::string_view, 19> wideSpaces = {
    "\u0085", "\u00A0", "\u1680", "\u2000", "\u2001", "\u2002", "\u2003",
    "\u2004", "\u2005", "\u2006", "\u2007", "\u2008", "\u2009", "\u200A",
    "\u2028", "\u2029", "\u202F", "\u205F", "\u3000"};

bool isAsciiSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The length of the white space character that text starts (atEnd: ends) with; 0 if none.
std::size_t spaceLength(std::string_view text, bool atEnd) {
    if (text.empty()) return 0;
    if (isAsciiSpace(atEnd ? text.back() : text.front())) return 1;
    for (std::string_view space : wideSpaces)
        if (atEnd ? text.ends_with(space) : text.starts_with(space)) return space.size();
    return 0;
}

} // namespace

std::string trimmed(std::string_view text) {
    while (std::size_t n = spaceLength(text, false))
        text.remove_prefix(n);
    while (std::size_t n = spaceLength(text, true))
        text.remove_suffix(n);
    return std::string(text);
}

} // namespace folimo
