#pragma once

#include "folimo/geometry.hpp"
#include "folimo/settings.hpp"
#include "folimo/source_pdf.hpp"
#include "layout_geometry.hpp"

#include <cairo.h>
#include <string>
#include <vector>

namespace folimo {

// The brand's parts of a picture (backdrop, title, badge) and the seller's pages as paper
// cards, shared by the listing images and the video frames. A view over a source and
// settings that outlive it; const and safe to use from several threads at once.
class ListingPainter {
public:
    ListingPainter(const SourcePDF& source, const ListingSettings& settings)
        : source_(source)
        , settings_(settings) {}

    const SourcePDF& source() const { return source_; }
    const ListingSettings& settings() const { return settings_; }

    // Background colour and its soft glow over rect.
    void drawBackground(cairo_t* cr, const Rect& rect) const;
    // The listing title in the brand's font and text colour, fitted (start size down to
    // minimum) and wrapped into block, vertically centred in it.
    void drawTitle(cairo_t* cr, const Rect& block, double startSize, double minimumSize) const;
    // Background, glow and (when showTitle) the title; gives the rectangle left for pages.
    Rect drawBackdrop(cairo_t* cr, const Rect& rect) const;
    // The corner badge for an image (or video frame) filling rect.
    void drawBadge(cairo_t* cr, const Rect& rect) const;
    // Each placed page as a paper card with a shadow of size `shadow`; later ones on top.
    void drawCards(const std::vector<layout::Placed>& cards, cairo_t* cr, double shadow) const;

private:
    const SourcePDF& source_;
    const ListingSettings& settings_;
};

} // namespace folimo
