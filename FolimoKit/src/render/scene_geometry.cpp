#include "render/scene_geometry.hpp"

#include <algorithm>
#include <array>

namespace folimo::scenes {

ClipboardGeometry clipboardGeometry(Size image, double aspect) {
    const double W = image.width, H = image.height;
    // The board is 14 % wider than the page and 20 % taller; it may take 74 % of the width.
    double P = 0.7 * H;
    double Q = aspect * P;
    double B = 1.14 * Q;
    if (B > 0.74 * W) {
        P = 0.74 * W / (1.14 * aspect);
        Q = aspect * P;
        B = 1.14 * Q;
    }
    const double C = 1.2 * P;
    const double spare = W - (0.5 * W + B / 2);
    const bool pencil = spare > 0.2 * W;

    ClipboardGeometry g;
    g.board = {B, C};
    g.center = {pencil ? 0.46 * W : 0.5 * W, 0.48 * H};
    g.angle = -0.045;
    // Equal margins at the sides and the bottom; the clip covers the wider top margin.
    g.page = {-Q / 2, -C / 2 + (B - Q) / 2, Q, P};
    g.pencil = pencil;
    return g;
}

int deskSpeckleCount(Size image) {
    return static_cast<int>(image.width * image.height / 900);
}

namespace {

struct DeskSlot {
    double dx, dy, angle; // offsets in page widths and heights
};
constexpr std::array<DeskSlot, 3> deskSlots{
    {{0.07, 0.03, 0.09}, {-0.05, 0.02, -0.07}, {0.0, 0.0, -0.025}}};

} // namespace

std::vector<layout::Placed> deskCards(Size image, double aspect, const std::vector<int>& pages) {
    const double W = image.width, H = image.height;
    const double Q = std::min(0.56 * W, 0.78 * H * aspect);
    const double P = Q / aspect;
    const std::size_t count = std::min(pages.size(), deskSlots.size());
    std::vector<layout::Placed> cards;
    for (std::size_t i = count; i-- > 0;) {
        const DeskSlot& slot = deskSlots[i];
        cards.push_back(
            {pages[i], {0.46 * W + Q * slot.dx, 0.47 * H + P * slot.dy}, {Q, P}, slot.angle});
    }
    return cards;
}

FrameGeometry frameGeometry(Size image, double aspect) {
    const double W = image.width, H = image.height;
    // A border of 0.125 F on each side around a picture area 0.75 F high.
    auto frameWidth = [aspect](double F) { return 0.25 * F + 0.75 * F * aspect; };
    double F = 0.7 * H;
    double G = frameWidth(F);
    // The room for the plant is judged by the frame at its natural size: once the frame is
    // held to 0.62 W, 0.25 W would always seem spare, and in a tall image the plant would
    // stand over the frame and run off the edge.
    const double spare = W - (0.44 * W + G / 2);
    const bool plant = spare > 0.18 * W;
    if (G > 0.62 * W) {
        F *= 0.62 * W / G;
        G = frameWidth(F);
    }

    FrameGeometry g;
    g.shelfTop = 0.2 * H;
    // Standing on the shelf, sunk a hair into it.
    g.frame = {(plant ? 0.44 * W : 0.5 * W) - G / 2, g.shelfTop - 0.005 * H, G, F};
    g.mat = g.frame.insetBy(0.05 * F, 0.05 * F);
    const Rect area = g.mat.insetBy(0.075 * F, 0.075 * F);
    const double width = std::min(area.width, area.height * aspect);
    const double height = width / aspect;
    g.picture = {area.midX() - width / 2, area.midY() - height / 2, width, height};
    // Midway between the frame and the right edge.
    if (plant) g.plant = Point{(g.frame.maxX() + W) / 2, g.frame.minY()};
    g.plantHeight = 0.34 * H;
    return g;
}

} // namespace folimo::scenes
