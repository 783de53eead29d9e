#include "layouts.hpp"

#include "layout_geometry.hpp"

#include <algorithm>

namespace folimo::layouts {
namespace {

double shorterSide(const Rect& rect) {
    return std::min(rect.width, rect.height);
}

} // namespace

// Up to twelve pages in rows, all cards shaped like the first page.
void drawGrid(const ListingRenderer& renderer, cairo_t* cr, const Rect& rect,
              const std::vector<int>& pages) {
    const Rect content = renderer.drawBackdrop(cr, rect);
    const double aspect = renderer.source().aspect(pages.front());
    renderer.drawCards(layout::gridCards(pages, aspect, content), cr, shorterSide(rect) * 0.018);
}

// The first page in front of up to two others peeking out behind it.
void drawCover(const ListingRenderer& renderer, cairo_t* cr, const Rect& rect,
               const std::vector<int>& pages) {
    const Rect content = renderer.drawBackdrop(cr, rect).insetBy(rect.width * 0.02, 0);
    const double aspect = renderer.source().aspect(pages.front());
    const auto stack = ListingRenderer::fit(layout::coverStack(pages, aspect), content);
    renderer.drawCards(stack, cr, shorterSide(rect) * 0.03);
}

// Up to seven pages spread like a hand of cards, the first upright on top.
void drawFan(const ListingRenderer& renderer, cairo_t* cr, const Rect& rect,
             const std::vector<int>& pages) {
    const Rect content = renderer.drawBackdrop(cr, rect);
    const double aspect = renderer.source().aspect(pages.front());
    const auto fan = ListingRenderer::fit(layout::fanCards(pages, aspect), content);
    renderer.drawCards(fan, cr, shorterSide(rect) * 0.025);
}

} // namespace folimo::layouts
