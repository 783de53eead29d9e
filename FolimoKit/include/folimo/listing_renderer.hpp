#pragma once

#include "folimo/geometry.hpp"
#include "folimo/image.hpp"
#include "folimo/settings.hpp"
#include "folimo/source_pdf.hpp"

#include <cairo.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace folimo {

// Draws the listing images: one bitmap per layout at a pixel size. A small value made
// fresh for each use; all caching is in the SourcePDF. Const operations are safe to call
// from several threads at once.
class ListingRenderer {
public:
    // One page ready to be drawn as a paper card.
    struct Placed {
        int page = 0;
        Point center;
        Size size;
        double angle = 0; // radians, counter-clockwise positive
        bool operator==(const Placed&) const = default;
    };

    ListingRenderer(std::shared_ptr<const SourcePDF> source, ListingSettings settings);

    const SourcePDF& source() const { return *source_; }
    const ListingSettings& settings() const { return settings_; }

    // The finished image, each side clamped into 64...6000 pixels. Nothing when the bitmap
    // cannot be allocated.
    std::optional<Image> render(ImageLayout layout, PixelSize size) const;
    // The 0-based pages the layout shows.
    std::vector<int> pages(ImageLayout layout) const;
    // settings.title trimmed, or the PDF's title when that leaves nothing.
    std::string title() const;

    // Background colour and its soft glow over rect (shared with the video frames).
    void drawBackground(cairo_t* cr, const Rect& rect) const;
    // The title in the brand's font and text colour, fitted (start size down to minimum)
    // and wrapped into block, vertically centred in it.
    void drawTitle(cairo_t* cr, const Rect& block, double startSize, double minimumSize) const;
    // Background, glow and (when showTitle) the title; gives the rectangle left for pages.
    Rect drawBackdrop(cairo_t* cr, const Rect& rect) const;
    // The corner badge for an image (or video frame) filling rect.
    void drawBadge(cairo_t* cr, const Rect& rect) const;
    // Each placed page as a paper card with a shadow of size `shadow`; later ones on top.
    void drawCards(const std::vector<Placed>& cards, cairo_t* cr, double shadow) const;

    // The group scaled and moved so that its bounding box fills target, centred.
    static std::vector<Placed> fit(const std::vector<Placed>& cards, const Rect& target);

private:
    std::shared_ptr<const SourcePDF> source_;
    ListingSettings settings_;
};

} // namespace folimo
