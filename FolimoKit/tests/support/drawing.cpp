#include "drawing.hpp"

#include <cstring>
#include <stdexcept>

namespace folimo::test {

Image drawn(int width, int height, const std::function<void(cairo_t*, const Rect&)>& draw) {
    auto canvas = Canvas::create(width, height);
    if (!canvas) throw std::runtime_error("no canvas");
    draw(canvas->context(), canvas->bounds());
    return std::move(*canvas).finish();
}

RGBA8 pixelUp(const Image& image, double x, double y) {
    return image.pixel(int(x), image.height() - 1 - int(y));
}

bool samePixels(const std::uint8_t* data, int stride, const Image& image) {
    for (int row = 0; row < image.height(); ++row)
        if (std::memcmp(data + row * stride, image.data() + row * image.stride(),
                        std::size_t(image.width()) * 4) != 0)
            return false;
    return true;
}

bool samePixels(const Image& a, const Image& b) {
    return a.width() == b.width() && a.height() == b.height() &&
           samePixels(a.data(), a.stride(), b);
}

} // namespace folimo::test
