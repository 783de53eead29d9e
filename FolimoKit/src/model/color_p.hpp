#pragma once

#include "folimo/color.hpp"

namespace folimo {

// An 8-bit sRGB triple (each 0…255) as a colour.
constexpr RGBColor rgb8(int red, int green, int blue) {
    return {red / 255.0, green / 255.0, blue / 255.0};
}

} // namespace folimo
