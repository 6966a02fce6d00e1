#pragma once
// The handheld's screen in a desktop window. The mouse is the stylus and the keyboard is the
// device's keyboard; the screen is shown enlarged by a whole factor, each pixel a sharp square.
// Only one can be open at a time, as SDL is one per process.

#include <memory>
#include <optional>
#include <string>

#include "platform/display/Image.h"
#include "platform/ui/Display.h"

namespace platform {

struct SdlOptions {
    std::string title = "jokepad";
    // The screen's size until a frame of another size is presented.
    int width = 240;
    int height = 320;
    // Window pixels per screen pixel, 1..8.
    int scale = 2;
};

class SdlDisplay final : public IDisplay {
public:
    // Nothing, with the reason in error, when no window can be opened (no display to show it
    // on, bad options, or one already open).
    static std::unique_ptr<SdlDisplay> Create(const SdlOptions& options, std::string* error);
    ~SdlDisplay() override;
    SdlDisplay(const SdlDisplay&) = delete;
    SdlDisplay& operator=(const SdlDisplay&) = delete;

    void Present(const std::uint32_t* pixels, int width, int height, int strideInPixels) override;
    std::optional<InputEvent> WaitEvent(int timeoutMs) override;

    // What the window shows now, in window pixels (the screen times the scale), read back from
    // the renderer. For checking the window itself; slow.
    bool ReadWindow(Image* image, std::string* error);
    int Scale() const;

private:
    struct State;
    explicit SdlDisplay(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};

std::unique_ptr<IDisplay> CreateSdlDisplay(const SdlOptions& options, std::string* error);

}  // namespace platform
