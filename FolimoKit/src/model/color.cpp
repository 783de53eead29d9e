#include "folimo/color.hpp"

#include "model/color_p.hpp"
#include "model/hash_combine.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace folimo {
namespace {

// round(channel * 255), halves away from zero, as printf's %X prints it. The text is only
// meaningful within 0...1; channels far outside (or NaN) are held to a range an integer can
// take instead of overflowing the conversion.
unsigned long long channelByte(double channel) {
    if (std::isnan(channel)) return 0;
    const double scaled = std::clamp(std::round(channel * 255), -1e15, 1e15);
    return static_cast<unsigned long long>(static_cast<long long>(scaled));
}

// The share of white light the colour gives, from its sRGB channels made linear.
double relativeLuminance(const RGBColor& color) {
    const auto linear = [](double c) {
        c = std::isnan(c) ? 0 : std::clamp(c, 0.0, 1.0);
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.red) + 0.7152 * linear(color.green) + 0.0722 * linear(color.blue);
}

} // namespace

const RGBColor RGBColor::white{1, 1, 1};
const RGBColor RGBColor::black{0, 0, 0};

std::string RGBColor::hex() const {
    char text[64];
    std::snprintf(text, sizeof text, "#%02llX%02llX%02llX", channelByte(red), channelByte(green),
                  channelByte(blue));
    return text;
}

RGBColor RGBColor::mixed(const RGBColor& other, double t) const {
    return {red + t * (other.red - red), green + t * (other.green - green),
            blue + t * (other.blue - blue)};
}

double RGBColor::luminance() const {
    return 0.2126 * red + 0.7152 * green + 0.0722 * blue;
}

RGBColor RGBColor::contrasting() const {
    return luminance() > 0.6 ? rgb8(30, 30, 30) : white;
}

double contrastRatio(const RGBColor& a, const RGBColor& b) {
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace folimo

std::size_t std::hash<folimo::RGBColor>::operator()(const folimo::RGBColor& color) const noexcept {
    return folimo::HashCombine().add(color.red).add(color.green).add(color.blue).value();
}
