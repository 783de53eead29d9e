#pragma once

#include "folimo/geometry.hpp"
#include "folimo/source_pdf.hpp"

#include <cairo.h>

namespace folimo {

// Draws the page upright, fitted and centred in rect of cr's user space, which must have
// y upwards (as every context of the library does). Nothing is painted outside the page's
// crop box and nothing behind it. Throws as SourcePDF::image() does: ListingError::unreadable
// (the file's name) when the page cannot be had or the file has changed in place since it
// was opened.
void drawPage(const SourcePDF& source, int page, cairo_t* cr, const Rect& rect);

} // namespace folimo
