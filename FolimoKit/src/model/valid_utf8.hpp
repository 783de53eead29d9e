#pragma once

#include <string>
#include <string_view>

namespace folimo {

// text with every byte that is not part of valid UTF-8 replaced by U+FFFD.
std::string validUTF8(std::string_view text);

} // namespace folimo
