#include "folimo/listing_error.hpp"
#include "folimo/preview_pdf.hpp"
#include "folimo/text.hpp"
#include "pdf_files.hpp"
#include "preview_layout.hpp"
#include "test_support.hpp"

#include <algorithm>
#include <cairo-pdf.h>
#include <cctype>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <poppler.h>
#include <string>

using namespace folimo;
namespace fs = std::filesystem;

namespace {

// What Poppler reads back from a written preview.
struct ReadBack {
    std::string title, creator;
    int pages = 0;
    Size pageSize;
    std::vector<std::string> text; // per page
};

ReadBack readBack(const fs::path& path) {
    ReadBack read;
    std::unique_ptr<gchar, decltype(&g_free)> uri(
        g_filename_to_uri(fs::absolute(path).c_str(), nullptr, nullptr), g_free);
    PopplerDocument* document = poppler_document_new_from_file(uri.get(), nullptr, nullptr);
    EXPECT_NE(document, nullptr) << path;
    if (!document) return read;
    auto text = [](gchar* value) {
        std::string copy = value ? value : "";
        g_free(value);
        return copy;
    };
    read.title = text(poppler_document_get_title(document));
    read.creator = text(poppler_document_get_creator(document));
    read.pages = poppler_document_get_n_pages(document);
    for (int i = 0; i < read.pages; ++i) {
        PopplerPage* page = poppler_document_get_page(document, i);
        if (i == 0) poppler_page_get_size(page, &read.pageSize.width, &read.pageSize.height);
        read.text.push_back(text(poppler_page_get_text(page)));
        g_object_unref(page);
    }
    g_object_unref(document);
    return read;
}

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

std::shared_ptr<SourcePDF> manual() {
    static const auto pdf = SourcePDF::open(test::outsidePDF("asymptote.pdf"));
    return pdf;
}

// Pages with nothing on them, US Letter.
std::shared_ptr<SourcePDF> blankPages(const test::TempDir& dir, int count) {
    test::writeTinyPDF(dir / "blank.pdf", std::vector<test::TinyPage>(std::size_t(count)));
    return SourcePDF::open(dir / "blank.pdf");
}

// A page like a photograph: smooth colour with fine grain, which deflates badly.
std::shared_ptr<SourcePDF> photoPage(const test::TempDir& dir) {
    const int width = 600, height = 800;
    cairo_surface_t* photo = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    auto* pixels = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(photo));
    std::uint32_t seed = 1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const double grain = double(seed >> 28) - 8;
            auto channel = [&](double value) {
                return std::uint32_t(std::clamp(value + grain, 0.0, 255.0));
            };
            pixels[y * cairo_image_surface_get_stride(photo) / 4 + x] =
                channel(128 + 60 * std::sin(x / 17.0)) << 16 |
                channel(120 + 70 * std::sin((x + y) / 31.0)) << 8 |
                channel(100 + 80 * std::cos(y / 57.0));
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

int grey(const Image& image, int x, int y) {
    return image.pixel(x, image.height() - 1 - y).red;
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
    auto canvas = Canvas::create(int(rect.maxX()) + 20, int(rect.maxY()) + 20);
    cairo_set_source_rgb(canvas->context(), background, background, background);
    cairo_paint(canvas->context());
    PreviewPDF::watermark(settings, rect, canvas->context());
    return std::move(*canvas).finish();
}

} // namespace

