#include "model/listing_texts.hpp"

#include "folimo/page_selection.hpp"

#include <QCoreApplication>

namespace folimo::ListingTexts {

namespace {

QString text(std::string_view view) {
    return QString::fromUtf8(view.data(), qsizetype(view.size()));
}

} // namespace

QString layoutName(ImageLayout layout) {
    return text(title(layout));
}

QString pixelSize(const PixelSize& size) {
    return QStringLiteral("%1 × %2 px").arg(size.width).arg(size.height);
}

QString presetDetail(const ImagePreset& preset) {
    return QStringLiteral("%1, %2").arg(pixelSize(preset.size), preset.format == ImageFormat::jpeg
                                                                    ? QStringLiteral("JPEG")
                                                                    : QStringLiteral("PNG"));
}

QString largeImageName(ImageLayout layout, const ImagePreset& preset) {
    return QStringLiteral("%1 image, %2 by %3 pixels")
        .arg(layoutName(layout))
        .arg(preset.size.width)
        .arg(preset.size.height);
}

QString sheetsHeader(std::size_t sheets, const PreviewSettings& preview, const QLocale& locale) {
    if (sheets == 0) return QStringLiteral("None of those pages are in this PDF.");
    const auto inches = [&](double value) {
        return locale.toString(value, 'g', QLocale::FloatingPointShortest);
    };
    return QCoreApplication::translate("ListingTexts", "%n sheet(s), %1 × %2 in", nullptr,
                                       int(sheets))
        .arg(inches(preview.sheetWidth), inches(preview.sheetHeight));
}

QString sheetName(std::size_t index, const std::vector<int>& pages) {
    return QCoreApplication::translate("ListingTexts", "Preview sheet %1: page(s) %2", nullptr,
                                       int(pages.size()))
        .arg(QString::number(index + 1), QString::fromStdString(PageSelection::describe(pages)));
}

QString seconds(double time, const QLocale& locale) {
    return locale.toString(time, 'f', 1);
}

QString videoFrameName(double time, const QLocale& locale) {
    return QStringLiteral("Video frame at %1 seconds").arg(seconds(time, locale));
}

QString videoLength(const VideoSettings& video) {
    return QStringLiteral("%1 s").arg(static_cast<int>(video.clampedSeconds()));
}

QString videoSize(const VideoSettings& video) {
    const PixelSize size = video.size.clamped();
    return QStringLiteral("%1 × %2, %3 fps, MP4").arg(size.width).arg(size.height).arg(video.fps);
}

} // namespace folimo::ListingTexts
