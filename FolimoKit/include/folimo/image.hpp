#pragma once

#include <cstdint>
#include <memory>

namespace folimo {

// One pixel, un-premultiplied, 8 bits a channel.
struct RGBA8 {
    std::uint8_t red = 0, green = 0, blue = 0, alpha = 0;
    bool operator==(const RGBA8&) const = default;
};

// The pixels of an Image, held by the library (a Cairo image surface).
struct ImageSurface;

// A finished bitmap: immutable, shared pixels in sRGB with premultiplied alpha, 32 bits a
// pixel as B, G, R, A bytes in memory on little-endian machines (Cairo's ARGB32). Copies
// share the pixels. Row 0 is the top row. Made by the library only.
class Image {
public:
    explicit Image(std::shared_ptr<const ImageSurface> surface);

    int width() const;
    int height() const;
    // Bytes from one row to the next.
    int stride() const;
    const std::uint8_t* data() const;

    // The pixel at column x and row y (row 0 at the top), un-premultiplied.
    RGBA8 pixel(int x, int y) const;

    // For the library's own drawing.
    const ImageSurface& surface() const { return *surface_; }

private:
    std::shared_ptr<const ImageSurface> surface_;
};

} // namespace folimo
