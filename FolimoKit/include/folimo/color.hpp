#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

namespace folimo {

// A colour in sRGB, channels 0...1 (not clamped: arithmetic on colours never clamps).
struct RGBColor {
    double red = 0;
    double green = 0;
    double blue = 0;

    // From 0xRRGGBB; the top byte is ignored.
    static constexpr RGBColor fromHex(std::uint32_t hex);
    // "#RRGGBB", upper case, each channel rounded half away from zero.
    std::string hex() const;
    // Per channel self + t * (other - self).
    RGBColor mixed(const RGBColor& other, double t) const;
    // 0.2126 r + 0.7152 g + 0.0722 b on the stored values (no gamma).
    double luminance() const;
    // Dark grey (30/255) on colours with luminance above 0.6, else white.
    RGBColor contrasting() const;

    static const RGBColor white;
    static const RGBColor black;

    bool operator==(const RGBColor&) const = default;
};

// The contrast of two colours as the web's accessibility guidelines measure it, from 1 (the
// same lightness) to 21 (black on white), channels held to 0…1. Text needs 4.5 to be read
// comfortably, large text and outlines 3.
double contrastRatio(const RGBColor& a, const RGBColor& b);

constexpr RGBColor RGBColor::fromHex(std::uint32_t hex) {
    return {(hex >> 16 & 0xFF) / 255.0, (hex >> 8 & 0xFF) / 255.0, (hex & 0xFF) / 255.0};
}

// The stored JSON form, for test failure messages.
void PrintTo(const RGBColor& color, std::ostream* out);

} // namespace folimo

template <> struct std::hash<folimo::RGBColor> {
    std::size_t operator()(const folimo::RGBColor& color) const noexcept;
};
