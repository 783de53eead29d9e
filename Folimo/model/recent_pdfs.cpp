#include "model/recent_pdfs.hpp"

#include "model/store_writer.hpp"

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <algorithm>

namespace folimo {
namespace {

const QString recentKey = QStringLiteral("recentPDFs.v1");

} // namespace

RecentPDFs::RecentPDFs(QSettings& store, StoreWriter& writer)
    : store_(store)
    , writer_(writer) {
    // A list read back from the file is a list of variants, one entry a single text.
    for (const QString& text : store.value(recentKey).toStringList()) {
        const std::filesystem::path path = QFile::encodeName(text).toStdString();
        if (!path.is_absolute() || std::find(paths_.begin(), paths_.end(), path) != paths_.end())
            continue;
        paths_.push_back(path);
        if (paths_.size() == capacity) break;
    }
}

std::vector<RecentPDF> RecentPDFs::list() const {
    std::vector<RecentPDF> list;
    for (const auto& path : paths_) {
        std::error_code error;
        list.push_back({path, std::filesystem::is_regular_file(path, error)});
    }
    return list;
}

void RecentPDFs::add(const std::filesystem::path& path) {
    std::erase(paths_, path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > capacity) paths_.resize(capacity);
    save();
}

void RecentPDFs::clear() {
    paths_.clear();
    save();
}

void RecentPDFs::save() {
    QStringList texts;
    for (const auto& path : paths_)
        texts << QFile::decodeName(QByteArray(path.c_str()));
    writer_.set(recentKey, texts.isEmpty() ? QVariant() : QVariant(texts));
}

} // namespace folimo
