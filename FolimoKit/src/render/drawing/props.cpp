#include "render/drawing/props.hpp"

#include "model/color_p.hpp"
#include "render/drawing/cairo_glue.hpp"
#include "render/drawing/paint.hpp"
#include "render/drawing/shadow.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace folimo::scenes {

namespace {

struct Leaf {
    double angleFactor;
    double lengthFactor;
};
// Fanned from the left to the right, with two short ones low at the sides.
constexpr std::array<Leaf, 8> leaves{{{-0.9, 0.95},
                                      {-0.5, 1.0},
                                      {-0.15, 1.05},
                                      {0.2, 1.0},
                                      {0.55, 0.95},
                                      {0.95, 0.85},
                                      {-1.2, 0.75},
                                      {1.25, 0.7}}};
constexpr std::array<RGBColor, 3> leafColors{rgb8(78, 125, 79), rgb8(107, 154, 92),
                                             rgb8(63, 107, 68)};

void fillTriangle(cairo_t* cr, Point a, Point b, Point c, const RGBColor& color) {
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_line_to(cr, c.x, c.y);
    cairo_close_path(cr);
    setColor(cr, color);
    cairo_fill(cr);
}

} // namespace

void drawPencil(cairo_t* cr, Point from, Point to, double thickness) {
    const double t = thickness;
    const double L = std::hypot(to.x - from.x, to.y - from.y);
    const SavedState saved(cr);
    cairo_translate(cr, from.x, from.y);
    cairo_rotate(cr, std::atan2(to.y - from.y, to.x - from.x));
    // x runs along the pencil, y across it. The whole pencil casts one shadow.
    drawWithShadow(cr, {0, -0.35 * t, 0.8 * t, RGBColor::black, 0.35}, [&](cairo_t* c) {
        // The body starts under the ferrule and the eraser's far end hides beneath it, so
        // only the eraser's rounded end shows.
        fillRect(c, {0.06 * L, -t / 2, 0.8 * L, t}, rgb8(242, 194, 48));
        addRoundedRect(c, {0, -t / 2, std::max(0.07 * L, 0.06 * L + 0.3 * t), t}, 0.3 * t);
        setColor(c, rgb8(229, 140, 147));
        cairo_fill(c);

        fillLinearGradient(c, {0.06 * L, -t / 2, 0.05 * L, t}, {0, t / 2}, {0, -t / 2},
                           {{rgb8(228, 230, 232)}, {rgb8(158, 164, 170)}});

        fillRect(c, {0.11 * L, 0.12 * t, 0.75 * L, 0.38 * t}, rgb8(247, 210, 90));
        fillRect(c, {0.11 * L, -t / 2, 0.75 * L, 0.3 * t}, rgb8(217, 165, 30));
        fillTriangle(c, {0.86 * L, t / 2}, {L, 0}, {0.86 * L, -t / 2}, rgb8(233, 201, 158));
        fillTriangle(c, {0.965 * L, 0.125 * t}, {L, 0}, {0.965 * L, -0.125 * t}, rgb8(58, 58, 58));
    });
}

void drawMug(cairo_t* cr, Point center, double radius) {
    const double x = center.x, y = center.y, r = radius;
    const RGBColor china = rgb8(244, 241, 234);
    drawWithShadow(cr, {0, -0.12 * r, 0.3 * r, RGBColor::black, 0.35}, [&](cairo_t* c) {
        addRoundedRect(c, {x + 0.8 * r, y - 0.22 * r, 0.55 * r, 0.44 * r}, 0.2 * r);
        setColor(c, china);
        cairo_fill(c);
        cairo_arc(c, x, y, r, 0, 2 * std::numbers::pi);
        setColor(c, china);
        cairo_fill(c);
    });

    cairo_arc(cr, x, y, 0.86 * r, 0, 2 * std::numbers::pi);
    setColor(cr, rgb8(217, 211, 199));
    cairo_fill(cr);

    const double c = 0.78 * r;
    {
        const SavedState saved(cr);
        cairo_arc(cr, x, y, c, 0, 2 * std::numbers::pi);
        cairo_clip(cr);
        paintRadialGradient(cr, {x - 0.2 * c, y + 0.2 * c}, 1.2 * c,
                            {{0, rgb8(139, 94, 60)}, {1, rgb8(74, 46, 28)}});
    }

    addEllipse(cr, {x - 0.55 * c, y + 0.25 * c, 0.5 * c, 0.22 * c});
    setColor(cr, RGBColor::white, 0.18);
    cairo_fill(cr);
}

void drawPaperClip(cairo_t* cr, Point center, double angle, double unit) {
    const double t = unit;
    const SavedState saved(cr);
    cairo_translate(cr, center.x, center.y);
    cairo_rotate(cr, angle);
    drawWithShadow(cr, {0, -0.03 * t, 0.06 * t, RGBColor::black, 0.3}, [&](cairo_t* c) {
        setColor(c, rgb8(154, 162, 170));
        cairo_set_line_width(c, 0.04 * t);
        cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
        addRoundedRect(c, {-0.5 * t, -0.12 * t, t, 0.24 * t}, 0.12 * t);
        cairo_stroke(c);
        // The inner loop: in along the bottom, round the left end, back out along the top.
        cairo_move_to(c, 0.32 * t, -0.075 * t);
        cairo_line_to(c, -0.3 * t, -0.075 * t);
        cairo_arc_negative(c, -0.3 * t, 0, 0.075 * t, -std::numbers::pi / 2, std::numbers::pi / 2);
        cairo_line_to(c, 0.22 * t, 0.075 * t);
        cairo_stroke(c);
    });
}

void drawPlant(cairo_t* cr, double x, double base, double height) {
    const double h = height;
    const double p = 0.36 * h; // pot height
    const double T = base + p; // pot top
    const double w = 0.13 * h; // leaf width
    for (std::size_t i = 0; i < leaves.size(); ++i) {
        const double l = 0.6 * h * leaves[i].lengthFactor;
        {
            const SavedState saved(cr);
            cairo_translate(cr, x, T - 0.05 * p);
            cairo_rotate(cr, -0.55 * leaves[i].angleFactor);
            cairo_move_to(cr, 0, 0);
            cairo_curve_to(cr, w, 0.3 * l, 0.6 * w, 0.8 * l, 0, l);
            cairo_curve_to(cr, -0.6 * w, 0.8 * l, -w, 0.3 * l, 0, 0);
            cairo_close_path(cr);
            setColor(cr, leafColors[i % leafColors.size()]);
            cairo_fill(cr);
            cairo_move_to(cr, 0, 0);
            cairo_line_to(cr, 0, 0.92 * l);
            setColor(cr, RGBColor::black, 0.12);
            cairo_set_line_width(cr, std::max(0.06 * w, 1.0));
            cairo_stroke(cr);
        }
    }

    drawWithShadow(cr, {0, -0.02 * h, 0.05 * h, RGBColor::black, 0.3}, [&](cairo_t* c) {
        cairo_move_to(c, x - 0.4 * p, base);
        cairo_line_to(c, x + 0.4 * p, base);
        cairo_line_to(c, x + 0.5 * p, T);
        cairo_line_to(c, x - 0.5 * p, T);
        cairo_close_path(c);
        setColor(c, rgb8(196, 105, 60));
        cairo_fill(c);
    });
    fillRect(cr, {x - 0.54 * p, T - 0.18 * p, 1.08 * p, 0.18 * p}, rgb8(210, 122, 74));
}

} // namespace folimo::scenes
