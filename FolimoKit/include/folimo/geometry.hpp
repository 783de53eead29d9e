#pragma once

#include <algorithm>

namespace folimo {

// Plain geometry in the library's drawing space: origin at the lower left, y upwards.
struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    double width = 0;
    double height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double minX() const { return x; }
    double minY() const { return y; }
    double maxX() const { return x + width; }
    double maxY() const { return y + height; }
    double midX() const { return x + width / 2; }
    double midY() const { return y + height / 2; }
    Point mid() const { return {midX(), midY()}; }
    Size size() const { return {width, height}; }
    // Smaller by dx on the left and right and dy at the bottom and top.
    Rect insetBy(double dx, double dy) const {
        return {x + dx, y + dy, width - 2 * dx, height - 2 * dy};
    }

    bool operator==(const Rect&) const = default;
};

} // namespace folimo
