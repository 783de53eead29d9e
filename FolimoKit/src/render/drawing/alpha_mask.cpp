#include "render/drawing/alpha_mask.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace folimo {
namespace {

// Widths of three box filters whose succession approximates a Gaussian of sigma pixels: as
// close to equal as odd widths allow (odd widths keep each pass centred).
std::array<int, 3> boxWidths(double sigma) {
    constexpr int passes = 3;
    const double ideal = std::sqrt(12 * sigma * sigma / passes + 1);
    int lower = std::max(int(std::floor(ideal)), 1);
    if (lower % 2 == 0) --lower;
    const int upper = lower + 2;
    const double lowerCount =
        (12 * sigma * sigma - passes * lower * lower - 4 * passes * lower - 3 * passes) /
        (-4.0 * lower - 4);
    std::array<int, 3> widths{};
    for (int i = 0; i < passes; ++i)
        widths[std::size_t(i)] = i < std::lround(lowerCount) ? lower : upper;
    return widths;
}

struct Pixels {
    std::uint8_t* data;
    int width;
    int height;
    std::ptrdiff_t stride;

    std::uint8_t* row(int y) const { return data + y * stride; }
};

void boxRows(const Pixels& mask, int boxWidth, std::vector<std::uint32_t>& line) {
    const int radius = boxWidth / 2;
    const float scale = 1.0f / float(boxWidth);
    line.resize(std::size_t(mask.width));
    for (int y = 0; y < mask.height; ++y) {
        std::uint8_t* p = mask.row(y);
        std::copy(p, p + mask.width, line.begin());
        std::uint32_t sum = 0;
        for (int x = 0; x < std::min(radius, mask.width); ++x)
            sum += line[std::size_t(x)];
        for (int x = 0; x < mask.width; ++x) {
            if (x + radius < mask.width) sum += line[std::size_t(x + radius)];
            p[x] = std::uint8_t(float(sum) * scale + 0.5f);
            if (x - radius >= 0) sum -= line[std::size_t(x - radius)];
        }
    }
}

// Column sums are kept for a whole row at once, so memory is walked row by row.
void boxColumns(const Pixels& mask, int boxWidth, std::vector<std::uint8_t>& copy,
                std::vector<std::uint32_t>& sums) {
    const int radius = boxWidth / 2;
    const float scale = 1.0f / float(boxWidth);
    const auto width = std::size_t(mask.width);
    copy.resize(width * std::size_t(mask.height));
    for (int y = 0; y < mask.height; ++y)
        std::memcpy(copy.data() + std::size_t(y) * width, mask.row(y), width);
    auto original = [&](int y) { return copy.data() + std::size_t(y) * width; };
    sums.assign(width, 0);
    for (int y = 0; y < std::min(radius, mask.height); ++y) {
        const std::uint8_t* in = original(y);
        for (std::size_t x = 0; x < width; ++x)
            sums[x] += in[x];
    }
    for (int y = 0; y < mask.height; ++y) {
        if (y + radius < mask.height) {
            const std::uint8_t* in = original(y + radius);
            for (std::size_t x = 0; x < width; ++x)
                sums[x] += in[x];
        }
        std::uint8_t* out = mask.row(y);
        for (std::size_t x = 0; x < width; ++x)
            out[x] = std::uint8_t(float(sums[x]) * scale + 0.5f);
        if (y - radius >= 0) {
            const std::uint8_t* in = original(y - radius);
            for (std::size_t x = 0; x < width; ++x)
                sums[x] -= in[x];
        }
    }
}

// Where each destination pixel along one axis samples the source: two neighbours and their
// weights; a neighbour outside the source has weight 0.
struct Taps {
    std::vector<int> index0, index1;
    std::vector<float> weight0, weight1;

    Taps(int count, int sourceCount, double scale, double offset)
        : index0(std::size_t(count))
        , index1(std::size_t(count))
        , weight0(std::size_t(count))
        , weight1(std::size_t(count)) {
        auto inside = [&](int i) { return i >= 0 && i < sourceCount; };
        for (std::size_t i = 0; i < std::size_t(count); ++i) {
            const double u = scale * (double(i) + 0.5) + offset - 0.5;
            const double base = std::clamp(std::floor(u), -2.0, double(sourceCount));
            const auto f = float(u - base);
            const int first = int(base);
            index0[i] = std::clamp(first, 0, sourceCount - 1);
            index1[i] = std::clamp(first + 1, 0, sourceCount - 1);
            weight0[i] = inside(first) ? 1 - f : 0;
            weight1[i] = inside(first + 1) ? f : 0;
        }
    }
};

} // namespace

