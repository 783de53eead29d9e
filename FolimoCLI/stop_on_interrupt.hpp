#pragma once

#include <atomic>
#include <csignal>
#include <stop_token>
#include <thread>

namespace folimo::cli {

// Turns Ctrl-C (SIGINT) into a stop request for long work. While the object lives, SIGINT
// is blocked in the calling thread and in every thread started from it afterwards, and a
// small thread of its own takes the signal with sigwait() and asks token() to stop. No
// work happens in a signal handler. Make it before starting any other thread; the old
// signal mask comes back when it is destroyed. A SIGINT that the process was started with
// ignored (a background job without job control, nohup) stays ignored.
class StopOnInterrupt {
public:
    StopOnInterrupt();
    ~StopOnInterrupt();
    StopOnInterrupt(const StopOnInterrupt&) = delete;
    StopOnInterrupt& operator=(const StopOnInterrupt&) = delete;

    std::stop_token token() const { return source_.get_token(); }

private:
    sigset_t previous_;
    std::stop_source source_;
    std::atomic<bool> finishing_{false};
    std::thread waiter_;
};

} // namespace folimo::cli
