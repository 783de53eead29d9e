#include "render/layouts.hpp"

#include "render/layout_geometry.hpp"
#include "render/page_placement.hpp"

namespace folimo::layout {

void drawOnBackdrop(ImageLayout layout, const ListingPainter& painter, cairo_t* cr,
                    const Rect& rect, const std::vector<int>& pages) {
    painter.drawBackdrop(cr, rect);
    const double aspect = painter.source().aspect(pages.front());
    const auto cards = placedPages(layout, rect, painter.settings().showTitle, aspect, pages);
    // The cards' shadows, in parts of the image's shorter side.
    const double shadow = layout == ImageLayout::grid    ? 0.018
                          : layout == ImageLayout::cover ? 0.03
                                                         : 0.025;
    painter.drawCards(cards, cr, shorterSide(rect.size()) * shadow);
}

} // namespace folimo::layout
