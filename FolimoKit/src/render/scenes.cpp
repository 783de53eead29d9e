#include "render/scenes.hpp"

#include "model/color_p.hpp"
#include "render/drawing/cairo_glue.hpp"
#include "render/drawing/discs.hpp"
#include "render/drawing/noise.hpp"
#include "render/drawing/paint.hpp"
#include "render/drawing/props.hpp"
#include "render/drawing/shadow.hpp"
#include "render/image_p.hpp"
#include "render/scene_geometry.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace folimo::scenes {

namespace {

constexpr double fullCircle = 2 * std::numbers::pi;

// Moves the origin to rect's lower left, clipped to it: the scene draws in (0, 0, W, H).
void enterScene(cairo_t* cr, const Rect& rect) {
    cairo_translate(cr, rect.x, rect.y);
    cairo_rectangle(cr, 0, 0, rect.width, rect.height);
    cairo_clip(cr);
}

// Five planks of warm wood with grain and dark seams, over the whole image.
void drawTable(cairo_t* cr, double W, double H) {
    const RGBColor base = rgb8(191, 144, 100);
    fillRect(cr, {0, 0, W, H}, base);
    Noise noise(Noise::tableWoodSeed);
    for (int j = 0; j < 5; ++j) {
        const double plankY = H * j / 5;
        const RGBColor tint = j % 2 == 0 ? rgb8(168, 122, 80) : rgb8(207, 161, 118);
        fillRect(cr, {0, plankY, W, H / 5}, base.mixed(tint, 0.5 * noise.next()));
        for (int line = 0; line < 26; ++line) {
            const double y = plankY + H * noise.next() / 5;
            setColor(cr, rgb8(110, 74, 42), 0.05 + 0.08 * noise.next());
            cairo_set_line_width(cr, std::max(H * 0.0015 * (noise.next() + 0.5), 1.0));
            const double d = H * 0.008 * (noise.next() - 0.5);
            cairo_move_to(cr, 0, y);
            cairo_curve_to(cr, 0.35 * W, y + 3 * d, 0.65 * W, y - 3 * d, W, y + d);
            cairo_stroke(cr);
        }
        fillRect(cr, {0, plankY, W, std::max(H * 0.003, 1.0)}, rgb8(91, 59, 32), 0.35);
    }
}

// The hardboard of the clipboard with its grain, centred on the origin.
void drawBoard(cairo_t* cr, Size board, double s) {
    const double B = board.width, C = board.height;
    const Rect rect{-B / 2, -C / 2, B, C};
    drawWithShadow(cr, {0, -0.018 * s, 0.04 * s, RGBColor::black, 0.45}, [&](cairo_t* c) {
        addRoundedRect(c, rect, 0.045 * B);
        setColor(c, rgb8(123, 79, 42));
        cairo_fill(c);
    });

    const SavedState saved(cr);
    addRoundedRect(cr, rect, 0.045 * B);
    cairo_clip(cr);
    paintLinearGradient(cr, {rect.minX(), rect.maxY()}, {rect.maxX(), rect.minY()},
                        {{rgb8(167, 116, 69)}, {rgb8(126, 82, 48)}});
    Noise noise(Noise::clipboardGrainSeed);
    cairo_set_line_width(cr, 0.002 * s);
    for (int line = 0; line < 40; ++line) {
        const double y = rect.minY() + C * noise.next();
        setColor(cr, rgb8(90, 53, 24), 0.05 + 0.06 * noise.next());
        const double end = C * (noise.next() - 0.5) * 0.04;
        cairo_move_to(cr, rect.minX(), y);
        cairo_curve_to(cr, rect.minX() + 0.3 * B, y + 0.01 * C, rect.minX() + 0.7 * B, y - 0.01 * C,
                       rect.maxX(), y + end);
        cairo_stroke(cr);
    }
}

// The steel clip across the top edge of the board (the board centred on the origin).
void drawClip(cairo_t* cr, Size board, double s) {
    const double B = board.width, C = board.height;
    const double top = C / 2;
    const Rect body{-0.22 * B, top - 0.1 * C, 0.44 * B, 0.085 * C};
    drawWithShadow(cr, {0, -0.005 * s, 0.012 * s, RGBColor::black, 0.35}, [&](cairo_t* c) {
        addRoundedRect(c, {-0.11 * B, top - 0.035 * C, 0.22 * B, 0.07 * C}, 0.035 * C);
        setColor(c, rgb8(185, 190, 196));
        cairo_set_line_width(c, 0.018 * B);
        cairo_stroke(c);
        addRoundedRect(c, body, 0.3 * body.height);
        setColor(c, rgb8(169, 174, 180));
        cairo_fill(c);
    });

    {
        const SavedState saved(cr);
        addRoundedRect(cr, body, 0.3 * body.height);
        cairo_clip(cr);
        paintLinearGradient(cr, {0, body.maxY()}, {0, body.minY()},
                            {{rgb8(242, 244, 246)}, {rgb8(182, 187, 193)}, {rgb8(141, 147, 153)}});
    }

    setColor(cr, rgb8(110, 116, 122));
    const double rivet = 0.14 * body.height;
    for (double x : {body.minX() + 0.12 * body.width, body.maxX() - 0.12 * body.width}) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x, body.midY(), rivet, 0, fullCircle);
    }
    cairo_fill(cr);
}

