#include "render/image_p.hpp"

#include <utility>

namespace folimo {

ImageSurface::ImageSurface(cairo_surface_t* adopted)
    : handle(adopted) {
    cairo_surface_flush(adopted);
}

ImageSurface::~ImageSurface() {
    cairo_surface_destroy(handle);
}

Image adoptImage(cairo_surface_t* surface) {
    return Image(std::make_shared<const ImageSurface>(surface));
}

Image::Image(std::shared_ptr<const ImageSurface> surface)
    : surface_(std::move(surface)) {}

int Image::width() const {
    return cairo_image_surface_get_width(surface_->handle);
}
int Image::height() const {
    return cairo_image_surface_get_height(surface_->handle);
}
int Image::stride() const {
    return cairo_image_surface_get_stride(surface_->handle);
}
const std::uint8_t* Image::data() const {
    return cairo_image_surface_get_data(surface_->handle);
}

RGBA8 Image::pixel(int x, int y) const {
    const auto* p = data() + y * stride() + x * 4;
    const std::uint32_t argb = *reinterpret_cast<const std::uint32_t*>(p);
    const auto a = static_cast<std::uint8_t>(argb >> 24);
    if (a == 0) return {};
    auto unmultiply = [a](std::uint32_t c) {
        return static_cast<std::uint8_t>((c * 255 + a / 2) / a);
    };
    return {unmultiply((argb >> 16) & 0xFF), unmultiply((argb >> 8) & 0xFF),
            unmultiply(argb & 0xFF), a};
}

Canvas::Canvas(cairo_surface_t* surface, int width, int height)
    : surface_(surface)
    , cr_(cairo_create(surface))
    , width_(width)
    , height_(height) {
    // The library draws with the origin at the lower left and y upwards.
    cairo_translate(cr_, 0, height);
    cairo_scale(cr_, 1, -1);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GOOD);
}

std::optional<Canvas> Canvas::adopt(cairo_surface_t* surface, int width, int height) {
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return std::nullopt;
    }
    Canvas canvas(surface, width, height);
    if (cairo_status(canvas.cr_) != CAIRO_STATUS_SUCCESS) return std::nullopt;
    return canvas;
}

std::optional<Canvas> Canvas::create(int width, int height) {
    if (width <= 0 || height <= 0) return std::nullopt;
    return adopt(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height), width, height);
}

std::optional<Canvas> Canvas::wrap(std::uint8_t* data, int width, int height, int stride) {
    return adopt(
        cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, width, height, stride),
        width, height);
}

Canvas::Canvas(Canvas&& other) noexcept
    : surface_(std::exchange(other.surface_, nullptr))
    , cr_(std::exchange(other.cr_, nullptr))
    , width_(other.width_)
    , height_(other.height_) {}

Canvas& Canvas::operator=(Canvas&& other) noexcept {
    std::swap(surface_, other.surface_);
    std::swap(cr_, other.cr_);
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
    return *this;
}

Canvas::~Canvas() {
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
}

Image Canvas::finish() && {
    cairo_destroy(std::exchange(cr_, nullptr));
    return adoptImage(std::exchange(surface_, nullptr));
}

void drawImage(cairo_t* cr, const Image& image, const Rect& rect) {
    if (image.width() <= 0 || image.height() <= 0 || rect.width <= 0 || rect.height <= 0) return;
    cairo_save(cr);
    // Flip back to the image's own top-down rows inside rect.
    cairo_translate(cr, rect.x, rect.maxY());
    cairo_scale(cr, rect.width / image.width(), -rect.height / image.height());
    cairo_rectangle(cr, 0, 0, image.width(), image.height());
    cairo_clip(cr);
    cairo_set_source_surface(cr, cairoSurface(image), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
    cairo_restore(cr);
}

} // namespace folimo
