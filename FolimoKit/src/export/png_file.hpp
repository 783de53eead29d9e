#pragma once

#include "folimo/image.hpp"

#include <cstdio>

namespace folimo {

// Encodes image as PNG into out: 8-bit RGB when every pixel is opaque, un-premultiplied
// RGBA otherwise; 144 dots per inch and marked as sRGB. False when libpng fails (a write
// error, no memory); out then holds a partial stream.
bool writePNG(const Image& image, std::FILE* out);

} // namespace folimo
