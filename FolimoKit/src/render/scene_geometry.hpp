#pragma once

#include "folimo/geometry.hpp"
#include "render/layout_geometry.hpp"

#include <optional>
#include <vector>

// Where the scenes put their things, as pure functions of the image size and the cover's
// aspect (width / height). Everything is in the scene's own space: origin at the image's
// lower left, y up, one unit per pixel.
namespace folimo::scenes {

struct ClipboardGeometry {
    Size board;   // B x C
    Point center; // the board's centre; the board is turned about it by `angle`
    double angle = 0;
    Rect page;           // the page card in the board's own frame (origin at its centre)
    bool pencil = false; // room on the right for the pencil
};
ClipboardGeometry clipboardGeometry(Size image, double aspect);

// One speckle for every 900 square pixels.
int deskSpeckleCount(Size image);
// The desk's page cards in drawing order: the last listed page first, so the first lies on
// top. At most three pages are laid out.
std::vector<layout::Placed> deskCards(Size image, double aspect, const std::vector<int>& pages);

struct FrameGeometry {
    double shelfTop = 0;
    Rect frame; // outer edge of the moulding
    Rect mat;
    Rect picture;               // the page, fitted into the picture area at its own aspect
    std::optional<Point> plant; // the pot's centre at its base, when there is room
    double plantHeight = 0;
};
FrameGeometry frameGeometry(Size image, double aspect);

} // namespace folimo::scenes
