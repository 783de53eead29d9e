#pragma once

#include "folimo/geometry.hpp"
#include "render/drawing/cairo_glue.hpp"
#include "render/image_p.hpp"

#include <cairo.h>
#include <cstdio>
#include <string>

namespace folimo {

// A PDF drawn page by page through Cairo into an open stream. Every page is `page` points;
// the context's user space has the origin at the lower left and y upwards, as Canvas's.
// The document carries title and creator and a fixed creation date, so the same drawing
// gives the same bytes. Destroy it before closing the stream: finishing writes to it.
class PdfFile {
public:
    PdfFile(std::FILE* out, Size page, const std::string& title, const std::string& creator);

    cairo_t* context() const { return cr_.get(); }
    // Ends the page being drawn and starts the next, with a fresh graphics state.
    void endPage();
    // Writes the rest of the document; false when anything could not be written.
    bool finish();

private:
    SurfacePtr surface_;
    ContextPtr cr_;
    double height_;
};

// An opaque picture as a PDF page should embed it: the same pixels carrying a JPEG encoding
// of them at quality (1...100) when that is clearly smaller than the lossless, deflated
// pixels Cairo would otherwise write (photos, paintings, textures), else the picture as it
// is (text and line art, which deflate to less and stay sharp). Cairo reads the JPEG only
// when the page ends: keep the returned image alive until then, or the pixels are written.
Image compactForPdf(const Image& picture, int quality);

// Draws picture stretched into rect (y-up), as drawImage does on bitmaps but without its
// padded edges: for a padded pattern Cairo writes a padded copy of the pixels into the PDF
// instead of the picture itself and its JPEG.
void drawPdfPicture(cairo_t* cr, const Image& picture, const Rect& rect);

} // namespace folimo
