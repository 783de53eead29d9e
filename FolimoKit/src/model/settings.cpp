#include "model/hash_combine.hpp"
#include "model/settings_p.hpp"
#include "model/unicode_trim.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>

namespace folimo {
namespace {

template <class Enum, std::size_t N>
std::optional<Enum> fromText(const std::array<Enum, N>& cases, std::string_view text) {
    for (Enum value : cases)
        if (storedText(value) == text) return value;
    return std::nullopt;
}

} // namespace

PixelSize PixelSize::clamped() const {
    return {sideRange.clamp(width), sideRange.clamp(height)};
}

PixelSize PixelSize::even() const {
    const PixelSize size = clamped();
    return {size.width - size.width % 2, size.height - size.height % 2};
}

std::string_view storedText(ImageFormat format) {
    return format == ImageFormat::png ? "png" : "jpeg";
}

std::optional<ImageFormat> imageFormatFromText(std::string_view text) {
    return fromText(allImageFormats, text);
}

std::string_view fileExtension(ImageFormat format) {
    return format == ImageFormat::png ? "png" : "jpg";
}

std::string_view storedText(ImageLayout layout) {
    switch (layout) {
    case ImageLayout::grid:
        return "grid";
    case ImageLayout::cover:
        return "cover";
    case ImageLayout::fan:
        return "fan";
    case ImageLayout::clipboard:
        return "clipboard";
    case ImageLayout::desk:
        return "desk";
    case ImageLayout::frame:
        return "frame";
    }
    return {};
}

std::optional<ImageLayout> imageLayoutFromText(std::string_view text) {
    return fromText(allLayouts, text);
}

std::string_view title(ImageLayout layout) {
    switch (layout) {
    case ImageLayout::grid:
        return "Page grid";
    case ImageLayout::cover:
        return "Cover";
    case ImageLayout::fan:
        return "Fanned pages";
    case ImageLayout::clipboard:
        return "Clipboard";
    case ImageLayout::desk:
        return "Desk";
    case ImageLayout::frame:
        return "Frame";
    }
    return {};
}

int number(ImageLayout layout) {
    return static_cast<int>(layout);
}

bool isScene(ImageLayout layout) {
    return layout == ImageLayout::clipboard || layout == ImageLayout::desk ||
           layout == ImageLayout::frame;
}

const ImagePreset& ImagePreset::squareThumbnails() {
    static const ImagePreset preset{
        "thumbnails", "Square thumbnails", {750, 750}, ImageFormat::png, true};
    return preset;
}

const ImagePreset& ImagePreset::listing4x3() {
    static const ImagePreset preset{
        "listing-4x3", "Listing images 2000 px 4:3", {2000, 1500}, ImageFormat::jpeg, true};
    return preset;
}

const ImagePreset& ImagePreset::listingSquare() {
    static const ImagePreset preset{
        "listing-square", "Listing images 2000 px square", {2000, 2000}, ImageFormat::jpeg, true};
    return preset;
}

const std::vector<ImagePreset>& ImagePreset::defaults() {
    static const std::vector<ImagePreset> presets{squareThumbnails(), listing4x3(),
                                                  listingSquare()};
    return presets;
}

std::string_view storedText(WatermarkStyle style) {
    return style == WatermarkStyle::diagonal ? "diagonal" : "corner";
}

std::optional<WatermarkStyle> watermarkStyleFromText(std::string_view text) {
    return fromText(allWatermarkStyles, text);
}

std::string_view title(WatermarkStyle style) {
    return style == WatermarkStyle::diagonal ? "Diagonal" : "Corner";
}

std::string_view PreviewSettings::watermarkText() const {
    const std::string_view text = trimWhitespaceAndNewlines(watermark);
    return text.empty() ? "PREVIEW" : text;
}

std::string_view listingTitle(std::string_view title, std::string_view pdfTitle) {
    const std::string_view own = trimWhitespaceAndNewlines(title);
    return own.empty() ? pdfTitle : own;
}

double VideoSettings::clampedSeconds() const {
    return secondsRange.clamp(seconds);
}

std::int64_t VideoSettings::clampedFps() const {
    return fpsRange.clamp(fps);
}

std::int64_t VideoSettings::frameCount() const {
    return std::llround(clampedSeconds() * static_cast<double>(clampedFps()));
}

std::vector<ImageLayout> ListingSettings::orderedLayouts() const {
    // The set already orders layouts by their number.
    return {layouts.begin(), layouts.end()};
}

std::int64_t ListingSettings::fileCount() const {
    const auto presetsOn = std::ranges::count_if(images, &ImagePreset::isOn);
    return presetsOn * static_cast<std::int64_t>(layouts.size()) + (preview.isOn ? 1 : 0) +
           (video.isOn ? 1 : 0);
}

void PrintTo(ImageFormat format, std::ostream* out) {
    *out << storedText(format);
}
void PrintTo(ImageLayout layout, std::ostream* out) {
    *out << storedText(layout);
}
void PrintTo(WatermarkStyle style, std::ostream* out) {
    *out << storedText(style);
}

} // namespace folimo

using folimo::HashCombine;

std::size_t std::hash<folimo::PixelSize>::operator()(const folimo::PixelSize& size) const noexcept {
    return HashCombine().add(size.width).add(size.height).value();
}

std::size_t
std::hash<folimo::ImagePreset>::operator()(const folimo::ImagePreset& preset) const noexcept {
    return HashCombine()
        .add(preset.id)
        .add(preset.name)
        .add(preset.size)
        .add(preset.format)
        .add(preset.isOn)
        .value();
}

std::size_t std::hash<folimo::PreviewSettings>::operator()(
    const folimo::PreviewSettings& preview) const noexcept {
    return HashCombine()
        .add(preview.isOn)
        .add(preview.pages)
        .add(preview.watermark)
        .add(preview.style)
        .add(preview.opacity)
        .add(preview.sheetWidth)
        .add(preview.sheetHeight)
        .add(preview.pagesPerSheet)
        .add(preview.flatten)
        .value();
}

std::size_t
std::hash<folimo::VideoSettings>::operator()(const folimo::VideoSettings& video) const noexcept {
    return HashCombine()
        .add(video.isOn)
        .add(video.size)
        .add(video.seconds)
        .add(video.fps)
        .add(video.pages)
        .value();
}

std::size_t std::hash<folimo::ListingSettings>::operator()(
    const folimo::ListingSettings& settings) const noexcept {
    return HashCombine()
        .add(settings.title)
        .add(settings.showTitle)
        .add(settings.brand)
        .addRange(settings.layouts)
        .add(settings.pages)
        .addRange(settings.images)
        .add(settings.preview)
        .add(settings.video)
        .value();
}