TEST(PreviewLayout, SheetsPlacesAndGroups) {
    PreviewSettings settings;
    for (std::int64_t perSheet : {-3, 0, 1})
        EXPECT_EQ((settings.pagesPerSheet = perSheet, previewLayout::places(settings)), 1);
    for (std::int64_t perSheet : {2, 3, 10})
        EXPECT_EQ((settings.pagesPerSheet = perSheet, previewLayout::places(settings)), 2);

    settings.pagesPerSheet = 2;
    EXPECT_EQ(PreviewPDF::groups({4, 0, 1, 7, 2}, settings),
              (std::vector<std::vector<int>>{{4, 0}, {1, 7}, {2}}));
    settings.pagesPerSheet = 1;
    EXPECT_EQ(PreviewPDF::groups({4, 0}, settings), (std::vector<std::vector<int>>{{4}, {0}}));
    EXPECT_TRUE(PreviewPDF::groups({}, settings).empty());

    settings.sheetWidth = 1;
    settings.sheetHeight = std::nan("");
    EXPECT_EQ(previewLayout::sheetSize(settings), (Size{144, 144}));
    settings.sheetWidth = 8.5;
    settings.sheetHeight = 11;
    EXPECT_EQ(previewLayout::sheetSize(settings), (Size{612, 792}));
}

TEST(PreviewLayout, SlotsLeaveMarginsAndCaptionBands) {
    // Landscape: side by side, 6 % margins and a 5 % caption band of the shorter side.
    const Rect landscape{0, 0, 792, 612};
    const Rect left = PreviewPDF::slot(landscape, 0, 2), right = PreviewPDF::slot(landscape, 1, 2);
    EXPECT_NEAR(left.x, 36.72, 1e-9);
    EXPECT_NEAR(left.y, 36.72 + 30.6, 1e-9);
    EXPECT_NEAR(left.width, (792 - 3 * 36.72) / 2, 1e-9);
    EXPECT_NEAR(left.maxY(), 612 - 36.72, 1e-9);
    EXPECT_NEAR(right.minX() - left.maxX(), 36.72, 1e-9);
    EXPECT_NEAR(right.maxX(), 792 - 36.72, 1e-9);
    EXPECT_EQ(right.height, left.height);

    // Portrait: stacked, place 0 on top, the gap holds the upper page's caption band.
    const Rect portrait{0, 0, 612, 792};
    const Rect top = PreviewPDF::slot(portrait, 0, 2), bottom = PreviewPDF::slot(portrait, 1, 2);
    EXPECT_NEAR(top.maxY(), 792 - 36.72, 1e-9);
    EXPECT_NEAR(top.minY() - bottom.maxY(), 36.72 + 30.6, 1e-9);
    EXPECT_NEAR(bottom.minY(), 36.72 + 30.6, 1e-9);
    EXPECT_EQ(top.width, 612 - 2 * 36.72);

    // A square sheet splits side by side; any count but 2 is the whole content area.
    EXPECT_LT(PreviewPDF::slot({0, 0, 600, 600}, 0, 2).width, 300);
    EXPECT_EQ(PreviewPDF::slot(portrait, 0, 1), PreviewPDF::slot(portrait, 0, 5));
    EXPECT_NEAR(PreviewPDF::slot(portrait, 0, 1).height, 792 - 2 * 36.72 - 30.6, 1e-9);
}

TEST(PreviewLayout, PageRectFitsAndCentres) {
    const Rect place{100, 50, 400, 300};
    const Rect tall = PreviewPDF::pageRect(place, 0.5);
    EXPECT_EQ(tall, (Rect{225, 50, 150, 300}));
    const Rect wide = PreviewPDF::pageRect(place, 2);
    EXPECT_EQ(wide, (Rect{100, 100, 400, 200}));
    EXPECT_NEAR(PreviewPDF::pageRect(place, 0).width, 0.773 * 300, 1e-9);
    EXPECT_EQ(PreviewPDF::pageRect(place, std::nan("")), PreviewPDF::pageRect(place, -1));

    EXPECT_EQ(previewLayout::flattenedWidth({0, 0, 300, 400}), 625);
    EXPECT_EQ(previewLayout::flattenedWidth({0, 0, 300.4, 400}), 625);
}

