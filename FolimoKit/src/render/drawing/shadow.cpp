#include "render/drawing/shadow.hpp"

#include "render/drawing/alpha_mask.hpp"
#include "render/drawing/cairo_glue.hpp"
#include "render/drawing/paint.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

namespace folimo {
namespace {

// A blurred mask needs only a few samples per sigma: shadows are low-frequency, so large
// blurs are worked out on a reduced mask and scaled up smoothly when painted.
constexpr double maskSigma = 4;
// Mask pixels per point on vector targets (PDF), where no device pixel exists.
constexpr double vectorResolution = 4;
constexpr double maskPixelLimit = 8e6;

struct Box {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;

    bool empty() const { return !(x1 > x0 && y1 > y0); }
    double area() const { return empty() ? 0 : (x1 - x0) * (y1 - y0); }
    Box grown(double d) const { return {x0 - d, y0 - d, x1 + d, y1 + d}; }
    Box moved(double dx, double dy) const { return {x0 + dx, y0 + dy, x1 + dx, y1 + dy}; }
    Box intersected(const Box& o) const {
        return {std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1)};
    }
};

// Device pixels per device unit of a bitmap target (its device scale); 0 for vector targets.
double pixelScale(cairo_surface_t* target) {
    if (cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE) return 0;
    double scaleX = 1, scaleY = 1;
    cairo_surface_get_device_scale(target, &scaleX, &scaleY);
    return std::max(scaleX, scaleY);
}

// Mask pixels per device unit: the target's own pixels for bitmaps, a fixed fine grid for
// vector targets; fewer when the blur is wide or the mask would be huge.
double maskResolution(double pixels, double sigma, double area) {
    double resolution = pixels > 0 ? pixels : vectorResolution;
    if (sigma > 0) resolution = std::min(resolution, maskSigma / sigma);
    if (area * resolution * resolution > maskPixelLimit)
        resolution = std::sqrt(maskPixelLimit / area);
    return resolution;
}

Box deviceClip(cairo_t* cr) {
    SavedState saved(cr);
    cairo_identity_matrix(cr);
    Box clip;
    cairo_clip_extents(cr, &clip.x0, &clip.y0, &clip.x1, &clip.y1);
    return clip;
}

// Where the shadow goes, in device space (y down).
struct Placement {
    double offsetX = 0, offsetY = 0;
    double sigma = 0;
};

// What drawWithShadow was given to draw, with the state of cr it is drawn in.
struct Drawing {
    const std::function<void(cairo_t*)>& draw;
    cairo_matrix_t ctm;
    cairo_antialias_t antialias;
    double tolerance;

