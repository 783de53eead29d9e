#pragma once

#include "folimo/geometry.hpp"
#include "folimo/settings.hpp"
#include "render/layout_geometry.hpp"

#include <vector>

namespace folimo::layout {

// Where the pages of a listing image filling rect land, in the image's space and in drawing
// order: each shown page's paper card, every card shaped like the first page (aspect); the
// page lies on it as fittedPage() places it. pages is never empty; the clipboard and the
// frame show its first page, the desk up to three. With showTitle the grid, cover and fan
// make room for the title.
std::vector<Placed> placedPages(ImageLayout layout, const Rect& rect, bool showTitle, double aspect,
                                const std::vector<int>& pages);

} // namespace folimo::layout
