#pragma once

#include "folimo/image.hpp"

#include <cstdint>

// Rows of an Image (premultiplied ARGB32) as the byte layouts the encoders take.
namespace folimo::pixelRows {

// Whether every pixel has alpha 255.
bool isOpaque(const Image& image);

// Whether every pixel has red = green = blue.
bool isGrey(const Image& image);

// Row y as R, G, B bytes, width * 3 of them, composited onto white (an opaque image's
// colours exactly; transparent parts come out white, as a viewer shows them on paper).
void rgbOnWhite(const Image& image, int y, std::uint8_t* out);

// Row y as un-premultiplied R, G, B, A bytes, width * 4 of them.
void rgba(const Image& image, int y, std::uint8_t* out);

} // namespace folimo::pixelRows
