#pragma once

#include <string>
#include <string_view>

namespace folimo {

// UTF-8 text without the white space and line breaks at both ends (ASCII blanks and
// controls \t \n \v \f \r, and the Unicode spaces and separators such as U+00A0, U+2003,
// U+2028, U+3000).
std::string trimmed(std::string_view text);

} // namespace folimo
