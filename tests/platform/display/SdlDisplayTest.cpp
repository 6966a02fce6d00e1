#include "platform/display/sdl/SdlDisplay.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "EventPrinter.h"
#include "XvfbServer.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/support/ScopedEnv.h"

namespace platform {
namespace {

using testsupport::ScopedEnv;

TEST(SdlDisplayOpen, WithoutADisplayFailsClearly) {
    ScopedEnv display("DISPLAY", nullptr);
    ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    ScopedEnv driver("SDL_VIDEODRIVER", "x11");
    std::string error;
    EXPECT_EQ(CreateSdlDisplay({}, &error), nullptr);
    EXPECT_NE(error.find("cannot open the screen window"), std::string::npos) << error;
    EXPECT_NE(error.find("DISPLAY is not set"), std::string::npos) << error;
}

TEST(SdlDisplayOpen, BadOptionsAreRefused) {
    const struct {
        SdlOptions options;
        const char* says;
    } cases[] = {
        {{.scale = 0}, "scale 0"},
        {{.scale = 9}, "scale 9"},
        {{.width = 0}, "size 0x320"},
        {{.height = 5000}, "size 240x5000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        std::string error;
        EXPECT_EQ(SdlDisplay::Create(c.options, &error), nullptr);
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
    }
}

class SdlWindow : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_program = XvfbServer::FindProgram();
        if (s_program) {
            s_server = std::make_unique<XvfbServer>();
            s_started = s_server->Start(*s_program, &s_error);
        }
    }
    static void TearDownTestSuite() { s_server.reset(); }

    void SetUp() override {
        if (!s_program) {
            GTEST_SKIP() << "Xvfb is not installed (Debian package xvfb), so the real window "
                            "cannot be tested";
        }
        ASSERT_TRUE(s_started) << s_error;
        m_display = std::make_unique<ScopedEnv>("DISPLAY", s_server->Display().c_str());
        m_wayland = std::make_unique<ScopedEnv>("WAYLAND_DISPLAY", nullptr);
        m_driver = std::make_unique<ScopedEnv>("SDL_VIDEODRIVER", "x11");
    }

    static std::unique_ptr<SdlDisplay> Open(SdlOptions options) {
        std::string error;
        auto display = SdlDisplay::Create(options, &error);
        EXPECT_NE(display, nullptr) << error;
        return display;
    }

    static std::vector<InputEvent> Drain(IDisplay& display) {
        std::vector<InputEvent> events;
        while (auto event = display.WaitEvent(0)) {
            events.push_back(*event);
        }
        return events;
    }

    static inline std::optional<std::string> s_program;
    static inline std::unique_ptr<XvfbServer> s_server;
    static inline bool s_started = false;
    static inline std::string s_error;

private:
    std::unique_ptr<ScopedEnv> m_display;
    std::unique_ptr<ScopedEnv> m_wayland;
    std::unique_ptr<ScopedEnv> m_driver;
};

// Each channel varies on its own, so a swapped channel or a blurred edge shows.
std::vector<std::uint32_t> Pattern(int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[static_cast<std::size_t>(y * width + x)] =
                (static_cast<std::uint32_t>(x * 5) & 0xFF) << 16 |
                (static_cast<std::uint32_t>(y * 3) & 0xFF) << 8 |
                (static_cast<std::uint32_t>((x ^ y) * 11) & 0xFF);
        }
    }
    return pixels;
}

// Checks that every window pixel shows the screen pixel it lies in, undiluted.
void ExpectScaled(const Image& window, const std::vector<std::uint32_t>& frame, int width,
                  int height, int scale) {
    ASSERT_EQ(window.width, width * scale);
    ASSERT_EQ(window.height, height * scale);
    for (int y = 0; y < window.height; ++y) {
        for (int x = 0; x < window.width; ++x) {
            const std::uint32_t expected =
                frame[static_cast<std::size_t>((y / scale) * width + x / scale)];
            ASSERT_EQ(window.At(x, y), expected)
                << "window pixel (" << x << ", " << y << "), screen pixel (" << x / scale << ", "
                << y / scale << ")";
        }
    }
}

