#include "image_diff.hpp"

#include "test_support.hpp"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace folimo::test {
namespace {

void save(const Image& image, std::string_view name, std::string_view suffix) {
    const auto path = outputPath(std::string(name) + std::string(suffix));
    cairo_surface_write_to_png(image.surface(), path.c_str());
}

} // namespace

::testing::AssertionResult imagesMatch(const Image& actual, const Image& expected, int tolerance,
                                       std::string_view name) {
    const int width = expected.width(), height = expected.height();
    if (actual.width() != width || actual.height() != height) {
        save(actual, name, "-actual.png");
        save(expected, name, "-expected.png");
        return ::testing::AssertionFailure()
               << name << ": " << actual.width() << " x " << actual.height() << " instead of "
               << width << " x " << height;
    }
    // The differing pixels in red over a faint copy of the expected image.
    cairo_surface_t* diff = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    std::uint8_t* out = cairo_image_surface_get_data(diff);
    long differing = 0;
    int worst = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* a = actual.data() + y * actual.stride() + x * 4;
            const std::uint8_t* e = expected.data() + y * expected.stride() + x * 4;
            std::uint8_t* o = out + y * cairo_image_surface_get_stride(diff) + x * 4;
            int difference = 0;
            for (int c = 0; c < 4; ++c)
                difference = std::max(difference, std::abs(a[c] - e[c]));
            worst = std::max(worst, difference);
            const auto faint = std::uint8_t(191 + (e[0] + e[1] + e[2]) / 12);
            o[0] = o[1] = o[2] = faint, o[3] = 255;
            if (difference > tolerance) {
                o[0] = 0, o[1] = 0, o[2] = 255;
                if (differing++ == 0) firstX = x, firstY = y;
            }
        }
    cairo_surface_mark_dirty(diff);
    const Image difference(diff);
    if (differing == 0) return ::testing::AssertionSuccess();
    save(actual, name, "-actual.png");
    save(expected, name, "-expected.png");
    save(difference, name, "-diff.png");
    return ::testing::AssertionFailure()
           << name << ": " << differing << " pixels differ by more than " << tolerance
           << " (at most " << worst << "), the first at column " << firstX << ", row " << firstY
           << "; see " << outputPath(std::string(name) + "-diff.png");
}

} // namespace folimo::test
