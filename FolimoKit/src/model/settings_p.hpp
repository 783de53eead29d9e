#pragma once

#include "folimo/settings.hpp"

namespace folimo {

// Whether the layout places the cover into a drawn scene (clipboard, desk, frame).
bool isScene(ImageLayout layout);

} // namespace folimo
