#include "drawing.hpp"
#include "folimo/image.hpp"
#include "folimo/source_pdf.hpp"
#include "model/color_p.hpp"
#include "render/drawing/discs.hpp"
#include "render/drawing/noise.hpp"
#include "render/drawing/paint.hpp"
#include "render/drawing/props.hpp"
#include "render/listing_painter.hpp"
#include "render/scene_geometry.hpp"
#include "render/scenes.hpp"
#include "test_support.hpp"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <set>

using namespace folimo;
using namespace folimo::scenes;
using test::drawn;
using test::pixelUp;

namespace {

constexpr double letter = 612.0 / 792.0;

// The plain yellow of the pencil's body.
const auto isYellow = [](RGBA8 p) { return p.red - p.blue > 120 && p.green > 140; };

} // namespace

// The board is centred while the image is too narrow for the pencil beside it (whose
// pixels the scene test below looks at); the page has equal margins at the board's sides
// and bottom.
TEST(ClipboardGeometry, BoardIsCentredUnlessThePencilLiesBesideIt) {
    EXPECT_DOUBLE_EQ(clipboardGeometry({1000, 1000}, letter).center.x, 500);
    const ClipboardGeometry narrow = clipboardGeometry({1000, 2000}, letter);
    EXPECT_LE(narrow.board.width, 1000);
    EXPECT_NEAR(narrow.page.width / narrow.page.height, letter, 1e-12);

    const ClipboardGeometry wide = clipboardGeometry({2000, 1000}, letter);
    EXPECT_LT(wide.center.x, 1000);
    const double side = wide.page.minX() + wide.board.width / 2;
    const double bottom = wide.page.minY() + wide.board.height / 2;
    EXPECT_GT(side, 0);
    EXPECT_NEAR(side, bottom, 1e-9);
    EXPECT_NEAR(wide.page.midX(), 0, 1e-9);
    EXPECT_LT(wide.page.maxY(), wide.board.height / 2);
}

// At most three pages, drawn last first so that the first lies on top, flat at the slot's
// centre; a page is as tall as 0.78 of the image unless 0.56 of the width holds it narrower.
TEST(DeskGeometry, PagesAreDrawnLastFirstSoTheFirstLiesOnTop) {
    const auto one = deskCards({2000, 1000}, letter, {4});
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].page, 4);
    EXPECT_NEAR(one[0].size.height, 780, 1e-9);

    const auto cards = deskCards({1000, 1000}, letter, {0, 5, 9, 11});
    ASSERT_EQ(cards.size(), 3u);
    EXPECT_EQ(cards[0].page, 9);
    EXPECT_EQ(cards[1].page, 5);
    EXPECT_EQ(cards[2].page, 0);
    EXPECT_NEAR(cards[2].size.width, 560, 1e-9);
}

TEST(FrameGeometry, PictureKeepsThePageAspectCentredInsideTheMat) {
    for (double aspect : {letter, 1.4142, 0.3}) {
        const FrameGeometry g = frameGeometry({1200, 900}, aspect);
        const double border = 0.125 * g.frame.height;
        EXPECT_NEAR(g.picture.width / g.picture.height, aspect, 1e-9);
        EXPECT_NEAR(g.picture.midX(), g.frame.midX(), 1e-9);
        EXPECT_NEAR(g.picture.midY(), g.frame.midY(), 1e-9);
        EXPECT_GE(g.picture.minX(), g.frame.minX() + border - 1e-9);
        EXPECT_GE(g.picture.minY(), g.frame.minY() + border - 1e-9);
    }
}

// A wide image has a plant beside the frame, standing on the frame's lower edge; a tall one
// has none, and its frame is centred.
TEST(FrameGeometry, APlantNeverRunsOffTheImageOrOverTheFrame) {
    const FrameGeometry tall = frameGeometry({1000, 2000}, letter);
    EXPECT_NEAR(tall.frame.midX(), 500, 1e-9);
    EXPECT_FALSE(tall.plant);
    for (double width : {500.0, 760.0, 800.0, 1000.0, 1500.0, 2000.0, 3000.0}) {
        const FrameGeometry g = frameGeometry({width, 1000}, letter);
        EXPECT_TRUE(width < 2000 || g.plant) << width;
        if (!g.plant) continue;
        EXPECT_NEAR(g.plant->y, g.frame.minY(), 1e-9);
        // The pot's rim is 1.08 x 0.36 of the plant's height wide.
        const double rim = 0.54 * 0.36 * g.plantHeight;
        EXPECT_GT(g.plant->x - rim, g.frame.maxX()) << width;
        EXPECT_LT(g.plant->x + rim, width) << width;
    }
}