void blurMask(cairo_surface_t* mask, double sigma) {
    if (!(sigma >= 0.3)) return;
    cairo_surface_flush(mask);
    const Pixels pixels{cairo_image_surface_get_data(mask), cairo_image_surface_get_width(mask),
                        cairo_image_surface_get_height(mask), cairo_image_surface_get_stride(mask)};
    std::vector<std::uint32_t> line;
    std::vector<std::uint8_t> copy;
    for (int boxWidth : boxWidths(sigma)) {
        if (boxWidth < 3) continue;
        boxRows(pixels, boxWidth, line);
        boxColumns(pixels, boxWidth, copy, line);
    }
    cairo_surface_mark_dirty(mask);
}

SurfacePtr resampledMask(cairo_surface_t* source, int width, int height,
                         const MaskMapping& toSource) {
    SurfacePtr result(cairo_image_surface_create(CAIRO_FORMAT_A8, width, height));
    if (cairo_surface_status(result.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    cairo_surface_flush(source);
    const Pixels in{cairo_image_surface_get_data(source), cairo_image_surface_get_width(source),
                    cairo_image_surface_get_height(source), cairo_image_surface_get_stride(source)};
    const Pixels out{cairo_image_surface_get_data(result.get()), width, height,
                     cairo_image_surface_get_stride(result.get())};
    if (in.width < 1 || in.height < 1) return result;
    const Taps columns(width, in.width, toSource.scaleX, toSource.offsetX);
    const Taps rows(height, in.height, toSource.scaleY, toSource.offsetY);

    // Source rows stretched to the destination's width; rows are visited in order, so the
    // last two suffice.
    std::array<std::vector<float>, 2> stretched;
    std::array<int, 2> stretchedRow{-1, -1};
    auto stretchedRowOf = [&](int y) -> const std::vector<float>& {
        const auto slot = std::size_t(y % 2);
        if (stretchedRow[slot] != y) {
            stretched[slot].resize(std::size_t(width));
            const std::uint8_t* p = in.row(y);
            for (std::size_t x = 0; x < std::size_t(width); ++x)
                stretched[slot][x] = columns.weight0[x] * p[columns.index0[x]] +
                                     columns.weight1[x] * p[columns.index1[x]];
            stretchedRow[slot] = y;
        }
        return stretched[slot];
    };
    for (std::size_t y = 0; y < std::size_t(height); ++y) {
        const int j0 = rows.index0[y], j1 = rows.index1[y];
        const float w0 = rows.weight0[y], w1 = rows.weight1[y];
        if (w0 == 0 && w1 == 0) continue; // the new surface is already clear
        std::uint8_t* o = out.row(int(y));
        if (w0 > 0 && w1 > 0) {
            const auto& a = stretchedRowOf(j0);
            const auto& b = stretchedRowOf(j1);
            for (std::size_t x = 0; x < std::size_t(width); ++x)
                o[x] = std::uint8_t(w0 * a[x] + w1 * b[x] + 0.5f);
        } else {
            const auto& a = stretchedRowOf(w0 > 0 ? j0 : j1);
            const float w = w0 > 0 ? w0 : w1;
            for (std::size_t x = 0; x < std::size_t(width); ++x)
                o[x] = std::uint8_t(w * a[x] + 0.5f);
        }
    }
    cairo_surface_mark_dirty(result.get());
    return result;
}

SurfacePtr copiedMask(cairo_surface_t* mask) {
    cairo_surface_flush(mask);
    const int width = cairo_image_surface_get_width(mask);
    const int height = cairo_image_surface_get_height(mask);
    SurfacePtr copy(cairo_image_surface_create(CAIRO_FORMAT_A8, width, height));
    if (cairo_surface_status(copy.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    const Pixels in{cairo_image_surface_get_data(mask), width, height,
                    cairo_image_surface_get_stride(mask)};
    const Pixels out{cairo_image_surface_get_data(copy.get()), width, height,
                     cairo_image_surface_get_stride(copy.get())};
    for (int y = 0; y < height; ++y)
        std::memcpy(out.row(y), in.row(y), std::size_t(width));
    cairo_surface_mark_dirty(copy.get());
    return copy;
}

MaskRange maskRange(cairo_surface_t* mask, int x0, int y0, int x1, int y1) {
    const Pixels in{cairo_image_surface_get_data(mask), cairo_image_surface_get_width(mask),
                    cairo_image_surface_get_height(mask), cairo_image_surface_get_stride(mask)};
    const bool reachesOutside = x0 < 0 || y0 < 0 || x1 > in.width || y1 > in.height;
    x0 = std::max(x0, 0), y0 = std::max(y0, 0);
    x1 = std::min(x1, in.width), y1 = std::min(y1, in.height);
    if (x0 >= x1 || y0 >= y1) return {};
    MaskRange range{255, 0};
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* p = in.row(y);
        const auto [least, greatest] = std::minmax_element(p + x0, p + x1);
        range.least = std::min<int>(range.least, *least);
        range.greatest = std::max<int>(range.greatest, *greatest);
    }
    if (reachesOutside) range.least = 0;
    return range;
}

} // namespace folimo
