#pragma once

#include <cstddef>
#include <string_view>

namespace folimo {

// The length in bytes of the longest start of text (valid UTF-8) made of whole
// user-perceived characters (extended grapheme clusters, through ICU), at most
// maxCharacters of them and at most maxBytes bytes. text.size() when all of it fits.
std::size_t graphemePrefix(std::string_view text, std::size_t maxCharacters, std::size_t maxBytes);

} // namespace folimo
