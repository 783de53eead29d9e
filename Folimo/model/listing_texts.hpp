#pragma once

#include "folimo/settings.hpp"

#include <QLocale>
#include <QString>
#include <cstddef>
#include <vector>

// The texts of the listing page and its inspector that are made from model values, so the
// views only place them. Pure functions; numbers a person reads follow the given locale.
namespace folimo::ListingTexts {

// The name of a layout on its card and in labels: "Page grid", "Cover", ...
QString layoutName(ImageLayout layout);
// "2000 × 1500 px".
QString pixelSize(const PixelSize& size);
// A size toggle's second line: "2000 × 1500 px, JPEG".
QString presetDetail(const ImagePreset& preset);
// What a screen reader says for the large image: "Cover image, 2000 by 1500 pixels".
QString largeImageName(ImageLayout layout, const ImagePreset& preset);
// The preview pane's header: "3 sheets, 8.5 × 11 in", "1 sheet, …"; with no sheet,
// "None of those pages are in this PDF.".
QString sheetsHeader(std::size_t sheets, const PreviewSettings& preview,
                     const QLocale& locale = {});
// "Preview sheet 2: pages 5–8" for the sheet at 0-based index 1 holding pages 4...7;
// "Preview sheet 3: page 9" for a sheet of one page.
QString sheetName(std::size_t index, const std::vector<int>& pages);
// A playback position with exactly one decimal: "1.9".
QString seconds(double time, const QLocale& locale = {});
// "Video frame at 1.9 seconds".
QString videoFrameName(double time, const QLocale& locale = {});
// The length beside its slider: the seconds held to 10...15, the fraction dropped, and " s".
QString videoLength(const VideoSettings& video);
// The video size row: each side held to 64...6000, the frame rate as stored:
// "1080 × 1080, 30 fps, MP4".
QString videoSize(const VideoSettings& video);

} // namespace folimo::ListingTexts
