#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <cstddef>

namespace folimo {

// The model's preview images by key. Bounded by count and by bytes and never trimmed entry
// by entry: when a new image would make it hold more than countLimit + 1 images or more
// than byteLimit bytes, it is emptied wholesale first, and the new image is then stored
// alone. Main thread only, like the model.
class PreviewCache {
public:
    static constexpr std::size_t countLimit = 160;
    static constexpr std::size_t byteLimit = 256u << 20;

    // The image under key; null when there is none.
    QImage value(const QString& key) const { return images_.value(key); }
    bool contains(const QString& key) const { return images_.contains(key); }
    // Stores image under key (replacing what was there), applying the bounds; a null image
    // removes the key.
    void insert(const QString& key, const QImage& image);
    void clear();

    std::size_t count() const { return static_cast<std::size_t>(images_.size()); }
    std::size_t bytes() const { return bytes_; }

private:
    QHash<QString, QImage> images_;
    std::size_t bytes_ = 0;
};

} // namespace folimo
