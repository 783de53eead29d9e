#include "export/image_writer_p.hpp"
#include "export/jpeg_file.hpp"
#include "export/pending_file.hpp"
#include "export/png_file.hpp"

#include <algorithm>
#include <cmath>

namespace folimo::ImageWriter {

int jpegQuality(double quality) {
    if (std::isnan(quality)) quality = listingQuality;
    return int(std::lround(std::clamp(quality * 100, 1.0, 100.0)));
}

void write(const Image& image, const std::filesystem::path& path, ImageFormat format,
           double quality) {
    PendingFile file(path);
    const bool written = format == ImageFormat::png
                             ? writePNG(image, file.stream())
                             : writeJPEG(image, jpegQuality(quality), file.stream());
    if (!written) file.fail();
    file.commit();
}

} // namespace folimo::ImageWriter
