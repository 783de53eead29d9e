#include "drawing.hpp"
#include "folimo/listing_error.hpp"
#include "folimo/source_pdf.hpp"
#include "pdf_files.hpp"
#include "render/image_p.hpp"
#include "render/source_pdf_p.hpp"
#include "test_support.hpp"

#include <climits>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <thread>

using namespace folimo;
using namespace folimo::test;

namespace {

template <class... Arguments> std::optional<ListingError> openError(Arguments... arguments) {
    return thrownError([&] { SourcePDF::open(std::move(arguments)...); });
}

// A Letter page with a black 100 pt square in the lower left corner of its unrotated page.
TinyPage markedPage(int rotate) {
    return {{0, 0, 612, 792}, std::nullopt, rotate, "0 0 100 100 re f"};
}

bool isInk(RGBA8 p) {
    return p.alpha > 128 && p.red < 100 && p.green < 100 && p.blue < 100;
}
bool isWhite(RGBA8 p) {
    return p == RGBA8{255, 255, 255, 255};
}

} // namespace

TEST(SourcePDFOpen, OutsidePDFOpensFromFileAndFromBytes) {
    const auto path = outsidePDF("asy-latex.pdf");
    auto file = SourcePDF::open(path);
    EXPECT_EQ(file->pageCount(), 11);
    EXPECT_EQ(file->title(), "The asymptote package");
    EXPECT_EQ(file->url(), path);

    auto bytes = SourcePDF::open(readBytes(outsidePDF("CAD.pdf")), "Sample pack");
    EXPECT_EQ(bytes->pageCount(), 7);
    EXPECT_FALSE(bytes->url());
    EXPECT_EQ(bytes->title(), "Sample pack"); // CAD.pdf has no title
    // The bytes were handed over; drawing still reads them.
    EXPECT_TRUE(bytes->image(6, 100));
}

// An editor saving over the file puts a new one in its place: the PDF opened still reads
// the old one whole, and knows it is no longer what is on disk.
TEST(SourcePDFOpen, AFileReplacedOnDiskIsNoticedAndStillDrawn) {
    test::TempDir dir;
    std::filesystem::copy_file(outsidePDF("CAD.pdf"), dir / "edit.pdf");
    const auto source = SourcePDF::open(dir / "edit.pdf");
    EXPECT_FALSE(source->changedOnDisk());
    std::filesystem::copy_file(outsidePDF("asyRefCard.pdf"), dir / "new.pdf");
    std::filesystem::rename(dir / "new.pdf", dir / "edit.pdf");
    EXPECT_TRUE(source->changedOnDisk());
    EXPECT_TRUE(source->image(6, 100));
    std::filesystem::remove(dir / "edit.pdf");
    EXPECT_TRUE(source->changedOnDisk());
}

TEST(SourcePDFOpen, WhatIsNotAPDFIsUnreadableByItsFileName) {
    TempDir dir;
    auto pdf = readBytes(outsidePDF("CAD.pdf"));
    writeBytes(dir / "worksheet.pdf", {});
    writeBytes(dir / "notes.pdf", {'h', 'e', 'l', 'l', 'o', '\n'});
    writeBytes(dir / "cut.pdf", {pdf.begin(), pdf.begin() + 5000});
    std::vector<std::uint8_t> noise(4096);
    std::mt19937 random(7);
    for (auto& byte : noise)
        byte = std::uint8_t(random());
    writeBytes(dir / "noise.bin", noise);
    std::filesystem::create_directory(dir / "folder.pdf");

    for (const char* name :
         {"worksheet.pdf", "notes.pdf", "cut.pdf", "noise.bin", "folder.pdf", "missing.pdf"})
        EXPECT_EQ(openError(dir / name), ListingError::unreadable(name));

    EXPECT_EQ(openError(noise, "Noise"), ListingError::unreadable("Noise"));
}

TEST(SourcePDFOpen, LockedComesBeforeNoPages) {
    TempDir dir;
    writeTinyPDF(dir / "empty.pdf", {});
    qpdf("--encrypt secret owner 256 --", dir / "empty.pdf", dir / "locked empty.pdf");
    qpdf("--encrypt secret owner 256 --", outsidePDF("CAD.pdf"), dir / "locked.pdf");

    EXPECT_EQ(openError(dir / "empty.pdf"), ListingError::noPages());
    EXPECT_EQ(openError(dir / "locked empty.pdf"), ListingError::locked("locked empty.pdf"));
    EXPECT_EQ(openError(dir / "locked.pdf"), ListingError::locked("locked.pdf"));
    EXPECT_EQ(openError(readBytes(dir / "locked.pdf"), "Shop"), ListingError::locked("Shop"));
    // Only restricted, with an empty password for reading: opens.
    qpdf("--encrypt '' owner 256 --", outsidePDF("CAD.pdf"), dir / "restricted.pdf");
    EXPECT_EQ(SourcePDF::open(dir / "restricted.pdf")->pageCount(), 7);
}

