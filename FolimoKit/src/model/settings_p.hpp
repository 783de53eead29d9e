#pragma once

#include "folimo/settings.hpp"

namespace folimo {

// 1...6, the position in allLayouts.
int number(ImageLayout layout);
// Whether the layout places the cover into a drawn scene (clipboard, desk, frame).
bool isScene(ImageLayout layout);

} // namespace folimo
