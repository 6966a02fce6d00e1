#pragma once
// An interrupt (SIGINT) or a request to end (SIGTERM, SIGHUP) normally ends a program at once.
// A program that has written files it must delete holds those signals back while it works, takes
// them when it is ready (Take, or an interrupted process wait), cleans up, and only then ends as
// the signal asks (RaiseDefault). Signals the program was started with ignored stay ignored.

#include <signal.h>

class InterruptGuard {
public:
    InterruptGuard();
    ~InterruptGuard();  // held-back signals not taken are delivered now
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

    // The signals held back by this guard.
    const sigset_t& Signals() const { return m_held; }
    // A held-back signal that has arrived, taken so that it is not delivered again; 0 if none.
    int Take();

    // The signals that guards hold back in this process; a child must not inherit them blocked.
    static sigset_t HeldSignals();
    // Ends the process as the signal's default action does, so that the parent sees it ended by
    // that signal (a shell shows 128 + the signal's number).
    [[noreturn]] static void RaiseDefault(int signal);

private:
    sigset_t m_held{};
    sigset_t m_previous{};
};
