#pragma once

#include "folimo/geometry.hpp"
#include "folimo/listing_renderer.hpp"

#include <cairo.h>
#include <vector>

// The three layouts on the brand backdrop: the page grid, the cover stack and the fan.
// Each draws over the whole of rect; pages is never empty.
namespace folimo::layouts {

void drawGrid(const ListingRenderer& renderer, cairo_t* cr, const Rect& rect,
              const std::vector<int>& pages);
void drawCover(const ListingRenderer& renderer, cairo_t* cr, const Rect& rect,
               const std::vector<int>& pages);
void drawFan(const ListingRenderer& renderer, cairo_t* cr, const Rect& rect,
             const std::vector<int>& pages);

} // namespace folimo::layouts
