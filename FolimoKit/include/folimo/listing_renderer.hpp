#pragma once

#include "folimo/image.hpp"
#include "folimo/settings.hpp"
#include "folimo/source_pdf.hpp"

#include <memory>
#include <optional>
#include <vector>

namespace folimo {

// Draws the listing images: one bitmap per layout at a pixel size. A small value made
// fresh for each use; all caching is in the SourcePDF. Const operations are safe to call
// from several threads at once.
class ListingRenderer {
public:
    ListingRenderer(std::shared_ptr<const SourcePDF> source, ListingSettings settings);

    const SourcePDF& source() const { return *source_; }
    const ListingSettings& settings() const { return settings_; }

    // The finished image, each side held to PixelSize::sideRange. Nothing when the bitmap
    // cannot be allocated.
    std::optional<Image> render(ImageLayout layout, PixelSize size) const;
    // The 0-based pages the layout shows.
    std::vector<int> pages(ImageLayout layout) const;

private:
    std::shared_ptr<const SourcePDF> source_;
    ListingSettings settings_;
};

} // namespace folimo
