#pragma once

#include "folimo/geometry.hpp"
#include "folimo/settings.hpp"
#include "folimo/source_pdf.hpp"
#include "render/layout_geometry.hpp"
#include "render/text_p.hpp"

#include <cairo.h>
#include <optional>
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

    // The listing title set in a block: fitted from a start size down to a minimum and
    // wrapped, vertically centred in the block.
    struct TitleFit {
        std::string text; // the title as laid out: a very long one is cut short with "…"
        Font font;
        Rect frame;             // where it is drawn, the lines from its top
        double lineWidth = 0;   // the widest line, centred on frame.midX()
        double textHeight = 0;  // the lines that show, from the frame's top down
        bool atMinimum = false; // no size above the minimum fits
        bool cut = false;       // only part of the text shows, ending with "…"
    };
    TitleFit fitTitle(const Rect& block, double startSize, double minimumSize) const;
    // The title of an image filling rect as drawBackdrop sets it; nothing without showTitle.
    std::optional<TitleFit> backdropTitle(const Rect& rect) const;
    // The title in the brand's font and text colour.
    void drawTitle(cairo_t* cr, const TitleFit& title) const;
    // Background, glow and (when showTitle) the title.
    void drawBackdrop(cairo_t* cr, const Rect& rect) const;
    // The corner badge for an image (or video frame) filling rect.
    void drawBadge(cairo_t* cr, const Rect& rect) const;
    // Each placed page as a paper card with a shadow of size `shadow`; later ones on top.
    void drawCards(const std::vector<layout::Placed>& cards, cairo_t* cr, double shadow) const;

private:
    const SourcePDF& source_;
    const ListingSettings& settings_;
};

} // namespace folimo
