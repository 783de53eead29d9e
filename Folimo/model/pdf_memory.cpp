#include "model/pdf_memory.hpp"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <algorithm>

namespace folimo {
namespace {

constexpr qint64 sampled = 256 << 10; // bytes hashed at each end of the file

const QString keyField = QStringLiteral("key");
const QString titleField = QStringLiteral("title");
const QString pagesField = QStringLiteral("pages");
const QString previewPagesField = QStringLiteral("previewPages");
const QString watermarkField = QStringLiteral("watermark");

QString fileName(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray(path.c_str()));
}

std::optional<std::string> text(const QJsonObject& object, const QString& field) {
    const QJsonValue value = object.value(field);
    if (!value.isString()) return std::nullopt;
    return value.toString().toStdString();
}

} // namespace

PDFMemory::PDFMemory(std::filesystem::path file)
    : file_(std::move(file)) {
    QFile stored(fileName(file_));
    if (stored.open(QIODevice::ReadOnly)) {
        for (const QJsonValue& each : QJsonDocument::fromJson(stored.readAll()).array()) {
            const QJsonObject object = each.toObject();
            const auto key = text(object, keyField);
            const auto title = text(object, titleField);
            const auto pages = text(object, pagesField);
            const auto previewPages = text(object, previewPagesField);
            const auto watermark = text(object, watermarkField);
            if (!key || key->empty() || !title || !pages || !previewPages || !watermark) continue;
            const QString known = QString::fromStdString(*key);
            if (knows(known)) continue;
            entries_.push_back({known, {*title, *pages, *previewPages, *watermark}});
            if (entries_.size() == capacity) break;
        }
    }
    writer_ = std::jthread([this](std::stop_token stop) { write(stop); });
}

PDFMemory::~PDFMemory() {
    writer_.request_stop();
    writer_.join();
}

std::optional<QString> PDFMemory::contentKey(const std::filesystem::path& pdf) {
    QFile file(fileName(pdf));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const qint64 size = file.size();
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const QByteArray head = file.read(sampled);
    if (head.size() != std::min(size, sampled)) return std::nullopt;
    hash.addData(head);
    if (size > sampled) {
        const qint64 tailStart = std::max(sampled, size - sampled);
        if (!file.seek(tailStart)) return std::nullopt;
        const QByteArray tail = file.read(size - tailStart);
        if (tail.size() != size - tailStart) return std::nullopt;
        hash.addData(tail);
    }
    return QString::number(size) + QLatin1Char('-') + QString::fromLatin1(hash.result().toHex());
}

std::optional<PDFTexts> PDFMemory::recall(const QString& key) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&key](const Entry& entry) { return entry.key == key; });
    if (found == entries_.end()) return std::nullopt;
    if (found != entries_.begin()) {
        std::rotate(entries_.begin(), found, found + 1);
        save();
    }
    return entries_.front().texts;
}

bool PDFMemory::knows(const QString& key) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&key](const Entry& entry) { return entry.key == key; });
}

void PDFMemory::remember(const QString& key, const PDFTexts& texts) {
    std::erase_if(entries_, [&key](const Entry& entry) { return entry.key == key; });
    entries_.insert(entries_.begin(), {key, texts});
    if (entries_.size() > capacity) entries_.resize(capacity);
    save();
}

void PDFMemory::save() {
    {
        std::lock_guard lock(mutex_);
        pending_ = entries_;
    }
    wake_.notify_one();
}

void PDFMemory::write(std::stop_token stop) {
    for (;;) {
        std::vector<Entry> entries;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, stop, [this] { return pending_.has_value(); });
            if (!pending_) return; // stopped with nothing left to write
            entries = std::move(*pending_);
            pending_.reset();
        }
        QJsonArray array;
        for (const Entry& entry : entries)
            array.append(QJsonObject{
                {keyField, entry.key},
                {titleField, QString::fromStdString(entry.texts.title)},
                {pagesField, QString::fromStdString(entry.texts.pages)},
                {previewPagesField, QString::fromStdString(entry.texts.previewPages)},
                {watermarkField, QString::fromStdString(entry.texts.watermark)},
            });
        // A failed write leaves the last whole file; the next change tries again.
        QDir().mkpath(fileName(file_.parent_path()));
        QSaveFile file(fileName(file_));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(QJsonDocument(array).toJson(QJsonDocument::Compact));
            file.commit();
        }
    }
}

} // namespace folimo
