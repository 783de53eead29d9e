#include "export/png_file.hpp"

#include "export/pixel_rows.hpp"

#include <cstdint>
#include <png.h>
#include <vector>

namespace folimo {
namespace {

// 144 dots per inch in PNG's unit, dots per metre.
constexpr png_uint_32 dotsPerMetre = 5669;

// Measured on 2000 x 2000 listing pictures (flat colour, gradients, wood grain, page
// bitmaps): level 3 with the Sub filter alone writes in half the time of zlib's default
// level 6 for files about 12 % larger; libpng's adaptive choice among all five filters
// costs more time again and gave no smaller files.
constexpr int compressionLevel = 3;
constexpr int filters = PNG_FILTER_SUB;

[[noreturn]] void onError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void onWarning(png_structp, png_const_charp) {}

class PngWriteStruct {
public:
    PngWriteStruct()
        : png_(png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning))
        , info_(png_ ? png_create_info_struct(png_) : nullptr) {}
    ~PngWriteStruct() {
        if (png_) png_destroy_write_struct(&png_, info_ ? &info_ : nullptr);
    }
    PngWriteStruct(const PngWriteStruct&) = delete;
    PngWriteStruct& operator=(const PngWriteStruct&) = delete;

    png_structp png() const { return png_; }
    png_infop info() const { return info_; }

private:
    png_structp png_;
    png_infop info_;
};

// libpng reports errors by a longjmp back to the setjmp here, so every libpng call that can
// fail runs in this frame, which holds nothing with a destructor; the row buffer belongs to
// the caller.
bool encode(png_structp png, png_infop info, const Image& image, bool opaque, std::FILE* out,
            std::uint8_t* row) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, out);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
                 opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, dotsPerMetre, dotsPerMetre, PNG_RESOLUTION_METER);
    png_set_sRGB_gAMA_and_cHRM(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
    png_set_compression_level(png, compressionLevel);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, filters);
    png_write_info(png, info);
    for (int y = 0; y < image.height(); ++y) {
        if (opaque)
            pixelRows::rgbOnWhite(image, y, row);
        else
            pixelRows::rgba(image, y, row);
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

} // namespace

bool writePNG(const Image& image, std::FILE* out) {
    PngWriteStruct writer;
    if (!writer.png() || !writer.info()) return false;
    const bool opaque = pixelRows::isOpaque(image);
    std::vector<std::uint8_t> row(std::size_t(image.width()) * (opaque ? 3 : 4));
    return encode(writer.png(), writer.info(), image, opaque, out, row.data());
}

} // namespace folimo
