#include "model/texts.hpp"

#include "folimo/output_naming.hpp"
#include "folimo/page_selection.hpp"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace folimo {
namespace {

QString text(std::string_view view) {
    return QString::fromUtf8(view.data(), qsizetype(view.size()));
}

QString folderName(const std::filesystem::path& folder) {
    return QString::fromStdString(folder.filename().string());
}

} // namespace

QString Texts::pageTitle(Page page) {
    switch (page) {
    case Page::listing:
        return tr("Listing Set");
    case Page::batch:
        return tr("Batch");
    case Page::brands:
        return tr("Brand Presets");
    case Page::sizes:
        return tr("Sizes");
    }
    return {};
}

QString Texts::tabTitle(ListingTab tab) {
    switch (tab) {
    case ListingTab::images:
        return tr("Images");
    case ListingTab::preview:
        return tr("Preview PDF");
    case ListingTab::video:
        return tr("Flip-Through Video");
    }
    return {};
}

QString Texts::layoutName(ImageLayout layout) {
    return text(title(layout));
}

QString Texts::pixelSize(const PixelSize& size) {
    return tr("%1 × %2 px").arg(size.width).arg(size.height);
}

QString Texts::presetDetail(const ImagePreset& preset) {
    return tr("%1, %2").arg(pixelSize(preset.size), preset.format == ImageFormat::jpeg
                                                        ? QStringLiteral("JPEG")
                                                        : QStringLiteral("PNG"));
}

QString Texts::largeImageName(ImageLayout layout, const ImagePreset& preset) {
    return tr("%1 image, %2 by %3 pixels")
        .arg(layoutName(layout))
        .arg(preset.size.width)
        .arg(preset.size.height);
}

QString Texts::sheetsHeader(std::size_t sheets, const PreviewSettings& preview,
                            const QLocale& locale) {
    if (sheets == 0) return tr("None of those pages are in this PDF.");
    const auto inches = [&](double value) {
        return locale.toString(value, 'g', QLocale::FloatingPointShortest);
    };
    return tr("%n sheet(s), %1 × %2 in", nullptr, int(sheets))
        .arg(inches(preview.sheetWidth), inches(preview.sheetHeight));
}

QString Texts::sheetName(std::size_t index, const std::vector<int>& pages) {
    return tr("Preview sheet %1: page(s) %2", nullptr, int(pages.size()))
        .arg(QString::number(index + 1), QString::fromStdString(PageSelection::describe(pages)));
}

QString Texts::seconds(double time, const QLocale& locale) {
    return locale.toString(time, 'f', 1);
}

QString Texts::videoFrameName(double time, const QLocale& locale) {
    return tr("Video frame at %1 seconds").arg(seconds(time, locale));
}

QString Texts::videoLength(const VideoSettings& video) {
    return tr("%1 s").arg(static_cast<int>(video.clampedSeconds()));
}

QString Texts::videoSize(const VideoSettings& video) {
    const PixelSize size = video.size.clamped();
    return tr("%1 × %2, %3 fps, MP4").arg(size.width).arg(size.height).arg(video.fps);
}

QString Texts::contents(const ListingSettings& settings) {
    QStringList parts;
    const auto presetsOn = std::count_if(settings.images.begin(), settings.images.end(),
                                         [](const ImagePreset& preset) { return preset.isOn; });
    const auto images =
        static_cast<qint64>(presetsOn) * static_cast<qint64>(settings.layouts.size());
    if (images > 0) parts << tr("%n image(s)", nullptr, int(images));
    if (settings.preview.isOn) parts << tr("preview PDF");
    if (settings.video.isOn) parts << tr("video");
    return parts.isEmpty() ? tr("nothing chosen") : parts.join(QStringLiteral(", "));
}

QString Texts::exportSummary(const ListingSettings& settings) {
    return tr("%n file(s): %1", nullptr, int(settings.fileCount())).arg(contents(settings));
}

QString Texts::filesPerPDF(const ListingSettings& settings) {
    return tr("%n file(s) per PDF", nullptr, int(settings.fileCount()));
}

QString Texts::saved(const std::filesystem::path& folder, std::int64_t files) {
    return tr("Saved %n file(s) to \u201C%1\u201D.", nullptr, int(files)).arg(folderName(folder));
}

QString Texts::stopped(const std::filesystem::path& folder, std::int64_t files,
                       std::int64_t plannedFiles) {
    // The noun goes with the whole set's count: "1 of 20 files", "0 of 1 file".
    return tr("Stopped. %1 of %n file(s) saved in \u201C%2\u201D.", nullptr, int(plannedFiles))
        .arg(QString::number(files), folderName(folder));
}

