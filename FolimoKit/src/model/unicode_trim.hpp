#pragma once

#include <string_view>

namespace folimo {

// The text without white space and line breaks at either end (tab, line feed, vertical tab,
// form feed, carriage return, next line, every Unicode space separator, line and paragraph
// separator). Invalid UTF-8 is kept as it is.
std::string_view trimWhitespaceAndNewlines(std::string_view text);

// The text without blanks at either end: tabs and Unicode space separators, not line breaks.
std::string_view trimBlanks(std::string_view text);

} // namespace folimo
