#include "model/preview_cache.hpp"

namespace folimo {
namespace {

std::size_t byteCount(const QImage& image) {
    return static_cast<std::size_t>(image.sizeInBytes());
}

} // namespace

void PreviewCache::insert(const QString& key, const QImage& image) {
    if (const auto old = images_.find(key); old != images_.end()) {
        bytes_ -= byteCount(*old);
        images_.erase(old);
    }
    if (image.isNull()) return;
    // Emptied wholesale, never trimmed: above the count, or when the new image would take
    // the cache past its bytes (161 images of 1100 pixels are over half a gigabyte).
    if (count() > countLimit || bytes_ + byteCount(image) > byteLimit) clear();
    images_.insert(key, image);
    bytes_ += byteCount(image);
}

void PreviewCache::clear() {
    images_.clear();
    bytes_ = 0;
}

} // namespace folimo
