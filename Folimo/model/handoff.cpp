#include "model/handoff.hpp"

namespace folimo {

CallQueue::~CallQueue() {
    std::lock_guard lock(mutex_);
    calls_.clear();
}

void CallQueue::push(std::function<void()> call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
}

void CallQueue::runOldest() {
    std::function<void()> call;
    {
        std::lock_guard lock(mutex_);
        if (calls_.empty()) return;
        call = std::move(calls_.front());
        calls_.pop_front();
    }
    call();
}

void MainThreadCalls::post(std::function<void()> call) {
    calls_.push(std::move(call));
    QMetaObject::invokeMethod(this, "runOldest", Qt::QueuedConnection);
}

void MainThreadCalls::runOldest() {
    calls_.runOldest();
}

} // namespace folimo