TEST_F(SdlWindow, ShowsTheFrameEnlargedWithSharpPixels) {
    auto display = Open({.title = "jokepad display test"});
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->Scale(), 2);
    const auto frame = Pattern(240, 320);
    // Handed over with a longer stride, as a window layer with padded rows would.
    std::vector<std::uint32_t> padded(static_cast<std::size_t>(256) * 320, 0xFFFFFF);
    for (int y = 0; y < 320; ++y) {
        std::memcpy(&padded[static_cast<std::size_t>(y) * 256],
                    &frame[static_cast<std::size_t>(y) * 240], 240 * sizeof(std::uint32_t));
    }
    display->Present(padded.data(), 240, 320, 256);
    Image window;
    std::string error;
    ASSERT_TRUE(display->ReadWindow(&window, &error)) << error;
    ExpectScaled(window, frame, 240, 320, 2);
}

TEST_F(SdlWindow, AFrameOfAnotherSizeResizesTheWindow) {
    auto display = Open({.scale = 3});
    ASSERT_NE(display, nullptr);
    const auto frame = Pattern(40, 30);
    display->Present(frame.data(), 40, 30, 40);
    Image window;
    std::string error;
    // The server answers the resize asynchronously; its events are handled while waiting.
    for (int attempt = 0; attempt < 50; ++attempt) {
        display->WaitEvent(20);
        ASSERT_TRUE(display->ReadWindow(&window, &error)) << error;
        if (window.width == 120 && window.height == 90) {
            break;
        }
    }
    ExpectScaled(window, frame, 40, 30, 3);
}

