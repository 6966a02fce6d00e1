// An interrupt or a request to end while the manager runs: what was written is deleted, the
// manager is told, and the installer ends by the signal, as a program interrupted should.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>

#include "InstallerFixture.h"
#include "platform/desktop/InterruptGuard.h"

extern char** environ;

namespace {

const std::string kCab = PayloadBytes(100000, 7);
const std::string kIni = "[CEAppManager]\r\n";

const char* SignalName(int signal) {
    return signal == SIGINT ? "INT" : signal == SIGTERM ? "TERM" : signal == SIGHUP ? "HUP" : "?";
}

class InstallerInterrupt : public InstallerTest {
protected:
    InstallerInterrupt() {
        // Orphans come to this process, so that the manager's end can be seen here.
        ::prctl(PR_SET_CHILD_SUBREAPER, 1);
        AddResource("CABFiles", "DIVER.CAB", kCab);
        AddResource("INIFiles", "WJ.INI", kIni);
    }

    // Starts the installer by start, waits until the manager runs, sends the signal to the
    // installer, and checks how both ended and what is left.
    void InterruptWhileTheManagerRuns(const std::function<pid_t()>& start, int signal) {
        const std::string ready = m_log + "/ready";
        const std::string told = m_log + "/told";
        ::unlink(told.c_str());
        ::unlink((m_log + "/copies/DIVER.CAB").c_str());
        ASSERT_EQ(::mkfifo(ready.c_str(), 0600), 0);
        // The manager notes which signal it was passed, and ends its own child before it ends
        // (by a signal that the child cannot have caught while it was still a shell).
        std::string traps;
        for (const char* name : {"INT", "TERM", "HUP"}) {
            traps += std::string("trap 'echo ") + name + " > \"" + told +
                     "\"; kill -KILL $child; wait $child; exit 9' " + name + "\n";
        }
        WriteManager(traps + "sleep 60 & child=$!\necho $$ > '" + ready + "'\nwait $child");
        // Opened before the manager writes, so that its write does not wait for us.
        const int fd = ::open(ready.c_str(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(fd, 0);
        const pid_t installer = start();
        ASSERT_GT(installer, 0);

        pollfd p{fd, POLLIN, 0};
        const bool managerRuns = ::poll(&p, 1, 60000) == 1;
        char text[32] = {};
        const ssize_t n = managerRuns ? ::read(fd, text, sizeof text - 1) : 0;
        ::close(fd);
        ::unlink(ready.c_str());
        if (!managerRuns || n <= 0) {
            ::kill(installer, SIGKILL);
            ::waitpid(installer, nullptr, 0);
            FAIL() << "the manager did not start";
        }
        const pid_t manager = static_cast<pid_t>(std::stol(text));
        if (m_payloadIsOurs) {
            EXPECT_TRUE(Copied("DIVER.CAB") == kCab);  // it was there for the manager
        }

        ASSERT_EQ(::kill(installer, signal), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(installer, &status, 0), installer);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "status " << status;
        EXPECT_FALSE(scratch::Exists(DaFolder()));

        // The manager was passed the signal. The installer may have seen it end; if not, it is
        // this process's orphan now and ends soon.
        if (::waitpid(manager, nullptr, 0) != manager) {
            EXPECT_EQ(errno, ECHILD);
        }
        EXPECT_EQ(scratch::ReadFile(told), std::string(SignalName(signal)) + "\n");
    }

    bool m_payloadIsOurs = true;  // false for the program, which carries its own
};

TEST_F(InstallerInterrupt, DeletesWhatWasWrittenAndEndsByTheSignal) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        InterruptWhileTheManagerRuns(
            [this] {
                const pid_t pid = ::fork();
                if (pid == 0) {
                    CInstaller installer(RealDesktop(), &m_module);
                    const int status = installer.Run();
                    if (installer.InterruptSignal() != 0)
                        InterruptGuard::RaiseDefault(installer.InterruptSignal());
                    ::_exit(status);
                }
                return pid;
            },
            signal);
    }
}

TEST_F(InstallerInterrupt, TheProgramEndsByTheInterruptAndLeavesNothing) {
    m_payloadIsOurs = false;
    InterruptWhileTheManagerRuns(
        [] {
            const std::string program = JOKEPAD_BIN_DIR "/jokesetup";
            char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
            pid_t pid = 0;
            return ::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) == 0 ? pid
                                                                                              : -1;
        },
        SIGINT);
}

}  // namespace
