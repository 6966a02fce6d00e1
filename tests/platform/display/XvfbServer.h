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

    // The id of the first window on the server titled exactly title, waiting up to 30 seconds
    // for one; nothing, with what was seen in error, when none came. Names are read window by
    // window: xdotool's search does not decode every title's type (SDL's message box has one).
    std::optional<std::string> WaitForWindow(const std::string& title, std::string* error) const;
    // Runs xdotool on the server with arguments (words for the shell); whether it succeeded,
    // with what it printed in output.
    bool Xdotool(const std::string& arguments, std::string* output) const;

private:
    pid_t m_pid = -1;
    std::string m_display;
};
