#include "drawing.hpp"
#include "folimo/font_families.hpp"
#include "folimo/listing_renderer.hpp"
#include "pdf_files.hpp"
#include "render/image_p.hpp"
#include "render/layout_geometry.hpp"
#include "render/listing_painter.hpp"
#include "render/text_p.hpp"
#include "test_support.hpp"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numeric>
#include <thread>

using namespace folimo;
using layout::Placed;
using test::manual;

namespace {

constexpr double letter = 612.0 / 792.0;

std::vector<int> firstPages(int count) {
    std::vector<int> pages(static_cast<std::size_t>(count));
    std::iota(pages.begin(), pages.end(), 0);
    return pages;
}

// The axis-aligned box around the turned cards.
Rect bounds(const std::vector<Placed>& cards) {
    double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
    for (const Placed& card : cards)
        for (double sx : {-0.5, 0.5})
            for (double sy : {-0.5, 0.5}) {
                const double x = sx * card.size.width, y = sy * card.size.height;
                const double c = std::cos(card.angle), s = std::sin(card.angle);
                minX = std::min(minX, card.center.x + x * c - y * s);
                maxX = std::max(maxX, card.center.x + x * c - y * s);
                minY = std::min(minY, card.center.y + x * s + y * c);
                maxY = std::max(maxY, card.center.y + x * s + y * c);
            }
    return {minX, minY, maxX - minX, maxY - minY};
}

} // namespace

TEST(ListingBackdrop, LeavesAMarginAndHangsTheTitleFromTheTop) {
    EXPECT_EQ(layout::backdrop({0, 0, 1000, 500}, false).content, (Rect{30, 30, 940, 440}));
    const auto square = layout::backdrop({0, 0, 1000, 1000}, true);
    ASSERT_TRUE(square.titleBlock);
    EXPECT_GT(square.titleBlock->minY(), square.content.maxY());
    EXPECT_LT(square.titleBlock->maxY(), 1000);
}

TEST(ListingBadge, SitsInTheBottomRightCornerAndIsCappedInWidth) {
    EXPECT_EQ(layout::badgeRect({0, 0, 2000, 1000}, 100, false), (Rect{1795, 35, 170, 75}));
    // Kept inside the centred square of a 4:3 image or its portrait twin: 3.5 % of the
    // side in from the square's corner, and no wider than 60 % of the square.
    EXPECT_EQ(layout::badgeRect({0, 0, 1333, 1000}, 100, true), (Rect{961.5, 35, 170, 75}));
    EXPECT_EQ(layout::badgeRect({0, 0, 1000, 1333}, 100, true), (Rect{795, 201.5, 170, 75}));
    EXPECT_DOUBLE_EQ(layout::badgeRect({0, 0, 1333, 1000}, 5000, true).width, 600);
}

TEST(ListingGrid, PicksTheColumnsThatGiveTheLargestCards) {
    // One page: as large as the content allows.
    const Rect content{60, 60, 880, 880};
    const auto one = layout::gridCards({3}, letter, content);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_NEAR(one[0].size.height, 880, 1e-9);
    EXPECT_EQ(one[0].center, content.mid());

    // Four portrait pages in a wide image: one row of four.
    const auto wide = layout::gridCards(firstPages(4), letter, {60, 60, 1880, 880});
    for (const Placed& card : wide)
        EXPECT_DOUBLE_EQ(card.center.y, 500);

    // Five in a square: three above two, the short row centred under the first.
    const auto five = layout::gridCards(firstPages(5), letter, content);
    EXPECT_EQ(layout::gridColumns(5, letter, content.size(), content.width * 0.028), 3);
    EXPECT_DOUBLE_EQ(five[0].center.y, five[2].center.y);
    EXPECT_GT(five[0].center.y, five[3].center.y);
    EXPECT_DOUBLE_EQ((five[3].center.x + five[4].center.x) / 2, content.midX());
    EXPECT_DOUBLE_EQ(bounds(five).maxY() - content.midY(), content.midY() - bounds(five).minY());
}

TEST(ListingCover, StacksTheFirstPageInFront) {
    const auto two = layout::coverStack({4, 7}, letter);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].page, 7); // drawn first, peeking out on the right, turned clockwise
    EXPECT_GT(two[0].center.x, 0);
    EXPECT_LT(two[0].angle, 0);
    EXPECT_EQ(two[1].page, 4);
}

