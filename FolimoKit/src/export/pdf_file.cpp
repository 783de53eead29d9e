#include "export/pdf_file.hpp"

#include "export/jpeg_file.hpp"
#include "export/pixel_rows.hpp"
#include "model/valid_utf8.hpp"
#include "render/image_p.hpp"

#include <cairo-pdf.h>
#include <cstdint>
#include <vector>
#include <zlib.h>

namespace folimo {
namespace {

cairo_status_t writeToStream(void* out, const unsigned char* data, unsigned int length) {
    return std::fwrite(data, 1, length, static_cast<std::FILE*>(out)) == length
               ? CAIRO_STATUS_SUCCESS
               : CAIRO_STATUS_WRITE_ERROR;
}

// Cairo would otherwise stamp each file with the time it was written.
constexpr const char* fixedCreationDate = "2020-01-01T00:00:00Z";

// About the size of the picture's pixels deflated as Cairo writes them: grey when every
// pixel is grey, else RGB. zlib's fastest level, which comes out a little larger than
// Cairo's, is close enough to choose an encoding by.
std::size_t deflatedSize(const Image& picture) {
    const bool grey = pixelRows::isGrey(picture);
    std::vector<std::uint8_t> row(std::size_t(picture.width()) * 3);
    std::vector<std::uint8_t> out(1 << 16);
    z_stream stream{};
    if (deflateInit(&stream, Z_BEST_SPEED) != Z_OK) return SIZE_MAX;
    for (int y = 0; y < picture.height(); ++y) {
        pixelRows::rgbOnWhite(picture, y, row.data());
        if (grey)
            for (std::size_t x = 0; x < std::size_t(picture.width()); ++x)
                row[x] = row[3 * x];
        stream.next_in = row.data();
        stream.avail_in = uInt(grey ? picture.width() : picture.width() * 3);
        const int flush = y + 1 == picture.height() ? Z_FINISH : Z_NO_FLUSH;
        do {
            stream.next_out = out.data();
            stream.avail_out = uInt(out.size());
            deflate(&stream, flush);
        } while (stream.avail_out == 0);
    }
    const std::size_t size = stream.total_out;
    deflateEnd(&stream);
    return size;
}

void flipToYUp(cairo_t* cr, double height) {
    cairo_translate(cr, 0, height);
    cairo_scale(cr, 1, -1);
}

} // namespace

PdfFile::PdfFile(std::FILE* out, Size page, const std::string& title, const std::string& creator)
    : surface_(cairo_pdf_surface_create_for_stream(writeToStream, out, page.width, page.height))
    , cr_(cairo_create(surface_.get()))
    , height_(page.height) {
    cairo_surface_t* surface = surface_.get();
    // Cairo refuses the whole document for metadata that is not UTF-8.
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, validUTF8(title).c_str());
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, validUTF8(creator).c_str());
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE, fixedCreationDate);
    flipToYUp(cr_.get(), height_);
}

void PdfFile::endPage() {
    cairo_show_page(cr_.get());
    cairo_identity_matrix(cr_.get());
    flipToYUp(cr_.get(), height_);
}

bool PdfFile::finish() {
    cairo_surface_finish(surface_.get());
    return cairo_status(cr_.get()) == CAIRO_STATUS_SUCCESS &&
           cairo_surface_status(surface_.get()) == CAIRO_STATUS_SUCCESS;
}

Image compactForPdf(const Image& picture, int quality) {
    std::optional<JpegBytes> jpeg = encodeJPEG(picture, quality);
    if (!jpeg || double(jpeg->size) > 0.67 * double(deflatedSize(picture))) return picture;
    // A second surface over the same pixels: the shared picture itself stays untouched. It
    // holds a copy of the picture, and so its pixels, for as long as Cairo holds it.
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        const_cast<unsigned char*>(picture.data()), CAIRO_FORMAT_ARGB32, picture.width(),
        picture.height(), picture.stride());
    static const cairo_user_data_key_t pixelsKey{};
    auto* pixels = new Image(picture);
    if (cairo_surface_set_user_data(surface, &pixelsKey, pixels, [](void* held) {
            delete static_cast<Image*>(held);
        }) != CAIRO_STATUS_SUCCESS) {
        delete pixels;
        cairo_surface_destroy(surface);
        return picture;
    }
    Image backed = adoptImage(surface);
    const std::size_t size = jpeg->size;
    unsigned char* bytes = jpeg->data.release();
    if (cairo_surface_set_mime_data(surface, CAIRO_MIME_TYPE_JPEG, bytes, size, std::free, bytes) !=
        CAIRO_STATUS_SUCCESS) {
        std::free(bytes);
        return picture;
    }
    return backed;
}

void drawPdfPicture(cairo_t* cr, const Image& picture, const Rect& rect) {
    cairo_save(cr);
    cairo_translate(cr, rect.x, rect.maxY());
    cairo_scale(cr, rect.width / picture.width(), -rect.height / picture.height());
    cairo_set_source_surface(cr, cairoSurface(picture), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
}

} // namespace folimo