    // Draws onto surface, whose pixels are device space mapped by `deviceToSurface`.
    void onto(cairo_surface_t* surface, const cairo_matrix_t& deviceToSurface) const {
        ContextPtr cr(cairo_create(surface));
        cairo_matrix_t matrix;
        cairo_matrix_multiply(&matrix, &ctm, &deviceToSurface);
        cairo_set_matrix(cr.get(), &matrix);
        cairo_set_antialias(cr.get(), antialias);
        cairo_set_tolerance(cr.get(), tolerance);
        draw(cr.get());
    }
};

// The shadow's mask: the coverage of the drawing moved to the shadow's place, blurred, at
// `resolution` mask pixels per device unit; mask pixel = resolution * device point - origin.
struct ShadowMask {
    SurfacePtr blurred;
    SurfacePtr shape; // before blurring, to know where the drawing hides its own shadow
    double resolution = 1;
    double originX = 0, originY = 0;
};

std::optional<ShadowMask> shadowMask(const Drawing& drawing, const Box& region, const Placement& at,
                                     double resolution, bool keepShape) {
    ShadowMask mask;
    mask.resolution = resolution;
    mask.originX = std::floor(region.x0 * resolution);
    mask.originY = std::floor(region.y0 * resolution);
    mask.blurred.reset(cairo_image_surface_create(
        CAIRO_FORMAT_A8, int(std::ceil(region.x1 * resolution) - mask.originX),
        int(std::ceil(region.y1 * resolution) - mask.originY)));
    if (cairo_surface_status(mask.blurred.get()) != CAIRO_STATUS_SUCCESS) return std::nullopt;
    // Drawn afresh rather than replayed from the recording: Cairo replays a recording into a
    // reduced surface with edges pushed out by pixels, where the mask needs exact coverage.
    drawing.onto(mask.blurred.get(),
                 {resolution, 0, 0, resolution, resolution * at.offsetX - mask.originX,
                  resolution * at.offsetY - mask.originY});
    if (keepShape && !(mask.shape = copiedMask(mask.blurred.get()))) return std::nullopt;
    blurMask(mask.blurred.get(), at.sigma * resolution);
    return mask;
}

void setShadowSource(cairo_t* cr, const Shadow& shadow) {
    setColor(cr, shadow.color, std::min(shadow.alpha, 1.0));
}

// On a vector target (PDF) the mask goes into the file as it is and the viewer stretches it.
void paintOnVector(cairo_t* cr, const Shadow& shadow, const ShadowMask& mask) {
    PatternPtr pattern(cairo_pattern_create_for_surface(mask.blurred.get()));
    const cairo_matrix_t toMask{mask.resolution, 0, 0, mask.resolution, -mask.originX,
                                -mask.originY};
    cairo_pattern_set_matrix(pattern.get(), &toMask);
    cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_BILINEAR);
    SavedState saved(cr);
    cairo_identity_matrix(cr);
    setShadowSource(cr, shadow);
    cairo_mask(cr, pattern.get());
}

// On a bitmap the shadow is painted tile by tile in the target's own pixels: tiles where it
// is nothing or hidden under the drawing are skipped, tiles where it is full strength are
// filled, and only the rest is stretched from the reduced mask and painted through it.
void paintOnBitmap(cairo_t* cr, const Shadow& shadow, const ShadowMask& mask, const Box& shown,
                   const Placement& at, double pixels) {
    constexpr int tile = 64;
    const double step = mask.resolution / pixels; // mask pixels per target pixel
    const int x0 = int(std::floor(shown.x0 * pixels)), y0 = int(std::floor(shown.y0 * pixels));
    const int x1 = int(std::ceil(shown.x1 * pixels)), y1 = int(std::ceil(shown.y1 * pixels));
    auto toMaskX = [&](double x) { return step * x - mask.originX; };
    auto toMaskY = [&](double y) { return step * y - mask.originY; };

    enum class Kind { skip, solid, partial };
    auto kindOf = [&](int left, int top, int right, int bottom) {
        // Bilinear samples at pixel centres touch these mask pixels.
        const MaskRange value =
            maskRange(mask.blurred.get(), int(std::floor(toMaskX(left + 0.5) - 0.5)),
                      int(std::floor(toMaskY(top + 0.5) - 0.5)),
                      int(std::floor(toMaskX(right - 0.5) - 0.5)) + 2,
                      int(std::floor(toMaskY(bottom - 0.5) - 0.5)) + 2);
        if (value.greatest == 0) return Kind::skip;
        // The drawing itself, opaque over the whole tile, covers its shadow there.
        const double shiftX = mask.resolution * at.offsetX, shiftY = mask.resolution * at.offsetY;
        const MaskRange cover = maskRange(mask.shape.get(), int(std::floor(toMaskX(left) + shiftX)),
                                          int(std::floor(toMaskY(top) + shiftY)),
                                          int(std::ceil(toMaskX(right) + shiftX)),
                                          int(std::ceil(toMaskY(bottom) + shiftY)));
        if (cover.least == 255) return Kind::skip;
        return value.least == 255 ? Kind::solid : Kind::partial;
    };

    SavedState saved(cr);
    cairo_identity_matrix(cr);
    setShadowSource(cr, shadow);
    auto paintPartial = [&](int left, int top, int right, int bottom) {
        SurfacePtr stretched = resampledMask(mask.blurred.get(), right - left, bottom - top,
                                             {step, toMaskX(left), step, toMaskY(top)});
        if (!stretched) return;
        PatternPtr pattern(cairo_pattern_create_for_surface(stretched.get()));
        const cairo_matrix_t toTile{pixels, 0, 0, pixels, -double(left), -double(top)};
        cairo_pattern_set_matrix(pattern.get(), &toTile);
        cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_NEAREST);
        cairo_mask(cr, pattern.get());
    };
    for (int top = y0; top < y1; top += tile) {
        const int bottom = std::min(top + tile, y1);
        // Runs of tiles of one kind along the strip are painted together.
        int runStart = x0;
        Kind runKind = Kind::skip;
        for (int left = x0;; left += tile) {
            const bool end = left >= x1;
            const int right = end ? x1 : std::min(left + tile, x1);
            const Kind kind = end ? Kind::skip : kindOf(left, top, right, bottom);
            if (!end && kind == runKind) continue;
            const int runEnd = std::min(left, x1);
            if (runKind == Kind::partial) paintPartial(runStart, top, runEnd, bottom);
            if (runKind == Kind::solid)
                cairo_rectangle(cr, runStart / pixels, top / pixels, (runEnd - runStart) / pixels,
                                (bottom - top) / pixels);
            if (end) break;
            runStart = left;
            runKind = kind;
        }
    }
    cairo_fill(cr);
}

} // namespace

