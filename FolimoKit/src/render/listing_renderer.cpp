#include "folimo/listing_renderer.hpp"

#include "model/page_selection_p.hpp"
#include "model/unicode_trim.hpp"
#include "render/image_p.hpp"
#include "render/layouts.hpp"
#include "render/listing_painter.hpp"
#include "render/scenes.hpp"

namespace folimo {
namespace {

// How many pages each layout spreads over a blank page list, and keeps of a typed one.
struct PagePick {
    std::int64_t pick;
    std::int64_t limit;
};

PagePick pagePick(ImageLayout layout) {
    switch (layout) {
    case ImageLayout::grid:
        return {6, 12};
    case ImageLayout::cover:
        return {3, 3};
    case ImageLayout::fan:
        return {5, 7};
    case ImageLayout::clipboard:
        return {1, 1};
    case ImageLayout::desk:
        return {3, 3};
    case ImageLayout::frame:
        return {1, 1};
    }
    return {1, 1};
}

} // namespace

ListingRenderer::ListingRenderer(std::shared_ptr<const SourcePDF> source, ListingSettings settings)
    : source_(std::move(source))
    , settings_(std::move(settings)) {}

std::optional<Image> ListingRenderer::render(ImageLayout layout, PixelSize size) const {
    const PixelSize clamped = size.clamped();
    auto canvas = Canvas::create(int(clamped.width), int(clamped.height));
    if (!canvas) return std::nullopt;
    cairo_t* cr = canvas->context();
    const Rect rect = canvas->bounds();

    std::vector<int> shown = pages(layout);
    if (shown.empty()) shown = {0};
    const ListingPainter painter(*source_, settings_);
    switch (layout) {
    case ImageLayout::grid:
    case ImageLayout::cover:
    case ImageLayout::fan:
        layout::drawOnBackdrop(layout, painter, cr, rect, shown);
        break;
    case ImageLayout::clipboard:
        scenes::drawClipboard(painter, cr, rect, shown.front());
        break;
    case ImageLayout::desk:
        scenes::drawDesk(painter, cr, rect, shown);
        break;
    case ImageLayout::frame:
        scenes::drawFramed(painter, cr, rect, shown.front());
        break;
    }
    painter.drawBadge(cr, rect);
    // Cairo reports running out of memory midway through its context only.
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) return std::nullopt;
    return std::move(*canvas).finish();
}

std::vector<int> ListingRenderer::pages(ImageLayout layout) const {
    const PagePick pick = pagePick(layout);
    return PageSelection::choose(settings_.pages, source_->pageCount(), pick.pick, pick.limit);
}

} // namespace folimo