TEST(SourcePDFTitle, TrimmedTitleOrFallbackName) {
    TempDir dir;
    const std::vector<TinyPage> page{markedPage(0)};
    auto titleOf = [&](const std::optional<std::string>& title) {
        writeTinyPDF(dir / "my worksheet.v2.pdf", page, title);
        return SourcePDF::open(dir / "my worksheet.v2.pdf")->title();
    };
    EXPECT_EQ(titleOf("(  May planner \\n)"), "May planner");
    EXPECT_EQ(titleOf("(   \\n)"), "my worksheet.v2");
    EXPECT_EQ(titleOf(std::nullopt), "my worksheet.v2");
    // UTF-16 with no-break spaces and a line separator around the words.
    EXPECT_EQ(titleOf("<FEFF00A0004D00E4007200A0007A2028>"), "M\u00E4r\u00A0z");
}

// Boxes of no usable shape (beyond any number, or without width or height) take the
// fallback proportions; the size of a box that is merely huge is kept as it is.
TEST(SourcePDFPageSize, BoxesWithoutAUsableShapeTakeTheFallbackProportions) {
    TempDir dir;
    const double inf = std::numeric_limits<double>::infinity();
    writeTinyPDF(dir / "shapeless.pdf", {{{0, 0, inf, 792}, std::nullopt, 0, "0 0 100 100 re f"},
                                         {{0, 0, 612, inf}, std::nullopt, 90, ""},
                                         {{0, 0, 1e33, 792}, std::nullopt, 0, ""},
                                         {{0, 0, 0, 792}, std::nullopt, 0, ""}});
    auto pdf = SourcePDF::open(dir / "shapeless.pdf");
    EXPECT_EQ(pdf->pageSize(0), (Size{612, 792}));
    EXPECT_EQ(pdf->pageSize(1), (Size{612, 792}));
    EXPECT_EQ(pdf->pageSize(2), (Size{1e33, 792}));
    EXPECT_DOUBLE_EQ(pdf->aspect(0), 612.0 / 792);
    EXPECT_DOUBLE_EQ(pdf->aspect(3), 0.773);
    for (int page : {0, 1, 2}) {
        auto canvas = Canvas::create(100, 100);
        drawPage(*pdf, page, canvas->context(), canvas->bounds());
        EXPECT_EQ(cairo_status(canvas->context()), CAIRO_STATUS_SUCCESS) << page;
        const auto image = pdf->image(page, 200);
        ASSERT_TRUE(image) << page;
        EXPECT_EQ(image->width(), 200);
    }
}

// A turned page has the turned size and is drawn upright; indices outside the document take
// its first or last page.
TEST(SourcePDFDraw, RotatedPagesAreSizedAndDrawnUpright) {
    TempDir dir;
    writeTinyPDF(dir / "turns.pdf", {markedPage(0), markedPage(90), markedPage(180),
                                     markedPage(270), markedPage(-90)});
    auto pdf = SourcePDF::open(dir / "turns.pdf");
    const Size portrait{612, 792}, landscape{792, 612};
    // Where the lower left corner of the unrotated page shows after turning it clockwise.
    enum Corner { lowerLeft, upperLeft, upperRight, lowerRight };
    const std::pair<Size, Corner> expected[] = {{portrait, lowerLeft},
                                                {landscape, upperLeft},
                                                {portrait, upperRight},
                                                {landscape, lowerRight},
                                                {landscape, lowerRight}};
    for (int page = 0; page < 5; ++page) {
        EXPECT_EQ(pdf->pageSize(page), expected[page].first) << page;
        auto image = pdf->image(page, 200);
        ASSERT_TRUE(image);
        const int right = image->width() - 5, bottom = image->height() - 5;
        const RGBA8 corners[] = {image->pixel(5, bottom), image->pixel(5, 5),
                                 image->pixel(right, 5), image->pixel(right, bottom)};
        for (int corner = 0; corner < 4; ++corner)
            EXPECT_EQ(isInk(corners[corner]), corner == expected[page].second)
                << "page " << page << " corner " << corner;
        EXPECT_TRUE(isWhite(image->pixel(image->width() / 2, image->height() / 2)));
    }
    EXPECT_EQ(pdf->pageSize(-3), portrait);
    EXPECT_EQ(pdf->pageSize(999), landscape);
    // Clamped before the cache is asked: the same bitmap as the first or last page's.
    EXPECT_EQ(pdf->image(-3, 200)->data(), pdf->image(0, 200)->data());
    EXPECT_EQ(pdf->image(999, 200)->data(), pdf->image(4, 200)->data());
    EXPECT_DOUBLE_EQ(pdf->aspect(1), 792.0 / 612.0);
}

