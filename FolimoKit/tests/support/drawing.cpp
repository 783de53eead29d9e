#include "drawing.hpp"

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

} // namespace folimo::test
