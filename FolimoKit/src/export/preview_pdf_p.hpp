#pragma once

#include "folimo/geometry.hpp"
#include "folimo/preview_pdf.hpp"

#include <cairo.h>

// The geometry and watermark of the preview's sheets.
namespace folimo::PreviewPDF {

// The place of page `index` (0-based) on a sheet with `count` places (2 splits the sheet,
// anything else gives one place): margins of 6 % of the sheet's shorter side all round and
// a band of 5 % under each place for the caption. Two places are stacked on a portrait
// sheet (0 above) and stand side by side on a landscape or square one (0 on the left).
Rect slot(const Rect& sheet, int index, int count);

// The page's rectangle in its place: as large as fits at the page's aspect (width /
// height; 0.773 when not positive), centred.
Rect pageRect(const Rect& place, double aspect);

// Draws the settings' watermark over the page rectangle rect of cr (y-up user space),
// clipped to it: diagonal text along the page's diagonal, or a white capsule with the text
// in the lower right corner.
void watermark(const PreviewSettings& settings, const Rect& rect, cairo_t* cr);

} // namespace folimo::PreviewPDF
