#pragma once

#include <atomic>
#include <csignal>
#include <stop_token>
#include <thread>

namespace folimo::cli {

// Turns Ctrl-C (SIGINT), SIGTERM and SIGHUP into a stop request for long work, so that a
// run stopped by a terminal, a desktop session, a service manager or `timeout` ends the
// same way: files written stay, temporary files go. While the object lives, the signals
// are blocked in the calling thread and in every thread started from it afterwards, and a
// small thread of its own takes them with sigwait() and asks token() to stop. No work
// happens in a signal handler. Make it before starting any other thread; the old signal
// mask comes back when it is destroyed. A signal that the process was started with
// ignored (a background job without job control, nohup) stays ignored.
class StopOnInterrupt {
public:
    StopOnInterrupt();
    ~StopOnInterrupt();
    StopOnInterrupt(const StopOnInterrupt&) = delete;
    StopOnInterrupt& operator=(const StopOnInterrupt&) = delete;

    std::stop_token token() const { return source_.get_token(); }

    // The first signal that asked any work of this process to stop; 0 when none has.
    static int stoppedBy() { return stoppedBy_.load(); }

private:
    static inline std::atomic<int> stoppedBy_{0};
    sigset_t taken_;
    sigset_t previous_;
    int wake_ = 0;
    std::stop_source source_;
    std::atomic<bool> finishing_{false};
    std::thread waiter_;
};

} // namespace folimo::cli
