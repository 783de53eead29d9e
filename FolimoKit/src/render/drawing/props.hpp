#pragma once

#include "folimo/geometry.hpp"

#include <cairo.h>

// The small things the scenes lay about, each with its own soft shadow. Drawn in cr's user
// space (y up); lengths in its units.
namespace folimo::scenes {

// A yellow pencil from its eraser at `from` to its lead at `to`, `thickness` across.
void drawPencil(cairo_t* cr, Point from, Point to, double thickness);
// A cup of coffee seen from above, handle to the right, cup radius `radius`.
void drawMug(cairo_t* cr, Point center, double radius);
// A steel paper clip `unit` long, centred at center and turned by angle (radians).
void drawPaperClip(cairo_t* cr, Point center, double angle, double unit);
// A potted plant `height` tall whose pot stands centred at (x, base).
void drawPlant(cairo_t* cr, double x, double base, double height);

} // namespace folimo::scenes
