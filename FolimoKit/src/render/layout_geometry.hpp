#pragma once

#include "folimo/geometry.hpp"

#include <algorithm>
#include <optional>
#include <vector>

// Where the listing images put their parts, as pure functions of sizes, page counts and the
// page aspect (width / height). Lengths in the image's pixels, y up, unless a function says
// it works in its own units.
namespace folimo::layout {

// The shorter side of a picture, the unit most of its lengths are given in.
inline double shorterSide(Size size) {
    return std::min(size.width, size.height);
}

// One page ready to be drawn as a paper card.
struct Placed {
    int page = 0;
    Point center;
    Size size;
    double angle = 0; // radians, counter-clockwise positive
    bool operator==(const Placed&) const = default;
};

// Where a page of the aspect lies on its paper card: as large as fits, centred, in its own
// proportions whatever the card's shape (a landscape page on a portrait card has white
// paper above and below it).
Rect fittedPage(const Rect& card, double aspect);

// The brand backdrop of an image filling rect: a margin of 6 % of the shorter side all
// round; with a title, its block hangs from the top edge and the pages start below it.
struct Backdrop {
    std::optional<Rect> titleBlock;
    Rect content; // the room left for the pages
};
Backdrop backdrop(const Rect& rect, bool showTitle);

// The title's text frame: as high as the typesetter suggests (rounded up, plus 2) but no
// higher than the block, centred on it vertically.
Rect titleFrame(const Rect& block, double suggestedHeight);

// The largest square centred in rect: what shops that crop a listing image to a square
// thumbnail show of it.
Rect centredSquare(const Rect& rect);

// The corner badge's capsule for an image filling rect, for a text of textWidth: the text
// and badgePadding wide, but no wider than 60 % of the image, 3.5 % of the shorter side in
// from the bottom-right corner. insideSquare places it so in centredSquare(rect) instead,
// where a square thumbnail still shows it whole.
Rect badgeRect(const Rect& rect, double textWidth, bool insideSquare);
double badgePadding(const Rect& rect);

// The number of columns that gives the largest cards for count pages of the aspect in
// content with gap between cards (fewer columns on a tie).
int gridColumns(int count, double aspect, Size content, double gap);
// The page grid: rows from the top, each row centred on its own.
std::vector<Placed> gridCards(const std::vector<int>& pages, double aspect, const Rect& content);

// The cover stack in stack units (a page is 100 high), back to front: the third page behind
// on the left, the second on the right, the first in front.
std::vector<Placed> coverStack(const std::vector<int>& pages, double aspect);

// The fan in fan units (a page is 100 high) in drawing order: the pages hang on a circle of
// radius 125, turned alternately right and left by 0.16 radians a step, the outermost drawn
// first and the first page upright on top.
std::vector<Placed> fanCards(const std::vector<int>& pages, double aspect);

// The group scaled about its bounding box's centre and moved so that the box fills target
// (touching two opposite sides) and is centred in it.
std::vector<Placed> fitted(const std::vector<Placed>& cards, const Rect& target);

} // namespace folimo::layout