TEST(ListingFan, SpreadsSevenPagesWithTheFirstUprightOnTop) {
    const auto fan = layout::fanCards(firstPages(7), letter);
    std::vector<int> order;
    for (const Placed& card : fan)
        order.push_back(card.page);
    EXPECT_EQ(order, (std::vector<int>{6, 5, 4, 3, 2, 1, 0}));
    // Pairs lean out to either side, the outermost drawn first.
    EXPECT_GT(fan[0].angle, fan[2].angle);
    EXPECT_EQ(fan[1].angle, -fan[0].angle);
    EXPECT_LT(fan[0].center.x, 0); // turned anticlockwise: leaning left
    EXPECT_EQ(fan.back().angle, 0);
    EXPECT_EQ(fan.back().center, (Point{0, 0}));
}

TEST(ListingFit, FillsTheTargetBetweenTwoSidesAndCentresTheGroup) {
    const Rect target{100, 50, 800, 300};
    for (const auto& group :
         {layout::fanCards(firstPages(7), letter), layout::coverStack(firstPages(3), 1.4)}) {
        const auto fitted = layout::fitted(group, target);
        const Rect box = bounds(fitted);
        EXPECT_NEAR(box.midX(), target.midX(), 1e-9);
        EXPECT_NEAR(box.midY(), target.midY(), 1e-9);
        EXPECT_TRUE(std::abs(box.width - target.width) < 1e-9 ||
                    std::abs(box.height - target.height) < 1e-9);
        EXPECT_LE(box.width, target.width + 1e-9);
        EXPECT_LE(box.height, target.height + 1e-9);
        for (std::size_t i = 0; i < group.size(); ++i) {
            EXPECT_EQ(fitted[i].page, group[i].page);
            EXPECT_EQ(fitted[i].angle, group[i].angle);
        }
    }
}

// A landscape page on a portrait card (and the other way round) keeps its proportions: a
// square drawn in the middle of the page stays square, and the card keeps its shape with
// white paper around the page.
TEST(ListingCards, EachPageKeepsItsOwnShapeOnACardOfAnotherShape) {
    const test::TempDir dir;
    test::writeTinyPDF(dir / "mixed.pdf", {{{0, 0, 612, 792}, {}, 0, "206 296 200 200 re f"},
                                           {{0, 0, 792, 612}, {}, 0, "296 206 200 200 re f"}});
    const auto pdf = SourcePDF::open(dir / "mixed.pdf");
    const ListingSettings settings;
    const ListingPainter painter(*pdf, settings);
    for (auto [page, card] : {std::pair{1, Size{300, 388}}, std::pair{0, Size{388, 300}}}) {
        const Image image = test::drawn(500, 500, [&](cairo_t* cr, const Rect&) {
            painter.drawCards({{page, {250, 250}, card, 0}}, cr, 0);
        });
        int left = 500, right = -1, bottom = 500, top = -1;
        for (int y = 0; y < 500; ++y)
            for (int x = 0; x < 500; ++x)
                if (image.pixel(x, y).red < 60 && image.pixel(x, y).alpha == 255) {
                    left = std::min(left, x), right = std::max(right, x);
                    bottom = std::min(bottom, y), top = std::max(top, y);
                }
        const double side = 200 * std::min(card.width, card.height) / 792;
        EXPECT_NEAR(right - left + 1, side, 2) << "page " << page;
        EXPECT_NEAR(top - bottom + 1, side, 2) << "page " << page;
        EXPECT_NEAR((left + right) / 2.0, 250, 1.5);
        EXPECT_NEAR((top + bottom) / 2.0, 250, 1.5);
        // The paper fills the card: white just inside each edge, nothing outside.
        for (auto [x, y] : {std::pair{250 - card.width / 2 + 3, 250.0},
                            {250 + card.width / 2 - 3, 250.0},
                            {250.0, 250 - card.height / 2 + 3},
                            {250.0, 250 + card.height / 2 - 3}})
            EXPECT_EQ(test::pixelUp(image, x, y), (RGBA8{255, 255, 255, 255})) << x << ", " << y;
        EXPECT_EQ(test::pixelUp(image, 250 - card.width / 2 - 3, 250).alpha, 0);
    }
}

