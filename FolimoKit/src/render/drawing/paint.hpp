#pragma once

#include "folimo/color.hpp"
#include "folimo/geometry.hpp"
#include "render/drawing/cairo_glue.hpp"

#include <cairo.h>
#include <initializer_list>

// Small drawing words the pictures of the library are written in: colours, paths, fills,
// strokes and gradients in cr's user space (y up). Fills and strokes use up the path.
namespace folimo {

void setColor(cairo_t* cr, const RGBColor& color, double alpha = 1);

// Adds a rounded rectangle to the path; the radius is limited to half of either side.
void addRoundedRect(cairo_t* cr, const Rect& rect, double radius);
// Adds a rectangle whose corners are quarter ellipses cornerWidth wide and cornerHeight tall.
void addRoundedRect(cairo_t* cr, const Rect& rect, double cornerWidth, double cornerHeight);
// Adds the ellipse inscribed in rect to the path.
void addEllipse(cairo_t* cr, const Rect& rect);

void fillPath(cairo_t* cr, const RGBColor& color, double alpha = 1);
// dash, when not 0, strokes dashes of that length with gaps of the same length. The line
// width and dash stay with this stroke.
void strokePath(cairo_t* cr, const RGBColor& color, double lineWidth, double dash = 0);
void fillRect(cairo_t* cr, const Rect& rect, const RGBColor& color, double alpha = 1);
// Strokes rect's outline as strokePath does.
void strokeRect(cairo_t* cr, const Rect& rect, const RGBColor& color, double lineWidth,
                double alpha = 1);
void fillRoundedRect(cairo_t* cr, const Rect& rect, double radius, const RGBColor& color);
void strokeRoundedRect(cairo_t* cr, const Rect& rect, double radius, const RGBColor& color,
                       double lineWidth);
void strokeLine(cairo_t* cr, Point from, Point to, const RGBColor& color, double lineWidth,
                double dash = 0);
void fillEllipse(cairo_t* cr, Point centre, double width, double height, const RGBColor& color);

struct ColorStop {
    RGBColor color;
    double alpha = 1;
};
struct RadialStop {
    double offset;
    RGBColor color;
    double alpha = 1;
};

// A radial gradient around center from radius 0 to radius, stops at the given offsets, the
// end colours continuing beyond both ends.
PatternPtr radialGradient(Point center, double radius, std::initializer_list<RadialStop> stops);
// Paints the current clip with a linear gradient from `from` to `to`, stops evenly spaced,
// the end colours continuing beyond both ends.
void paintLinearGradient(cairo_t* cr, Point from, Point to, std::initializer_list<ColorStop> stops);
// Fills rect with a linear gradient from `from` to `to` as above.
void fillLinearGradient(cairo_t* cr, const Rect& rect, Point from, Point to,
                        std::initializer_list<ColorStop> stops);
// Paints the current clip with radialGradient(center, radius, stops).
void paintRadialGradient(cairo_t* cr, Point center, double radius,
                         std::initializer_list<RadialStop> stops);

// Darkens the edges of the image (0, 0, size): black from alpha 0 at the fraction `inner`
// of the half diagonal to `alpha` at the corners. Paints the current clip.
void drawVignette(cairo_t* cr, Size size, double alpha, double inner);

} // namespace folimo
