#include "stop_on_interrupt.hpp"

#include <pthread.h>

namespace folimo::cli {
namespace {

sigset_t interruptSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    return set;
}

bool interruptIgnored() {
    struct sigaction action {};
    sigaction(SIGINT, nullptr, &action);
    return action.sa_handler == SIG_IGN;
}

} // namespace

StopOnInterrupt::StopOnInterrupt() {
    if (interruptIgnored()) return;
    const sigset_t set = interruptSet();
    pthread_sigmask(SIG_BLOCK, &set, &previous_);
    waiter_ = std::thread([this, set] {
        for (;;) {
            int signal = 0;
            if (sigwait(&set, &signal) != 0) continue;
            if (finishing_.load()) return;
            source_.request_stop();
        }
    });
}

StopOnInterrupt::~StopOnInterrupt() {
    if (!waiter_.joinable()) return;
    // The waiter is woken with a SIGINT sent to it alone, which it recognises by the flag.
    finishing_.store(true);
    pthread_kill(waiter_.native_handle(), SIGINT);
    waiter_.join();
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

} // namespace folimo::cli
