#pragma once

#include "render/drawing/paint.hpp"
#include "samples/sample_sheet.hpp"

#include <vector>

namespace folimo {

// Draws one page of a pack onto a white sheet.
using PageDrawer = void (*)(const Sheet&);

// The pages of each pack, in order.
std::vector<PageDrawer> fallMathPages();
std::vector<PageDrawer> plannerPages();
std::vector<PageDrawer> spellingPages();

} // namespace folimo
