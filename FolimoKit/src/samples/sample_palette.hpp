#pragma once

#include "folimo/color.hpp"

#include <cstdint>

// The colours of the three sample packs. Each pack's pages draw in its own palette; other
// colours on the pages are tints and greys.
namespace folimo::palette {

constexpr RGBColor hex(std::uint32_t value) {
    return {((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0, (value & 0xFF) / 255.0};
}
constexpr RGBColor grey(int level) {
    return {level / 255.0, level / 255.0, level / 255.0};
}

// Fall Math Practice
inline constexpr RGBColor orange = hex(0xD9692B);
inline constexpr RGBColor brown = hex(0x7A4A2A);
inline constexpr RGBColor gold = hex(0xE3A83A);
inline constexpr RGBColor red = hex(0xB8432F);
inline constexpr RGBColor green = hex(0x6B8E3A);

// Weekly Teacher Planner
inline constexpr RGBColor teal = hex(0x5E8C7A);
inline constexpr RGBColor blush = hex(0xE7B7A3);
inline constexpr RGBColor slate = hex(0x3D4A45);

// Spelling Word Work
inline constexpr RGBColor blue = hex(0x2E86C1);
inline constexpr RGBColor yellow = hex(0xF2C14E);
inline constexpr RGBColor coral = hex(0xE76F51);
inline constexpr RGBColor navy = hex(0x17324D);

// A colour lightened towards white: 0 keeps it, 1 is white.
inline RGBColor tint(const RGBColor& color, double amount) {
    return color.mixed(RGBColor::white, amount);
}
// A colour darkened towards black: 0 keeps it, 1 is black.
inline RGBColor shade(const RGBColor& color, double amount) {
    return color.mixed(RGBColor::black, amount);
}

} // namespace folimo::palette
