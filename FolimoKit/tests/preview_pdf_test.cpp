#include "drawing.hpp"
#include "export/preview_layout.hpp"
#include "export/preview_pdf_p.hpp"
#include "folimo/listing_error.hpp"
#include "pdf_files.hpp"
#include "pdf_readback.hpp"
#include "render/text_p.hpp"
#include "test_support.hpp"

#include <algorithm>
#include <cairo-pdf.h>
#include <cctype>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <tuple>

using namespace folimo;
namespace fs = std::filesystem;

namespace {

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// The characters of text other than white space, sorted: Poppler reads turned text in an
// order of its own, so text is compared by what it holds.
std::string letters(std::string text) {
    std::erase_if(text, [](char c) { return std::isspace(static_cast<unsigned char>(c)); });
    std::sort(text.begin(), text.end());
    return text;
}

bool holdsLetters(const std::string& text, const std::string& part) {
    const std::string all = letters(text), wanted = letters(part);
    return std::includes(all.begin(), all.end(), wanted.begin(), wanted.end());
}

// A page like a photograph: smooth colour with fine grain, which deflates badly.
std::shared_ptr<SourcePDF> photoPage(const test::TempDir& dir) {
    const int width = 400, height = 500;
    cairo_surface_t* photo = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    auto* pixels = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(photo));
    std::uint32_t seed = 1;
    for (int i = 0; i < width * height; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const auto wave = std::uint32_t(100 + 80 * std::sin(i % width / 17.0 + i / width / 23.0));
        pixels[i] = wave << 16 | (255 - wave) << 8 | (seed >> 26);
    }
    cairo_surface_mark_dirty(photo);
    cairo_surface_t* pdf = cairo_pdf_surface_create((dir / "photo.pdf").c_str(), 612, 792);
    cairo_t* cr = cairo_create(pdf);
    cairo_scale(cr, 612.0 / width, 792.0 / height);
    cairo_set_source_surface(cr, photo, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(pdf);
    cairo_surface_destroy(photo);
    return SourcePDF::open(dir / "photo.pdf");
}

std::size_t occurrences(const std::vector<std::uint8_t>& bytes, std::string_view word) {
    std::size_t count = 0;
    for (auto at = bytes.begin();
         (at = std::search(at, bytes.end(), word.begin(), word.end())) != bytes.end(); ++at)
        ++count;
    return count;
}

int grey(const Image& image, double x, double y) {
    return test::pixelUp(image, x, y).red;
}

// The darkest red value of the image inside (or, when `inside` is false, outside) rect.
int darkest(const Image& image, const Rect& rect, bool inside = true) {
    int least = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool in = x + 0.5 > rect.minX() && x + 0.5 < rect.maxX() &&
                            y + 0.5 > rect.minY() && y + 0.5 < rect.maxY();
            if (in == inside) least = std::min(least, grey(image, x, y));
        }
    return least;
}

// A canvas of one colour with the watermark drawn over rect.
Image watermarked(const PreviewSettings& settings, const Rect& rect, double background) {
    return test::drawn(int(rect.maxX()) + 20, int(rect.maxY()) + 20, [&](cairo_t* cr, auto) {
        cairo_set_source_rgb(cr, background, background, background);
        cairo_paint(cr);
        PreviewPDF::watermark(settings, rect, cr);
    });
}

} // namespace

TEST(PreviewLayout, SheetsPlacesAndGroups) {
    PreviewSettings settings;
    for (auto [perSheet, places] : {std::pair{-3, 1}, {0, 1}, {1, 1}, {2, 2}, {3, 2}, {10, 2}})
        EXPECT_EQ((settings.pagesPerSheet = perSheet, previewLayout::places(settings)), places);
    settings.pagesPerSheet = 2;
    const PreviewPDF::Sheets sheets({4, 0, 1, 7, 2}, settings);
    ASSERT_EQ(sheets.count(), 3u);
    EXPECT_EQ(sheets[0], (std::vector<int>{4, 0}));
    EXPECT_EQ(sheets[2], (std::vector<int>{2}));
    EXPECT_EQ(PreviewPDF::Sheets({}, settings).count(), 0u);

    // Each side is held to 2...200 inches, whatever number stored settings hold.
    const double infinity = std::numeric_limits<double>::infinity();
    for (auto [width, height, expected] : {std::tuple{1.0, std::nan(""), Size{144, 144}},
                                           {1e9, infinity, Size{14400, 14400}},
                                           {-infinity, 11, Size{144, 792}}}) {
        settings.sheetWidth = width;
        settings.sheetHeight = height;
        EXPECT_EQ(previewLayout::sheetSize(settings), expected) << width << " x " << height;
    }
    // (The watermark test below sees 0 and 1 drawn at 0.05 and 0.9.)
    for (auto [given, used] : {std::pair{0.3, 0.3}, {std::nan(""), 0.05}})
        EXPECT_EQ((settings.opacity = given, previewLayout::opacity(settings)), used) << given;
}

