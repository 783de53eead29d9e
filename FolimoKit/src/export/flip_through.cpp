#include "folimo/flip_through.hpp"

#include "export/flip_through_p.hpp"
#include "model/page_selection_p.hpp"
#include "render/drawing/paint.hpp"
#include "render/drawing/shadow.hpp"
#include "render/image_p.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace folimo {
namespace {

constexpr int autoPagePick = 10;
constexpr int pageLimit = 20;

Size frame(PixelSize size) {
    return {double(size.width), double(size.height)};
}

} // namespace

FlipThrough::FlipThrough(std::shared_ptr<const SourcePDF> source, ListingSettings settings)
    : source_(source)
    , settings_(std::move(settings))
    , size_(settings_.video.size.even())
    , seconds_(settings_.video.clampedSeconds())
    , fps_(int(settings_.video.clampedFps()))
    , pages_(PageSelection::choose(settings_.video.pages, source->pageCount(), autoPagePick,
                                   pageLimit)) {
    if (pages_.empty()) pages_ = {0};
}

std::int64_t FlipThrough::frameCount() const {
    return settings_.video.frameCount();
}

std::int64_t FlipThrough::bitRate() const {
    return std::max<std::int64_t>(size_.width * size_.height * 5, 1'000'000);
}

Rect FlipThrough::pageRect() const {
    const double width = double(size_.width), height = double(size_.height);
    const double s = layout::shorterSide(frame(size_));
    const double titleReserve = settings_.showTitle ? 0.15 * height : 0.06 * s;
    const Rect area{0.06 * s, 0.06 * s, width - 0.12 * s, height - titleReserve - 0.08 * s};
    // Every page is drawn in the first page's shape.
    const double aspect = source_->aspect(pages_.front());
    Size page{area.width, area.width / aspect};
    if (page.height > area.height) page = {aspect * area.height, area.height};
    return {area.midX() - page.width / 2, area.midY() - page.height / 2, page.width, page.height};
}

FlipThrough::PageAndTurn FlipThrough::pageAndTurn(double t) const {
    const int n = int(pages_.size());
    const double per = seconds_ / n;
    const double turnLength = std::min(0.4 * per, 0.7);
    // Frame times such as 3.6 s land exactly on a slot's start; the small allowance keeps
    // rounding from showing them as the end of the slot before (a page turned all the way).
    double slot = std::floor(t * n / seconds_ + 1e-9);
    if (!(slot > 0)) slot = 0;
    if (slot >= n - 1) return {n - 1, 0};
    const int k = int(slot);
    const double local = t - per * k;
    const double still = per - turnLength;
    return {k, local > still ? std::min((local - still) / turnLength, 1.0) : 0.0};
}

std::optional<Image> FlipThrough::image(double t) const {
    auto canvas = Canvas::create(int(size_.width), int(size_.height));
    if (!canvas) return std::nullopt;
    flip::drawFrame(*this, t, canvas->context());
    return std::move(*canvas).finish();
}

namespace flip {

void drawFrame(const FlipThrough& video, double t, cairo_t* cr) {
    drawBackdrop(video, cr);
    const auto [k, turn] = video.pageAndTurn(t);
    const bool turning = turn > 0;
    if (turning) drawFlatPage(video, cr, video.pages()[std::size_t(k) + 1]);
    const auto image = pageImage(video, video.pages()[std::size_t(k)]);
    if (!image) return;
    if (!turning)
        drawFlatPage(video, cr, video.pages()[std::size_t(k)]);
    else if (!drawTurningPage(video, cr, *image, turn))
        return;
    drawBadge(video, cr);
}

void drawBackdrop(const FlipThrough& video, cairo_t* cr) {
    const PixelSize size = video.size();
    const double width = double(size.width), height = double(size.height);
    const ListingPainter painter = flip::painter(video);
    painter.drawBackground(cr, {0, 0, width, height});
    if (!video.settings().showTitle) return;
    const double s = layout::shorterSide(frame(size));
    const Rect band{0.08 * s, 0.86 * height, width - 0.16 * s, 0.11 * height};
    painter.drawTitle(cr, painter.fitTitle(band, 0.6 * band.height, 0.2 * band.height));
}

void drawFlatPage(const FlipThrough& video, cairo_t* cr, int page) {
    const Rect r = video.pageRect();
    // A flat page is a paper card like those of the listing images.
    const double shadowUnit = 0.025 * layout::shorterSide(frame(video.size()));
    painter(video).drawCards({{page, r.mid(), r.size(), 0}}, cr, shadowUnit);
}

bool drawTurningPage(const FlipThrough& video, cairo_t* cr, const Image& image, double turn) {
    const Rect r = video.pageRect();
    const double u = 0.025 * layout::shorterSide(frame(video.size()));
    // The page narrows towards its left edge and bulges 2 % above and below at mid-turn.
    const double bulge = std::sin(turn * std::numbers::pi);
    const Rect squeezed{r.minX(), r.minY() - bulge * r.height * 0.02,
                        std::cos(turn * std::numbers::pi / 2) * r.width,
                        (1 + bulge * 0.04) * r.height};
    if (squeezed.width <= 1) return false;
    drawWithShadow(cr, {0, -0.4 * u, u * (turn + 1), RGBColor::black, 0.35},
                   [&](cairo_t* c) { fillRect(c, squeezed, RGBColor::white); });
    // The page keeps its place on the paper as the paper narrows.
    const Rect page = layout::fittedPage(r, double(image.width()) / image.height());
    const double sx = squeezed.width / r.width, sy = squeezed.height / r.height;
    drawImage(cr, image,
              {squeezed.minX() + (page.minX() - r.minX()) * sx,
               squeezed.minY() + (page.minY() - r.minY()) * sy, page.width * sx, page.height * sy});
    fillRect(cr, squeezed, RGBColor::black, 0.3 * turn);
    return true;
}

void drawBadge(const FlipThrough& video, cairo_t* cr) {
    const PixelSize size = video.size();
    painter(video).drawBadge(cr, {0, 0, double(size.width), double(size.height)});
}

std::optional<Image> pageImage(const FlipThrough& video, int page) {
    const Rect paper = video.pageRect();
    const Rect fitted = layout::fittedPage(paper, video.source().aspect(page));
    return video.source().image(page, int(std::ceil(fitted.width)));
}

} // namespace flip
} // namespace folimo
