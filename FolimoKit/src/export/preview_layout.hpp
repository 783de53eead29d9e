#pragma once

#include "folimo/geometry.hpp"
#include "folimo/settings.hpp"

#include <string>

// The numbers behind the preview's sheets, as pure functions.
namespace folimo::previewLayout {

// W x H in points: each side held to 2...200 inches (2 for NaN).
Size sheetSize(const PreviewSettings& settings);
// 1, or 2 when pagesPerSheet is above 1.
int places(const PreviewSettings& settings);
// The watermark's strength: opacity held to 0.05...0.9.
double opacity(const PreviewSettings& settings);

// The largest side of a flattened page's picture, in pixels, as of the largest listing
// images.
inline constexpr double maxPictureSide = 6000;
// The pixel width a flattened page is fetched at: 150 pixels per inch of the sheet,
// truncated, or less on a sheet so large that a side of the picture would pass
// maxPictureSide. 0 for an empty page.
int flattenedWidth(const Rect& page);

// "Page 5 of 12" for page index 4 of a 12-page source.
std::string caption(int page, int pageCount);

// The diagonal watermark's font size for a page of this size, given the text's width at
// 100 points: the text spans 72 % of the diagonal unless that makes it taller than 30 % of
// the page height.
double diagonalFontSize(Size page, double widthAt100);
// The corner badge's font size: 3 % of the page height, at least 7 points.
double cornerFontSize(double pageHeight);
// The corner badge around a text of the given size at that font size: padding of 0.6 of
// the font size, in the page's lower right corner.
Rect cornerBadge(const Rect& page, Size text, double fontSize);

} // namespace folimo::previewLayout
