#include "XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

namespace {

std::optional<std::string> FindOnPath(const char* name) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path != nullptr ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string candidate = (std::filesystem::path(folder) / name).string();
        if (!folder.empty() && ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> XvfbServer::FindProgram() {
    return FindOnPath("Xvfb");
}

std::optional<std::string> XvfbServer::MissingForInput() {
    if (FindProgram() && FindOnPath("xdotool"))
        return std::nullopt;
    return "needs Xvfb and xdotool, which 'make deps' installs";
}

bool XvfbServer::Start(std::string* error) {
    const std::optional<std::string> program = FindProgram();
    if (!program) {
        *error = "Xvfb is not installed";
        return false;
    }
    return Start(*program, error);
}

bool XvfbServer::Start(const std::string& program, std::string* error) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        *error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    const std::string fdText = std::to_string(fds[1]);
    // -noreset: without it the server resets, and refuses connections meanwhile, each time
    // its last client goes, that is after every test that closes its window.
    const char* argv[] = {program.c_str(), "-displayfd", fdText.c_str(), "-screen",  "0",
                          "1024x768x24",   "-nolisten",  "tcp",          "-noreset", nullptr};
    const pid_t pid = ::fork();
    if (pid < 0) {
        *error = std::string("fork: ") + std::strerror(errno);
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (pid == 0) {
        // Only async-signal-safe calls between fork and exec.
        ::fcntl(fds[1], F_SETFD, 0);
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, STDIN_FILENO);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::execv(argv[0], const_cast<char* const*>(argv));
        ::_exit(127);
    }
    m_pid = pid;
    ::close(fds[1]);

    std::string number;
    bool done = false;
    while (!done) {
        pollfd p{fds[0], POLLIN, 0};
        const int ready = ::poll(&p, 1, 20000);
        if (ready <= 0) {
            break;
        }
        char ch = 0;
        const ssize_t got = ::read(fds[0], &ch, 1);
        if (got <= 0 || ch == '\n') {
            done = got > 0;
            break;
        }
        number += ch;
    }
    ::close(fds[0]);
    if (!done || number.empty()) {
        *error = program + " did not start (no display number reported)";
        return false;
    }
    m_display = ":" + number;
    return true;
}

namespace {

// What a shell command line printed, and whether it succeeded.
bool Shell(const std::string& command, std::string* output) {
    output->clear();
    std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        *output = "cannot start sh";
        return false;
    }
    char chunk[256];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
        output->append(chunk, got);
    const int status = ::pclose(pipe);
    while (!output->empty() && output->back() == '\n')
        output->pop_back();
    return status == 0;
}

}  // namespace

std::optional<std::string> XvfbServer::WaitForWindow(const std::string& title,
                                                     std::string* error) const {
    // The title reaches the script through its environment; it must not hold a single quote.
    const std::string command =
        "DISPLAY=" + m_display + " TITLE='" + title +
        "' sh -c 'for i in $(seq 300); do"
        "  for w in $(xdotool search --class \"\"); do"
        "    [ \"$(xdotool getwindowname $w)\" = \"$TITLE\" ] && echo $w && exit 0;"
        "  done; sleep 0.1;"
        "done; echo no window titled \"$TITLE\"; exit 1'";
    std::string output;
    if (!Shell(command, &output)) {
        *error = output;
        return std::nullopt;
    }
    return output;
}

bool XvfbServer::Xdotool(const std::string& arguments, std::string* output) const {
    return Shell("DISPLAY=" + m_display + " timeout 30 xdotool " + arguments, output);
}

XvfbServer::~XvfbServer() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
    }
}
