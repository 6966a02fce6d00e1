#pragma once
// Programs started from a command line and waited for. Abstract so that tests can stand in a
// launcher that records what would have been started.

#include <memory>
#include <string>

#include "platform/base/Types.h"

class InterruptGuard;

inline constexpr DWORD STILL_ACTIVE = 259;
inline constexpr DWORD WAIT_OBJECT_0 = 0;
// As an alertable wait ends early: here when a signal held back by the caller arrives.
inline constexpr DWORD WAIT_INTERRUPTED = 0xC0;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;

// A started program. Dropping it does not end the program, as closing the platform's process
// handle does not.
class Process {
public:
    virtual ~Process() = default;

    // Blocks until the program has ended: WAIT_OBJECT_0. With a guard, a signal it holds back
    // ends the wait as well: WAIT_INTERRUPTED, and the signal, taken, in *signal.
    virtual DWORD Wait(InterruptGuard* interrupts, int* signal) = 0;
    // STILL_ACTIVE while the program runs; then its exit status, or 128 + the signal's number
    // when a signal ended it, as a shell reports it. FALSE when the program cannot be asked.
    virtual BOOL GetExitCode(DWORD* code) = 0;
    // Passes a signal on to the program while it runs; FALSE once it has ended.
    virtual BOOL Signal(int signal) = 0;
};

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;

    // Starts the program that the command line's first word names (a name without a slash is
    // searched for in PATH) with the line's words (CommandLineToArgv) as its arguments, without
    // a shell, in this program's environment and current folder, inheriting only the standard
    // input, output and error. Nothing, and the reason in *error, when it cannot be started.
    virtual std::unique_ptr<Process> CreateProcess(const std::string& commandLine,
                                                   std::string* error) = 0;
};

class RealProcessLauncher : public ProcessLauncher {
public:
    std::unique_ptr<Process> CreateProcess(const std::string& commandLine,
                                           std::string* error) override;
};
