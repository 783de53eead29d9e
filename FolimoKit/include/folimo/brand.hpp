#pragma once

#include "folimo/color.hpp"
#include "folimo/uuid.hpp"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace folimo {

// A seller's saved look: the font family of all text on the listing images, three colours,
// the template of the corner badge ("{pages}" stands for the page count) and where the
// badge sits.
struct Brand {
    Uuid id;
    std::string name;
    std::string fontFamily;
    RGBColor background;
    RGBColor accent;
    RGBColor text;
    std::string badge;
    // On an image that is not square, the badge sits in the corner of the centred square
    // that shops crop for their thumbnails instead of the image's own corner. Brands stored
    // before there was this choice read as off.
    bool keepBadgeInSquare = false;

    // The badge drawn for a PDF of pageCount pages: every "{pages}" replaced by the number,
    // then trimmed of white space at both ends. Empty means no badge.
    std::string badgeText(std::int64_t pageCount) const;

    // The brand of the default settings; its id is fixed so it is recognised across runs.
    static const Brand& classic();
    // Brands for callers of the library; their ids are made once per run of the program.
    static const Brand& chalkboard();
    static const Brand& bright();
    // The families offered in the brand editor, in order.
    static const std::vector<std::string>& fontFamilies();

    bool operator==(const Brand&) const = default;
};

// The stored JSON form, for test failure messages.
void PrintTo(const Brand& brand, std::ostream* out);

} // namespace folimo

template <> struct std::hash<folimo::Brand> {
    std::size_t operator()(const folimo::Brand& brand) const noexcept;
};