void drawWithShadow(cairo_t* cr, const Shadow& shadow, const std::function<void(cairo_t*)>& draw) {
    auto drawShape = [&] {
        SavedState saved(cr);
        draw(cr);
    };
    if (!(shadow.alpha > 0)) return drawShape();

    cairo_matrix_t ctm;
    cairo_get_matrix(cr, &ctm);
    // Lengths follow the user space's scale; the direction of the offset is fixed on the
    // picture (device space has y downwards), however the user space is turned.
    const double scale = std::sqrt(std::abs(ctm.xx * ctm.yy - ctm.xy * ctm.yx));
    const Placement at{shadow.dx * scale, -shadow.dy * scale,
                       std::max(shadow.blur, 0.0) / 2 * scale};

    // Recorded in device space to learn where its ink lies.
    const Drawing drawing{draw, ctm, cairo_get_antialias(cr), cairo_get_tolerance(cr)};
    SurfacePtr recording(cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr));
    drawing.onto(recording.get(), {1, 0, 0, 1, 0, 0});
    Box ink;
    double inkWidth = 0, inkHeight = 0;
    cairo_recording_surface_ink_extents(recording.get(), &ink.x0, &ink.y0, &inkWidth, &inkHeight);
    ink.x1 = ink.x0 + inkWidth;
    ink.y1 = ink.y0 + inkHeight;

    // The blur reaches 3 sigma, and so does what it gathers from around the clip.
    const double reach = 3 * at.sigma + 1;
    const Box clip = deviceClip(cr);
    const Box region =
        ink.moved(at.offsetX, at.offsetY).grown(reach).intersected(clip.grown(reach));
    const Box shown = region.intersected(clip);
    if (!ink.empty() && !shown.empty() && std::isfinite(region.area())) {
        const double pixels = pixelScale(cairo_get_target(cr));
        const double resolution = maskResolution(pixels, at.sigma, region.area());
        if (auto mask = shadowMask(drawing, region, at, resolution, pixels > 0)) {
            if (pixels > 0)
                paintOnBitmap(cr, shadow, *mask, shown, at, pixels);
            else
                paintOnVector(cr, shadow, *mask);
        }
    }
    drawShape();
}

} // namespace folimo
