#include "platform/desktop/Process.h"

#include <errno.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <vector>

#include "platform/desktop/CommandLine.h"
#include "platform/desktop/InterruptGuard.h"

extern char** environ;

namespace {

class RealProcess : public Process {
public:
    explicit RealProcess(pid_t pid) : m_pid(pid) {}
    ~RealProcess() override { Reap(WNOHANG); }  // a child that has ended leaves no zombie

    DWORD Wait(InterruptGuard* interrupts, int* signal) override;
    BOOL GetExitCode(DWORD* code) override;
    BOOL Signal(int signal) override;

private:
    // True once the child has ended and its status is known.
    bool Reap(int options);

    pid_t m_pid;
    bool m_ended = false;
    bool m_lost = false;  // someone else reaped it; its status is unknown
    DWORD m_exitCode = 0;
};

bool RealProcess::Reap(int options) {
    if (m_ended || m_lost)
        return m_ended;
    int status = 0;
    pid_t r;
    do {
        r = waitpid(m_pid, &status, options);
    } while (r < 0 && errno == EINTR);
    if (r == m_pid) {
        m_ended = true;
        m_exitCode = WIFSIGNALED(status) ? 128 + static_cast<DWORD>(WTERMSIG(status))
                                         : static_cast<DWORD>(WEXITSTATUS(status));
    } else if (r < 0) {
        m_lost = true;
    }
    return m_ended;
}

DWORD RealProcess::Wait(InterruptGuard* interrupts, int* signal) {
    // The end of the child and the caller's signals are both waited for as signals: with
    // SIGCHLD blocked, one that comes between the check and the wait stays pending, so the wait
    // can neither miss it nor need a polling delay.
    sigset_t waitFor;
    sigemptyset(&waitFor);
    sigaddset(&waitFor, SIGCHLD);
    if (interrupts) {
        for (const int s : {SIGINT, SIGTERM, SIGHUP})
            if (sigismember(&interrupts->Signals(), s))
                sigaddset(&waitFor, s);
    }
    sigset_t previous;
    pthread_sigmask(SIG_BLOCK, &waitFor, &previous);
    DWORD result = WAIT_FAILED;
    while (true) {
        if (interrupts) {
            if (const int s = interrupts->Take()) {
                if (signal)
                    *signal = s;
                result = WAIT_INTERRUPTED;
                break;
            }
        }
        if (Reap(WNOHANG)) {
            result = WAIT_OBJECT_0;
            break;
        }
        if (m_lost)
            break;
        siginfo_t info;
        const int got = sigwaitinfo(&waitFor, &info);
        if (got > 0 && got != SIGCHLD) {
            if (signal)
                *signal = got;
            result = WAIT_INTERRUPTED;
            break;
        }
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return result;
}

BOOL RealProcess::GetExitCode(DWORD* code) {
    if (Reap(WNOHANG)) {
        *code = m_exitCode;
        return TRUE;
    }
    if (m_lost)
        return FALSE;
    *code = STILL_ACTIVE;
    return TRUE;
}

BOOL RealProcess::Signal(int signal) {
    // Once reaped, the number may already belong to another process.
    if (Reap(WNOHANG) || m_lost)
        return FALSE;
    return kill(m_pid, signal) == 0 ? TRUE : FALSE;
}

// posix_spawn attributes and file actions, released on every way out.
struct SpawnSetup {
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_t actions;
    SpawnSetup() {
        posix_spawnattr_init(&attributes);
        posix_spawn_file_actions_init(&actions);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

}  // namespace

std::unique_ptr<Process> RealProcessLauncher::CreateProcess(const std::string& commandLine,
                                                            std::string* error) {
    auto fail = [error](std::string why) -> std::unique_ptr<Process> {
        if (error)
            *error = std::move(why);
        return nullptr;
    };
    std::vector<std::string> words = CommandLineToArgv(commandLine);
    if (words.empty() || words.front().empty())
        return fail("the command line names no program");
    std::vector<char*> argv;
    for (auto& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    // A child of a parent that ignores SIGCHLD is reaped by the system, and its status lost.
    struct sigaction child {};
    if (sigaction(SIGCHLD, nullptr, &child) == 0 &&
        (child.sa_handler == SIG_IGN || (child.sa_flags & SA_NOCLDWAIT) != 0)) {
        child = {};
        child.sa_handler = SIG_DFL;
        sigemptyset(&child.sa_mask);
        sigaction(SIGCHLD, &child, nullptr);
    }

    SpawnSetup setup;
    // The child gets the signal mask this program had before it held interrupts back.
    sigset_t mask;
    pthread_sigmask(SIG_SETMASK, nullptr, &mask);
    const sigset_t held = InterruptGuard::HeldSignals();
    for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGCHLD})
        if (sigismember(&held, s))
            sigdelset(&mask, s);
    posix_spawnattr_setsigmask(&setup.attributes, &mask);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSIGMASK);
    // Only the standard streams are handed on, whatever this program has open.
    posix_spawn_file_actions_addclosefrom_np(&setup.actions, 3);

    const std::string& program = words.front();
    const bool searchPath = program.find('/') == std::string::npos;
    pid_t pid = 0;
    const int rc = searchPath ? posix_spawnp(&pid, program.c_str(), &setup.actions,
                                             &setup.attributes, argv.data(), environ)
                              : posix_spawn(&pid, program.c_str(), &setup.actions,
                                            &setup.attributes, argv.data(), environ);
    if (rc != 0)
        return fail(program + ": " + std::strerror(rc));
    return std::make_unique<RealProcess>(pid);
}
