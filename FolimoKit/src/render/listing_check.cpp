#include "folimo/listing_check.hpp"

#include "folimo/listing_error.hpp"
#include "folimo/listing_renderer.hpp"
#include "model/page_selection_p.hpp"
#include "model/settings_p.hpp"
#include "render/layout_geometry.hpp"
#include "render/listing_painter.hpp"
#include "render/page_placement.hpp"

#include <algorithm>
#include <cmath>
#include <map>
#include <ostream>

namespace folimo {
namespace {

// How much a picture may be enlarged before it looks blurry.
constexpr double lowResolutionLimit = 1.5;
// A picture drawn smaller than this many pixels a side in every image shows no blur worth
// telling, and one with fewer pixels than this a side is a colour fill or a rule.
constexpr double smallestVisible = 48;
constexpr double fewestPixels = 16;
// Decoding costs about as much as drawing: only the largest pictures of a page are looked at.
constexpr int picturesLookedAtPerPage = 4;

std::string sizeText(PixelSize size) {
    return std::to_string(size.width) + " \u00D7 " + std::to_string(size.height);
}

Rect whole(PixelSize size) {
    return {0, 0, double(size.width), double(size.height)};
}

// The sizes of the images made, as the renderer draws them.
std::vector<PixelSize> imageSizes(const ListingSettings& settings) {
    std::vector<PixelSize> sizes;
    for (const ImagePreset& preset : settings.images)
        if (preset.isOn) sizes.push_back(preset.size.clamped());
    return sizes;
}

class Check {
public:
    Check(std::shared_ptr<const SourcePDF> source, const ListingSettings& settings)
        : source_(*source)
        , settings_(settings)
        , renderer_(std::move(source), settings)
        , painter_(source_, settings_)
        , sizes_(imageSizes(settings))
        , layouts_(settings.orderedLayouts()) {}

    std::vector<ListingFinding> run(std::stop_token stop) {
        const bool images = !sizes_.empty() && !layouts_.empty();
        if (images) missingPage(ListingFinding::Kind::missingListingPage, settings_.pages);
        if (settings_.preview.isOn)
            missingPage(ListingFinding::Kind::missingPreviewPage, settings_.preview.pages);
        if (settings_.video.isOn)
            missingPage(ListingFinding::Kind::missingVideoPage, settings_.video.pages);
        // A title too long to read is cut by the square too; one finding says it.
        if (images && settings_.showTitle && !titleTooLong()) titleCutBySquare();
        if (images) lowResolutionPages(stop);
        return std::move(findings_);
    }

private:
    void add(ListingFinding finding) {
        finding.message = ListingCheck::message(finding, source_.pageCount());
        findings_.push_back(std::move(finding));
    }

    void missingPage(ListingFinding::Kind kind, const std::string& pages) {
        const std::int64_t count = source_.pageCount();
        if (const auto page = PageSelection::firstMissing(pages, count)) add({kind, *page, {}, {}});
    }

    bool showsTitle() const {
        return std::any_of(layouts_.begin(), layouts_.end(),
                           [](ImageLayout layout) { return !isScene(layout); });
    }

    bool titleTooLong() {
        if (!showsTitle()) return false;
        std::optional<PixelSize> smallest;
        for (PixelSize size : sizes_) {
            const auto title = painter_.backdropTitle(whole(size));
            if (!title || !(title->atMinimum || title->cut)) continue;
            if (!smallest ||
                std::min(size.width, size.height) < std::min(smallest->width, smallest->height))
                smallest = size;
        }
        if (!smallest) return false;
        add({ListingFinding::Kind::titleTooLong, 0, *smallest, {}});
        return true;
    }

    void titleCutBySquare() {
        // The first layout shows the title whenever any does.
        if (!showsTitle()) return;
        for (PixelSize size : sizes_) {
            if (size.isSquare()) continue;
            const Rect rect = whole(size);
            const auto title = painter_.backdropTitle(rect);
            if (!title) continue;
            const Rect& frame = title->frame;
            const Rect text{frame.midX() - title->lineWidth / 2, frame.maxY() - title->textHeight,
                            title->lineWidth, title->textHeight};
            const Rect square = layout::centredSquare(rect);
            // Half a pixel for the rounding of the text's measure.
            constexpr double slack = 0.5;
            if (text.minX() < square.minX() - slack || text.maxX() > square.maxX() + slack ||
                text.minY() < square.minY() - slack || text.maxY() > square.maxY() + slack) {
                add({ListingFinding::Kind::titleCutBySquare, 0, size, {}});
                return;
            }
        }
    }

