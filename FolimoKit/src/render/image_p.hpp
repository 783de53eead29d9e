#pragma once

#include "folimo/geometry.hpp"
#include "folimo/image.hpp"

#include <cairo.h>
#include <cstdint>
#include <optional>

// Images as Cairo surfaces, for drawing them and into them.
namespace folimo {

// One reference to a finished image surface of format ARGB32.
struct ImageSurface {
    explicit ImageSurface(cairo_surface_t* adopted);
    ~ImageSurface();
    ImageSurface(const ImageSurface&) = delete;
    ImageSurface& operator=(const ImageSurface&) = delete;

    cairo_surface_t* const handle;
};

// Adopts one reference to a finished image surface of format ARGB32.
Image adoptImage(cairo_surface_t* surface);

// The image's surface, for drawing it as a source. Callers never draw into it.
inline cairo_surface_t* cairoSurface(const Image& image) {
    return image.surface().handle;
}

// A bitmap being drawn. Its context's user space is the library's drawing space: origin at
// the lower left corner, y upwards, one unit per pixel. Created fresh for each image.
class Canvas {
public:
    // A transparent width x height bitmap, or nothing when it cannot be allocated.
    static std::optional<Canvas> create(int width, int height);
    // A canvas over memory owned by the caller (ARGB32 layout, stride bytes per row), for
    // drawing straight into another library's buffers. Nothing when Cairo refuses it.
    static std::optional<Canvas> wrap(std::uint8_t* data, int width, int height, int stride);

    Canvas(Canvas&&) noexcept;
    Canvas& operator=(Canvas&&) noexcept;
    ~Canvas();

    cairo_t* context() const { return cr_; }
    int width() const { return width_; }
    int height() const { return height_; }
    Rect bounds() const { return {0, 0, double(width_), double(height_)}; }

    // Ends drawing and hands the pixels over as an Image. Not for wrapped canvases.
    Image finish() &&;

private:
    Canvas(cairo_surface_t* surface, int width, int height);
    // Takes over surface; nothing when Cairo could not make it or a context for it.
    static std::optional<Canvas> adopt(cairo_surface_t* surface, int width, int height);

    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// Draws an image stretched into rect (in the y-up user space of cr) with high-quality
// filtering. The image's top row lands at rect's top.
void drawImage(cairo_t* cr, const Image& image, const Rect& rect);

} // namespace folimo