QString Texts::noPDFsInside(const std::filesystem::path& folder) {
    return tr("There are no PDFs directly inside \u201C%1\u201D.")
        .arg(QString::fromStdString(OutputNaming::shownName(folder)));
}

QString Texts::finding(const ListingFinding& finding, std::int64_t pageCount) {
    const QString page = QString::number(finding.page);
    switch (finding.kind) {
    case ListingFinding::Kind::missingListingPage:
    case ListingFinding::Kind::missingPreviewPage:
    case ListingFinding::Kind::missingVideoPage:
        return tr("Page %1 is not in this %n-page PDF.", nullptr, int(pageCount)).arg(page);
    case ListingFinding::Kind::titleTooLong:
        return tr("The title is too long to read at %1 \u00D7 %2; shorten it or turn it off.")
            .arg(QString::number(finding.size.width), QString::number(finding.size.height));
    case ListingFinding::Kind::titleCutBySquare:
        return tr("In a square thumbnail the title is cut off.");
    case ListingFinding::Kind::lowResolutionPage:
        return tr("Page %1 is a low-resolution picture and may look blurry.").arg(page);
    }
    return {};
}

QString Texts::rowName(const BatchRow& row) {
    return QString::fromStdString(row.pdf.stem().string());
}

QString Texts::statusText(const BatchRow::Status& status) {
    switch (status.kind) {
    case BatchRow::Status::Kind::waiting:
        return tr("Waiting");
    case BatchRow::Status::Kind::working:
        return {};
    case BatchRow::Status::Kind::done:
        return tr("%n file(s)", nullptr, int(status.files));
    case BatchRow::Status::Kind::stopped:
        return stopped(status.folder, status.files, status.plannedFiles);
    case BatchRow::Status::Kind::failed:
        return status.message;
    }
    return {};
}

QString Texts::rowReading(const BatchRow& row) {
    const QString status =
        row.status.kind == BatchRow::Status::Kind::working
            ? tr("Working, %1%").arg(std::lround(std::clamp(row.status.fraction, 0.0, 1.0) * 100))
            : statusText(row.status);
    return rowName(row) + QStringLiteral(", ") + status;
}

QString Texts::batchSummary(const std::vector<BatchRow>& rows) {
    using Kind = BatchRow::Status::Kind;
    auto counted = [&rows](Kind kind) {
        return int(std::count_if(rows.begin(), rows.end(),
                                 [kind](const BatchRow& row) { return row.status.kind == kind; }));
    };
    const int made = counted(Kind::done);
    const int failed = counted(Kind::failed);
    const int stopped = counted(Kind::stopped);
    if (made + failed + stopped == 0) return {};
    QString summary = tr("%n set(s) made", nullptr, made);
    if (failed > 0) summary += tr(", %n failed", nullptr, failed);
    if (stopped > 0) summary += tr(", %n stopped", nullptr, stopped);
    return summary + QStringLiteral(".");
}

QString Texts::unreadableBrands(std::size_t count) {
    return tr("%n saved brand(s) couldn\u2019t be read, so they were set "
              "aside. Your other brands are kept.",
              nullptr, int(count));
}

QString Texts::choosePDF() {
    return tr("Choose a printable PDF.");
}

QString Texts::chooseSetParent(const QString& folderName) {
    return tr("Choose where to save the listing set. A folder named \u201C%1\u201D is made "
              "inside.")
        .arg(folderName);
}

QString Texts::chooseBatchOutput() {
    return tr("Choose where to save the listing sets. Each PDF gets its own folder inside.");
}

QString Texts::chooseBatchInput() {
    return tr("Choose a folder of PDFs. Each one gets its own listing set.");
}

QString Texts::saveHere() {
    return tr("Save Here");
}

QString Texts::choose() {
    return tr("Choose");
}

QString Texts::brandCopyName(const std::string& from) {
    if (from == Brand::classic().name) return tr("My Brand");
    return tr("%1 Copy").arg(QString::fromStdString(from));
}

QString Texts::chooseBrandStep() {
    return tr("Brand");
}

QString Texts::newBrandStep(const std::string& name) {
    return tr("New Brand \u201C%1\u201D").arg(QString::fromStdString(name));
}

QString Texts::editBrandStep(const std::string& name) {
    return tr("Edit Brand \u201C%1\u201D").arg(QString::fromStdString(name));
}

QString Texts::deleteBrandStep(const std::string& name) {
    return tr("Delete Brand \u201C%1\u201D").arg(QString::fromStdString(name));
}

QString Texts::resetSizesStep() {
    return tr("Reset to Defaults");
}

} // namespace folimo
