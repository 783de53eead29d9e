#pragma once

#include "folimo/geometry.hpp"
#include "folimo/settings.hpp"
#include "render/listing_painter.hpp"

#include <cairo.h>
#include <vector>

namespace folimo::layout {

// The three layouts on the brand backdrop, over the whole of rect: the page grid (up to
// twelve pages in rows), the cover stack (the first page in front of up to two others
// peeking out behind it) and the fan (up to seven pages spread like a hand of cards, the
// first upright on top). pages is never empty.
void drawOnBackdrop(ImageLayout layout, const ListingPainter& painter, cairo_t* cr,
                    const Rect& rect, const std::vector<int>& pages);

} // namespace folimo::layout