TEST(SourcePDFDraw, OnlyTheCropBoxIsDrawn) {
    TempDir dir;
    // Red everywhere but a blue 200 x 300 pt window, which is the crop box.
    const std::string content = "1 0 0 rg 0 0 612 792 re f 0 0 1 rg 100 100 200 300 re f "
                                "0 g 100 100 20 20 re f";
    writeTinyPDF(dir / "window.pdf",
                 {{{0, 0, 612, 792}, std::array<double, 4>{100, 100, 300, 400}, 0, content},
                  {{0, 0, 612, 792}, std::array<double, 4>{100, 100, 300, 400}, 90, content}});
    auto pdf = SourcePDF::open(dir / "window.pdf");
    auto image = pdf->image(0, 200);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->height(), 300);
    for (int y = 0; y < 300; y += 7)
        for (int x = 0; x < 200; x += 7)
            ASSERT_EQ(image->pixel(x, y).red, 0) << x << "," << y;
    EXPECT_TRUE(isInk(image->pixel(3, 296))); // the mark at the window's lower left corner

    auto turned = pdf->image(1, 300);
    ASSERT_TRUE(turned);
    EXPECT_EQ(turned->height(), 200);
    EXPECT_TRUE(isInk(turned->pixel(3, 3))); // lower left turned clockwise: upper left
    EXPECT_EQ(turned->pixel(296, 196).blue, 255);
}

TEST(SourcePDFDraw, FittedCentredAndNothingPaintedBesideThePage) {
    TempDir dir;
    writeTinyPDF(dir / "black.pdf", {{{0, 0, 612, 792}, std::nullopt, 0, "0 0 612 792 re f"}});
    auto pdf = SourcePDF::open(dir / "black.pdf");

    const Image image = drawn(400, 400, [&](cairo_t* cr, const Rect&) {
        // A wide rectangle in the upper half of the y-up canvas. The page is
        // 200 * 612 / 792 = 154.5 wide, centred: x from 122.7 to 277.3.
        drawPage(*pdf, 0, cr, {0, 200, 400, 200});
        drawPage(*pdf, 0, cr, {10, 10, 0, 100}); // nothing to draw into
        EXPECT_EQ(cairo_status(cr), CAIRO_STATUS_SUCCESS);
    });
    EXPECT_EQ(image.pixel(100, 100).alpha, 0); // upper half of the canvas is rows 0..199
    EXPECT_EQ(image.pixel(120, 100).alpha, 0);
    EXPECT_TRUE(isInk(image.pixel(125, 100)));
    EXPECT_TRUE(isInk(image.pixel(275, 100)));
    EXPECT_EQ(image.pixel(280, 100).alpha, 0);
    EXPECT_EQ(image.pixel(200, 300).alpha, 0);
}

TEST(SourcePDFImage, WhitePaperAtTheAskedWidth) {
    TempDir dir;
    writeTinyPDF(dir / "shapes.pdf", {markedPage(0), {{0, 0, 2000, 10}, std::nullopt, 0, ""}});
    auto pdf = SourcePDF::open(dir / "shapes.pdf");
    auto page = pdf->image(0, 800);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->width(), 800);
    EXPECT_EQ(page->height(), 1035); // 792 * 800 / 612 = 1035.3
    EXPECT_TRUE(isWhite(page->pixel(799, 0)));

    auto narrow = pdf->image(0, 5);
    ASSERT_TRUE(narrow);
    EXPECT_EQ(narrow->width(), 16);
    auto strip = pdf->image(1, 16);
    ASSERT_TRUE(strip);
    EXPECT_EQ(strip->height(), 16);
}

