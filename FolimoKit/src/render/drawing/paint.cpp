#include "render/drawing/paint.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace folimo {

namespace {

void stroke(cairo_t* cr, const RGBColor& color, double alpha, double lineWidth, double dash) {
    const SavedState saved(cr);
    setColor(cr, color, alpha);
    cairo_set_line_width(cr, lineWidth);
    if (dash > 0) cairo_set_dash(cr, &dash, 1, 0);
    cairo_stroke(cr);
}

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

void addRoundedRect(cairo_t* cr, const Rect& rect, double radius) {
    const double r = std::max(0.0, std::min({radius, rect.width / 2, rect.height / 2}));
    constexpr double quarter = std::numbers::pi / 2;
    cairo_new_sub_path(cr);
    cairo_arc(cr, rect.maxX() - r, rect.minY() + r, r, -quarter, 0);
    cairo_arc(cr, rect.maxX() - r, rect.maxY() - r, r, 0, quarter);
    cairo_arc(cr, rect.minX() + r, rect.maxY() - r, r, quarter, 2 * quarter);
    cairo_arc(cr, rect.minX() + r, rect.minY() + r, r, 2 * quarter, 3 * quarter);
    cairo_close_path(cr);
}

void addRoundedRect(cairo_t* cr, const Rect& rect, double cornerWidth, double cornerHeight) {
    const Rect inner = rect.insetBy(cornerWidth, cornerHeight);
    auto corner = [&](double x, double y, double from) {
        const SavedState saved(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, cornerWidth, cornerHeight);
        cairo_arc(cr, 0, 0, 1, from, from + std::numbers::pi / 2);
    };
    cairo_new_sub_path(cr);
    corner(inner.maxX(), inner.minY(), -std::numbers::pi / 2);
    corner(inner.maxX(), inner.maxY(), 0);
    corner(inner.minX(), inner.maxY(), std::numbers::pi / 2);
    corner(inner.minX(), inner.minY(), std::numbers::pi);
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

void fillPath(cairo_t* cr, const RGBColor& color, double alpha) {
    setColor(cr, color, alpha);
    cairo_fill(cr);
}

void strokePath(cairo_t* cr, const RGBColor& color, double lineWidth, double dash) {
    stroke(cr, color, 1, lineWidth, dash);
}

void fillRect(cairo_t* cr, const Rect& rect, const RGBColor& color, double alpha) {
    cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    fillPath(cr, color, alpha);
}

void strokeRect(cairo_t* cr, const Rect& rect, const RGBColor& color, double lineWidth,
                double alpha) {
    cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    stroke(cr, color, alpha, lineWidth, 0);
}

void fillRoundedRect(cairo_t* cr, const Rect& rect, double radius, const RGBColor& color) {
    addRoundedRect(cr, rect, radius);
    fillPath(cr, color);
}

void strokeRoundedRect(cairo_t* cr, const Rect& rect, double radius, const RGBColor& color,
                       double lineWidth) {
    addRoundedRect(cr, rect, radius);
    strokePath(cr, color, lineWidth);
}

void strokeLine(cairo_t* cr, Point from, Point to, const RGBColor& color, double lineWidth,
                double dash) {
    cairo_move_to(cr, from.x, from.y);
    cairo_line_to(cr, to.x, to.y);
    strokePath(cr, color, lineWidth, dash);
}

void fillEllipse(cairo_t* cr, Point centre, double width, double height, const RGBColor& color) {
    addEllipse(cr, {centre.x - width / 2, centre.y - height / 2, width, height});
    fillPath(cr, color);
}

PatternPtr radialGradient(Point center, double radius, std::initializer_list<RadialStop> stops) {
    PatternPtr pattern(
        cairo_pattern_create_radial(center.x, center.y, 0, center.x, center.y, radius));
    for (const RadialStop& stop : stops) {
        cairo_pattern_add_color_stop_rgba(pattern.get(), stop.offset, stop.color.red,
                                          stop.color.green, stop.color.blue, stop.alpha);
    }
    cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
    return pattern;
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
    paintPattern(cr, radialGradient(center, radius, stops));
}

void drawVignette(cairo_t* cr, Size size, double alpha, double inner) {
    const double W = size.width, H = size.height;
    const double cx = W / 2, cy = H / 2, radius = std::hypot(W, H) / 2;
    // Nothing is laid over the clear middle (a radial gradient costs a lot per pixel on a
    // large image): in each strip, the chord of the clear circle that spans the whole strip
    // is left out, rounded inwards to whole pixels.
    const double clear = inner * radius;
    constexpr int strips = 32;
    const SavedState saved(cr);
    for (int k = 0; k < strips; ++k) {
        const double y0 = std::floor(H * k / strips);
        const double y1 = k + 1 == strips ? H : std::floor(H * (k + 1) / strips);
        const double dy = std::max(std::abs(y0 - cy), std::abs(y1 - cy));
        const double half = dy < clear ? std::sqrt(clear * clear - dy * dy) : 0;
        const double left = std::ceil(cx - half), right = std::floor(cx + half);
        if (right > left) {
            cairo_rectangle(cr, 0, y0, left, y1 - y0);
            cairo_rectangle(cr, right, y0, W - right, y1 - y0);
        } else {
            cairo_rectangle(cr, 0, y0, W, y1 - y0);
        }
    }
    cairo_clip(cr);
    paintRadialGradient(cr, {cx, cy}, radius,
                        {{inner, RGBColor::black, 0}, {1.0, RGBColor::black, alpha}});
}

} // namespace folimo
