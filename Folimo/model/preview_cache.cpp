#include "model/preview_cache.hpp"

namespace folimo {
namespace {

std::size_t byteCount(const QImage& image) {
    return static_cast<std::size_t>(image.sizeInBytes());
}

} // namespace

QImage PreviewCache::use(const QString& key) {
    const auto place = places_.constFind(key);
    if (place == places_.constEnd()) return {};
    entries_.splice(entries_.begin(), entries_, *place);
    return entries_.front().image;
}

QImage PreviewCache::value(const QString& key) const {
    const auto place = places_.constFind(key);
    return place == places_.constEnd() ? QImage() : (*place)->image;
}

void PreviewCache::insert(const QString& key, const QImage& image) {
    if (const auto old = places_.constFind(key); old != places_.constEnd()) remove(*old);
    if (image.isNull() || byteCount(image) > byteLimit) return;
    entries_.push_front({key, image});
    places_.insert(key, entries_.begin());
    bytes_ += byteCount(image);
    while (count() > countLimit || bytes_ > byteLimit)
        remove(std::prev(entries_.end()));
}

void PreviewCache::remove(std::list<Entry>::iterator entry) {
    bytes_ -= byteCount(entry->image);
    places_.remove(entry->key);
    entries_.erase(entry);
}

void PreviewCache::clear() {
    entries_.clear();
    places_.clear();
    bytes_ = 0;
}

} // namespace folimo
