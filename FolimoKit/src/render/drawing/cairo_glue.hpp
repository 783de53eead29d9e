#pragma once

// Small owners for Cairo handles, and a scope guard around cairo_save / cairo_restore.
#include <cairo.h>
#include <memory>

namespace folimo {

struct CairoSurfaceDestroy {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, CairoSurfaceDestroy>;

struct CairoDestroy {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using ContextPtr = std::unique_ptr<cairo_t, CairoDestroy>;

struct CairoPatternDestroy {
    void operator()(cairo_pattern_t* pattern) const { cairo_pattern_destroy(pattern); }
};
using PatternPtr = std::unique_ptr<cairo_pattern_t, CairoPatternDestroy>;

// Saves the graphics state for the life of the object.
class SavedState {
public:
    explicit SavedState(cairo_t* cr)
        : cr_(cr) {
        cairo_save(cr_);
    }
    ~SavedState() { cairo_restore(cr_); }
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;

private:
    cairo_t* cr_;
};

} // namespace folimo
