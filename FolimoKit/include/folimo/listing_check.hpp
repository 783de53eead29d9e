#pragma once

#include "folimo/settings.hpp"
#include "folimo/source_pdf.hpp"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

namespace folimo {

// One thing that would look wrong in a shop, found before a set is made.
struct ListingFinding {
    enum class Kind {
        // A page list names a page the PDF lacks (the list still works: such pages are
        // left out). One finding per list, naming its first such page.
        missingListingPage,
        missingPreviewPage,
        missingVideoPage,
        // The title shrinks to its smallest size, or is cut short, in an image size.
        titleTooLong,
        // A shop's centred square crop of a first image that is not square cuts the title.
        titleCutBySquare,
        // A picture on a page shown in the listing images would be enlarged more than 1.5
        // times in the largest image that shows the page.
        lowResolutionPage,
    };

    Kind kind = Kind::missingListingPage;
    std::int64_t page = 0; // the 1-based page it concerns; 0 when none
    PixelSize size;        // the image size it concerns; 0 x 0 when none
    std::string message;   // one sentence for the seller: message(*this, pages of the PDF)

    bool operator==(const ListingFinding&) const = default;
};

void PrintTo(const ListingFinding& finding, std::ostream* out);

namespace ListingCheck {

// The sentence that tells the seller about a finding of a PDF of pageCount pages, in English:
// "Page 14 is not in this 12-page PDF.", "The title is too long to read at 750 × 750; shorten
// it or turn it off.", "In a square thumbnail the title is cut off.", "Page 3 is a
// low-resolution picture and may look blurry."
std::string message(const ListingFinding& finding, std::int64_t pageCount);

// What would look wrong in the listing set that settings (with the brand in
// settings.brand) make of source, judged by the same geometry and title fitting that draw
// the set, without drawing it. In this order: missing pages (the listing images' list when
// they are made, the preview's and the video's when those are on); the title too long,
// once, at the smallest image size where it happens; the title cut by the square crop,
// once, at the first enabled preset that is not square and whose first image (in the first
// chosen layout) the square cuts; then the low-resolution pages in page order, each at the
// largest image size that shows it. Looking at pictures decodes the larger ones of the
// pages the images show, at most a few a page; pictures only a few pixels across (colour
// fills, rules) and pictures too small in the images to show blur are passed over. The
// source keeps the sizes it decoded, so a second check of it costs far less.
//
// Safe to call from any thread while the source is drawn elsewhere (pages are read under
// the source's lock, text is measured under the text lock). stop is checked before each
// page's pictures; a stop request makes it throw Cancelled. Throws ListingError::unreadable
// when the PDF's file has changed in place since it was opened, as drawing it does.
std::vector<ListingFinding> findings(std::shared_ptr<const SourcePDF> source,
                                     const ListingSettings& settings, std::stop_token stop = {});

} // namespace ListingCheck
} // namespace folimo