TEST(PreviewLayout, PlacesLeaveMarginsAndCaptionBands) {
    // Landscape: side by side, 6 % margins and a 5 % caption band of the shorter side (the
    // sheet image test below sees the pages and captions drawn there).
    const Rect left = PreviewPDF::slot({0, 0, 792, 612}, 0, 2);
    const Rect right = PreviewPDF::slot({0, 0, 792, 612}, 1, 2);
    EXPECT_NEAR(right.minX() - left.maxX(), 36.72, 1e-9);
    EXPECT_NEAR(right.maxX(), 792 - 36.72, 1e-9);
    // Portrait: stacked, place 0 on top, the gap holds the upper page's caption band.
    const Rect top = PreviewPDF::slot({0, 0, 612, 792}, 0, 2);
    const Rect bottom = PreviewPDF::slot({0, 0, 612, 792}, 1, 2);
    EXPECT_NEAR(top.minY() - bottom.maxY(), 36.72 + 30.6, 1e-9);
    EXPECT_NEAR(bottom.minY(), 36.72 + 30.6, 1e-9);
    EXPECT_EQ(PreviewPDF::slot({0, 0, 612, 792}, 0, 5), PreviewPDF::slot({0, 0, 612, 792}, 0, 1));

    // Pages fit their place at their aspect, centred; 0.773 when the aspect is unknown.
    const Rect place{100, 50, 400, 300};
    EXPECT_EQ(PreviewPDF::pageRect(place, 0.5), (Rect{225, 50, 150, 300}));
    EXPECT_EQ(PreviewPDF::pageRect(place, 2), (Rect{100, 100, 400, 200}));
    EXPECT_NEAR(PreviewPDF::pageRect(place, 0).width, 0.773 * 300, 1e-9);
    // Flattened pages are 150 pixels per inch of the sheet, but no side of the picture
    // passes 6000 pixels: a tall page on the largest sheet, a wide one, an empty one.
    EXPECT_EQ(previewLayout::flattenedWidth({0, 0, 300.4, 400}), 625);
    EXPECT_EQ(previewLayout::flattenedWidth({0, 0, 9238, 11952}), 4637);
    EXPECT_EQ(previewLayout::flattenedWidth({0, 0, 7.2e301, 1}), 6000);
    EXPECT_EQ(previewLayout::flattenedWidth({0, 0, 0, 0}), 0);
}

TEST(PreviewLayout, WatermarkSizes) {
    // Text 500 wide at 100 pt on Letter spans 72 % of the diagonal...
    EXPECT_NEAR(previewLayout::diagonalFontSize({612, 792}, 500), std::hypot(612, 792) * 0.144,
                1e-9);
    // ...but a short word on a wide, low page is held to 30 % of the height.
    EXPECT_NEAR(previewLayout::diagonalFontSize({800, 100}, 50), 30, 1e-9);
    EXPECT_EQ(previewLayout::cornerBadge({10, 20, 400, 500}, {80, 12}, 10),
              (Rect{410 - 80 - 18, 26, 92, 18}));
}

TEST(PreviewWatermark, DiagonalStrengthFollowsTheClampedOpacity) {
    const Rect page{40, 20, 160, 150};
    PreviewSettings settings;
    settings.watermark = "WATERMARK WITH A LONG TEXT";
    for (auto [opacity, used] : {std::pair{0.0, 0.05}, {1.0, 0.9}}) {
        settings.opacity = opacity;
        const Image image = watermarked(settings, page, 1);
        EXPECT_NEAR(darkest(image, page), 255 - used * 133, 2);
        EXPECT_EQ(darkest(image, page, false), 255); // clipped to the page
    }
}

