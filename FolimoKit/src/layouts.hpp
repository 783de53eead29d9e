#pragma once

#include "folimo/geometry.hpp"
#include "listing_painter.hpp"

#include <cairo.h>
#include <vector>

// The three layouts on the brand backdrop: the page grid, the cover stack and the fan.
// Each draws over the whole of rect; pages is never empty.
namespace folimo::layout {

void drawGrid(const ListingPainter& painter, cairo_t* cr, const Rect& rect,
              const std::vector<int>& pages);
void drawCover(const ListingPainter& painter, cairo_t* cr, const Rect& rect,
               const std::vector<int>& pages);
void drawFan(const ListingPainter& painter, cairo_t* cr, const Rect& rect,
             const std::vector<int>& pages);

} // namespace folimo::layout
