#pragma once

#include "folimo/geometry.hpp"

#include <cairo.h>
#include <cstdint>
#include <memory>
#include <optional>

namespace folimo {

// One pixel, un-premultiplied, 8 bits a channel.
struct RGBA8 {
    std::uint8_t red = 0, green = 0, blue = 0, alpha = 0;
    bool operator==(const RGBA8&) const = default;
};

// A finished bitmap: an immutable, shared Cairo ARGB32 image surface (sRGB, premultiplied
// alpha, bytes B, G, R, A in memory on little-endian machines). Copies share the pixels.
// Row 0 is the top row.
class Image {
public:
    // Adopts one reference to a finished image surface of format ARGB32.
    explicit Image(cairo_surface_t* surface);

    int width() const;
    int height() const;
    int stride() const;
    const std::uint8_t* data() const;
    // For drawing the image as a source. Callers never draw into it.
    cairo_surface_t* surface() const { return surface_.get(); }

    // The pixel at column x and row y (row 0 at the top), un-premultiplied.
    RGBA8 pixel(int x, int y) const;

private:
    std::shared_ptr<cairo_surface_t> surface_;
};

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
