#include "model/work_records.hpp"

#include "folimo/listing_exporter.hpp"
#include "model/store_writer.hpp"

#include <QFile>
#include <QSettings>
#include <chrono>

namespace folimo {
namespace {

const QString recordsKey = QStringLiteral("setFoldersInProgress");
constexpr std::chrono::hours staleAfter{24};

QString text(const std::filesystem::path& folder) {
    return QFile::decodeName(QByteArray(folder.c_str()));
}

} // namespace

WorkRecords::WorkRecords(QSettings& store, StoreWriter& writer)
    : store_(store)
    , writer_(writer) {
    const QStringList left = recorded();
    if (left.isEmpty()) return;
    sweep_ = std::jthread([this, left] {
        QStringList clean;
        for (const QString& folder : left)
            if (ListingExporter::removeStaleTemporaries(QFile::encodeName(folder).toStdString(),
                                                        staleAfter) == 0)
                clean << folder;
        calls_.post([this, clean] {
            QStringList folders = recorded();
            for (const QString& folder : clean)
                folders.removeOne(folder);
            setRecorded(folders);
        });
    });
}

WorkRecords::~WorkRecords() {
    if (sweep_.joinable()) sweep_.join();
    if (mine_.isEmpty()) return;
    QStringList folders = recorded();
    for (const QString& folder : mine_)
        folders.removeOne(folder);
    setRecorded(folders);
}

void WorkRecords::add(const std::filesystem::path& folder) {
    mine_ << text(folder);
    setRecorded(recorded() << text(folder));
}

void WorkRecords::remove(const std::filesystem::path& folder) {
    if (!mine_.removeOne(text(folder))) return;
    QStringList folders = recorded();
    folders.removeOne(text(folder));
    setRecorded(folders);
}

QStringList WorkRecords::recorded() const {
    return store_.value(recordsKey).toStringList();
}

void WorkRecords::setRecorded(const QStringList& folders) {
    writer_.set(recordsKey, folders.isEmpty() ? QVariant() : QVariant(folders));
}

} // namespace folimo
