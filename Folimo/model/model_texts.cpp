#include "model/model_texts.hpp"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace folimo::ModelTexts {

QString contents(const ListingSettings& settings) {
    QStringList parts;
    const auto presetsOn = std::count_if(settings.images.begin(), settings.images.end(),
                                         [](const ImagePreset& preset) { return preset.isOn; });
    const auto images =
        static_cast<qint64>(presetsOn) * static_cast<qint64>(settings.layouts.size());
    if (images > 0) parts << QString::number(images) + QStringLiteral(" images");
    if (settings.preview.isOn) parts << QStringLiteral("preview PDF");
    if (settings.video.isOn) parts << QStringLiteral("video");
    return parts.isEmpty() ? QStringLiteral("nothing chosen") : parts.join(QStringLiteral(", "));
}

QString exportSummary(const ListingSettings& settings) {
    return QString::number(settings.fileCount()) + QStringLiteral(" files: ") + contents(settings);
}

QString filesPerPDF(const ListingSettings& settings) {
    return QString::number(settings.fileCount()) + QStringLiteral(" files per PDF");
}

QString saved(const std::filesystem::path& folder, std::int64_t files) {
    return QStringLiteral("Saved ") + QString::number(files) + QStringLiteral(" files to \u201C") +
           QString::fromStdString(folder.filename().string()) + QStringLiteral("\u201D.");
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
        return QString::number(status.files) + QStringLiteral(" files");
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

QString unreadableBrands(std::size_t count) {
    if (count == 1)
        return QStringLiteral("A saved brand couldn\u2019t be read, so it was set aside. Your "
                              "other brands are kept.");
    return QStringLiteral("%1 saved brands couldn\u2019t be read, so they were set aside. Your "
                          "other brands are kept.")
        .arg(count);
}

} // namespace folimo::ModelTexts
