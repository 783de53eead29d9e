#pragma once

#include "render/image_p.hpp"

#include <functional>

// Drawing into a fresh bitmap and reading it back in the drawing's own y-up space.
namespace folimo::test {

// What draw paints into a transparent width x height canvas; draw gets the canvas's bounds.
Image drawn(int width, int height, const std::function<void(cairo_t*, const Rect&)>& draw);

// The pixel at x, y of the y-up drawing space: row 0 of the image is y = height - 1.
RGBA8 pixelUp(const Image& image, double x, double y);

// Whether the rows of pixels at data (stride bytes apart) are image's to the byte.
bool samePixels(const std::uint8_t* data, int stride, const Image& image);
bool samePixels(const Image& a, const Image& b);

} // namespace folimo::test
