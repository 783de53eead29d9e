#pragma once

#include "folimo/image.hpp"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

namespace folimo {

// Encodes image as a baseline JFIF JPEG into out at quality 1...100 (libjpeg's scale),
// 144 dots per inch. Transparent parts come out white. False when libjpeg fails (a write
// error, no memory); out then holds a partial stream.
bool writeJPEG(const Image& image, int quality, std::FILE* out);

// A JPEG file's bytes in memory, allocated with malloc (Cairo takes them as MIME data and
// frees them with free).
struct JpegBytes {
    struct Free {
        void operator()(unsigned char* bytes) const { std::free(bytes); }
    };
    std::unique_ptr<unsigned char, Free> data;
    std::size_t size = 0;
};

// writeJPEG into memory; nothing when encoding fails.
std::optional<JpegBytes> encodeJPEG(const Image& image, int quality);

} // namespace folimo