TEST(SourcePDFImage, AbsurdSizesGiveNoImage) {
    TempDir dir;
    writeTinyPDF(dir / "sliver.pdf", {markedPage(0), {{0, 0, 1, 14400}, std::nullopt, 0, ""}});
    auto pdf = SourcePDF::open(dir / "sliver.pdf");
    EXPECT_FALSE(pdf->image(0, 1'000'000'000));
    EXPECT_FALSE(pdf->image(0, INT_MAX));
    EXPECT_FALSE(pdf->image(1, 6000)); // 86 million pixels tall
    EXPECT_EQ(pdf->cachedImageCount(), 0u);
    EXPECT_TRUE(pdf->image(0, 6000));
}

// The cache hands out the bitmap it holds, and is emptied wholesale past 121 bitmaps or
// past its byte limit (6000 x 6000 pixels are 144 MB: two fit under it, a third does not).
TEST(SourcePDFCache, SameBitmapTwiceAndEmptiedWholesaleByCountOrBytes) {
    TempDir dir;
    writeTinyPDF(dir / "square.pdf", {{{0, 0, 600, 600}, std::nullopt, 0, ""}});
    auto pdf = SourcePDF::open(dir / "square.pdf");
    const auto first = pdf->image(0, 16);
    EXPECT_EQ(pdf->image(0, 16)->data(), first->data());
    for (int width = 17; width < 16 + 121; ++width)
        pdf->image(0, width);
    EXPECT_EQ(pdf->cachedImageCount(), 121u);
    pdf->image(0, 200); // the 122nd
    EXPECT_EQ(pdf->cachedImageCount(), 1u);
    EXPECT_NE(pdf->image(0, 16)->data(), first->data()); // drawn afresh

    static_assert(2 * 144'000'000u < SourcePDF::cacheByteLimit);
    static_assert(3 * 144'000'000u > SourcePDF::cacheByteLimit);
    const auto large = pdf->image(0, 6000);
    pdf->image(0, 6001);
    EXPECT_EQ(pdf->cachedImageCount(), 4u);
    pdf->image(0, 6002);
    EXPECT_EQ(pdf->cachedImageCount(), 1u);
    EXPECT_NE(pdf->image(0, 6000)->data(), large->data());
}

TEST(SourcePDFThreads, SharedDocumentGivesTheSamePixelsAsOneThread) {
    const auto path = outsidePDF("asymptote.pdf");
    auto reference = SourcePDF::open(path);
    auto shared = SourcePDF::open(path);
    const int widths[] = {120, 200, 333};
    std::vector<std::thread> threads;
    std::vector<int> mismatches(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 24; ++i) {
                const int page = (i * 7 + t) % 12;
                const int width = widths[(i + t) % 3];
                auto image = shared->image(page, width);
                if (!image || shared->pageSize(page) != Size{612, 792}) ++mismatches[t];
                auto canvas = Canvas::create(60, 80);
                drawPage(*shared, page, canvas->context(), canvas->bounds());
                if (cairo_status(canvas->context()) != CAIRO_STATUS_SUCCESS) ++mismatches[t];
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(mismatches, std::vector<int>(4, 0));
    for (int page = 0; page < 12; ++page)
        for (int width : widths)
            EXPECT_TRUE(samePixels(*shared->image(page, width), *reference->image(page, width)))
                << page << " at " << width;
}

namespace {

// Mean difference of grey levels (0…255) between a page drawn at width w and the same page
// drawn four times as large and averaged down 4 x 4, as a viewer's careful downscale shows it.
double differenceFromDownscaled(const SourcePDF& pdf, int page, int w) {
    const auto small = pdf.image(page, w);
    const auto large = pdf.image(page, 4 * w);
    if (!small || !large) return 255;
    auto grey = [](RGBA8 p) { return (p.red + p.green + p.blue) / 3.0; };
    const int rows = std::min(small->height(), large->height() / 4);
    double total = 0;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < w; ++x) {
            double reference = 0;
            for (int dy = 0; dy < 4; ++dy)
                for (int dx = 0; dx < 4; ++dx)
                    reference += grey(large->pixel(4 * x + dx, 4 * y + dy));
            total += std::abs(grey(small->pixel(x, y)) - reference / 16);
        }
    return total / (double(rows) * w);
}

} // namespace

// Hinted glyph advances pull words apart and break thin rules at thumbnail widths; the small
// bitmap stays close to a careful downscale of a large one.
TEST(SourcePDFImage, SmallPagesKeepTheSpacingOfALargeOne) {
    auto pdf = SourcePDF::open(outsidePDF("CAD.pdf"));
    for (int page : {0, 1})
        for (int width : {153, 229}) {
            const double difference = differenceFromDownscaled(*pdf, page, width);
            EXPECT_LT(difference, 1.0) << "page " << page + 1 << " at " << width << " px";
        }
}
