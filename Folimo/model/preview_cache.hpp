#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <cstddef>
#include <list>

namespace folimo {

// The model's preview images by key, bounded by count and by bytes: when a new image takes
// it past either bound, the least recently used images leave one by one until it fits, so
// what a view shows now stays while what it showed long ago goes. An image larger than the
// byte bound on its own is not kept. Main thread only, like the model.
class PreviewCache {
public:
    static constexpr std::size_t countLimit = 161;
    static constexpr std::size_t byteLimit = 256u << 20;

    // The image under key, now the most recently used; null when there is none.
    QImage use(const QString& key);
    // The image under key, its place left as it is; null when there is none.
    QImage value(const QString& key) const;
    bool contains(const QString& key) const { return places_.contains(key); }
    // Stores image under key as the most recently used (replacing what was there), then
    // applies the bounds; a null image removes the key.
    void insert(const QString& key, const QImage& image);
    void clear();

    std::size_t count() const { return static_cast<std::size_t>(places_.size()); }
    std::size_t bytes() const { return bytes_; }

private:
    struct Entry {
        QString key;
        QImage image;
    };
    void remove(std::list<Entry>::iterator entry);

    std::list<Entry> entries_; // the most recently used first
    QHash<QString, std::list<Entry>::iterator> places_;
    std::size_t bytes_ = 0;
};

} // namespace folimo
