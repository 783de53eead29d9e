#pragma once

#include "folimo/color.hpp"

#include <cairo.h>
#include <functional>

namespace folimo {

// A soft shadow as a desk lamp casts it: offset and blur are lengths in the user space the
// shadow is set in (y up, so dy < 0 falls downwards); the blur is a Gaussian of sigma
// blur / 2. The offset keeps its direction on the finished picture however the user space
// is turned, as a real shadow does.
struct Shadow {
    double dx = 0;
    double dy = 0;
    double blur = 0;
    RGBColor color = RGBColor::black;
    double alpha = 0;
};

// Draws what `draw` draws into cr, beneath it the shadow of its coverage. The one routine
// behind every shadow of the library (cards, badge, board, clip, frame, props, sheets).
void drawWithShadow(cairo_t* cr, const Shadow& shadow, const std::function<void(cairo_t*)>& draw);

} // namespace folimo
