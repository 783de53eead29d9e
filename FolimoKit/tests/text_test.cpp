#include "drawing.hpp"
#include "folimo/font_families.hpp"
#include "render/text_p.hpp"

#include <gtest/gtest.h>
#include <strings.h>
#include <thread>
#include <vector>

using namespace folimo;

// Installed families are found without regard to case, brand families resolve to their free
// look-alikes, and an unknown one falls back to the interface font keeping bold and size.
TEST(TextFont, FamiliesResolveToInstalledFonts) {
    using enum FontFamilyResolution::Kind;
    const std::tuple<std::string_view, FontFamilyResolution::Kind, std::string> families[] = {
        {"dejavu serif", installed, "DejaVu Serif"}, {"NIMBUS SANS", installed, "Nimbus Sans"},
        {"Avenir Next", lookAlike, "Lato"},          {"avenir next", lookAlike, "Lato"},
        {"Futura", lookAlike, "League Spartan"},     {"Helvetica Neue", lookAlike, "Nimbus Sans"},
        {"Chalkboard SE", lookAlike, "Comic Neue"},  {"Didot", lookAlike, "GFS Didot"}};
    for (const auto& [asked, kind, found] : families) {
        EXPECT_EQ(resolveFontFamily(asked), (FontFamilyResolution{kind, found})) << asked;
        EXPECT_EQ(font(asked, 12, false).family, found) << asked;
    }
    const Font fallback = font("No Such Family Anywhere", 31, true);
    EXPECT_EQ(resolveFontFamily("No Such Family Anywhere"),
              (FontFamilyResolution{missing, fallback.family}));
    EXPECT_FALSE(fallback.family.empty());
    EXPECT_TRUE(fallback.bold);
    EXPECT_DOUBLE_EQ(fallback.size, 31);
    EXPECT_TRUE(std::ranges::is_sorted(installedFontFamilies(), [](const auto& a, const auto& b) {
        return strcasecmp(a.c_str(), b.c_str()) < 0;
    }));
}

TEST(TextMeasure, WidthFollowsTextSizeAndLetterSpacing) {
    const Font f = font("Avenir Next", 40, true);
    const Size one = measure("WORKSHEET", f);
    EXPECT_GT(one.width, 0);
    EXPECT_NEAR(measure("WORKSHEET", font("Avenir Next", 80, true)).width, 2 * one.width, 1.0);
    // Nine letters, each followed by 2 units of spacing.
    EXPECT_NEAR(measure("WORKSHEET", f, 2).width - one.width, 18, 2.5);
    EXPECT_GE(one.height, 0.9 * 40);
    EXPECT_LT(one.height, 80);
    const double cap = capHeight(f);
    EXPECT_GT(cap, 0.55 * 40);
    EXPECT_LT(cap, 0.8 * 40);
}

// A short title keeps its start size, a long word shrinks in steps until it fits the width,
// and what never fits gets the minimum size.
TEST(TextFit, TitlesShrinkToFitDownToTheMinimum) {
    EXPECT_DOUBLE_EQ(fittedFont("Fall Math", "Avenir Next", 1000, 200, 124, 40, true).size, 124);
    EXPECT_DOUBLE_EQ(fittedFont("Worksheets", "Avenir Next", 5, 5, 100, 20, true).size, 20);
    const std::string word = "Supercalifragilisticexpialidocious";
    const Font f = fittedFont(word, "Avenir Next", 600, 300, 200, 10, true);
    EXPECT_LT(f.size, 200);
    EXPECT_GT(f.size, 10);
    EXPECT_LE(measure(word, f).width, 600);
    EXPECT_GT(measure(word, font("Avenir Next", f.size / 0.92, true)).width, 600);
}

// Its width is that of the widest line, not of the room given.
TEST(TextFit, WrappingTitleGrowsTallerNotWider) {
    const Font f = font("Avenir Next", 50, true);
    const Size one = wrappedSize("Fall", f, 1000);
    const Size three = wrappedSize("Fall Math Practice Pack For Grade Two", f, 400);
    EXPECT_GT(three.height, 2.5 * one.height);
    EXPECT_NEAR(one.width, measure("Fall", f).width, 0.5);
    EXPECT_LE(three.width, 400);
    EXPECT_GT(three.width, 300);
}

namespace {

// The first and last rows (from the top) that hold ink.
std::pair<int, int> inkRows(const Image& image) {
    int top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y).alpha > 128) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return {top, bottom};
}

} // namespace

// A text longer than any picture shows is cut at a character boundary and ends with an
// ellipsis, before it is laid out: measuring it costs no more than measuring its start.
TEST(TextShown, LongTextsAreCutAtWholeCharactersWithAnEllipsis) {
    const std::string limit(longestShownText, 'x');
    EXPECT_EQ(shownText(limit), limit);
    EXPECT_EQ(shownText(limit + "y"), limit.substr(1) + "\u2026");

    std::string accented; // e and a combining acute accent: one character, three bytes
    for (std::size_t i = 0; i < 100'000; ++i)
        accented += "e\u0301";
    std::string kept;
    for (std::size_t i = 0; i + 1 < longestShownText; ++i)
        kept += "e\u0301";
    EXPECT_EQ(shownText(accented), kept + "\u2026");
    std::string oneHugeCharacter = "e";
    for (int i = 0; i < 100'000; ++i)
        oneHugeCharacter += "\u0301";
    EXPECT_EQ(shownText(oneHugeCharacter), "\u2026");

    const Font f = font("Avenir Next", 20, true);
    const std::string words = [] {
        std::string text;
        for (int i = 0; i < 20'000; ++i)
            text += "word ";
        return text;
    }();
    EXPECT_EQ(measure(words, f), measure(shownText(words), f));
    EXPECT_EQ(wrappedSize(words, f, 300), wrappedSize(shownText(words), f, 300));
    EXPECT_EQ(fittedFont(words, "Avenir Next", 300, 100, 40, 10, true),
              fittedFont(shownText(words), "Avenir Next", 300, 100, 40, 10, true));
}

TEST(TextDraw, LineSitsOnItsBaselineInYUpSpace) {
    const Font f = font("Avenir Next", 40, true);
    auto [top, bottom] = inkRows(test::drawn(200, 100, [&](cairo_t* cr, auto) {
        drawLine(cr, "HH", f, RGBColor::black, 1, {10, 20});
    }));
    // Baseline 20 up from the bottom is row 80; capitals rise cap height above it.
    EXPECT_NEAR(bottom, 79, 1);
    EXPECT_NEAR(top, 80 - capHeight(f), 2);
}

TEST(TextDraw, FrameStartsAtItsTopAndStaysInside) {
    auto [top, bottom] = inkRows(test::drawn(300, 300, [](cairo_t* cr, auto) {
        drawWrapped(cr, "Weekly Teacher Planner for busy weeks", font("Avenir Next", 30, true),
                    RGBColor::black, 1, {20, 50, 260, 200});
    }));
    EXPECT_GE(top, 300 - 250);
    EXPECT_LT(top, 300 - 250 + 15);
    EXPECT_LE(bottom, 300 - 50);
}

TEST(TextThreads, MeasuringFromManyThreadsGivesOneAnswer) {
    const Size expected = measure("Print & go", font("Chalkboard SE", 33, true));
    std::vector<std::jthread> threads;
    std::vector<Size> results(8);
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 50; ++i)
                results[std::size_t(t)] = measure("Print & go", font("Chalkboard SE", 33, true));
        });
    threads.clear();
    for (const Size& result : results)
        EXPECT_EQ(result, expected);
}
