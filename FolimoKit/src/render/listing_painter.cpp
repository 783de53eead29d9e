#include "render/listing_painter.hpp"

#include "folimo/listing_renderer.hpp"
#include "model/glib_glue.hpp"
#include "model/unicode_trim.hpp"
#include "render/drawing/cairo_glue.hpp"
#include "render/drawing/paint.hpp"
#include "render/drawing/shadow.hpp"
#include "render/image_p.hpp"
#include "render/text_p.hpp"

#include <algorithm>
#include <cmath>

namespace folimo {
namespace {

std::string upperCase(std::string_view text) {
    return takeString(g_utf8_strup(text.data(), gssize(text.size())));
}

// The badge as drawn. Only the start of a long template can show, so only that much of it
// is filled in (each byte of it gives at least a seventh of a byte: "{pages}" may become
// one digit), cut between characters.
std::string shownBadge(const Brand& brand, std::int64_t pageCount) {
    constexpr std::size_t enough = 8 * shownTextBytes;
    const std::string_view badge = trimWhitespaceAndNewlines(brand.badge);
    if (badge.size() <= enough) return upperCase(shownText(brand.badgeText(pageCount)));
    std::size_t end = enough;
    while ((static_cast<unsigned char>(badge[end]) & 0xC0) == 0x80)
        --end;
    Brand start;
    start.badge = badge.substr(0, end);
    return upperCase(shownText(start.badgeText(pageCount)));
}

// Cairo's radial gradients cost tens of milliseconds on a large bitmap. The glow changes so
// slowly that the same gradient on a bitmap of at most 256 pixels a side, stretched smoothly
// over rect, looks the same and is many times faster.
PatternPtr reducedGlow(const Rect& rect, cairo_pattern_t* gradient) {
    const double step = std::max(1.0, std::max(rect.width, rect.height) / 256);
    SurfacePtr small(cairo_image_surface_create(
        CAIRO_FORMAT_RGB24, int(std::ceil(rect.width / step)), int(std::ceil(rect.height / step))));
    cairo_matrix_t toSmall;
    cairo_matrix_init_scale(&toSmall, 1 / step, 1 / step);
    cairo_matrix_translate(&toSmall, -rect.x, -rect.y);
    {
        ContextPtr cr(cairo_create(small.get()));
        cairo_set_matrix(cr.get(), &toSmall);
        cairo_set_source(cr.get(), gradient);
        cairo_paint(cr.get());
    }
    PatternPtr stretched(cairo_pattern_create_for_surface(small.get()));
    cairo_pattern_set_matrix(stretched.get(), &toSmall);
    cairo_pattern_set_filter(stretched.get(), CAIRO_FILTER_BILINEAR);
    cairo_pattern_set_extend(stretched.get(), CAIRO_EXTEND_PAD);
    return stretched;
}

} // namespace

void ListingPainter::drawBackground(cairo_t* cr, const Rect& rect) const {
    const SavedState saved(cr);
    const RGBColor& background = settings_.brand.background;
    cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    setColor(cr, background);
    cairo_fill_preserve(cr);

    // A soft glow: the middle 32 % lighter, fading to the background colour.
    const RGBColor light = background.mixed(RGBColor::white, 0.32);
    const double radius = std::max(rect.width, rect.height) * 0.75;
    PatternPtr glow = radialGradient(rect.mid(), radius, {{0, light}, {1, background}});
    if (cairo_surface_get_type(cairo_get_target(cr)) == CAIRO_SURFACE_TYPE_IMAGE)
        glow = reducedGlow(rect, glow.get());
    cairo_set_source(cr, glow.get());
    cairo_fill(cr);
}

ListingPainter::TitleFit ListingPainter::fitTitle(const Rect& block, double startSize,
                                                  double minimumSize) const {
    const std::string_view title = listingTitle(settings_.title, source_.title());
    TitleFit fit;
    fit.text = shownText(title);
    std::lock_guard guard(textLock());
    fit.font = fittedFont(fit.text, settings_.brand.fontFamily, block.width, block.height,
                          startSize, minimumSize, true);
    const Size wrapped = wrappedSize(fit.text, fit.font, block.width);
    fit.frame = layout::titleFrame(block, wrapped.height);
    fit.lineWidth = std::min(wrapped.width, block.width);
    fit.textHeight = std::min(wrapped.height, fit.frame.height);
    fit.atMinimum = fit.font.size <= minimumSize;
    fit.cut = fit.text != title || wrapped.height > fit.frame.height;
    return fit;
}

std::optional<ListingPainter::TitleFit> ListingPainter::backdropTitle(const Rect& rect) const {
    const auto block = layout::backdrop(rect, settings_.showTitle).titleBlock;
    if (!block) return std::nullopt;
    return fitTitle(*block, block->height * 0.62, block->height * 0.2);
}

void ListingPainter::drawTitle(cairo_t* cr, const TitleFit& title) const {
    drawWrapped(cr, title.text, title.font, settings_.brand.text, 1, title.frame);
}

void ListingPainter::drawBackdrop(cairo_t* cr, const Rect& rect) const {
    drawBackground(cr, rect);
    if (const auto title = backdropTitle(rect)) drawTitle(cr, *title);
}

void ListingPainter::drawBadge(cairo_t* cr, const Rect& rect) const {
    const Brand& brand = settings_.brand;
    const std::string shown = shownBadge(brand, source_.pageCount());
    if (shown.empty()) return;
    const double s = layout::shorterSide(rect.size());
    double spacing = s * 0.002;

    Font font = folimo::font(brand.fontFamily, s * 0.042, true);
    const double textWidth = measure(shown, font).width;
    const Rect badge = layout::badgeRect(rect, textWidth, brand.keepBadgeInSquare);
    drawWithShadow(cr, {0, -0.006 * s, 0.015 * s, RGBColor::black, 0.28}, [&](cairo_t* cr) {
        fillRoundedRect(cr, badge, badge.height / 2, brand.accent);
    });
    // A text too long for the capsule's cap is set smaller, its spacing with it, so that it
    // keeps the padding inside the capsule. Unhinted widths shrink in proportion.
    const double room = badge.width - layout::badgePadding(rect);
    if (textWidth > room) {
        const double scale = room / measure(shown, font, spacing).width;
        font = folimo::font(brand.fontFamily, font.size * scale, true);
        spacing *= scale;
    }
    drawCentredLine(cr, shown, font, brand.accent.contrasting(), 1, badge.mid(), spacing);
}

void ListingPainter::drawCards(const std::vector<layout::Placed>& cards, cairo_t* cr,
                               double shadow) const {
    for (const layout::Placed& card : cards) {
        const double w = card.size.width, h = card.size.height;
        const Rect paper{-w / 2, -h / 2, w, h};
        const Rect page = layout::fittedPage(paper, source_.aspect(card.page));
        const auto image = source_.image(card.page, int(std::ceil(page.width)));
        if (!image) continue;
        const SavedState saved(cr);
        cairo_translate(cr, card.center.x, card.center.y);
        cairo_rotate(cr, card.angle);
        // Only the paper casts the shadow.
        drawWithShadow(cr, {0, -0.35 * shadow, shadow, RGBColor::black, 0.32},
                       [&](cairo_t* cr) { fillRect(cr, paper, RGBColor::white); });
        drawImage(cr, *image, page);
        strokeRect(cr, paper, RGBColor::black, std::max(w / 600, 1.0), 0.12);
    }
}

} // namespace folimo
