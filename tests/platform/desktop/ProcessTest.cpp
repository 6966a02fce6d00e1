#include "platform/desktop/Process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <string>

#include "Scratch.h"
#include "platform/desktop/CommandLine.h"
#include "platform/desktop/InterruptGuard.h"

namespace {

std::string Quoted(const std::string& program) {
    return *QuoteCommandLineProgram(program);
}

TEST(RealProcess, ExitCodeIsWhatTheProgramEndedWith) {
    struct Case {
        const char* body;
        DWORD code;
    };
    const Case cases[] = {
        {"exit 0", 0},
        {"exit 1", 1},
        {"exit 259", 3},  // a status is eight bits here, so it cannot read as still running
        {"kill -TERM $$", 128 + SIGTERM},
        {"kill -KILL $$", 128 + SIGKILL},
    };
    scratch::Folder folder;
    const std::string script = folder / "end.sh";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        scratch::WriteScript(script, c.body);
        RealProcessLauncher launcher;
        std::string error;
        auto process = launcher.CreateProcess(Quoted(script), &error);
        ASSERT_TRUE(process) << error;
        EXPECT_EQ(process->Wait(nullptr, nullptr), WAIT_OBJECT_0);
        DWORD code = 12345;
        EXPECT_TRUE(process->GetExitCode(&code));
        EXPECT_EQ(code, c.code);
        EXPECT_FALSE(process->Signal(SIGTERM));  // it has ended
    }
}

TEST(RealProcess, ArgumentsArriveAsTheCommandLineSplitsThem) {
    scratch::Folder folder;
    const std::string dir = folder / "CE Services";
    ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
    const std::string program = dir + "/CEAppMgr.exe";
    const std::string out = folder / "args";
    scratch::WriteScript(program, "printf '<%s>\\n' \"$0\" \"$@\" > '" + out + "'");

    const std::string descriptor = "/tmp/my folder/DA/WJ \"1\".INI";
    RealProcessLauncher launcher;
    std::string error;
    auto process = launcher.CreateProcess(
        Quoted(program) + " " + QuoteCommandLineArgument(descriptor) + " plain\t\"\"", &error);
    ASSERT_TRUE(process) << error;
    ASSERT_EQ(process->Wait(nullptr, nullptr), WAIT_OBJECT_0);
    EXPECT_EQ(scratch::ReadFile(out), "<" + program + ">\n<" + descriptor + ">\n<plain>\n<>\n");
}

TEST(RealProcess, AProgramNameWithoutASlashIsSearchedInPath) {
    scratch::Folder folder;
    scratch::WriteScript(folder / "CEAppMgr.exe", "exit 7");
    scratch::ScopedEnv path("PATH", folder.Path() + ":/usr/bin:/bin");
    RealProcessLauncher launcher;
    std::string error;
    auto process = launcher.CreateProcess("CEAppMgr.exe", &error);
    ASSERT_TRUE(process) << error;
    ASSERT_EQ(process->Wait(nullptr, nullptr), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(process->GetExitCode(&code));
    EXPECT_EQ(code, 7u);
}

TEST(RealProcess, StartFailuresSayWhy) {
    scratch::Folder folder;
    const std::string notExecutable = folder / "CEAppMgr.exe";
    scratch::WriteFile(notExecutable, "#!/bin/sh\nexit 0\n");
    scratch::ScopedEnv path("PATH", folder.Path());
    struct Case {
        std::string line;
        std::string reason;
    };
    const Case cases[] = {
        {"", "names no program"},
        {"\"\" x", "names no program"},
        {Quoted(folder / "missing/CEAppMgr.exe"), "missing/CEAppMgr.exe: No such file"},
        {Quoted(notExecutable), "Permission denied"},
        {"NoSuchManager.exe", "NoSuchManager.exe: No such file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        RealProcessLauncher launcher;
        std::string error;
        EXPECT_FALSE(launcher.CreateProcess(c.line, &error));
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
}

TEST(RealProcess, OnlyTheStandardStreamsAreInherited) {
    scratch::Folder folder;
    const std::string open = folder / "open";
    scratch::WriteFile(open, "x");
    const int fd = ::open(open.c_str(), O_RDONLY);  // inheritable on purpose
    ASSERT_GE(fd, 3);
    const std::string script = folder / "fds.sh";
    scratch::WriteScript(
        script, "[ -e /proc/self/fd/$1 ] && exit 1; [ -e /proc/self/fd/2 ] || exit 2; exit 0");
    RealProcessLauncher launcher;
    std::string error;
    auto process = launcher.CreateProcess(Quoted(script) + " " + std::to_string(fd), &error);
    ::close(fd);
    ASSERT_TRUE(process) << error;
    ASSERT_EQ(process->Wait(nullptr, nullptr), WAIT_OBJECT_0);
    DWORD code = 99;
    EXPECT_TRUE(process->GetExitCode(&code));
    EXPECT_EQ(code, 0u);
}

TEST(RealProcess, AHeldBackSignalEndsTheWaitAndCanBePassedOn) {
    scratch::Folder folder;
    const std::string script = folder / "sleeper.sh";
    scratch::WriteScript(script, "exec sleep 30");
    InterruptGuard interrupts;
    RealProcessLauncher launcher;
    std::string error;
    auto process = launcher.CreateProcess(Quoted(script), &error);
    ASSERT_TRUE(process) << error;
    DWORD code = 0;
    EXPECT_TRUE(process->GetExitCode(&code));
    EXPECT_EQ(code, STILL_ACTIVE);

    ASSERT_EQ(::kill(::getpid(), SIGINT), 0);  // held back by the guard, not delivered
    int signal = 0;
    EXPECT_EQ(process->Wait(&interrupts, &signal), WAIT_INTERRUPTED);
    EXPECT_EQ(signal, SIGINT);
    EXPECT_EQ(interrupts.Take(), 0);  // taken by the wait
    EXPECT_TRUE(process->GetExitCode(&code));
    EXPECT_EQ(code, STILL_ACTIVE);

    // The child did not inherit the guard's mask, so the passed-on interrupt ends it.
    EXPECT_TRUE(process->Signal(SIGINT));
    EXPECT_EQ(process->Wait(&interrupts, &signal), WAIT_OBJECT_0);
    EXPECT_TRUE(process->GetExitCode(&code));
    EXPECT_EQ(code, 128u + SIGINT);
}

TEST(InterruptGuard, ASignalStartedIgnoredStaysIgnored) {
    struct sigaction ignore {
    }, previous{};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ASSERT_EQ(::sigaction(SIGHUP, &ignore, &previous), 0);
    {
        InterruptGuard interrupts;
        EXPECT_FALSE(sigismember(&interrupts.Signals(), SIGHUP));
        EXPECT_TRUE(sigismember(&interrupts.Signals(), SIGTERM));
        ASSERT_EQ(::raise(SIGHUP), 0);
        EXPECT_EQ(interrupts.Take(), 0);
        ASSERT_EQ(::raise(SIGTERM), 0);
        EXPECT_EQ(interrupts.Take(), SIGTERM);
        EXPECT_EQ(interrupts.Take(), 0);
    }
    ::sigaction(SIGHUP, &previous, nullptr);
}

TEST(InterruptGuardDeathTest, RaiseDefaultEndsTheProcessByTheSignal) {
    EXPECT_EXIT(
        {
            InterruptGuard interrupts;  // even with the signal held back
            InterruptGuard::RaiseDefault(SIGTERM);
        },
        ::testing::KilledBySignal(SIGTERM), "");
}

}  // namespace