SDL_Event Button(Uint32 type, Uint8 button, int x, int y) {
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event Motion(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}

SDL_Event Key(Uint32 type, SDL_Keycode key, Uint16 mod = KMOD_NONE, bool repeat = false) {
    SDL_Event e{};
    e.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.sym = key;
    e.key.keysym.mod = mod;
    return e;
}

SDL_Event Text(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
    return e;
}

SDL_Event Wheel(int notches, bool flipped, int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = notches;
    e.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
    e.wheel.mouseX = x;
    e.wheel.mouseY = y;
    return e;
}

SDL_Event Quit() {
    SDL_Event e{};
    e.type = SDL_QUIT;
    return e;
}

TEST_F(SdlWindow, TranslatesMouseKeyboardAndWheel) {
    auto display = Open({.scale = 2});
    ASSERT_NE(display, nullptr);
    const std::vector<std::uint32_t> black(240 * 320, 0);
    display->Present(black.data(), 240, 320, 240);
    Drain(*display);  // whatever the server said about the new window

    const KeyModifiers ctrl{.ctrl = true};
    const KeyModifiers shift{.shift = true};
    const struct {
        const char* what;
        std::vector<SDL_Event> sdl;
        std::vector<InputEvent> expected;
        SDL_Keymod held = KMOD_NONE;  // modifier keys down meanwhile
    } cases[] = {
        {"a press, a drag within one screen pixel, a drag, a release",
         {Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 101, 51), Motion(100, 50), Motion(104, 60),
          Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 105, 61)},
         {InputEvent::StylusDown(50, 25), InputEvent::StylusMove(52, 30),
          InputEvent::StylusUp(52, 30)}},
        {"a drag beyond the window stays on the screen's edge",
         {Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 479, 639), Motion(900, 2000),
          Motion(-30, -5), Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, -30, 700)},
         {InputEvent::StylusDown(239, 319), InputEvent::StylusMove(0, 0),
          InputEvent::StylusUp(0, 319)}},
        {"moving without a press, and other buttons, are not the stylus",
         {Motion(10, 10), Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 10, 10),
          Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 10, 10),
          Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 10, 10)},
         {}},
        {"Enter types a carriage return between its key events",
         {Key(SDL_KEYDOWN, SDLK_RETURN), Key(SDL_KEYUP, SDLK_RETURN)},
         {InputEvent::KeyDown(VK_RETURN), InputEvent::Char(u'\r'), InputEvent::KeyUp(VK_RETURN)}},
        {"Ctrl+Q is keys only; letters are upper case virtual keys",
         {Key(SDL_KEYDOWN, SDLK_LCTRL, KMOD_LCTRL), Key(SDL_KEYDOWN, SDLK_q, KMOD_LCTRL),
          Key(SDL_KEYUP, SDLK_q, KMOD_LCTRL), Key(SDL_KEYUP, SDLK_LCTRL)},
         {InputEvent::KeyDown(VK_CONTROL, ctrl), InputEvent::KeyDown('Q', ctrl),
          InputEvent::KeyUp('Q', ctrl), InputEvent::KeyUp(VK_CONTROL)}},
        {"keys the platform knows, with repeat and modifiers",
         {Key(SDL_KEYDOWN, SDLK_PAGEDOWN, KMOD_RSHIFT),
          Key(SDL_KEYDOWN, SDLK_PAGEDOWN, KMOD_RSHIFT, true), Key(SDL_KEYDOWN, SDLK_BACKSPACE),
          Key(SDL_KEYDOWN, SDLK_7), Key(SDL_KEYDOWN, SDLK_DELETE),
          Key(SDL_KEYDOWN, SDLK_RALT, KMOD_RALT), Key(SDL_KEYDOWN, SDLK_F5)},
         {InputEvent::KeyDown(VK_NEXT, shift), InputEvent::KeyDown(VK_NEXT, shift, true),
          InputEvent::KeyDown(VK_BACK), InputEvent::Char(8), InputEvent::KeyDown('7'),
          InputEvent::KeyDown(VK_DELETE), InputEvent::KeyDown(VK_MENU, KeyModifiers{.alt = true})}},
        {"text typed with the left Alt held is a command, not text", {Text("f")}, {}, KMOD_LALT},
        {"text typed with Ctrl held is a command, not text", {Text("f")}, {}, KMOD_RCTRL},
        {"the right Alt may be AltGr, which types",
         {Text("\xE2\x82\xAC")},
         {InputEvent::Char(u'\u20AC', KeyModifiers{.alt = true})},
         KMOD_RALT},
        {"typed text arrives as UTF-16 units",
         {Text("a\xC3\xA9"), Text("\xF0\x9F\x98\x80")},
         {InputEvent::Char(u'a'), InputEvent::Char(0xE9), InputEvent::Char(0xD83D),
          InputEvent::Char(0xDE00)}},
        {"the wheel counts notches away from the user, at the pointer",
         {Wheel(1, false, 20, 40), Wheel(-2, false, 0, 0), Wheel(1, true, 479, 639),
          Wheel(0, false, 5, 5)},
         {InputEvent::Wheel(kWheelDelta, 10, 20), InputEvent::Wheel(-2 * kWheelDelta, 0, 0),
          InputEvent::Wheel(-kWheelDelta, 239, 319)}},
        {"closing the window", {Quit()}, {InputEvent::Quit()}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SDL_SetModState(c.held);
        for (SDL_Event e : c.sdl) {
            ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
        }
        EXPECT_EQ(Drain(*display), c.expected);
        SDL_SetModState(KMOD_NONE);
    }
}

TEST_F(SdlWindow, AWaitRunsOutEmptyAndAWaitForeverTakesTheNextEvent) {
    auto display = Open({});
    ASSERT_NE(display, nullptr);
    Drain(*display);
    EXPECT_EQ(display->WaitEvent(30), std::nullopt);
    SDL_Event e = Key(SDL_KEYDOWN, SDLK_ESCAPE);
    ASSERT_EQ(SDL_PushEvent(&e), 1);
    EXPECT_EQ(display->WaitEvent(-1), InputEvent::KeyDown(VK_ESCAPE));
    EXPECT_EQ(display->WaitEvent(-1), InputEvent::Char(27));
}

TEST_F(SdlWindow, OnlyOneWindowAtATimeAndAnotherAfterIt) {
    auto first = Open({});
    ASSERT_NE(first, nullptr);
    std::string error;
    EXPECT_EQ(SdlDisplay::Create({}, &error), nullptr);
    EXPECT_NE(error.find("open already"), std::string::npos) << error;
    first.reset();
    auto second = Open({.scale = 1});
    ASSERT_NE(second, nullptr);
    const auto frame = Pattern(240, 320);
    second->Present(frame.data(), 240, 320, 240);
    Image window;
    ASSERT_TRUE(second->ReadWindow(&window, &error)) << error;
    ExpectScaled(window, frame, 240, 320, 1);
}

}  // namespace
}  // namespace platform
