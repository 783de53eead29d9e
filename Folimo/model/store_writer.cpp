#include "model/store_writer.hpp"

#include <QEvent>
#include <QSettings>

namespace folimo {

StoreWriter::StoreWriter(QSettings& store)
    : store_(store) {
    onThread_ = new QObject;
    onThread_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, onThread_, &QObject::deleteLater);
    thread_.start();
    QMetaObject::invokeMethod(
        onThread_,
        [this, name = store.fileName(), format = store.format()] {
            file_ = std::make_unique<QSettings>(name, format);
        },
        Qt::BlockingQueuedConnection);
    store_.installEventFilter(this);
}

StoreWriter::~StoreWriter() {
    store_.removeEventFilter(this);
    QMetaObject::invokeMethod(
        onThread_,
        [this] {
            file_->sync();
            file_.reset();
        },
        Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

void StoreWriter::set(const QString& key, const QVariant& value) {
    if (!value.isValid())
        store_.remove(key);
    else
        store_.setValue(key, value);
    changed();
}

void StoreWriter::changed() {
    if (pending_.exchange(true)) return; // one write takes every change made before it
    QMetaObject::invokeMethod(
        onThread_,
        [this] {
            pending_ = false;
            file_->sync();
        },
        Qt::QueuedConnection);
}

bool StoreWriter::eventFilter(QObject* watched, QEvent* event) {
    // QSettings writes its file when it receives this event; the writer does it instead.
    if (watched == &store_ && event->type() == QEvent::UpdateRequest) {
        changed();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace folimo
