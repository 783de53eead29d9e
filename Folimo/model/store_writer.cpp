#include "model/store_writer.hpp"

#include <QEvent>
#include <QSettings>

namespace folimo {

StoreWriter::StoreWriter(QSettings& store)
    : store_(store)
    , writer_([this, name = store.fileName(), format = store.format()](std::stop_token stop) {
        write(stop, name, format);
    }) {
    store_.installEventFilter(this);
}

StoreWriter::~StoreWriter() {
    store_.removeEventFilter(this);
    writer_.request_stop();
    writer_.join();
}

void StoreWriter::set(const QString& key, const QVariant& value) {
    if (!value.isValid())
        store_.remove(key);
    else
        store_.setValue(key, value);
    changed();
}

void StoreWriter::changed() {
    {
        std::lock_guard lock(mutex_);
        if (pending_) return; // one write takes every change made before it
        pending_ = true;
    }
    wake_.notify_one();
}

bool StoreWriter::eventFilter(QObject* watched, QEvent* event) {
    // QSettings writes its file when it receives this event; the writer does it instead.
    if (watched == &store_ && event->type() == QEvent::UpdateRequest) {
        changed();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void StoreWriter::write(std::stop_token stop, const QString& fileName, int format) {
    QSettings file(fileName, QSettings::Format(format));
    for (;;) {
        bool stopped = false;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, stop, [this] { return pending_; });
            stopped = !pending_;
            pending_ = false;
        }
        // The last write, when the writer ends, takes whatever the store holds that is not on
        // disk yet, also a change whose notice is still on its way.
        file.sync();
        if (stopped) return;
    }
}

} // namespace folimo
