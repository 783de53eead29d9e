#pragma once

#include "folimo/geometry.hpp"
#include "render/listing_painter.hpp"

#include <cairo.h>
#include <vector>

// The three scenes that place the seller's cover in a small still life the program draws
// itself. Each paints its own background over rect and shows no title; the renderer draws
// the badge over the result afterwards.
namespace folimo::scenes {

// The cover on a clipboard lying on a wooden table (a pencil beside it when there is room).
void drawClipboard(const ListingPainter& painter, cairo_t* cr, const Rect& rect, int page);
// Up to three pages on a desk, the first on top, with paper clips, a pencil and a mug.
void drawDesk(const ListingPainter& painter, cairo_t* cr, const Rect& rect,
              const std::vector<int>& pages);
// The cover framed on a shelf (a plant beside it when there is room).
void drawFramed(const ListingPainter& painter, cairo_t* cr, const Rect& rect, int page);

} // namespace folimo::scenes
