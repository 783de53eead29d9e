#include "export/flip_through_p.hpp"
#include "folimo/listing_error.hpp"
#include "render/image_p.hpp"

#include <cstring>

namespace folimo::flip {
namespace {

Canvas blank(PixelSize size) {
    auto canvas = Canvas::create(int(size.width), int(size.height));
    if (!canvas) throw ListingError::video("out of memory");
    return std::move(*canvas);
}

cairo_surface_t* surface(const Canvas& canvas) {
    return cairo_get_target(canvas.context());
}

// Both canvases have the frame's size, hence the same stride.
void copyPixels(const Canvas& from, const Canvas& to) {
    cairo_surface_flush(surface(from));
    std::memcpy(
        cairo_image_surface_get_data(surface(to)), cairo_image_surface_get_data(surface(from)),
        std::size_t(cairo_image_surface_get_stride(surface(from))) * std::size_t(from.height()));
    cairo_surface_mark_dirty(surface(to));
}

} // namespace

FramePainter::FramePainter(const FlipThrough& video)
    : video_(video)
    , flat_(blank(video.size()))
    , frame_(blank(video.size())) {}

bool FramePainter::paint(double t) {
    const FlipThrough::PageAndTurn now = video_.pageAndTurn(t);
    if (now == last_) return false;
    last_ = now;
    const std::vector<int>& pages = video_.pages();
    const int top = pages[std::size_t(now.page)];
    const bool turning = now.turn > 0;
    layFlat(turning ? pages[std::size_t(now.page) + 1] : top);
    copyPixels(flat_, frame_);
    const auto image = pageImage(video_, top);
    if (!image) return true;
    if (turning && !drawTurningPage(video_, frame_.context(), *image, now.turn)) return true;
    drawBadge(video_, frame_.context());
    return true;
}

const std::uint8_t* FramePainter::data() const {
    cairo_surface_flush(surface(frame_));
    return cairo_image_surface_get_data(surface(frame_));
}

int FramePainter::stride() const {
    return cairo_image_surface_get_stride(surface(frame_));
}

void FramePainter::layFlat(int page) {
    if (page == flatPage_) return;
    drawBackdrop(video_, flat_.context());
    drawFlatPage(video_, flat_.context(), page);
    flatPage_ = page;
}

} // namespace folimo::flip
