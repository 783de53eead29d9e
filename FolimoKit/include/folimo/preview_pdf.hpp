#pragma once

#include "folimo/image.hpp"
#include "folimo/settings.hpp"
#include "folimo/source_pdf.hpp"

#include <filesystem>
#include <optional>
#include <stop_token>
#include <string_view>
#include <vector>

// The watermarked preview PDF: chosen pages of the source one or two to a sheet on white
// paper, each with a soft shadow, a thin border, the watermark over it and "Page 3 of 12"
// under it; with `flatten` each page is a 150-pixel-per-inch picture (fewer pixels per inch
// on sheets so large that a side of it would pass 6000 pixels) whose text cannot be copied.
// The file and the on-screen sheets are drawn by the same code. Geometry is in points of
// the sheet, origin at the lower left, y upwards; each sheet side is held to 2...200 inches.
//
// No state of its own: page drawing and page pictures go through the SourcePDF (its lock
// and cache), text through the process-wide text lock. Safe to call from any thread, also
// while another call draws from the same source.
namespace folimo::PreviewPDF {

// Writes the preview of the pages that settings.pages selects (blank: every page) to path,
// replacing any file there, and returns the number of sheets. The document's title is
// title + " (preview)", its creator "Folimo"; the same input gives the same bytes.
// The file appears only when complete (written under a temporary name and renamed).
// Throws ListingError::noPagesSelected when no page is selected (no file is made),
// ListingError::writeFailed with path's file name when the file cannot be written, and
// Cancelled when stop is requested (checked before each sheet; no file is left).
int write(const SourcePDF& source, const PreviewSettings& settings, std::string_view title,
          const std::filesystem::path& path, std::stop_token stop = {});

// The pages in their given order cut into sheets of one or two (pagesPerSheet above 1
// means two); the last sheet holds fewer when the count does not divide evenly. Holds the
// page list once and makes each sheet's pages when asked, so a document of a million pages
// costs no more than its page list.
class Sheets {
public:
    Sheets() = default;
    Sheets(std::vector<int> pages, const PreviewSettings& settings);

    std::size_t count() const { return (pages_.size() + places_ - 1) / places_; }
    bool empty() const { return pages_.empty(); }
    // The pages of sheet index (0-based, below count()).
    std::vector<int> operator[](std::size_t index) const;

private:
    std::vector<int> pages_;
    std::size_t places_ = 1;
};

// One sheet, drawn exactly as in the file, width pixels wide (the height follows the
// sheet's shape, rounded). pages are the sheet's page indices (as Sheets gives them; any
// beyond the places of one sheet are not drawn); none gives a plain white sheet. Nothing
// when width is not positive or the bitmap cannot be allocated.
std::optional<Image> sheetImage(const SourcePDF& source, const PreviewSettings& settings,
                                const std::vector<int>& pages, int width);

} // namespace folimo::PreviewPDF
