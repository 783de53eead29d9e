#pragma once

#include "folimo/color.hpp"
#include "folimo/geometry.hpp"

#include <cairo.h>
#include <initializer_list>

// Small drawing words the scenes and their props are written in (cr's user space, y up).
namespace folimo::scenes {

// An 8-bit sRGB triple as a colour.
constexpr RGBColor rgb8(int red, int green, int blue) {
    return {red / 255.0, green / 255.0, blue / 255.0};
}

struct ColorStop {
    RGBColor color;
    double alpha = 1;
};

void setColor(cairo_t* cr, const RGBColor& color, double alpha = 1);
void fillRect(cairo_t* cr, const Rect& rect, const RGBColor& color, double alpha = 1);
// Adds a rounded rectangle to the path; the radius is limited to half of either side.
void addRoundedRect(cairo_t* cr, const Rect& rect, double radius);
// Adds the ellipse inscribed in rect to the path.
void addEllipse(cairo_t* cr, const Rect& rect);

// Paints the current clip with a linear gradient from `from` to `to`, stops evenly spaced,
// the end colours continuing beyond both ends.
void paintLinearGradient(cairo_t* cr, Point from, Point to, std::initializer_list<ColorStop> stops);
// Fills rect with a linear gradient from `from` to `to` as above.
void fillLinearGradient(cairo_t* cr, const Rect& rect, Point from, Point to,
                        std::initializer_list<ColorStop> stops);
// Paints the current clip with a radial gradient around center from radius 0 to radius,
// stops at the given offsets, the last colour continuing outside.
struct RadialStop {
    double offset;
    RGBColor color;
    double alpha = 1;
};
void paintRadialGradient(cairo_t* cr, Point center, double radius,
                         std::initializer_list<RadialStop> stops);

// Darkens the edges of the image (0, 0, size): black from alpha 0 at the fraction `inner`
// of the half diagonal to `alpha` at the corners. Paints the current clip.
void drawVignette(cairo_t* cr, Size size, double alpha, double inner);

} // namespace folimo::scenes
