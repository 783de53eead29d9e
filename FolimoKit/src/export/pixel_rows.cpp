#include "export/pixel_rows.hpp"

#include <algorithm>
#include <cstring>

namespace folimo::pixelRows {
namespace {

// Cairo stores a pixel as one native-endian 32-bit word: alpha in the top byte, then red,
// green and blue.
std::uint32_t word(const std::uint8_t* row, int x) {
    std::uint32_t argb;
    std::memcpy(&argb, row + 4 * x, 4);
    return argb;
}

std::uint8_t channel(std::uint32_t argb, int shift) {
    return static_cast<std::uint8_t>(argb >> shift);
}

const std::uint8_t* row(const Image& image, int y) {
    return image.data() + y * image.stride();
}

} // namespace

bool isOpaque(const Image& image) {
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* pixels = row(image, y);
        for (int x = 0; x < image.width(); ++x)
            if (word(pixels, x) < 0xFF000000u) return false;
    }
    return true;
}

bool isGrey(const Image& image) {
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* pixels = row(image, y);
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t argb = word(pixels, x);
            if (channel(argb, 16) != channel(argb, 8) || channel(argb, 8) != channel(argb, 0))
                return false;
        }
    }
    return true;
}

void rgbOnWhite(const Image& image, int y, std::uint8_t* out) {
    const std::uint8_t* pixels = row(image, y);
    for (int x = 0; x < image.width(); ++x, out += 3) {
        const std::uint32_t argb = word(pixels, x);
        // Premultiplied colour over white: c + (255 - alpha); never above 255 for valid
        // premultiplied data, held there for any other.
        const int white = 255 - channel(argb, 24);
        out[0] = static_cast<std::uint8_t>(std::min(channel(argb, 16) + white, 255));
        out[1] = static_cast<std::uint8_t>(std::min(channel(argb, 8) + white, 255));
        out[2] = static_cast<std::uint8_t>(std::min(channel(argb, 0) + white, 255));
    }
}

void rgba(const Image& image, int y, std::uint8_t* out) {
    const std::uint8_t* pixels = row(image, y);
    for (int x = 0; x < image.width(); ++x, out += 4) {
        const std::uint32_t argb = word(pixels, x);
        const unsigned alpha = channel(argb, 24);
        out[3] = static_cast<std::uint8_t>(alpha);
        if (alpha == 255) {
            out[0] = channel(argb, 16), out[1] = channel(argb, 8), out[2] = channel(argb, 0);
        } else if (alpha == 0) {
            out[0] = out[1] = out[2] = 0;
        } else {
            auto unmultiply = [alpha](unsigned c) {
                return static_cast<std::uint8_t>(std::min((c * 255 + alpha / 2) / alpha, 255u));
            };
            out[0] = unmultiply(channel(argb, 16));
            out[1] = unmultiply(channel(argb, 8));
            out[2] = unmultiply(channel(argb, 0));
        }
    }
}

} // namespace folimo::pixelRows
