#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

namespace folimo {

// Calls handed from one thread to another, oldest first. Qt's own queues (posted events, a
// thread pool's runnables) are guarded by locks that ThreadSanitizer cannot see in a Qt not
// built with it, so a call carried through them would look like a data race on everything it
// carries. Here the calls travel through a mutex of ours, and Qt's queues carry only a wake-up
// that takes the oldest call: one wake-up for each call.
class CallQueue {
public:
    CallQueue() = default;
    // Drops the calls still waiting, under the lock, so that the sanitizer sees their pushes
    // end before them.
    ~CallQueue();
    CallQueue(const CallQueue&) = delete;
    CallQueue& operator=(const CallQueue&) = delete;

    void push(std::function<void()> call);
    // Takes the oldest call and runs it.
    void runOldest();

private:
    std::mutex mutex_;
    std::deque<std::function<void()>> calls_; // guarded by mutex_
};

// Runs calls posted from worker threads on the thread it lives on (the main thread) at a
// later turn of its event loop, in the order they were posted. Calls still waiting when it is
// destroyed are dropped; threads that post must have ended by then.
class MainThreadCalls : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void post(std::function<void()> call);

private:
    Q_INVOKABLE void runOldest();

    CallQueue calls_;
};

} // namespace folimo
