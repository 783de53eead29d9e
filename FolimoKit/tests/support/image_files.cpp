#include "image_files.hpp"

#include <gtest/gtest.h>
#include <png.h>

namespace folimo::test {

RGBA8 DecodedImage::at(int x, int y) const {
    const std::uint8_t* p = &rgba.at(std::size_t(4 * (y * width + x)));
    return {p[0], p[1], p[2], p[3]};
}

DecodedImage readPNG(const std::filesystem::path& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    DecodedImage decoded;
    if (png_image_begin_read_from_file(&image, path.c_str())) {
        image.format = PNG_FORMAT_RGBA;
        decoded.rgba.resize(PNG_IMAGE_SIZE(image));
        if (png_image_finish_read(&image, nullptr, decoded.rgba.data(), 0, nullptr))
            decoded.width = int(image.width), decoded.height = int(image.height);
    }
    EXPECT_EQ(image.warning_or_error & PNG_IMAGE_ERROR, 0u) << path << ": " << image.message;
    return decoded;
}

} // namespace folimo::test