TEST(ListingRenderer, ChoosesPagesPerLayout) {
    auto pdf = manual();
    ListingSettings settings;
    settings.pages = "1-20";
    const ListingRenderer typed(pdf, settings);
    EXPECT_EQ(typed.pages(ImageLayout::grid), firstPages(12));
    EXPECT_EQ(typed.pages(ImageLayout::fan), firstPages(7));
    EXPECT_EQ(typed.pages(ImageLayout::desk), firstPages(3));
    EXPECT_EQ(typed.pages(ImageLayout::frame), firstPages(1));

    settings.pages = " ";
    const ListingRenderer blank(pdf, settings);
    EXPECT_EQ(blank.pages(ImageLayout::fan).size(), 5u);
}

TEST(ListingRenderer, ClampsEachSide) {
    const auto strip = ListingRenderer(manual(), {}).render(ImageLayout::grid, {9000, 10});
    ASSERT_TRUE(strip);
    EXPECT_EQ(std::make_pair(strip->width(), strip->height()), std::make_pair(6000, 64));
}

TEST(ListingRenderer, PaintsTheBackgroundWithAGlowInTheMiddle) {
    ListingSettings settings;
    settings.brand.background = RGBColor::fromHex(0x204060);
    settings.brand.badge = "";
    const ListingRenderer renderer(manual(), settings);
    const RGBColor background = settings.brand.background;
    const RGBColor light = background.mixed(RGBColor::white, 0.32);
    auto expectColor = [](RGBA8 pixel, RGBColor color) {
        EXPECT_NEAR(pixel.red, color.red * 255, 2);
        EXPECT_NEAR(pixel.green, color.green * 255, 2);
        EXPECT_NEAR(pixel.blue, color.blue * 255, 2);
    };
    const ListingPainter painter(renderer.source(), renderer.settings());
    const Image plain =
        test::drawn(400, 200, [&](cairo_t* cr, const Rect& r) { painter.drawBackground(cr, r); });
    expectColor(plain.pixel(200, 100), light);

    // In a corner of a whole image the glow has nearly faded (radius 0.75 of the longer side).
    const auto image = renderer.render(ImageLayout::grid, {1000, 1000});
    ASSERT_TRUE(image);
    const double t = std::hypot(500, 500) / 750;
    expectColor(image->pixel(0, 0), light.mixed(background, t));
}

TEST(ListingRenderer, DrawsTheBadgeInTheAccentWithContrastingCapitals) {
    // The second brand keeps its badge inside the square.
    for (auto [accent, textColor, inSquare] :
         {std::tuple{0xF2C14Eu, RGBA8{30, 30, 30, 255}, false},
          std::tuple{0x1F3A5Fu, RGBA8{255, 255, 255, 255}, true}}) {
        ListingSettings settings;
        settings.brand.accent = RGBColor::fromHex(accent);
        settings.brand.keepBadgeInSquare = inSquare;
        settings.brand.badge = " {pages} pages ";
        settings.showTitle = false;
        const ListingRenderer renderer(manual(), settings);
        const auto image = renderer.render(ImageLayout::cover, {1000, 800});
        ASSERT_TRUE(image);

        const Font font = folimo::font(settings.brand.fontFamily, 800 * 0.042, true);
        const Rect badge =
            layout::badgeRect({0, 0, 1000, 800}, measure("196 PAGES", font).width, inSquare);
        auto at = [&](double x, double y) { return test::pixelUp(*image, x, y); };
        const RGBA8 fill = at(badge.minX() + badge.height * 0.3, badge.midY());
        EXPECT_EQ(fill, (RGBA8{std::uint8_t(accent >> 16), std::uint8_t(accent >> 8 & 0xFF),
                               std::uint8_t(accent & 0xFF), 255}));
        // The text's strokes reach its full colour somewhere in the capsule.
        int closest = 255 * 3;
        for (double y = badge.minY(); y < badge.maxY(); ++y)
            for (double x = badge.minX(); x < badge.maxX(); ++x) {
                const RGBA8 p = at(x, y);
                closest = std::min(closest, std::abs(p.red - textColor.red) +
                                                std::abs(p.green - textColor.green) +
                                                std::abs(p.blue - textColor.blue));
            }
        EXPECT_LE(closest, 12) << std::hex << accent;
    }

    // A badge of blanks draws nothing.
    ListingSettings blank;
    blank.brand.badge = "  ";
    const auto pdf = manual();
    const Image image = test::drawn(300, 300, [&](cairo_t* cr, const Rect& r) {
        ListingPainter(*pdf, blank).drawBadge(cr, r);
    });
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x)
            ASSERT_EQ(image.pixel(x, y).alpha, 0);
}

