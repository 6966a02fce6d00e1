#include "platform/desktop/InterruptGuard.h"

#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cassert>
#include <ctime>

namespace {

constexpr int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP};

// The signals that live guards hold back. One guard at a time is all a program needs, and the
// launcher reads this to give children the mask they would have had without the guard.
sigset_t g_held;
std::atomic<bool> g_guardAlive{false};

bool IsIgnored(int signal) {
    struct sigaction current {};
    return sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

}  // namespace

InterruptGuard::InterruptGuard() {
    [[maybe_unused]] const bool wasAlive = g_guardAlive.exchange(true);
    assert(!wasAlive && "one interrupt guard at a time");
    sigemptyset(&m_held);
    for (const int signal : kInterrupts) {
        // Blocked signals are queued even when ignored, so an ignored one must not be blocked.
        if (!IsIgnored(signal))
            sigaddset(&m_held, signal);
    }
    g_held = m_held;
    pthread_sigmask(SIG_BLOCK, &m_held, &m_previous);
}

InterruptGuard::~InterruptGuard() {
    sigemptyset(&g_held);
    g_guardAlive = false;
    pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
}

int InterruptGuard::Take() {
    sigset_t pending;
    if (sigpending(&pending) != 0)
        return 0;
    for (const int signal : kInterrupts) {
        if (sigismember(&m_held, signal) && sigismember(&pending, signal)) {
            sigset_t one;
            sigemptyset(&one);
            sigaddset(&one, signal);
            const timespec now{};
            if (sigtimedwait(&one, nullptr, &now) == signal)
                return signal;
        }
    }
    return 0;
}

sigset_t InterruptGuard::HeldSignals() {
    sigset_t held;
    sigemptyset(&held);
    if (g_guardAlive)
        held = g_held;
    return held;
}

void InterruptGuard::RaiseDefault(int signal) {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    sigset_t one;
    sigemptyset(&one);
    sigaddset(&one, signal);
    raise(signal);                                // stays pending while blocked ...
    pthread_sigmask(SIG_UNBLOCK, &one, nullptr);  // ... and is delivered here
    _exit(128 + signal);  // for a signal whose default action does not end the process
}
