#pragma once

#include "folimo/geometry.hpp"
#include "folimo/image.hpp"
#include "folimo/settings.hpp"
#include "folimo/source_pdf.hpp"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <vector>

namespace folimo {

// The flip-through video: the chosen pages lie on the brand's background one after another,
// each still for a moment before it folds away to the left about its left edge and uncovers
// the next. Every frame is a pure function of its time in seconds; frame i is shown at
// i / fps. An immutable value: const operations may run on several threads at once (page
// bitmaps come from the SourcePDF's shared cache, text runs under the text lock).
class FlipThrough {
public:
    // The page on top at some time, as an index into pages(), and how far it has turned:
    // 0 lying flat, up to 1 folded away.
    struct PageAndTurn {
        int page = 0;
        double turn = 0;
        bool operator==(const PageAndTurn&) const = default;
    };

    // Takes everything from settings.video, limited to what a video can be: the size even
    // and each side within PixelSize::sideRange, VideoSettings' seconds and fps ranges, 1 to 20
    // pages (a blank list picks up to 10 spread over the PDF; a list naming no page of the
    // PDF shows the first page alone). Never fails.
    FlipThrough(std::shared_ptr<const SourcePDF> source, ListingSettings settings);

    const SourcePDF& source() const { return *source_; }
    const ListingSettings& settings() const { return settings_; }
    PixelSize size() const { return size_; }
    double seconds() const { return seconds_; }
    int fps() const { return fps_; }
    const std::vector<int>& pages() const { return pages_; }

    // settings.video.frameCount(): 360 at the default 12 s and 30 fps.
    std::int64_t frameCount() const;
    // The encoder's average bit rate in bits a second: 5 per pixel of a frame, at least
    // 1 000 000.
    std::int64_t bitRate() const;

    // Where every page lies, in pixels of the frame (origin lower left, y up): the shape of
    // the first page, as large as fits between the margins and below the title band.
    Rect pageRect() const;
    // Which page is on top at time t and how far it has turned. Each page owns
    // seconds / pages().size() seconds, lies still, then turns during the last
    // min(40 % of that, 0.7 s), linearly in time. The last page never turns; times before
    // the start show the first page.
    PageAndTurn pageAndTurn(double t) const;

    // The frame for time t as a size() bitmap; nothing when the bitmap cannot be allocated.
    // A page whose bitmap cannot be made is left out.
    std::optional<Image> image(double t) const;

    // Writes the whole video as an H.264 (High profile) MP4 at path, replacing any file
    // there, with the index at the front of the file so that it plays while it downloads.
    // The file appears under its name only once it is complete: a failed or stopped write
    // leaves no file of its own behind. progress (may be empty; called on this thread)
    // receives i / frameCount() at frames 0, 15, 30, ... and 1 at the end. Checks stop
    // before every frame and throws Cancelled when asked to stop. Throws
    // ListingError::video with a short reason on any failure. Uses both cores: frames are
    // drawn on a second thread while the encoder compresses.
    void write(const std::filesystem::path& path, const std::function<void(double)>& progress,
               std::stop_token stop) const;

private:
    std::shared_ptr<const SourcePDF> source_;
    ListingSettings settings_;
    PixelSize size_;
    double seconds_ = 12;
    int fps_ = 30;
    std::vector<int> pages_;
};

} // namespace folimo