TEST(ListingRenderer, GivesTheSamePixelsEveryTimeAndFromSeveralThreads) {
    const ListingRenderer renderer(manual(), {});
    const std::vector<ImageLayout> layouts(allLayouts.begin(), allLayouts.end());
    std::vector<Image> first;
    for (ImageLayout layout : layouts)
        first.push_back(*renderer.render(layout, {640, 480}));

    // A fresh document, so that both threads draw its pages at the same time.
    const ListingRenderer fresh(SourcePDF::open(test::outsidePDF("asymptote.pdf")), {});
    std::vector<std::optional<Image>> a(layouts.size()), b(layouts.size());
    {
        std::jthread one([&] {
            for (std::size_t i = 0; i < layouts.size(); ++i)
                a[i] = fresh.render(layouts[i], {640, 480});
        });
        std::jthread two([&] {
            for (std::size_t i = layouts.size(); i-- > 0;)
                b[i] = fresh.render(layouts[i], {640, 480});
        });
    }
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        ASSERT_TRUE(a[i] && b[i]);
        EXPECT_TRUE(test::samePixels(*a[i], first[i]) && test::samePixels(*b[i], first[i]))
            << storedText(layouts[i]);
    }
}

// A brand may name any installed family, not only the brand families; one this system lacks
// draws in the interface font, as the editor says.
TEST(ListingRenderer, DrawsTheTitleInAnyInstalledFamilyAndFallsBackForAMissingOne) {
    const auto drawn = [](const std::string& family) {
        ListingSettings settings;
        settings.title = "Weekly Planner";
        settings.brand.fontFamily = family;
        return *ListingRenderer(manual(), settings).render(ImageLayout::cover, {400, 300});
    };
    const std::string fallback = resolveFontFamily("Garamond Pro").drawnWith;
    EXPECT_FALSE(test::samePixels(drawn("DejaVu Serif"), drawn(fallback)));
    EXPECT_TRUE(test::samePixels(drawn("Garamond Pro"), drawn(fallback)));
}

TEST(ListingRenderer, SetsABadgeTooLongForTheCapsuleSmallerInsideIt) {
    ListingSettings settings;
    settings.brand.accent = RGBColor::fromHex(0xF2C14E); // dark capitals
    settings.brand.badge = "{pages} printable pages with answer keys";
    auto canvas = Canvas::create(750, 750);
    const auto pdf = manual();
    ListingPainter(*pdf, settings).drawBadge(canvas->context(), canvas->bounds());
    const Image image = std::move(*canvas).finish();

    // Outside the capsule (held to 60 % of the width) only its faint shadow may show.
    const Rect capsule = layout::badgeRect({0, 0, 750, 750}, 1e6, false);
    const Rect clear = capsule.insetBy(-2, -2);
    double textLeft = 750, textRight = 0;
    for (int y = 0; y < 750; ++y)
        for (int x = 0; x < 750; ++x) {
            const RGBA8 p = image.pixel(x, y);
            const double cx = x + 0.5, cy = 750 - y - 0.5;
            if (cx < clear.minX() || cx > clear.maxX() || cy < clear.minY() || cy > clear.maxY())
                ASSERT_LT(int(p.alpha), 100) << x << ", " << y;
            else if (p.alpha == 255 && p.red < 100) {
                textLeft = std::min(textLeft, cx);
                textRight = std::max(textRight, cx);
            }
        }
    // Still centred, and filling most of the capsule.
    EXPECT_NEAR((textLeft + textRight) / 2, capsule.midX(), 4);
    EXPECT_GT(textRight - textLeft, 0.8 * capsule.width);
}

// A title and a badge of 100,000 characters (a PDF's own metadata, a paste) are drawn as
// their shown starts; the time they take is measured in the benchmarks.
TEST(ListingRenderer, DrawsVeryLongTitlesAndBadgesAsTheirStarts) {
    const auto pdf = manual();
    std::string text;
    for (int i = 0; i < 10'000; ++i)
        text += "Worksheet ";
    ListingSettings whole;
    whole.title = text;
    whole.brand.badge = text;
    ListingSettings cut = whole;
    cut.title = shownText(text);
    cut.brand.badge = shownText(text);
    const auto a = ListingRenderer(pdf, whole).render(ImageLayout::grid, {750, 750});
    const auto b = ListingRenderer(pdf, cut).render(ImageLayout::grid, {750, 750});
    ASSERT_TRUE(a && b);
    EXPECT_TRUE(test::samePixels(*a, *b));
}
