#include "layouts.hpp"

#include "layout_geometry.hpp"

namespace folimo::layout {
// Up to twelve pages in rows, all cards shaped like the first page.
void drawGrid(const ListingPainter& painter, cairo_t* cr, const Rect& rect,
              const std::vector<int>& pages) {
    const Rect content = painter.drawBackdrop(cr, rect);
    const double aspect = painter.source().aspect(pages.front());
    painter.drawCards(gridCards(pages, aspect, content), cr, shorterSide(rect.size()) * 0.018);
}

// The first page in front of up to two others peeking out behind it.
void drawCover(const ListingPainter& painter, cairo_t* cr, const Rect& rect,
               const std::vector<int>& pages) {
    const Rect content = painter.drawBackdrop(cr, rect).insetBy(rect.width * 0.02, 0);
    const double aspect = painter.source().aspect(pages.front());
    const auto stack = fitted(coverStack(pages, aspect), content);
    painter.drawCards(stack, cr, shorterSide(rect.size()) * 0.03);
}

// Up to seven pages spread like a hand of cards, the first upright on top.
void drawFan(const ListingPainter& painter, cairo_t* cr, const Rect& rect,
             const std::vector<int>& pages) {
    const Rect content = painter.drawBackdrop(cr, rect);
    const double aspect = painter.source().aspect(pages.front());
    const auto fan = fitted(fanCards(pages, aspect), content);
    painter.drawCards(fan, cr, shorterSide(rect.size()) * 0.025);
}

} // namespace folimo::layout
