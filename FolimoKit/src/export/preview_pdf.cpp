#include "export/pdf_file.hpp"
#include "export/pending_file.hpp"
#include "export/preview_layout.hpp"
#include "export/preview_pdf_p.hpp"
#include "folimo/listing_error.hpp"
#include "folimo/page_selection.hpp"
#include "model/color_p.hpp"
#include "render/drawing/cairo_glue.hpp"
#include "render/drawing/paint.hpp"
#include "render/drawing/shadow.hpp"
#include "render/image_p.hpp"
#include "render/source_pdf_p.hpp"
#include "render/text_p.hpp"

#include <cmath>
#include <mutex>
#include <string>

namespace folimo::PreviewPDF {
namespace {

constexpr std::string_view family = "Helvetica Neue";
// Flattened pages that go into the file as JPEG (see compactForPdf): at this quality text
// edges stay clean at 150 pixels per inch.
constexpr int jpegQuality = 88;

constexpr RGBColor captionGrey = rgb8(107, 107, 107);
constexpr RGBColor diagonalGrey = rgb8(122, 122, 122);
const RGBColor badgeTextGrey{0.2, 0.2, 0.2};

// Drawing for the file passes a list that holds the page's pictures until the page ends
// (Cairo writes them then); drawing a bitmap passes none.
using HeldPictures = std::vector<Image>*;

void diagonalWatermark(cairo_t* cr, const std::string& text, const Rect& rect, double opacity) {
    const double size =
        previewLayout::diagonalFontSize(rect.size(), measure(text, font(family, 100, true)).width);
    cairo_translate(cr, rect.midX(), rect.midY());
    cairo_rotate(cr, std::atan2(rect.height, rect.width));
    drawCentredLine(cr, text, font(family, size, true), diagonalGrey, opacity, {0, 0});
}

void cornerWatermark(cairo_t* cr, const std::string& text, const Rect& rect, double opacity) {
    const double size = previewLayout::cornerFontSize(rect.height);
    const Font bold = font(family, size, true);
    const Rect badge = previewLayout::cornerBadge(rect, measure(text, bold), size);
    addRoundedRect(cr, badge, badge.height / 2);
    fillPath(cr, RGBColor::white, 0.85);
    drawCentredLine(cr, text, bold, badgeTextGrey, std::max(opacity, 0.6), badge.mid());
}

void drawCaption(cairo_t* cr, const std::string& text, const Rect& page) {
    std::lock_guard lock(textLock());
    drawCentredLine(cr, text, font(family, 9, false), captionGrey, 1,
                    {page.midX(), page.minY() - 14});
}

// A flattened page is only ever a picture, never vectors whose text a buyer could copy. The
// one page no picture can be made of is a sliver far narrower than its height (under 16
// pixels wide with more than 32767 rows), whose content would not show at that width
// either: its paper stays blank.
void drawContent(cairo_t* cr, const SourcePDF& source, const PreviewSettings& settings, int page,
                 const Rect& rect, HeldPictures held) {
    if (!settings.flatten) {
        SavedState saved(cr);
        return drawPage(source, page, cr, rect);
    }
    const std::optional<Image> picture = source.image(page, previewLayout::flattenedWidth(rect));
    if (!picture) return;
    if (!held) return drawImage(cr, *picture, rect);
    drawPdfPicture(cr, held->emplace_back(compactForPdf(*picture, jpegQuality)), rect);
}

void drawPlacedPage(cairo_t* cr, const SourcePDF& source, const PreviewSettings& settings, int page,
                    const Rect& rect, HeldPictures held) {
    drawWithShadow(cr, {0, -2, 6, RGBColor::black, 0.18},
                   [&](cairo_t* paper) { fillRect(paper, rect, RGBColor::white); });
    drawContent(cr, source, settings, page, rect, held);
    strokeRect(cr, rect, RGBColor::black, 0.5, 0.2);
    watermark(settings, rect, cr);
    drawCaption(cr, previewLayout::caption(page, source.pageCount()), rect);
}

void drawSheet(cairo_t* cr, const SourcePDF& source, const PreviewSettings& settings,
               const std::vector<int>& pages, HeldPictures held) {
    const Size size = previewLayout::sheetSize(settings);
    const Rect sheet{0, 0, size.width, size.height};
    fillRect(cr, sheet, RGBColor::white);
    const int places = previewLayout::places(settings);
    for (int index = 0; index < int(pages.size()) && index < places; ++index) {
        const int page = pages[std::size_t(index)];
        drawPlacedPage(cr, source, settings, page,
                       pageRect(slot(sheet, index, places), source.aspect(page)), held);
    }
}

} // namespace

void watermark(const PreviewSettings& settings, const Rect& rect, cairo_t* cr) {
    std::lock_guard lock(textLock());
    SavedState saved(cr);
    cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    cairo_clip(cr);
    const std::string text = shownText(settings.watermarkText());
    const double opacity = previewLayout::opacity(settings);
    if (settings.style == WatermarkStyle::diagonal)
        diagonalWatermark(cr, text, rect, opacity);
    else
        cornerWatermark(cr, text, rect, opacity);
}

int write(const SourcePDF& source, const PreviewSettings& settings, std::string_view title,
          const std::filesystem::path& path, std::stop_token stop) {
    const Sheets sheets(PageSelection::parse(settings.pages, source.pageCount()), settings);
    if (sheets.empty()) throw ListingError::noPagesSelected();

    PendingFile file(path);
    // A viewer shows the title in a window's title bar: a long one is cut as on the images
    // rather than written whole (a 50 MB title would make a 200 MB file).
    PdfFile pdf(file.stream(), previewLayout::sheetSize(settings), shownText(title) + " (preview)",
                "Folimo");
    for (std::size_t i = 0; i < sheets.count(); ++i) {
        if (stop.stop_requested()) throw Cancelled();
        std::vector<Image> pictures;
        drawSheet(pdf.context(), source, settings, sheets[i], &pictures);
        pdf.endPage();
    }
    if (!pdf.finish()) file.fail();
    file.commit();
    return int(sheets.count());
}

std::optional<Image> sheetImage(const SourcePDF& source, const PreviewSettings& settings,
                                const std::vector<int>& pages, int width) {
    const Size size = previewLayout::sheetSize(settings);
    const double scale = width / size.width;
    // Halves away from zero; held to what a bitmap can be before it becomes an integer.
    const double height = std::round(size.height * scale);
    if (!(height >= 1 && height <= 32767)) return std::nullopt;
    auto canvas = Canvas::create(width, int(height));
    if (!canvas) return std::nullopt;
    cairo_t* cr = canvas->context();
    cairo_scale(cr, scale, scale);
    drawSheet(cr, source, settings, pages, nullptr);
    return std::move(*canvas).finish();
}

} // namespace folimo::PreviewPDF
