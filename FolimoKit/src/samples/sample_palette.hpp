#pragma once

#include "model/color_p.hpp"

#include <cstdint>

// The colours of the three sample packs. Each pack's pages draw in its own palette; other
// colours on the pages are tints and greys.
namespace folimo::palette {

constexpr RGBColor grey(int level) {
    return rgb8(level, level, level);
}

// Fall Math Practice
inline constexpr RGBColor orange = RGBColor::fromHex(0xD9692B);
inline constexpr RGBColor brown = RGBColor::fromHex(0x7A4A2A);
inline constexpr RGBColor gold = RGBColor::fromHex(0xE3A83A);
inline constexpr RGBColor red = RGBColor::fromHex(0xB8432F);
inline constexpr RGBColor green = RGBColor::fromHex(0x6B8E3A);

// Weekly Teacher Planner
inline constexpr RGBColor teal = RGBColor::fromHex(0x5E8C7A);
inline constexpr RGBColor blush = RGBColor::fromHex(0xE7B7A3);
inline constexpr RGBColor slate = RGBColor::fromHex(0x3D4A45);

// Spelling Word Work
inline constexpr RGBColor blue = RGBColor::fromHex(0x2E86C1);
inline constexpr RGBColor yellow = RGBColor::fromHex(0xF2C14E);
inline constexpr RGBColor coral = RGBColor::fromHex(0xE76F51);
inline constexpr RGBColor navy = RGBColor::fromHex(0x17324D);

// A colour lightened towards white: 0 keeps it, 1 is white.
inline RGBColor tint(const RGBColor& color, double amount) {
    return color.mixed(RGBColor::white, amount);
}
// A colour darkened towards black: 0 keeps it, 1 is black.
inline RGBColor shade(const RGBColor& color, double amount) {
    return color.mixed(RGBColor::black, amount);
}

} // namespace folimo::palette