// The scenes' grain must look the same in every image made, and differ between surfaces.
TEST(Noise, SeedsRepeatTheirDrawsSpreadEvenlyOverTheUnitInterval) {
    Noise a(Noise::deskSpeckleSeed), b(Noise::deskSpeckleSeed), c(Noise::tableWoodSeed);
    std::array<int, 10> deciles{};
    std::set<double> distinct;
    int same = 0;
    for (int i = 0; i < 10000; ++i) {
        const double x = a.next();
        ASSERT_EQ(x, b.next());
        ASSERT_TRUE(x >= 0 && x < 1) << x;
        same += x == c.next();
        ++deciles[static_cast<std::size_t>(x * 10)];
        distinct.insert(x);
    }
    EXPECT_LT(same, 50);
    for (int count : deciles)
        EXPECT_NEAR(count, 1000, 150);
    EXPECT_GT(distinct.size(), 9900u); // fine grain, not a few levels
}

TEST(SceneDrawing, DiscsMatchCairoFillsAcrossBands) {
    // Discs strewn over several bands and over the edges, drawn one by one with Cairo
    // and all at once; a flipped or shifted mask would differ by whole discs.
    constexpr int width = 301, height = 517;
    std::vector<Disc> discs;
    Noise noise(7);
    for (int i = 0; i < 300; ++i) {
        const double x = width * 1.1 * noise.next() - 15;
        const double y = height * 1.1 * noise.next() - 25;
        discs.push_back({{x, y}, 0.2 + 0.6 * noise.next()});
    }
    const RGBColor dust = rgb8(40, 90, 160);
    for (double diameter : {1.3, 9.0}) {
        const Image reference = drawn(width, height, [&](cairo_t* cr, const Rect& r) {
            fillRect(cr, r, RGBColor::white);
            for (const Disc& disc : discs) {
                cairo_arc(cr, disc.center.x, disc.center.y, diameter / 2, 0, 2 * std::numbers::pi);
                setColor(cr, dust, disc.alpha);
                cairo_fill(cr);
            }
        });
        const Image actual = drawn(width, height, [&](cairo_t* cr, const Rect& r) {
            fillRect(cr, r, RGBColor::white);
            fillDiscs(cr, r.size(), discs, diameter, dust);
        });
        double total = 0;
        int worst = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const int d = std::abs(reference.pixel(x, y).red - actual.pixel(x, y).red);
                total += d;
                worst = std::max(worst, d);
            }
        }
        EXPECT_LT(total / (width * height), 0.3) << diameter;
        EXPECT_LE(worst, 32) << diameter;
    }
}

TEST(SceneDrawing, VignetteDarkensOnlyTowardsTheCorners) {
    const Image image = drawn(400, 300, [](cairo_t* cr, const Rect& r) {
        fillRect(cr, r, RGBColor::white);
        drawVignette(cr, r.size(), 0.3, 0.55);
    });
    EXPECT_EQ(pixelUp(image, 200, 150).red, 255);
    EXPECT_EQ(pixelUp(image, 320, 150).red, 255); // 48 % of the way out
    for (auto [x, y] : {std::pair{0, 0}, {399, 0}, {0, 299}, {399, 299}})
        EXPECT_NEAR(pixelUp(image, x, y).red, 0.7 * 255, 3);
    EXPECT_LT(pixelUp(image, 360, 280).red, pixelUp(image, 300, 220).red);
}

// The eraser's rounded end is the pencil's end: no corner of the yellow body shows past it.
TEST(SceneDrawing, PencilEndsInTheEraserAlone) {
    const Image image = drawn(500, 200, [](cairo_t* cr, const Rect& r) {
        fillRect(cr, r, RGBColor::white);
        drawPencil(cr, {50, 100}, {450, 100}, 40);
    });
    for (double y : {81.0, 119.0})
        EXPECT_FALSE(isYellow(pixelUp(image, 51, y))) << y;
    EXPECT_TRUE(isYellow(pixelUp(image, 250, 100)));
}

TEST(SceneImages, PencilLiesBesideTheClipboardOnlyWhenThereIsRoom) {
    const auto pdf = SourcePDF::open(test::outsidePDF("CAD.pdf"));
    const ListingSettings settings;
    const ListingPainter painter(*pdf, settings);
    // Half way along the pencil, on its axis: the plain yellow of its body.
    const Image wide = drawn(
        1000, 500, [&](cairo_t* cr, const Rect& r) { scenes::drawClipboard(painter, cr, r, 0); });
    EXPECT_TRUE(isYellow(pixelUp(wide, 865, 235)));
    const Image square = drawn(
        500, 500, [&](cairo_t* cr, const Rect& r) { scenes::drawClipboard(painter, cr, r, 0); });
    EXPECT_FALSE(isYellow(pixelUp(square, 432, 235)));
    // The wood shows there instead; the page's white margin lies on the board.
    EXPECT_GT(pixelUp(square, 432, 235).red, 120);
    EXPECT_GT(pixelUp(square, 128, 240).blue, 200);
}
