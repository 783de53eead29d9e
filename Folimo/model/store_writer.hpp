#pragma once

#include <QObject>
#include <QVariant>
#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <thread>

class QSettings;

namespace folimo {

// Writes a QSettings store's file on a thread of its own. QSettings writes its file on the
// thread its object lives on, at the next turn of the event loop after a change, and waits
// for the disk there (tens of milliseconds on a busy disk): for the model's store that would
// be the main thread, once per keystroke in a text field. Here the store object still takes
// every value at once (every reader sees it), and the file is written by a second QSettings
// on the same file on the writer's thread: QSettings objects of one process share the
// values of a file and may be used on different threads.
class StoreWriter : public QObject {
    Q_OBJECT
public:
    // store must outlive the writer.
    explicit StoreWriter(QSettings& store);
    // Writes what is still pending, then ends the thread.
    ~StoreWriter() override;

    // Puts value under key in the store at once (QVariant() removes the key); the file is
    // written soon, on the writer's thread.
    void set(const QString& key, const QVariant& value);
    // The store has changed: its file is written soon, on the writer's thread.
    void changed();

protected:
    // Keeps the store from writing its file on its own (main) thread.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void write(std::stop_token stop, const QString& fileName, int format);

    QSettings& store_;
    std::mutex mutex_;
    std::condition_variable_any wake_;
    bool pending_ = false; // guarded by mutex_
    std::jthread writer_;
};

} // namespace folimo
