#pragma once

// Pixel work on A8 masks for the shadow routine: a Gaussian blur and a smooth resampling.
#include "render/drawing/cairo_glue.hpp"

namespace folimo {

// Blurs an A8 image surface in place with three box passes each way, which together
// approximate a Gaussian of sigma pixels. Outside the mask counts as empty.
void blurMask(cairo_surface_t* mask, double sigma);

// An axis-aligned map from the pixels of one mask to those of another: u = scale * x + offset.
struct MaskMapping {
    double scaleX = 1, offsetX = 0;
    double scaleY = 1, offsetY = 0;
};

// A new width x height A8 mask whose pixel (x, y) is the source sampled bilinearly at the
// point `toSource` maps its centre to (zero outside the source). Nothing when it cannot be
// allocated.
SurfacePtr resampledMask(cairo_surface_t* source, int width, int height,
                         const MaskMapping& toSource);

// A new A8 surface with the same pixels; nothing when it cannot be allocated.
SurfacePtr copiedMask(cairo_surface_t* mask);

// The least and greatest value in columns x0...x1 - 1 of rows y0...y1 - 1; pixels outside
// the mask count as 0.
struct MaskRange {
    int least = 0;
    int greatest = 0;
};
MaskRange maskRange(cairo_surface_t* mask, int x0, int y0, int x1, int y1);

} // namespace folimo
