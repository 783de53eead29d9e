#include "render/layout_geometry.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace folimo::layout {

Rect fittedPage(const Rect& card, double aspect) {
    if (!(aspect > 0) || !(card.height > 0)) return card;
    // A page of the card's own shape fills it exactly, rounding aside.
    Size page{card.width, std::min(card.height, card.width / aspect)};
    if (aspect < card.width / card.height * (1 - 1e-9)) page = {card.height * aspect, card.height};
    return {card.midX() - page.width / 2, card.midY() - page.height / 2, page.width, page.height};
}

Backdrop backdrop(const Rect& rect, bool showTitle) {
    Backdrop result;
    const double m = shorterSide(rect.size()) * 0.06;
    result.content = rect.insetBy(m, m);
    if (!showTitle) return result;

    const double T = rect.height * (rect.width > rect.height ? 0.17 : 0.15);
    const Rect block{rect.x + 1.5 * m, rect.maxY() - 0.75 * m - T, rect.width - 3 * m, T};
    result.titleBlock = block;
    result.content.height = block.minY() - 0.55 * m - result.content.minY();
    return result;
}

Rect titleFrame(const Rect& block, double suggestedHeight) {
    const double F = std::min(std::ceil(suggestedHeight) + 2, block.height);
    return {block.minX(), block.midY() - F / 2, block.width, F};
}

double badgePadding(const Rect& rect) {
    const double s = shorterSide(rect.size());
    return 2 * (s * 0.03) + s * 0.01;
}

Rect centredSquare(const Rect& rect) {
    const double s = shorterSide(rect.size());
    return {rect.midX() - s / 2, rect.midY() - s / 2, s, s};
}

Rect badgeRect(const Rect& rect, double textWidth, bool insideSquare) {
    const Rect area = insideSquare ? centredSquare(rect) : rect;
    const double s = shorterSide(area.size());
    const double h = s * 0.075;
    const double w = std::min(textWidth + badgePadding(area), area.width * 0.6);
    const double inset = s * 0.035;
    return {area.maxX() - inset - w, area.minY() + inset, w, h};
}

namespace {

int rowsFor(int count, int columns) {
    return (count + columns - 1) / columns;
}

double cardWidth(int count, int columns, double aspect, Size content, double gap) {
    const int rows = rowsFor(count, columns);
    return std::min((content.width - gap * (columns - 1)) / columns,
                    aspect * (content.height - gap * (rows - 1)) / rows);
}

} // namespace

int gridColumns(int count, double aspect, Size content, double gap) {
    int best = 1;
    double bestWidth = -std::numeric_limits<double>::infinity();
    for (int c = 1; c <= count; ++c) {
        const double width = cardWidth(count, c, aspect, content, gap);
        if (width > bestWidth) best = c, bestWidth = width;
    }
    return best;
}

std::vector<Placed> gridCards(const std::vector<int>& pages, double aspect, const Rect& content) {
    const int n = int(pages.size());
    if (n == 0) return {};
    const double g = std::min(content.width, content.height) * 0.028;
    const int c = gridColumns(n, aspect, content.size(), g);
    const int r = rowsFor(n, c);
    const double W = cardWidth(n, c, aspect, content.size(), g);
    const double H = W / aspect;

    std::vector<Placed> cards;
    for (int i = 0; i < n; ++i) {
        const int q = i / c, j = i - q * c;
        const int k = std::min(c, n - q * c); // cards in this row
        const double x = content.midX() - (k * W + (k - 1) * g) / 2 + W / 2 + j * (W + g);
        const double y = content.midY() + (r * H + (r - 1) * g) / 2 - q * (H + g) - H / 2;
        cards.push_back({pages[std::size_t(i)], {x, y}, {W, H}, 0});
    }
    return cards;
}

std::vector<Placed> coverStack(const std::vector<int>& pages, double aspect) {
    const Size card{100 * aspect, 100};
    std::vector<Placed> stack;
    if (pages.size() >= 3) stack.push_back({pages[2], {-24, 3}, card, 0.11});
    if (pages.size() >= 2) stack.push_back({pages[1], {24, 2}, card, -0.1});
    if (!pages.empty()) stack.push_back({pages[0], {0, 0}, card, 0.015});
    return stack;
}

std::vector<Placed> fanCards(const std::vector<int>& pages, double aspect) {
    constexpr double radius = 125;
    std::vector<Placed> fan;
    for (std::size_t i = pages.size(); i-- > 0;) {
        const double k = double((i + 1) / 2);
        const double angle = i % 2 == 0 ? 0.16 * k : -0.16 * k;
        fan.push_back({pages[i],
                       {-radius * std::sin(angle), radius * std::cos(angle) - radius},
                       {100 * aspect, 100},
                       angle});
    }
    return fan;
}

std::vector<Placed> fitted(const std::vector<Placed>& cards, const Rect& target) {
    double minX = std::numeric_limits<double>::infinity(), minY = minX;
    double maxX = -minX, maxY = -minX;
    for (const Placed& card : cards) {
        const double c = std::cos(card.angle), s = std::sin(card.angle);
        for (double sx : {-0.5, 0.5})
            for (double sy : {-0.5, 0.5}) {
                const double x = sx * card.size.width, y = sy * card.size.height;
                const double cornerX = card.center.x + x * c - y * s;
                const double cornerY = card.center.y + x * s + y * c;
                minX = std::min(minX, cornerX), maxX = std::max(maxX, cornerX);
                minY = std::min(minY, cornerY), maxY = std::max(maxY, cornerY);
            }
    }
    if (!(maxX > minX && maxY > minY)) return cards;
    const double k = std::min(target.width / (maxX - minX), target.height / (maxY - minY));
    const Point mid{(minX + maxX) / 2, (minY + maxY) / 2};
    std::vector<Placed> result;
    for (const Placed& card : cards)
        result.push_back({card.page,
                          {target.midX() + k * (card.center.x - mid.x),
                           target.midY() + k * (card.center.y - mid.y)},
                          {card.size.width * k, card.size.height * k},
                          card.angle});
    return result;
}

} // namespace folimo::layout