// Fine dust on the desk's paper: one speckle for every 900 square pixels.
void drawSpeckles(cairo_t* cr, double W, double H, double s) {
    Noise noise(Noise::deskSpeckleSeed);
    const double d = 0.002 * s;
    std::vector<Disc> speckles(std::size_t(deskSpeckleCount({W, H})));
    for (Disc& speckle : speckles) {
        // The speckle is the circle in the square (x, y, d, d).
        const double x = W * noise.next();
        const double y = H * noise.next();
        speckle = {{x + d / 2, y + d / 2}, 0.05 + 0.04 * noise.next()};
    }
    fillDiscs(cr, {W, H}, speckles, d, rgb8(138, 122, 98));
}

// The wall shelf across the image, its top at y = S.
void drawShelf(cairo_t* cr, double W, double H, double s, double S) {
    drawWithShadow(cr, {0, -0.02 * s, 0.03 * s, RGBColor::black, 0.3}, [&](cairo_t* c) {
        fillRect(c, {0, S - 0.1 * H, W, 0.1 * H}, rgb8(169, 123, 80));
    });
    // The lit top of the board, then its front edge.
    fillLinearGradient(cr, {0, S - 0.04 * H, W, 0.04 * H}, {0, S}, {0, S - 0.04 * H},
                       {{rgb8(217, 174, 126)}, {rgb8(192, 144, 98)}});
    fillLinearGradient(cr, {0, S - 0.1 * H, W, 0.06 * H}, {0, S - 0.04 * H}, {0, S - 0.1 * H},
                       {{rgb8(169, 123, 80)}, {rgb8(140, 97, 60)}});
}

// Moulding, mat with its inner shadow, and the page on the mat.
void drawPictureFrame(const ListingPainter& painter, cairo_t* cr, const FrameGeometry& g, int page,
                      double s) {
    const Rect& frame = g.frame;
    drawWithShadow(cr, {0, -0.02 * s, 0.035 * s, RGBColor::black, 0.4},
                   [&](cairo_t* c) { fillRect(c, frame, rgb8(58, 42, 31)); });
    fillLinearGradient(cr, frame, {frame.minX(), frame.maxY()}, {frame.maxX(), frame.minY()},
                       {{rgb8(90, 65, 48)}, {rgb8(46, 32, 24)}});

    const Rect& mat = g.mat;
    fillRect(cr, mat, rgb8(250, 248, 243));
    // The mat sits a little below the moulding: a line just outside it throws a soft
    // shadow in along its top edge.
    {
        const SavedState saved(cr);
        cairo_rectangle(cr, mat.x, mat.y, mat.width, mat.height);
        cairo_clip(cr);
        drawWithShadow(cr, {0, -0.004 * s, 0.012 * s, RGBColor::black, 0.35}, [&](cairo_t* c) {
            strokeRect(c, mat.insetBy(-0.005 * s, -0.005 * s), RGBColor::black, 0.01 * s, 0.25);
        });
    }

    const Rect& picture = g.picture;
    const auto image = painter.source().image(page, static_cast<int>(std::ceil(picture.width)));
    if (!image) return;
    drawImage(cr, *image, picture);
    strokeRect(cr, picture.insetBy(-0.002 * s, -0.002 * s), RGBColor::black,
               std::max(0.0015 * s, 1.0), 0.18);
}

} // namespace