TEST(PreviewLayout, WatermarkSizesAndStrength) {
    // Text 500 wide at 100 pt on Letter: 72 % of the 1000.7-point diagonal.
    EXPECT_NEAR(previewLayout::diagonalFontSize({612, 792}, 500), std::hypot(612, 792) * 0.144,
                1e-9);
    // A short word on a wide, low page is held to 30 % of the height.
    EXPECT_NEAR(previewLayout::diagonalFontSize({800, 100}, 50), 30, 1e-9);
    EXPECT_NEAR(previewLayout::diagonalFontSize({612, 792}, 0), 792 * 0.3, 1e-9);

    EXPECT_EQ(previewLayout::cornerFontSize(100), 7);
    EXPECT_NEAR(previewLayout::cornerFontSize(792), 23.76, 1e-9);
    const Rect badge = previewLayout::cornerBadge({10, 20, 400, 500}, {80, 12}, 10);
    EXPECT_EQ(badge, (Rect{410 - 80 - 18, 26, 92, 18}));

    PreviewSettings settings;
    for (auto [given, used] :
         {std::pair{0.0, 0.05}, {-1.0, 0.05}, {0.3, 0.3}, {1.0, 0.9}, {std::nan(""), 0.05}})
        EXPECT_EQ((settings.opacity = given, previewLayout::opacity(settings)), used) << given;

    EXPECT_EQ(previewLayout::caption(4, 12), "Page 5 of 12");
}

TEST(PreviewWatermark, DiagonalStrengthFollowsTheClampedOpacity) {
    const Rect page{40, 20, 160, 150};
    PreviewSettings settings;
    settings.watermark = "WATERMARK WITH A LONG TEXT";
    settings.opacity = 0;
    const Image faint = watermarked(settings, page, 1);
    EXPECT_NEAR(darkest(faint, page), 255 - 0.05 * 133, 2);
    settings.opacity = 1;
    const Image strong = watermarked(settings, page, 1);
    EXPECT_NEAR(darkest(strong, page), 255 - 0.9 * 133, 2);
    EXPECT_EQ(darkest(strong, page, false), 255); // clipped to the page
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
        const double padding = size * 0.6;
        EXPECT_NEAR(grey(image, int(badge.minX() + padding / 2), int(badge.midY())), 217, 2);
        const Rect band = badge.insetBy(badge.height / 2, 2);
        EXPECT_NEAR(darkest(image, band), 217 * (1 - text) + 51 * text, 3);
        // Black round the capsule: its corners are round, and nothing else is drawn.
        EXPECT_EQ(grey(image, int(badge.minX()), int(badge.minY())), 0);
        EXPECT_EQ(grey(image, int(badge.minX()) - 2, int(badge.midY())), 0);
    }
}

TEST(PreviewSheetImage, DrawsTheSheetAtThePixelWidth) {
    test::TempDir dir;
    const auto source = blankPages(dir, 5);
    PreviewSettings settings; // 11 x 8.5 in, two a sheet
    const auto sheet = PreviewPDF::sheetImage(*source, settings, {4}, 550);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->width(), 550);
    EXPECT_EQ(sheet->height(), 425);

    // A lone page on a two-up sheet takes the left place; the right one stays white.
    const double f = 550 / 792.0;
    const Rect left = PreviewPDF::slot({0, 0, 792, 612}, 0, 2);
    const Rect right = PreviewPDF::slot({0, 0, 792, 612}, 1, 2);
    const Rect paper = PreviewPDF::pageRect(left, 612 / 792.0);
    EXPECT_EQ(grey(*sheet, int(paper.minX() * f) + 3, int(paper.midY() * f)), 255);
    EXPECT_LT(grey(*sheet, int(paper.minX() * f), int(paper.midY() * f)), 245); // border
    EXPECT_LT(darkest(*sheet, {paper.x * f, (paper.y - 25) * f, paper.width * f, 20 * f}),
              200); // caption
    EXPECT_EQ(darkest(*sheet, {right.x * f, right.y * f - 30, right.width * f, right.height * f}),
              255);

    const auto empty = PreviewPDF::sheetImage(*source, settings, {}, 100);
    ASSERT_TRUE(empty);
    EXPECT_EQ(darkest(*empty, {0, 0, 100, 100}), 255);
    EXPECT_FALSE(PreviewPDF::sheetImage(*source, settings, {0}, 0));
}

