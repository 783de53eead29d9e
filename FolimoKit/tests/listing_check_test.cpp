#include "folimo/listing_check.hpp"
#include "folimo/listing_error.hpp"
#include "pdf_files.hpp"
#include "render/image_p.hpp"
#include "render/source_pdf_p.hpp"
#include "test_support.hpp"

#include <cairo-pdf.h>
#include <gtest/gtest.h>

using namespace folimo;
using Kind = ListingFinding::Kind;

namespace {

std::vector<Kind> kinds(const std::vector<ListingFinding>& findings) {
    std::vector<Kind> result;
    for (const ListingFinding& finding : findings)
        result.push_back(finding.kind);
    return result;
}

// A Letter PDF whose pages are a page of the manual scanned at each resolution (dots per
// inch: the scan is one picture over the whole page), or drawn as vectors for 0.
std::shared_ptr<SourcePDF> scans(const std::filesystem::path& path, std::vector<int> dpis) {
    const auto manual = test::manual();
    cairo_surface_t* pdf = cairo_pdf_surface_create(path.c_str(), 612, 792);
    cairo_t* cr = cairo_create(pdf);
    // The PDF surface's user space has y downwards; the library's drawing has it upwards.
    cairo_translate(cr, 0, 792);
    cairo_scale(cr, 1, -1);
    for (int dpi : dpis) {
        if (dpi == 0) {
            drawPage(*manual, 2, cr, {0, 0, 612, 792});
        } else {
            const Image scan = *manual->image(2, 612 * dpi / 72);
            drawImage(cr, scan, {0, 0, 612, 792});
        }
        cairo_show_page(cr);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(pdf);
    return SourcePDF::open(path);
}

} // namespace

TEST(ListingCheck, FindsPagesScannedAtTooLowAResolution) {
    test::TempDir dir;
    // Every page is shown, the largest at 1.8 pixels a point: 72 dpi (one pixel a point) is
    // enlarged too much, 150 dpi is not, vector pages have no pictures.
    const auto source = scans(dir / "scans.pdf", {72, 0, 150, 72});

    const auto findings = ListingCheck::findings(source, {});
    ASSERT_EQ(kinds(findings), (std::vector{Kind::lowResolutionPage, Kind::lowResolutionPage}));
    EXPECT_EQ(findings[0].message, "Page 1 is a low-resolution picture and may look blurry.");
    EXPECT_EQ(findings[1].page, 4);
    EXPECT_EQ(findings[1].size, (PixelSize{2000, 2000}));

    // A scan turned a quarter on its page is the same picture.
    test::qpdf("--rotate=+90:1", dir / "scans.pdf", dir / "turned.pdf");
    EXPECT_EQ(ListingCheck::findings(SourcePDF::open(dir / "turned.pdf"), {}).front().page, 1);

    // Shown only in the square thumbnails, the 72 dpi scans are not enlarged enough to blur.
    ListingSettings small;
    small.images = {ImagePreset::squareThumbnails()};
    EXPECT_TRUE(ListingCheck::findings(source, small).empty());

    std::stop_source stop;
    stop.request_stop();
    EXPECT_THROW(ListingCheck::findings(source, {}, stop.get_token()), Cancelled);
}

TEST(ListingCheck, TellsOfMissingPagesAndTitlesTooLongToRead) {
    test::TempDir dir;
    const auto source = test::blankPages(dir.path(), 12);
    ListingSettings settings;
    settings.pages = "1-3, 14, 20";
    settings.preview.pages = "10-13";
    settings.video.pages = "40";
    settings.video.isOn = false; // a list that is not used is not judged
    settings.title = std::string(400, 'W');
    const auto findings = ListingCheck::findings(source, settings);
    ASSERT_EQ(kinds(findings), (std::vector{Kind::missingListingPage, Kind::missingPreviewPage,
                                            Kind::titleTooLong}));
    EXPECT_EQ(findings[0].message, "Page 14 is not in this 12-page PDF.");
    EXPECT_EQ(findings[1].page, 13);
    EXPECT_EQ(findings[2].message,
              "The title is too long to read at 750 \u00D7 750; shorten it or turn it off.");

    // Turned off, or in the scenes only, the title is not judged.
    settings = {};
    settings.title = std::string(400, 'W');
    settings.showTitle = false;
    EXPECT_TRUE(ListingCheck::findings(source, settings).empty());
    settings.showTitle = true;
    settings.layouts = {ImageLayout::desk};
    EXPECT_TRUE(ListingCheck::findings(source, settings).empty());
}

TEST(ListingCheck, FindsATitleThatASquareThumbnailCuts) {
    test::TempDir dir;
    const auto source = test::blankPages(dir.path(), 3);
    ListingSettings settings;
    settings.images = {ImagePreset::listing4x3()};
    // Short, it sits in the middle; two long lines reach the sides of the 4:3 image.
    settings.title = "Fall Math";
    EXPECT_TRUE(ListingCheck::findings(source, settings).empty());
    settings.title = "Fall Math Practice Pack for Second Grade: Addition, Subtraction and More";
    const auto findings = ListingCheck::findings(source, settings);
    ASSERT_EQ(kinds(findings), std::vector{Kind::titleCutBySquare});
    EXPECT_EQ(findings[0].message, "In a square thumbnail the title is cut off.");
    EXPECT_EQ(findings[0].size, (PixelSize{2000, 1500}));

    // A first image without a title, or a square one, is shown whole.
    settings.layouts = {ImageLayout::frame};
    EXPECT_TRUE(ListingCheck::findings(source, settings).empty());
    settings.layouts = {ImageLayout::grid};
    settings.images = {ImagePreset::listingSquare()};
    EXPECT_TRUE(ListingCheck::findings(source, settings).empty());
}