TEST(PreviewWatermark, CornerBadgeIsACapsuleInTheLowerRight) {
    const Rect page{20, 20, 400, 450};
    PreviewSettings settings;
    settings.style = WatermarkStyle::corner;
    const double size = previewLayout::cornerFontSize(page.height);
    const Rect badge = previewLayout::cornerBadge(
        page, measure(settings.watermarkText(), font("Helvetica Neue", size, true)), size);
    // On black: the capsule is white at 0.85, its text grey 0.2 at the opacity, at least 0.6.
    for (auto [opacity, text] : {std::pair{0.1, 0.6}, {0.9, 0.9}}) {
        settings.opacity = opacity;
        const Image image = watermarked(settings, page, 0);
        EXPECT_NEAR(grey(image, int(badge.minX() + size * 0.3), int(badge.midY())), 217, 2);
        EXPECT_NEAR(darkest(image, badge.insetBy(badge.height / 2, 2)),
                    217 * (1 - text) + 51 * text, 3);
        EXPECT_EQ(grey(image, int(badge.minX()), int(badge.minY())), 0); // round corner
        EXPECT_EQ(grey(image, int(badge.minX()) - 2, int(badge.midY())), 0);
    }
}

TEST(PreviewSheetImage, DrawsTheSheetAsTheFileWill) {
    test::TempDir dir;
    const auto source = test::blankPages(dir.path(), 5);
    PreviewSettings settings; // 11 x 8.5 in, two a sheet
    const auto sheet = PreviewPDF::sheetImage(*source, settings, {4}, 550);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->height(), 425);
    // A lone page on a two-up sheet takes the left place; the right one stays white.
    const double f = 550 / 792.0;
    const Rect paper = PreviewPDF::pageRect(PreviewPDF::slot({0, 0, 792, 612}, 0, 2), 612 / 792.0);
    const Rect right = PreviewPDF::slot({0, 0, 792, 612}, 1, 2);
    EXPECT_EQ(grey(*sheet, int(paper.minX() * f) + 3, int(paper.midY() * f)), 255);
    EXPECT_LT(grey(*sheet, int(paper.minX() * f), int(paper.midY() * f)), 245); // border
    EXPECT_LT(darkest(*sheet, {paper.x * f, (paper.y - 25) * f, paper.width * f, 20 * f}), 200);
    EXPECT_EQ(darkest(*sheet, {right.x * f, right.y * f - 30, right.width * f, right.height * f}),
              255);
    EXPECT_EQ(darkest(*PreviewPDF::sheetImage(*source, settings, {}, 100), {0, 0, 100, 80}), 255);
    EXPECT_FALSE(PreviewPDF::sheetImage(*source, settings, {0}, 0));

    // The file asks the source for the very bitmaps the screen already fetched.
    const std::size_t cached = source->cachedImageCount();
    settings.pages = "5";
    PreviewPDF::write(*source, settings, "T", dir / "p.pdf");
    EXPECT_EQ(source->cachedImageCount(), cached);
}

