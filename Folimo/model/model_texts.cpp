#include "model/model_texts.hpp"

#include "folimo/output_naming.hpp"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace folimo::ModelTexts {
namespace {

QString folderName(const std::filesystem::path& folder) {
    return QString::fromStdString(folder.filename().string());
}

} // namespace

QString contents(const ListingSettings& settings) {
    QStringList parts;
    const auto presetsOn = std::count_if(settings.images.begin(), settings.images.end(),
                                         [](const ImagePreset& preset) { return preset.isOn; });
    const auto images =
        static_cast<qint64>(presetsOn) * static_cast<qint64>(settings.layouts.size());
    if (images > 0)
        parts << QCoreApplication::translate("ModelTexts", "%n image(s)", nullptr, int(images));
    if (settings.preview.isOn) parts << QStringLiteral("preview PDF");
    if (settings.video.isOn) parts << QStringLiteral("video");
    return parts.isEmpty() ? QStringLiteral("nothing chosen") : parts.join(QStringLiteral(", "));
}

QString exportSummary(const ListingSettings& settings) {
    return QCoreApplication::translate("ModelTexts", "%n file(s): %1", nullptr,
                                       int(settings.fileCount()))
        .arg(contents(settings));
}

QString filesPerPDF(const ListingSettings& settings) {
    return QCoreApplication::translate("ModelTexts", "%n file(s) per PDF", nullptr,
                                       int(settings.fileCount()));
}

QString saved(const std::filesystem::path& folder, std::int64_t files) {
    return QCoreApplication::translate("ModelTexts", "Saved %n file(s) to \u201C%1\u201D.", nullptr,
                                       int(files))
        .arg(folderName(folder));
}

QString stopped(const std::filesystem::path& folder, std::int64_t files,
                std::int64_t plannedFiles) {
    // The noun goes with the whole set's count: "1 of 20 files", "0 of 1 file".
    return QCoreApplication::translate("ModelTexts",
                                       "Stopped. %1 of %n file(s) saved in \u201C%2\u201D.",
                                       nullptr, int(plannedFiles))
        .arg(QString::number(files), folderName(folder));
}

QString noPDFsInside(const std::filesystem::path& folder) {
    return QCoreApplication::translate("ModelTexts",
                                       "There are no PDFs directly inside \u201C%1\u201D.")
        .arg(QString::fromStdString(OutputNaming::shownName(folder)));
}

QString rowName(const BatchRow& row) {
    return QString::fromStdString(row.pdf.stem().string());
}

QString statusText(const BatchRow::Status& status) {
    switch (status.kind) {
    case BatchRow::Status::Kind::waiting:
        return QStringLiteral("Waiting");
    case BatchRow::Status::Kind::working:
        return {};
    case BatchRow::Status::Kind::done:
        return QCoreApplication::translate("ModelTexts", "%n file(s)", nullptr, int(status.files));
    case BatchRow::Status::Kind::stopped:
        return stopped(status.folder, status.files, status.plannedFiles);
    case BatchRow::Status::Kind::failed:
        return status.message;
    }
    return {};
}

QString rowReading(const BatchRow& row) {
    const QString status =
        row.status.kind == BatchRow::Status::Kind::working
            ? QStringLiteral("Working, %1%")
                  .arg(std::lround(std::clamp(row.status.fraction, 0.0, 1.0) * 100))
            : statusText(row.status);
    return rowName(row) + QStringLiteral(", ") + status;
}

QString batchSummary(const std::vector<BatchRow>& rows) {
    using Kind = BatchRow::Status::Kind;
    auto counted = [&rows](Kind kind) {
        return int(std::count_if(rows.begin(), rows.end(),
                                 [kind](const BatchRow& row) { return row.status.kind == kind; }));
    };
    const int made = counted(Kind::done);
    const int failed = counted(Kind::failed);
    const int stopped = counted(Kind::stopped);
    if (made + failed + stopped == 0) return {};
    QString summary = QCoreApplication::translate("ModelTexts", "%n set(s) made", nullptr, made);
    if (failed > 0)
        summary += QCoreApplication::translate("ModelTexts", ", %n failed", nullptr, failed);
    if (stopped > 0)
        summary += QCoreApplication::translate("ModelTexts", ", %n stopped", nullptr, stopped);
    return summary + QStringLiteral(".");
}

QString unreadableBrands(std::size_t count) {
    return QCoreApplication::translate("ModelTexts",
                                       "%n saved brand(s) couldn\u2019t be read, so they were set "
                                       "aside. Your other brands are kept.",
                                       nullptr, int(count));
}

} // namespace folimo::ModelTexts
