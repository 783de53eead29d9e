#pragma once

#include "folimo/brand.hpp"

#include <array>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace folimo {

// The values a setting is held to where it is used, both ends included. Stored settings
// keep what they hold; these are the one statement of each limit, for the library, the
// command line's help and the application's controls.
template <class T> struct Range {
    T min;
    T max;

    // value held to min...max; NaN gives min.
    constexpr T clamp(T value) const { return value >= min ? (value <= max ? value : max) : min; }
};

// A size in whole pixels.
struct PixelSize {
    std::int64_t width = 0;
    std::int64_t height = 0;

    // Every side of a listing image or video frame.
    static constexpr Range<std::int64_t> sideRange{64, 6000};

    bool isSquare() const { return width == height; }
    // Each side held to sideRange.
    PixelSize clamped() const;
    // clamped(), then each side rounded down to an even number (the video's frame size).
    PixelSize even() const;

    bool operator==(const PixelSize&) const = default;
};

enum class ImageFormat { png, jpeg };

inline constexpr std::array<ImageFormat, 2> allImageFormats = {ImageFormat::png, ImageFormat::jpeg};

// "png" or "jpeg".
std::string_view storedText(ImageFormat format);
// The format whose stored text this is exactly; nothing for any other text.
std::optional<ImageFormat> imageFormatFromText(std::string_view text);
// "png" or "jpg".
std::string_view fileExtension(ImageFormat format);

// The six kinds of listing image, in their fixed order (their number in file names).
enum class ImageLayout { grid = 1, cover, fan, clipboard, desk, frame };

inline constexpr std::array<ImageLayout, 6> allLayouts = {ImageLayout::grid, ImageLayout::cover,
                                                          ImageLayout::fan,  ImageLayout::clipboard,
                                                          ImageLayout::desk, ImageLayout::frame};

// The stored text, which is also the layout's id: "grid", "cover", ...
std::string_view storedText(ImageLayout layout);
// The layout whose stored text this is exactly; nothing for any other text.
std::optional<ImageLayout> imageLayoutFromText(std::string_view text);
// The name shown to the user: "Page grid", "Cover", "Fanned pages", ...
std::string_view title(ImageLayout layout);

// One output image size.
struct ImagePreset {
    std::string id;
    std::string name; // also the preset's subfolder in a listing set
    PixelSize size;
    ImageFormat format = ImageFormat::png;
    bool isOn = true;

    static const ImagePreset& squareThumbnails();
    static const ImagePreset& listing4x3();
    static const ImagePreset& listingSquare();
    // [squareThumbnails, listing4x3, listingSquare].
    static const std::vector<ImagePreset>& defaults();

    bool operator==(const ImagePreset&) const = default;
};

enum class WatermarkStyle { diagonal, corner };

inline constexpr std::array<WatermarkStyle, 2> allWatermarkStyles = {WatermarkStyle::diagonal,
                                                                     WatermarkStyle::corner};

// "diagonal" or "corner".
std::string_view storedText(WatermarkStyle style);
// The style whose stored text this is exactly; nothing for any other text.
std::optional<WatermarkStyle> watermarkStyleFromText(std::string_view text);
// "Diagonal" or "Corner".
std::string_view title(WatermarkStyle style);

// The watermarked preview PDF.
struct PreviewSettings {
    bool isOn = true;
    std::string pages; // page list; empty means every page
    std::string watermark = "PREVIEW";
    WatermarkStyle style = WatermarkStyle::diagonal;
    double opacity = 0.22;    // 0…1
    double sheetWidth = 11.0; // inches
    double sheetHeight = 8.5; // inches
    std::int64_t pagesPerSheet = 2;
    bool flatten = true;

    // The watermark's strength as drawn.
    static constexpr Range<double> opacityRange{0.05, 0.9};
    // Each side of a sheet, in inches: 200 inches (14,400 points) is the largest page a PDF
    // can have in its common form.
    static constexpr Range<double> sheetSideRange{2, 200};
    // Page places on a sheet: 1 for 1 or less, 2 for anything larger.
    static constexpr Range<std::int64_t> pagesPerSheetRange{1, 2};

    // The watermark trimmed of white space (a view into it); "PREVIEW" when nothing is left.
    std::string_view watermarkText() const;

    bool operator==(const PreviewSettings&) const = default;
};

// The flip-through video.
struct VideoSettings {
    bool isOn = true;
    PixelSize size{1080, 1080};
    double seconds = 12.0;
    std::int64_t fps = 30;
    std::string pages; // page list; empty means picked automatically

    static constexpr Range<double> secondsRange{10, 15};
    static constexpr Range<std::int64_t> fpsRange{10, 60};

    // seconds held to secondsRange (10 for NaN).
    double clampedSeconds() const;
    // fps held to fpsRange.
    std::int64_t clampedFps() const;
    // round(clampedSeconds * clampedFps), halves away from zero: the frames the video has.
    std::int64_t frameCount() const;

    bool operator==(const VideoSettings&) const = default;
};

// Everything that defines one listing set.
struct ListingSettings {
    std::string title; // empty means the PDF's own title
    bool showTitle = true;
    Brand brand = Brand::classic();
    std::set<ImageLayout> layouts{allLayouts.begin(), allLayouts.end()};
    std::string pages; // page list for the listing images
    std::vector<ImagePreset> images = ImagePreset::defaults();
    PreviewSettings preview;
    VideoSettings video;

    // The chosen layouts in their fixed order: the order the exporter walks them in.
    std::vector<ImageLayout> orderedLayouts() const;
    // Files an export writes: presets on x layouts, +1 preview, +1 video.
    std::int64_t fileCount() const;

    bool operator==(const ListingSettings&) const = default;
};

// The title of a listing set: title trimmed of white space and newlines, or pdfTitle (the
// PDF's own) when that leaves nothing. A view into one of the two, valid while both live.
// Every front end names and draws a set by this one rule.
std::string_view listingTitle(std::string_view title, std::string_view pdfTitle);

// For test failure messages: enumerations as their stored text, the rest in their stored
// JSON form.
void PrintTo(ImageFormat format, std::ostream* out);
void PrintTo(ImageLayout layout, std::ostream* out);
void PrintTo(WatermarkStyle style, std::ostream* out);
void PrintTo(const PixelSize& size, std::ostream* out);
void PrintTo(const ImagePreset& preset, std::ostream* out);
void PrintTo(const PreviewSettings& preview, std::ostream* out);
void PrintTo(const VideoSettings& video, std::ostream* out);
void PrintTo(const ListingSettings& settings, std::ostream* out);

} // namespace folimo

// Hashes over every stored field, consistent with ==.
template <> struct std::hash<folimo::PixelSize> {
    std::size_t operator()(const folimo::PixelSize& size) const noexcept;
};
template <> struct std::hash<folimo::ImagePreset> {
    std::size_t operator()(const folimo::ImagePreset& preset) const noexcept;
};
template <> struct std::hash<folimo::PreviewSettings> {
    std::size_t operator()(const folimo::PreviewSettings& preview) const noexcept;
};
template <> struct std::hash<folimo::VideoSettings> {
    std::size_t operator()(const folimo::VideoSettings& video) const noexcept;
};
template <> struct std::hash<folimo::ListingSettings> {
    std::size_t operator()(const folimo::ListingSettings& settings) const noexcept;
};