TEST(PreviewWrite, SheetsMetadataAndText) {
    test::TempDir dir;
    PreviewSettings settings;
    settings.pages = "3-6, 9";
    settings.sheetWidth = 8.5;
    settings.sheetHeight = 11;
    settings.watermark = " \n SAMPLE\t";
    EXPECT_EQ(PreviewPDF::write(*test::manual(), settings, "Fall Math", dir / "p.pdf"), 3);
    PreviewPDF::write(*test::manual(), settings, "Fall Math", dir / "again.pdf");
    EXPECT_EQ(test::readBytes(dir / "p.pdf"), test::readBytes(dir / "again.pdf"));

    const test::PDFContents read = test::contents(dir / "p.pdf");
    EXPECT_EQ(read.title, "Fall Math (preview)");
    const std::string longTitle(100'000, 'W');
    PreviewPDF::write(*test::manual(), settings, longTitle, dir / "long.pdf");
    EXPECT_EQ(test::contents(dir / "long.pdf").title, shownText(longTitle) + " (preview)");
    EXPECT_EQ(read.creator, "Folimo");
    EXPECT_EQ(read.pageSizes, std::vector<Size>(3, Size{612, 792}));
    // Flattened, the watermark and the captions are the only text; the pages are pictures.
    const std::string of = " of " + std::to_string(test::manual()->pageCount());
    EXPECT_EQ(letters(read.texts[0]), letters("SAMPLE Page 3" + of + "SAMPLE Page 4" + of));
    EXPECT_EQ(letters(read.texts[2]), letters("SAMPLE Page 9" + of));

    settings.flatten = false;
    settings.pages = "2";
    settings.watermark = " \n ";
    EXPECT_EQ(PreviewPDF::write(*test::manual(), settings, "Fall\xff Math", dir / "v.pdf"), 1);
    const test::PDFContents vector = test::contents(dir / "v.pdf");
    EXPECT_EQ(vector.title, "Fall\uFFFD Math (preview)");
    EXPECT_TRUE(contains(vector.texts[0], "This file documents Asymptote"));
    EXPECT_TRUE(holdsLetters(vector.texts[0], "PREVIEW Page 2" + of));
}

// Flattening promises a buyer cannot copy the text: at every sheet size, from the smallest
// to sizes a PDF page cannot have, the watermark and the caption are the only text.
TEST(PreviewWrite, FlattenedPagesHoldNoTextAtAnySheetSize) {
    test::TempDir dir;
    PreviewSettings settings;
    settings.pages = "2";
    settings.pagesPerSheet = 1;
    const std::string expected = "PREVIEW Page 2 of " + std::to_string(test::manual()->pageCount());
    for (auto [inches, points] : {std::pair{1.0, 144.0}, {11.0, 792.0}, {1e9, 14400.0}}) {
        settings.sheetWidth = settings.sheetHeight = inches;
        const auto path = dir / "p.pdf";
        PreviewPDF::write(*test::manual(), settings, "T", path);
        const test::PDFContents read = test::contents(path);
        EXPECT_EQ(read.pageSizes, (std::vector<Size>{{points, points}})) << inches;
        ASSERT_EQ(read.texts.size(), 1u);
        // (On the smallest sheet the caption falls below the sheet's edge.)
        EXPECT_TRUE(holdsLetters(expected, read.texts[0])) << inches << ": " << read.texts[0];
        EXPECT_TRUE(holdsLetters(read.texts[0], "PREVIEW")) << inches;
    }
}

// Photographs go in as JPEG; text pages stay lossless, which is smaller for them.
TEST(PreviewWrite, FlattenedPagesAreEmbeddedCompactly) {
    test::TempDir dir;
    PreviewSettings settings;
    PreviewPDF::write(*photoPage(dir), settings, "Photo", dir / "photo preview.pdf");
    const auto photo = test::readBytes(dir / "photo preview.pdf");
    EXPECT_EQ(occurrences(photo, "/DCTDecode"), 1u);
    EXPECT_LT(photo.size(), 400'000u);
    settings.pages = "2";
    PreviewPDF::write(*test::manual(), settings, "Text", dir / "text preview.pdf");
    EXPECT_EQ(occurrences(test::readBytes(dir / "text preview.pdf"), "/DCTDecode"), 0u);
}

TEST(PreviewWrite, FailuresLeaveNoFile) {
    test::TempDir dir;
    PreviewSettings settings;
    settings.pages = "900-920";
    EXPECT_THROW(PreviewPDF::write(*test::manual(), settings, "T", dir / "none.pdf"), ListingError);

    settings.pages = "1-4";
    std::ofstream(dir / "file") << "x";
    EXPECT_EQ(test::thrownError([&] {
                  PreviewPDF::write(*test::manual(), settings, "T", dir / "file" / "T preview.pdf");
              }),
              ListingError::writeFailed("T preview.pdf"));

    std::stop_source stop;
    stop.request_stop();
    EXPECT_THROW(
        PreviewPDF::write(*test::manual(), settings, "T", dir / "stopped.pdf", stop.get_token()),
        Cancelled);
    EXPECT_EQ(test::filesIn(dir.path()), std::vector{dir / "file"});
}

// Pages of absurd or no usable shape (10^33 points wide, 10^400 wide) make a whole preview,
// flattened or not, and nothing is left allocated (this runs under the sanitizer build).
TEST(PreviewWrite, PagesOfAbsurdSizeMakeAWholePreview) {
    test::TempDir dir;
    const double inf = std::numeric_limits<double>::infinity();
    test::writeTinyPDF(dir / "absurd.pdf",
                       {{{0, 0, 1e33, 792}, std::nullopt, 0, "0 0 100 100 re f"},
                        {{0, 0, inf, 792}, std::nullopt, 0, "0 0 100 100 re f"},
                        {{0, 0, 612, 1e33}, std::nullopt, 0, "0 0 100 100 re f"}});
    const auto source = SourcePDF::open(dir / "absurd.pdf");
    PreviewSettings settings;
    settings.pagesPerSheet = 1;
    for (bool flatten : {true, false}) {
        settings.flatten = flatten;
        const auto path = dir / (flatten ? "flat.pdf" : "vector.pdf");
        EXPECT_EQ(PreviewPDF::write(*source, settings, "Absurd", path), 3) << flatten;
        EXPECT_EQ(test::contents(path).pageSizes.size(), 3u) << flatten;
    }
}
