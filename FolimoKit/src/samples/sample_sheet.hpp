#pragma once

#include "folimo/color.hpp"
#include "folimo/geometry.hpp"
#include "render/text_p.hpp"

#include <cairo.h>
#include <string>
#include <string_view>
#include <vector>

namespace folimo {

// One page of a sample pack being drawn: the PDF context positioned on the page (user space
// in points, origin at the lower left, y upwards), where the page sits in its pack, and the
// page chrome shared by the worksheets.
struct Sheet {
    cairo_t* ctx = nullptr;
    int number = 1; // from 1
    int of = 1;
    std::string pack; // the pack title
    double width = 612;
    double height = 792;
    std::string family = "Avenir Next";

    // The y of a line `distance` points below the top edge.
    double top(double distance) const { return height - distance; }
    // A rect given by its left edge, its top edge's distance from the top, and its size.
    Rect box(double x, double fromTop, double w, double h) const {
        return {x, height - fromTop - h, w, h};
    }
    Font font(double size, bool bold = false) const;

    // The worksheet chrome: the title band in color with the title, the name and date
    // lines, the instruction (left out when empty), then the footer.
    void header(std::string_view title, std::string_view instruction, const RGBColor& color) const;
    // The rule 40 points above the bottom edge, the pack title under it on the left and
    // "Page n of m" on the right.
    void footer() const;

    // Single lines of text, drawn under the text lock.
    void text(std::string_view text, const Font& font, const RGBColor& color,
              Point baselineOrigin) const;
    void centredText(std::string_view text, const Font& font, const RGBColor& color, double centreX,
                     double baselineY) const;
    void rightAlignedText(std::string_view text, const Font& font, const RGBColor& color,
                          double rightX, double baselineY) const;
    // Centred on the point both ways: horizontally by the text's width, vertically by the
    // font's cap height (so capitals and figures look centred in a box).
    void centredText(std::string_view text, const Font& font, const RGBColor& color,
                     Point centre) const;
    // White bold text in a capsule of color, both centred on centre.
    void pill(std::string_view text, const RGBColor& color, Point centre) const;
    // The text broken at spaces into lines no wider than width (a longer word stays whole).
    std::vector<std::string> wrapped(std::string_view text, const Font& font, double width) const;
};

} // namespace folimo
