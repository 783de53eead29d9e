#include "drawing.hpp"
#include "folimo/image.hpp"
#include "pdf_readback.hpp"
#include "render/drawing/cairo_glue.hpp"
#include "render/drawing/shadow.hpp"
#include "test_support.hpp"

#include <algorithm>
#include <cairo-pdf.h>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <numbers>

using namespace folimo;

namespace {

constexpr int side = 400;

// Alpha (0...1) at x, y of the y-up drawing space.
double alphaAt(const Image& image, int x, int y) {
    return test::pixelUp(image, x, y).alpha / 255.0;
}

void fillSquare(cairo_t* cr, double x, double y, double size) {
    cairo_rectangle(cr, x, y, size, size);
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_fill(cr);
}

Image drawn(const std::function<void(cairo_t*)>& draw) {
    return test::drawn(side, side, [&](cairo_t* cr, auto) { draw(cr); });
}

// A shadow edge blurred with sigma = blur / 2 falls off as the Gaussian's tail.
void expectGaussianEdge(double blur) {
    const double sigma = blur / 2;
    // The square lies off the picture; its shadow covers x 50...250, y -50...150.
    const Image image = drawn([&](cairo_t* cr) {
        drawWithShadow(cr, {0, 150, blur, RGBColor::black, 0.8},
                       [](cairo_t* cr) { fillSquare(cr, 50, -200, 200); });
    });
    for (int x = 240 - int(2 * sigma); x < 250 + int(4 * sigma); ++x) {
        const double distance = x + 0.5 - 250;
        const double expected = 0.8 * 0.5 * std::erfc(distance / (sigma * std::sqrt(2.0)));
        EXPECT_NEAR(alphaAt(image, x, 50), expected, 0.025) << "blur " << blur << ", x " << x;
    }
    EXPECT_EQ(alphaAt(image, 250 + int(4.5 * sigma), 50), 0) << "blur " << blur;
}

} // namespace

TEST(Shadow, FallsDownOnThePictureHoweverUserSpaceIsTurned) {
    for (double angle : {0.0, 0.7, std::numbers::pi / 2, 2.5}) {
        const Image image = drawn([&](cairo_t* cr) {
            cairo_translate(cr, 200, 200);
            cairo_rotate(cr, angle);
            cairo_scale(cr, 2, 2);
            drawWithShadow(cr, {0, -40, 0, RGBColor::black, 0.5},
                           [](cairo_t* cr) { fillSquare(cr, -20, -20, 40); });
        });
        // The square covers 160...240 whatever the angle's quarter turn; its shadow lies
        // 80 pixels lower on the picture (offset 40 at scale 2).
        EXPECT_EQ(image.pixel(200, 199).red, 255) << angle;
        EXPECT_NEAR(alphaAt(image, 200, 100), 0.5, 0.01) << angle;
        EXPECT_EQ(alphaAt(image, 200, 300), 0) << angle;
        EXPECT_EQ(alphaAt(image, 100, 200), 0) << angle;
        EXPECT_EQ(alphaAt(image, 300, 200), 0) << angle;
    }
}

TEST(Shadow, BlurIsAGaussianOfHalfTheBlurAtSmallAndLargeSizes) {
    expectGaussianEdge(6);  // worked out at full resolution
    expectGaussianEdge(60); // worked out on a reduced mask
}

TEST(Shadow, FollowsTheAlphaOfWhatIsDrawn) {
    const Image image = drawn([](cairo_t* cr) {
        drawWithShadow(cr, {0, -150, 0, RGBColor::black, 0.6}, [](cairo_t* cr) {
            cairo_rectangle(cr, 100, 200, 200, 100);
            cairo_set_source_rgba(cr, 0, 0, 1, 0.5);
            cairo_fill(cr);
        });
    });
    EXPECT_NEAR(alphaAt(image, 200, 100), 0.3, 0.01);
    EXPECT_NEAR(alphaAt(image, 200, 250), 0.5, 0.01);
}

TEST(Shadow, IsLeftOutOnlyWhereAnOpaqueDrawingCoversIt) {
    // A card that lets a trace of its shadow through must look the same as an opaque one.
    auto card = [](double alpha) {
        return drawn([&](cairo_t* cr) {
            cairo_set_source_rgb(cr, 0.9, 0.9, 0.9);
            cairo_paint(cr);
            cairo_translate(cr, 190, 210);
            cairo_rotate(cr, 0.11);
            drawWithShadow(cr, {0, -12, 34, RGBColor::black, 0.32}, [&](cairo_t* cr) {
                cairo_rectangle(cr, -110, -150, 220, 300);
                cairo_set_source_rgba(cr, 1, 1, 1, alpha);
                cairo_fill(cr);
            });
        });
    };
    const Image opaque = card(1), seeThrough = card(0.996);
    int worst = 0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const RGBA8 a = opaque.pixel(x, y), b = seeThrough.pixel(x, y);
            worst = std::max({worst, std::abs(a.red - b.red), std::abs(a.alpha - b.alpha)});
        }
    EXPECT_LE(worst, 2);
}

TEST(Shadow, NothingIsPaintedOutsideTheClip) {
    const Image image = drawn([](cairo_t* cr) {
        cairo_rectangle(cr, 0, 150, side, 250);
        cairo_clip(cr);
        drawWithShadow(cr, {0, -100, 20, RGBColor::black, 1},
                       [](cairo_t* cr) { fillSquare(cr, 100, 200, 100); });
    });
    EXPECT_GT(alphaAt(image, 150, 160), 0.9);
    for (int y = 0; y < 150; ++y)
        ASSERT_EQ(alphaAt(image, 150, y), 0) << y;
}

TEST(Shadow, WorksOnPDFPages) {
    test::TempDir folder;
    const auto path = folder / "shadow.pdf";
    {
        SurfacePtr pdf(cairo_pdf_surface_create(path.c_str(), 200, 200));
        ContextPtr cr(cairo_create(pdf.get()));
        cairo_translate(cr.get(), 0, 200);
        cairo_scale(cr.get(), 1, -1);
        drawWithShadow(cr.get(), {0, -60, 4, RGBColor::black, 1},
                       [](cairo_t* cr) { fillSquare(cr, 70, 100, 60); });
    }
    const Image image = test::renderPage(test::popplerDocument(path).get(), 0);
    // Image rows: the square spans rows 40...100; its shadow 100...160.
    EXPECT_EQ(image.pixel(100, 70), (RGBA8{255, 0, 0, 255}));
    EXPECT_LT(image.pixel(100, 130).red, 15);
    EXPECT_EQ(image.pixel(100, 185), (RGBA8{255, 255, 255, 255}));
}
