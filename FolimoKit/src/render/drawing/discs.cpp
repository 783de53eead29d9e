#include "render/drawing/discs.hpp"

#include "render/drawing/cairo_glue.hpp"
#include "render/drawing/paint.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace folimo::scenes {

namespace {

constexpr int bandRows = 128;
// The part of the pixel whose top-left corner is (px, py) that lies inside the disc.
// Across a pixel the rim of a disc a few pixels wide is nearly straight, so coverage
// follows the distance to it; the rim of a smaller disc is sampled on a 4 x 4 grid.
double coverage(double px, double py, double cx, double cy, double r) {
    const double dx = px + 0.5 - cx, dy = py + 0.5 - cy;
    const double d = std::sqrt(dx * dx + dy * dy);
    constexpr double halfDiagonal = 0.7072;
    if (d <= r - halfDiagonal) return 1;
    if (d >= r + halfDiagonal) return 0;
    if (r >= 2) return std::clamp(r - d + 0.5, 0.0, 1.0);
    constexpr int samples = 4;
    int inside = 0;
    for (int i = 0; i < samples; ++i) {
        const double sy = py + (i + 0.5) / samples - cy;
        for (int j = 0; j < samples; ++j) {
            const double sx = px + (j + 0.5) / samples - cx;
            inside += sx * sx + sy * sy <= r * r;
        }
    }
    return double(inside) / (samples * samples);
}

} // namespace

void fillDiscs(cairo_t* cr, Size size, const std::vector<Disc>& discs, double diameter,
               const RGBColor& color) {
    const int columns = int(std::ceil(size.width));
    const int rows = int(std::ceil(size.height));
    if (columns <= 0 || rows <= 0 || discs.empty() || !(diameter > 0)) return;
    const double r = diameter / 2;

    // Rows run downwards from the top of the area, as in the mask.
    SurfacePtr mask(cairo_image_surface_create(CAIRO_FORMAT_A8, columns, bandRows));
    if (cairo_surface_status(mask.get()) != CAIRO_STATUS_SUCCESS) return;
    const int stride = cairo_image_surface_get_stride(mask.get());
    std::vector<float> alpha(std::size_t(columns) * bandRows);

    for (int top = 0; top < rows; top += bandRows) {
        std::fill(alpha.begin(), alpha.end(), 0.0f);
        bool any = false;
        for (const Disc& disc : discs) {
            const double cx = disc.center.x;
            const double cy = size.height - disc.center.y - top;
            if (cy + r <= 0 || cy - r >= bandRows) continue;
            const int x0 = std::max(0, int(std::floor(cx - r)));
            const int x1 = std::min(columns - 1, int(std::floor(cx + r)));
            const int y0 = std::max(0, int(std::floor(cy - r)));
            const int y1 = std::min(bandRows - 1, int(std::floor(cy + r)));
            for (int y = y0; y <= y1; ++y) {
                float* row = alpha.data() + std::size_t(y) * std::size_t(columns);
                for (int x = x0; x <= x1; ++x) {
                    const double a = disc.alpha * coverage(x, y, cx, cy, r);
                    // One more disc laid over what is there (same colour, so only the
                    // alpha builds up).
                    row[x] += float(a * (1 - row[x]));
                    any = any || a > 0;
                }
            }
        }
        if (!any) continue;

        cairo_surface_flush(mask.get());
        std::uint8_t* data = cairo_image_surface_get_data(mask.get());
        for (int y = 0; y < bandRows; ++y) {
            const float* row = alpha.data() + std::size_t(y) * std::size_t(columns);
            std::uint8_t* out = data + std::ptrdiff_t(y) * stride;
            for (int x = 0; x < columns; ++x) {
                out[x] = std::uint8_t(std::clamp(row[x], 0.0f, 1.0f) * 255 + 0.5f);
            }
        }
        cairo_surface_mark_dirty(mask.get());

        SavedState saved(cr);
        cairo_translate(cr, 0, size.height - top);
        cairo_scale(cr, 1, -1);
        cairo_rectangle(cr, 0, 0, columns, std::min(bandRows, rows - top));
        cairo_clip(cr);
        setColor(cr, color);
        cairo_mask_surface(cr, mask.get(), 0, 0);
    }
}

} // namespace folimo::scenes
