#pragma once
// A private X server for tests that open a real window, so they never depend on a display that
// happens to exist. Xvfb picks a free display number itself and reports it through a pipe.

#include <sys/types.h>

#include <optional>
#include <string>

class XvfbServer {
public:
    // The Xvfb program on PATH, or nothing when it is not installed.
    static std::optional<std::string> FindProgram();
    // Why a test that drives windows with xdotool on the server cannot run here (Xvfb or
    // xdotool not installed), or nothing.
    static std::optional<std::string> MissingForInput();

    XvfbServer() = default;
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // Starts the server and waits until it takes connections.
    bool Start(const std::string& program, std::string* error);
    // The same with the Xvfb on PATH.
    bool Start(std::string* error);
    // ":N", once started.
    const std::string& Display() const { return m_display; }

private:
    pid_t m_pid = -1;
    std::string m_display;
};