TEST(PreviewWrite, SheetsMetadataAndText) {
    test::TempDir dir;
    PreviewSettings settings;
    settings.pages = "3-6, 9";
    settings.sheetWidth = 8.5;
    settings.sheetHeight = 11;
    settings.watermark = " \n SAMPLE\t";
    EXPECT_EQ(PreviewPDF::write(*manual(), settings, "Fall Math", dir / "p.pdf"), 3);

    const ReadBack read = readBack(dir / "p.pdf");
    EXPECT_EQ(read.title, "Fall Math (preview)");
    EXPECT_EQ(read.creator, "Folimo");
    EXPECT_EQ(read.pages, 3);
    EXPECT_EQ(read.pageSize, (Size{612, 792}));
    // Flattened, the watermark and the captions are the only text; the pages are pictures.
    const std::string of = " of " + std::to_string(manual()->pageCount());
    EXPECT_EQ(letters(read.text[0]), letters("SAMPLE Page 3" + of + "SAMPLE Page 4" + of));
    EXPECT_EQ(letters(read.text[1]), letters("SAMPLE Page 5" + of + "SAMPLE Page 6" + of));
    EXPECT_EQ(letters(read.text[2]), letters("SAMPLE Page 9" + of));

    settings.flatten = false;
    settings.pages = "2";
    settings.watermark = " \n ";
    EXPECT_EQ(PreviewPDF::write(*manual(), settings, "Fall Math", dir / "v.pdf"), 1);
    const ReadBack vector = readBack(dir / "v.pdf");
    EXPECT_TRUE(contains(vector.text[0], "This file documents Asymptote"));
    EXPECT_TRUE(holdsLetters(vector.text[0], "PREVIEW Page 2" + of));
}

TEST(PreviewWrite, SameInputSameBytes) {
    test::TempDir dir;
    PreviewSettings settings;
    settings.pages = "1-3";
    PreviewPDF::write(*manual(), settings, "T", dir / "a.pdf");
    PreviewPDF::write(*manual(), settings, "T", dir / "b.pdf");
    EXPECT_EQ(test::readBytes(dir / "a.pdf"), test::readBytes(dir / "b.pdf"));
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
    PreviewPDF::write(*manual(), settings, "Text", dir / "text preview.pdf");
    EXPECT_EQ(occurrences(test::readBytes(dir / "text preview.pdf"), "/DCTDecode"), 0u);
}

TEST(PreviewWrite, ScreenAndFileShareThePageBitmaps) {
    test::TempDir dir;
    const auto source = blankPages(dir, 3);
    PreviewSettings settings;
    for (const auto& sheet : PreviewPDF::groups({0, 1, 2}, settings))
        ASSERT_TRUE(PreviewPDF::sheetImage(*source, settings, sheet, 400));
    const std::size_t cached = source->cachedImageCount();
    EXPECT_EQ(cached, 3u);
    PreviewPDF::write(*source, settings, "T", dir / "p.pdf");
    EXPECT_EQ(source->cachedImageCount(), cached);
}

TEST(PreviewWrite, FailuresLeaveNoFile) {
    test::TempDir dir;
    PreviewSettings settings;
    settings.pages = "900-920";
    try {
        PreviewPDF::write(*manual(), settings, "T", dir / "none.pdf");
        ADD_FAILURE() << "no error";
    } catch (const ListingError& error) {
        EXPECT_EQ(error, ListingError::noPagesSelected());
    }

    settings.pages = "";
    std::ofstream(dir / "file") << "x";
    try {
        PreviewPDF::write(*manual(), settings, "T", dir / "file" / "T preview.pdf");
        ADD_FAILURE() << "no error";
    } catch (const ListingError& error) {
        EXPECT_EQ(error, ListingError::writeFailed("T preview.pdf"));
    }

    std::stop_source stop;
    stop.request_stop();
    EXPECT_THROW(PreviewPDF::write(*manual(), settings, "T", dir / "stopped.pdf", stop.get_token()),
                 Cancelled);

    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"file"});
}
