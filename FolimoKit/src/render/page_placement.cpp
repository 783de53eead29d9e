#include "render/page_placement.hpp"

#include "render/scene_geometry.hpp"

#include <cmath>

namespace folimo::layout {

std::vector<Placed> placedPages(ImageLayout layout, const Rect& rect, bool showTitle, double aspect,
                                const std::vector<int>& pages) {
    const Rect content = backdrop(rect, showTitle).content;
    const Point origin{rect.x, rect.y}; // the scenes work from the image's lower left
    switch (layout) {
    case ImageLayout::grid:
        return gridCards(pages, aspect, content);
    case ImageLayout::cover:
        return fitted(coverStack(pages, aspect), content.insetBy(rect.width * 0.02, 0));
    case ImageLayout::fan:
        return fitted(fanCards(pages, aspect), content);
    case ImageLayout::clipboard: {
        // The page lies on the board, which is turned about its centre.
        const auto g = scenes::clipboardGeometry(rect.size(), aspect);
        const double c = std::cos(g.angle), s = std::sin(g.angle);
        const Point on = g.page.mid();
        return {{pages.front(),
                 {origin.x + g.center.x + on.x * c - on.y * s,
                  origin.y + g.center.y + on.x * s + on.y * c},
                 g.page.size(),
                 g.angle}};
    }
    case ImageLayout::desk: {
        auto cards = scenes::deskCards(rect.size(), aspect, pages);
        for (Placed& card : cards)
            card.center = {origin.x + card.center.x, origin.y + card.center.y};
        return cards;
    }
    case ImageLayout::frame: {
        const Rect picture = scenes::frameGeometry(rect.size(), aspect).picture;
        return {{pages.front(),
                 {origin.x + picture.midX(), origin.y + picture.midY()},
                 picture.size(),
                 0}};
    }
    }
    return {};
}

} // namespace folimo::layout
