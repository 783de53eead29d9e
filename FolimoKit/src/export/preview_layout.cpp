#include "export/preview_layout.hpp"

#include "export/preview_pdf_p.hpp"

#include <algorithm>
#include <cmath>

namespace folimo::previewLayout {

Size sheetSize(const PreviewSettings& settings) {
    const Range<double> inches = PreviewSettings::sheetSideRange;
    return {inches.clamp(settings.sheetWidth) * 72, inches.clamp(settings.sheetHeight) * 72};
}

int places(const PreviewSettings& settings) {
    return int(PreviewSettings::pagesPerSheetRange.clamp(settings.pagesPerSheet));
}

double opacity(const PreviewSettings& settings) {
    return PreviewSettings::opacityRange.clamp(settings.opacity);
}

int flattenedWidth(const Rect& page) {
    const double width = page.width / 72 * 150, height = page.height / 72 * 150;
    const double scale = std::min(1.0, maxPictureSide / std::max(width, height));
    // NaN gives 0.
    return int(std::max(0.0, width * scale));
}

std::string caption(int page, int pageCount) {
    return "Page " + std::to_string(page + 1) + " of " + std::to_string(pageCount);
}

double diagonalFontSize(Size page, double widthAt100) {
    const double diagonal = std::hypot(page.width, page.height);
    return std::min(diagonal * 100 * 0.72 / std::max(widthAt100, 1.0), page.height * 0.3);
}

double cornerFontSize(double pageHeight) {
    return std::max(pageHeight * 0.03, 7.0);
}

Rect cornerBadge(const Rect& page, Size text, double fontSize) {
    const double padding = fontSize * 0.6;
    return {page.maxX() - text.width - 3 * padding, page.minY() + padding, text.width + 2 * padding,
            text.height + padding};
}

} // namespace folimo::previewLayout

namespace folimo::PreviewPDF {

Sheets::Sheets(std::vector<int> pages, const PreviewSettings& settings)
    : pages_(std::move(pages))
    , places_(std::size_t(previewLayout::places(settings))) {}

std::vector<int> Sheets::operator[](std::size_t index) const {
    const auto first = pages_.begin() + long(index * places_);
    return {first, first + long(std::min(places_, pages_.size() - index * places_))};
}

Rect slot(const Rect& sheet, int index, int count) {
    const double side = std::min(sheet.width, sheet.height);
    const double margin = 0.06 * side;
    const double band = 0.05 * side; // room for the caption under a page
    const Rect content{margin, margin + band, sheet.width - 2 * margin,
                       sheet.height - 2 * margin - band};
    if (count != 2) return content;
    if (sheet.height > sheet.width) {
        const double height = (content.height - margin - band) * 0.5;
        return {content.x, content.maxY() - height - index * (height + margin + band),
                content.width, height};
    }
    const double width = (content.width - margin) * 0.5;
    return {content.minX() + index * (width + margin), content.y, width, content.height};
}

Rect pageRect(const Rect& place, double aspect) {
    if (!(aspect > 0)) aspect = 0.773;
    double width = place.width;
    double height = width / aspect;
    if (height > place.height) {
        height = place.height;
        width = aspect * height;
    }
    return {place.midX() - width / 2, place.midY() - height / 2, width, height};
}

} // namespace folimo::PreviewPDF
