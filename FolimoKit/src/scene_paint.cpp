#include "scene_paint.hpp"

#include "cairo_glue.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace folimo::scenes {

namespace {

// Paints the current clip with pattern, its end colours continuing outside.
void paintPattern(cairo_t* cr, PatternPtr pattern) {
    cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
    SavedState saved(cr);
    cairo_set_source(cr, pattern.get());
    cairo_paint(cr);
}

} // namespace

void setColor(cairo_t* cr, const RGBColor& color, double alpha) {
    cairo_set_source_rgba(cr, color.red, color.green, color.blue, alpha);
}

void fillRect(cairo_t* cr, const Rect& rect, const RGBColor& color, double alpha) {
    cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    setColor(cr, color, alpha);
    cairo_fill(cr);
}

void addRoundedRect(cairo_t* cr, const Rect& rect, double radius) {
    const double r = std::clamp(radius, 0.0, std::min(rect.width, rect.height) / 2);
    constexpr double quarter = std::numbers::pi / 2;
    cairo_new_sub_path(cr);
    cairo_arc(cr, rect.maxX() - r, rect.minY() + r, r, -quarter, 0);
    cairo_arc(cr, rect.maxX() - r, rect.maxY() - r, r, 0, quarter);
    cairo_arc(cr, rect.minX() + r, rect.maxY() - r, r, quarter, 2 * quarter);
    cairo_arc(cr, rect.minX() + r, rect.minY() + r, r, 2 * quarter, 3 * quarter);
    cairo_close_path(cr);
}

void addEllipse(cairo_t* cr, const Rect& rect) {
    if (rect.width <= 0 || rect.height <= 0) return;
    cairo_save(cr);
    cairo_translate(cr, rect.midX(), rect.midY());
    cairo_scale(cr, rect.width / 2, rect.height / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void paintLinearGradient(cairo_t* cr, Point from, Point to,
                         std::initializer_list<ColorStop> stops) {
    PatternPtr pattern(cairo_pattern_create_linear(from.x, from.y, to.x, to.y));
    const double last = std::max<double>(double(stops.size()) - 1, 1);
    double index = 0;
    for (const ColorStop& stop : stops) {
        cairo_pattern_add_color_stop_rgba(pattern.get(), index++ / last, stop.color.red,
                                          stop.color.green, stop.color.blue, stop.alpha);
    }
    paintPattern(cr, std::move(pattern));
}

void fillLinearGradient(cairo_t* cr, const Rect& rect, Point from, Point to,
                        std::initializer_list<ColorStop> stops) {
    const SavedState saved(cr);
    cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    cairo_clip(cr);
    paintLinearGradient(cr, from, to, stops);
}

void paintRadialGradient(cairo_t* cr, Point center, double radius,
                         std::initializer_list<RadialStop> stops) {
    PatternPtr pattern(
        cairo_pattern_create_radial(center.x, center.y, 0, center.x, center.y, radius));
    for (const RadialStop& stop : stops) {
        cairo_pattern_add_color_stop_rgba(pattern.get(), stop.offset, stop.color.red,
                                          stop.color.green, stop.color.blue, stop.alpha);
    }
    paintPattern(cr, std::move(pattern));
}

void drawVignette(cairo_t* cr, Size size, double alpha, double inner) {
    paintRadialGradient(cr, {size.width / 2, size.height / 2},
                        std::hypot(size.width, size.height) / 2,
                        {{inner, RGBColor::black, 0}, {1.0, RGBColor::black, alpha}});
}

} // namespace folimo::scenes
