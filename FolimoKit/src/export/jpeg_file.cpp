#include "export/jpeg_file.hpp"

#include "export/pixel_rows.hpp"

// jpeglib.h needs FILE and size_t declared first.
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <jpeglib.h>
#include <utility>
#include <vector>

namespace folimo {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void onError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}
void onMessage(j_common_ptr) {}

class JpegCompressStruct {
public:
    JpegCompressStruct() {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = onError;
        errors.base.output_message = onMessage;
    }
    // Safe also when creation failed half-way: jpeg_destroy checks what was made.
    ~JpegCompressStruct() { jpeg_destroy_compress(&info); }
    JpegCompressStruct(const JpegCompressStruct&) = delete;
    JpegCompressStruct& operator=(const JpegCompressStruct&) = delete;

    jpeg_compress_struct info{};
    ErrorManager errors{};
};

// libjpeg reports errors by a longjmp back to the setjmp here, so every libjpeg call that
// can fail runs in this frame, which holds nothing with a destructor; the row buffer
// belongs to the caller.
bool encode(jpeg_compress_struct& info, std::jmp_buf& jump, const Image& image, int quality,
            std::FILE* out, std::uint8_t* row) {
    if (setjmp(jump)) return false;
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.write_JFIF_header = TRUE;
    info.density_unit = 1; // dots per inch
    info.X_density = 144;
    info.Y_density = 144;
    jpeg_start_compress(&info, TRUE);
    JSAMPROW rows[1] = {row};
    for (int y = 0; y < image.height(); ++y) {
        pixelRows::rgbOnWhite(image, y, row);
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

// A stream into a growing malloc'd buffer.
class MemoryStream {
public:
    MemoryStream()
        : stream_(open_memstream(&bytes_, &size_)) {}
    ~MemoryStream() {
        if (stream_) std::fclose(stream_);
        std::free(bytes_);
    }
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;

    std::FILE* stream() const { return stream_; }

    // Closes the stream and hands its bytes over; nothing when closing fails.
    std::optional<JpegBytes> take() {
        const bool closed = std::fclose(std::exchange(stream_, nullptr)) == 0;
        JpegBytes taken;
        taken.data.reset(reinterpret_cast<unsigned char*>(std::exchange(bytes_, nullptr)));
        taken.size = size_;
        if (!closed) return std::nullopt;
        return taken;
    }

private:
    char* bytes_ = nullptr;
    std::size_t size_ = 0;
    std::FILE* stream_;
};

} // namespace

bool writeJPEG(const Image& image, int quality, std::FILE* out) {
    JpegCompressStruct compressor;
    std::vector<std::uint8_t> row(std::size_t(image.width()) * 3);
    return encode(compressor.info, compressor.errors.jump, image, quality, out, row.data());
}

std::optional<JpegBytes> encodeJPEG(const Image& image, int quality) {
    MemoryStream memory;
    if (!memory.stream() || !writeJPEG(image, quality, memory.stream())) return std::nullopt;
    return memory.take();
}

} // namespace folimo