    // The largest scale (pixels per point) each page shown is drawn at, and in which size.
    struct Largest {
        double pixelsPerPoint = 0;
        PixelSize size;
    };

    std::map<int, Largest> largestScales() const {
        std::map<int, Largest> largest;
        for (ImageLayout layout : layouts_) {
            std::vector<int> shown = renderer_.pages(layout);
            if (shown.empty()) shown = {0};
            for (PixelSize size : sizes_)
                for (const layout::Placed& card :
                     layout::placedPages(layout, whole(size), settings_.showTitle,
                                         source_.aspect(shown.front()), shown)) {
                    const Rect paper{0, 0, card.size.width, card.size.height};
                    const double width = layout::fittedPage(paper, source_.aspect(card.page)).width;
                    const double scale = width / source_.pageSize(card.page).width;
                    Largest& page = largest[card.page];
                    if (scale > page.pixelsPerPoint) page = {scale, size};
                }
        }
        return largest;
    }

    void lowResolutionPages(const std::stop_token& stop) {
        for (const auto& [page, largest] : largestScales()) {
            if (stop.stop_requested()) throw Cancelled();
            if (isLowResolution(page, largest.pixelsPerPoint))
                add({ListingFinding::Kind::lowResolutionPage, page + 1, largest.size, {}});
        }
    }

    bool isLowResolution(int page, double pixelsPerPoint) const {
        std::vector<SourcePDF::Picture> pictures = source_.pictures(page);
        std::sort(pictures.begin(), pictures.end(), [](const auto& a, const auto& b) {
            return a.area.width * a.area.height > b.area.width * b.area.height;
        });
        int looked = 0;
        for (const SourcePDF::Picture& picture : pictures) {
            const Size covered{picture.area.width * pixelsPerPoint,
                               picture.area.height * pixelsPerPoint};
            if (!std::isfinite(covered.width * covered.height) ||
                std::min(covered.width, covered.height) < smallestVisible)
                continue;
            if (looked++ == picturesLookedAtPerPage) break;
            const Size pixels = source_.picturePixels(page, picture.number);
            if (std::min(pixels.width, pixels.height) < fewestPixels) continue;
            // By area, so that a picture turned on the page compares the same.
            const double enlargement =
                std::sqrt(covered.width * covered.height / (pixels.width * pixels.height));
            if (enlargement > lowResolutionLimit) return true;
        }
        return false;
    }

    const SourcePDF& source_;
    const ListingSettings& settings_;
    const ListingRenderer renderer_;
    const ListingPainter painter_;
    const std::vector<PixelSize> sizes_;
    const std::vector<ImageLayout> layouts_;
    std::vector<ListingFinding> findings_;
};

} // namespace

void PrintTo(const ListingFinding& finding, std::ostream* out) {
    *out << "{kind " << int(finding.kind) << ", page " << finding.page << ", size "
         << finding.size.width << "x" << finding.size.height << ", \"" << finding.message << "\"}";
}

std::string ListingCheck::message(const ListingFinding& finding, std::int64_t pageCount) {
    const std::string page = std::to_string(finding.page);
    switch (finding.kind) {
    case ListingFinding::Kind::missingListingPage:
    case ListingFinding::Kind::missingPreviewPage:
    case ListingFinding::Kind::missingVideoPage:
        return "Page " + page + " is not in this " + std::to_string(pageCount) + "-page PDF.";
    case ListingFinding::Kind::titleTooLong:
        return "The title is too long to read at " + sizeText(finding.size) +
               "; shorten it or turn it off.";
    case ListingFinding::Kind::titleCutBySquare:
        return "In a square thumbnail the title is cut off.";
    case ListingFinding::Kind::lowResolutionPage:
        return "Page " + page + " is a low-resolution picture and may look blurry.";
    }
    return {};
}

std::vector<ListingFinding> ListingCheck::findings(std::shared_ptr<const SourcePDF> source,
                                                   const ListingSettings& settings,
                                                   std::stop_token stop) {
    return Check(std::move(source), settings).run(stop);
}

} // namespace folimo
