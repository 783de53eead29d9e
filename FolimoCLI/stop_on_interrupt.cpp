#include "stop_on_interrupt.hpp"

#include <pthread.h>

namespace folimo::cli {
namespace {

bool ignored(int signal) {
    struct sigaction action {};
    sigaction(signal, nullptr, &action);
    return action.sa_handler == SIG_IGN;
}

} // namespace

StopOnInterrupt::StopOnInterrupt() {
    sigemptyset(&taken_);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        if (!ignored(signal)) {
            sigaddset(&taken_, signal);
            if (!wake_) wake_ = signal;
        }
    if (!wake_) return;
    pthread_sigmask(SIG_BLOCK, &taken_, &previous_);
    waiter_ = std::thread([this] {
        for (;;) {
            int signal = 0;
            if (sigwait(&taken_, &signal) != 0) continue;
            if (finishing_.load()) return;
            int none = 0;
            stoppedBy_.compare_exchange_strong(none, signal);
            source_.request_stop();
        }
    });
}

StopOnInterrupt::~StopOnInterrupt() {
    if (!waiter_.joinable()) return;
    // The waiter is woken with one of its signals sent to it alone, which it recognises by
    // the flag.
    finishing_.store(true);
    pthread_kill(waiter_.native_handle(), wake_);
    waiter_.join();
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

} // namespace folimo::cli
