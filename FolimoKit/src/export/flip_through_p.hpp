#pragma once

#include "folimo/flip_through.hpp"
#include "render/image_p.hpp"
#include "render/listing_painter.hpp"

#include <cairo.h>
#include <cstdint>
#include <optional>

// The layers a flip-through frame is built from, bottom to top. Drawing a frame directly
// and assembling it from cached layers run exactly these calls in this order, so both give
// the same pixels.
namespace folimo::flip {

// The video's brand, title and page cards, drawn as the listing images draw them.
inline ListingPainter painter(const FlipThrough& video) {
    return {video.source(), video.settings()};
}

// Draws the frame for time t into cr, whose user space must be the frame's pixels with y
// upwards (as a Canvas gives). A page whose bitmap cannot be made is left out.
void drawFrame(const FlipThrough& video, double t, cairo_t* cr);

// Background, glow and (when showTitle) the title: the same in every frame.
void drawBackdrop(const FlipThrough& video, cairo_t* cr);
// A page lying flat in the page rectangle, with its shadow and hairline edge. Nothing when
// its bitmap cannot be made.
void drawFlatPage(const FlipThrough& video, cairo_t* cr, int page);
// The top page squeezed towards its left edge, bulging and darkening as it turns (turn > 0).
// False, with nothing drawn, once it is 1 pixel wide or less: that frame shows no page of
// its own and no badge.
bool drawTurningPage(const FlipThrough& video, cairo_t* cr, const Image& image, double turn);
void drawBadge(const FlipThrough& video, cairo_t* cr);

// The bitmap every frame draws the page from: as wide as the page lies on its paper in the
// page rectangle, from the cache.
std::optional<Image> pageImage(const FlipThrough& video, int page);

// Paints a video's frames one after another into one bitmap, drawing only what changes:
// each page lies flat on the backdrop once (it serves the frames it holds still and,
// beneath, the turn of the page before), and a turning frame adds only the turning page
// and the badge. Two frame-sized bitmaps, whatever the number of pages: at 6000 x 6000
// each is 144 MB, so the backdrop is drawn again for each page rather than kept. The
// pixels equal drawFrame's. One thread at a time.
class FramePainter {
public:
    // Throws ListingError::video("out of memory") when its bitmaps cannot be allocated.
    explicit FramePainter(const FlipThrough& video);

    // Paints the frame for time t; false (and nothing painted) when it equals the frame
    // painted last.
    bool paint(double t);
    // The painted frame: opaque Cairo ARGB32 rows, top row first.
    const std::uint8_t* data() const;
    int stride() const;

private:
    void layFlat(int page);

    const FlipThrough& video_;
    Canvas flat_; // the backdrop with flatPage_ lying on it
    Canvas frame_;
    int flatPage_ = -1;
    std::optional<FlipThrough::PageAndTurn> last_;
};

} // namespace folimo::flip
