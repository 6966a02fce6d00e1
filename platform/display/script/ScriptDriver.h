#pragma once
// Runs a script as the program's user: the driver is the display the screen presents to and
// takes its input from. Whenever the program has handled everything and painted, and waits for
// input, the driver carries out the next command; so each command sees the windows as the
// previous one left them, and a command that opens a menu or a modal dialog is followed into
// the loop that dialog runs. When the script is used up the driver prints the state once more
// and closes the screen, which ends the program as its File > Exit would.
//
// Message boxes are answered with their default button (OK) and printed as "message: TEXT",
// in order with the state lines. The driver may show the screen in another display as well
// (a real window), whose user can only close it.

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/CString.h"
#include "platform/display/Image.h"
#include "platform/display/script/Script.h"
#include "platform/ui/Display.h"
#include "platform/ui/WinTypes.h"

namespace platform {

class ScriptDriver final : public IDisplay {
public:
    // What the state command prints for a window besides its title: a control that it shows,
    // by id, with its label ("counter: 3/250"; a combo box's text is its selected entry), and
    // the text a window of the program's own kind holds (the probe answers nothing for a window
    // that has none). Where one id means different things in different windows, shownIn says
    // in which active windows the label applies; without it, in all.
    struct WatchedControl {
        int id;
        std::string label;
        std::function<bool(HWND active)> shownIn = {};
    };
    using TextProbe = std::function<std::optional<CString>(HWND window)>;

    struct Options {
        // Messages about commands that could not be carried out start with this.
        std::string programName = "script";
        std::vector<WatchedControl> watched;
        TextProbe textProbe;
        // Written when the script has ended, after the last state, before the program ends.
        std::string finalScreenshot;
        // Also shown here; not owned. Its input is read only for the user closing it.
        IDisplay* mirror = nullptr;
    };

    // Installs the driver's message boxes until it is destroyed.
    ScriptDriver(std::vector<ScriptCommand> commands, Options options, std::ostream& out,
                 std::ostream& err);
    ~ScriptDriver() override;
    ScriptDriver(const ScriptDriver&) = delete;
    ScriptDriver& operator=(const ScriptDriver&) = delete;

    void Present(const std::uint32_t* pixels, int width, int height, int strideInPixels) override;
    std::optional<InputEvent> WaitEvent(int timeoutMs) override;

    // A command could not be carried out (the rest of the script was skipped), or the final
    // screenshot could not be written. Each has been reported on the error stream.
    bool Failed() const { return m_failed; }
    // The script has ended and the driver has asked the program to end.
    bool Finished() const { return m_finished; }
    // The last frame presented; empty before the first.
    const Image& Frame() const { return m_frame; }

    // The state lines for the active window.
    void PrintState();

private:
    struct Impl;
    void Run(const ScriptCommand& command);
    void Fail(const ScriptCommand& command, const std::string& problem);
    void Finish();
    void QueueTap(CPoint point);
    void ChooseMenuItem(const ScriptCommand& command);
    bool WriteScreen(const std::string& path, std::string* error) const;

    std::vector<ScriptCommand> m_commands;
    Options m_options;
    std::ostream& m_out;
    std::ostream& m_err;
    std::unique_ptr<Impl> m_impl;
    std::size_t m_next = 0;
    Image m_frame;
    bool m_failed = false;
    bool m_finished = false;
};

}  // namespace platform