void drawClipboard(const ListingPainter& painter, cairo_t* cr, const Rect& rect, int page) {
    const double W = rect.width, H = rect.height, s = std::min(W, H);
    const ClipboardGeometry g = clipboardGeometry(rect.size(), painter.source().aspect(page));
    const SavedState scene(cr);
    enterScene(cr, rect);
    drawTable(cr, W, H);

    {
        const SavedState saved(cr);
        cairo_translate(cr, g.center.x, g.center.y);
        cairo_rotate(cr, g.angle);
        drawBoard(cr, g.board, s);
        painter.drawCards({{page, g.page.mid(), g.page.size(), 0}}, cr, 0.01 * s);
        drawClip(cr, g.board, s);
    }

    if (g.pencil) drawPencil(cr, {0.83 * W, 0.14 * H}, {0.9 * W, 0.8 * H}, 0.032 * s);
    drawVignette(cr, {W, H}, 0.3, 0.55);
}

void drawDesk(const ListingPainter& painter, cairo_t* cr, const Rect& rect,
              const std::vector<int>& pages) {
    const double W = rect.width, H = rect.height, s = std::min(W, H);
    const SavedState scene(cr);
    enterScene(cr, rect);
    fillRect(cr, {0, 0, W, H}, rgb8(237, 230, 218));
    paintRadialGradient(cr, {0.4 * W, 0.62 * H}, 0.8 * std::max(W, H),
                        {{0, rgb8(248, 244, 236)}, {1, rgb8(227, 218, 203)}});
    drawSpeckles(cr, W, H, s);

    const double clip = 0.09 * s;
    drawPaperClip(cr, {0.1 * W, 0.86 * H}, 0.5, clip);
    drawPaperClip(cr, {0.15 * W, 0.8 * H}, -0.3, clip);

    if (!pages.empty()) {
        const double aspect = painter.source().aspect(pages.front());
        painter.drawCards(deskCards(rect.size(), aspect, pages), cr, 0.02 * s);
    }
    drawPencil(cr, {0.79 * W, 0.07 * H}, {0.96 * W, 0.5 * H}, 0.028 * s);
    drawMug(cr, {0.87 * W, 0.83 * H}, 0.12 * s);
    drawVignette(cr, {W, H}, 0.12, 0.55);
}

void drawFramed(const ListingPainter& painter, cairo_t* cr, const Rect& rect, int page) {
    const double W = rect.width, H = rect.height, s = std::min(W, H);
    const FrameGeometry g = frameGeometry(rect.size(), painter.source().aspect(page));
    const SavedState scene(cr);
    enterScene(cr, rect);
    paintLinearGradient(cr, {0, H}, {0, 0}, {{rgb8(238, 235, 228)}, {rgb8(220, 215, 204)}});
    paintRadialGradient(cr, {0.2 * W, 0.95 * H}, 0.7 * std::max(W, H),
                        {{0, RGBColor::white, 0.45}, {1, RGBColor::white, 0}});
    drawShelf(cr, W, H, s, g.shelfTop);
    drawPictureFrame(painter, cr, g, page, s);
    if (g.plant) drawPlant(cr, g.plant->x, g.plant->y, g.plantHeight);
    drawVignette(cr, {W, H}, 0.1, 0.6);
}

} // namespace folimo::scenes
