#include "platform/display/sdl/SdlDisplay.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <stdexcept>
#include <vector>

#include "platform/base/DesktopDisplay.h"
#include "platform/base/Utf.h"
#include "platform/display/HeadlessDisplay.h"
#include "platform/ui/VirtualKeys.h"

namespace platform {
namespace {

bool g_open = false;

bool Fail(std::string* error, std::string message) {
    if (error != nullptr) {
        *error = std::move(message);
    }
    return false;
}

struct WindowDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};
struct RendererDeleter {
    void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
};
struct TextureDeleter {
    void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
};

unsigned VirtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return static_cast<unsigned>(key - SDLK_a) + 'A';
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return static_cast<unsigned>(key - SDLK_0) + '0';
    }
    switch (key) {
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
            return VK_MENU;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        case SDLK_END:
            return VK_END;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_DELETE:
            return VK_DELETE;
        default:
            return 0;
    }
}

KeyModifiers Modifiers(Uint16 mod) {
    KeyModifiers m;
    m.ctrl = (mod & KMOD_CTRL) != 0;
    m.shift = (mod & KMOD_SHIFT) != 0;
    m.alt = (mod & KMOD_ALT) != 0;
    return m;
}

KeyModifiers CurrentModifiers() {
    return Modifiers(static_cast<Uint16>(SDL_GetModState()));
}

}  // namespace

struct SdlDisplay::State {
    std::unique_ptr<SDL_Window, WindowDeleter> window;
    std::unique_ptr<SDL_Renderer, RendererDeleter> renderer;
    std::unique_ptr<SDL_Texture, TextureDeleter> texture;
    int scale = 2;
    int width = 0;  // the screen, in screen pixels
    int height = 0;
    bool hasFrame = false;
    bool stylusDown = false;
    int stylusX = 0;
    int stylusY = 0;
    std::deque<InputEvent> pending;

    State() { g_open = true; }
    ~State() {
        texture.reset();
        renderer.reset();
        window.reset();
        // SDL's process-wide state goes too, so that nothing of it is left for the leak checker.
        SDL_Quit();
        g_open = false;
    }
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    bool MakeTexture(int w, int h, std::string* error) {
        texture.reset(SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_RGB888,
                                        SDL_TEXTUREACCESS_STREAMING, w, h));
        if (!texture) {
            return Fail(error, std::string("cannot make the screen's texture: ") + SDL_GetError());
        }
        SDL_SetTextureScaleMode(texture.get(), SDL_ScaleModeNearest);
        width = w;
        height = h;
        return true;
    }

    // Draws the last frame (black before the first) into the renderer's back buffer.
    void Draw() {
        SDL_SetRenderDrawColor(renderer.get(), 0, 0, 0, 255);
        SDL_RenderClear(renderer.get());
        if (hasFrame) {
            const SDL_Rect target{0, 0, width * scale, height * scale};
            SDL_RenderCopy(renderer.get(), texture.get(), nullptr, &target);
        }
    }

    // A window position as a screen pixel, held inside the screen: the mouse can be dragged
    // beyond the window while its button is held, a stylus cannot leave the glass.
    void ToScreen(int windowX, int windowY, int* x, int* y) const {
        *x = std::clamp(windowX / scale, 0, width - 1);
        *y = std::clamp(windowY / scale, 0, height - 1);
    }

    void Translate(const SDL_Event& ev) {
        switch (ev.type) {
            case SDL_QUIT:
                pending.push_back(InputEvent::Quit());
                break;
            case SDL_WINDOWEVENT:
                if (ev.window.event == SDL_WINDOWEVENT_EXPOSED ||
                    ev.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                    Draw();
                    SDL_RenderPresent(renderer.get());
                }
                break;
            case SDL_MOUSEBUTTONDOWN:
                if (ev.button.button == SDL_BUTTON_LEFT && !stylusDown) {
                    stylusDown = true;
                    ToScreen(ev.button.x, ev.button.y, &stylusX, &stylusY);
                    pending.push_back(InputEvent::StylusDown(stylusX, stylusY, CurrentModifiers()));
                }
                break;
            case SDL_MOUSEMOTION:
                if (stylusDown) {
                    int x = 0;
                    int y = 0;
                    ToScreen(ev.motion.x, ev.motion.y, &x, &y);
                    // Several window pixels make one screen pixel; the stylus moved only when
                    // the screen pixel changed.
                    if (x != stylusX || y != stylusY) {
                        stylusX = x;
                        stylusY = y;
                        pending.push_back(InputEvent::StylusMove(x, y, CurrentModifiers()));
                    }
                }
                break;
            case SDL_MOUSEBUTTONUP:
                if (ev.button.button == SDL_BUTTON_LEFT && stylusDown) {
                    stylusDown = false;
                    ToScreen(ev.button.x, ev.button.y, &stylusX, &stylusY);
                    pending.push_back(InputEvent::StylusUp(stylusX, stylusY, CurrentModifiers()));
                }
                break;
            case SDL_MOUSEWHEEL: {
                int notches = ev.wheel.y;
                if (ev.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
                    notches = -notches;
                }
                if (notches != 0) {
                    int x = 0;
                    int y = 0;
                    ToScreen(ev.wheel.mouseX, ev.wheel.mouseY, &x, &y);
                    pending.push_back(
                        InputEvent::Wheel(notches * kWheelDelta, x, y, CurrentModifiers()));
                }
                break;
            }
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                const unsigned vk = VirtualKey(ev.key.keysym.sym);
                if (vk == 0) {
                    break;
                }
                const KeyModifiers mods = Modifiers(ev.key.keysym.mod);
                if (ev.type == SDL_KEYUP) {
                    pending.push_back(InputEvent::KeyUp(vk, mods));
                    break;
                }
                pending.push_back(InputEvent::KeyDown(vk, mods, ev.key.repeat != 0));
                // Text input brings printable characters; the control characters these keys
                // type on the platform come from here.
                if (vk == VK_BACK || vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE) {
                    if (const char16_t ch = CharacterForKey(vk, mods); ch != 0) {
                        pending.push_back(InputEvent::Char(ch, mods));
                    }
                }
                break;
            }
            case SDL_TEXTINPUT: {
                // As on the platform, a letter pressed with Ctrl or the left Alt is a command,
                // not text. The right Alt stays out of this: on many layouts it is AltGr, which
                // types characters.
                const SDL_Keymod held = SDL_GetModState();
                if ((held & (KMOD_CTRL | KMOD_LALT)) != 0) {
                    break;
                }
                const KeyModifiers mods = Modifiers(static_cast<Uint16>(held));
                for (const char16_t unit : Utf8ToUtf16(ev.text.text)) {
                    pending.push_back(InputEvent::Char(unit, mods));
                }
                break;
            }
            default:
                break;
        }
    }
};

std::unique_ptr<SdlDisplay> SdlDisplay::Create(const SdlOptions& options, std::string* error) {
    const auto fail = [error](std::string message) {
        Fail(error, "cannot open the screen window: " + std::move(message));
        return nullptr;
    };
    if (options.scale < 1 || options.scale > 8) {
        return fail("the scale " + std::to_string(options.scale) + " is not in 1..8");
    }
    if (options.width < 1 || options.height < 1 || options.width > kMaxImageSide ||
        options.height > kMaxImageSide) {
        return fail("the screen size " + std::to_string(options.width) + "x" +
                    std::to_string(options.height) + " is not in 1.." +
                    std::to_string(kMaxImageSide));
    }
    if (g_open) {
        return fail("one is open already");
    }

    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // The software renderer would otherwise hand its result to OpenGL to show.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A tap into a window that is not yet active still counts, as on the device.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // A reader is no game: the desktop may still blank its screen and composite the window.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::string reason = SDL_GetError();
        SDL_Quit();
        if (!HaveDesktopDisplay()) {
            reason += " (there is no display: DISPLAY is not set)";
        }
        return fail(reason);
    }

    auto state = std::make_unique<State>();
    state->scale = options.scale;
    state->window.reset(SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_UNDEFINED,
                                         SDL_WINDOWPOS_UNDEFINED, options.width * options.scale,
                                         options.height * options.scale, SDL_WINDOW_SHOWN));
    if (!state->window) {
        return fail(SDL_GetError());
    }
    // Software drawing: a small screen copied whole each frame needs no graphics driver, works
    // on any X or Wayland server (a virtual one too), and reads back dependably.
    state->renderer.reset(SDL_CreateRenderer(state->window.get(), -1, SDL_RENDERER_SOFTWARE));
    if (!state->renderer) {
        return fail(SDL_GetError());
    }
    std::string problem;
    if (!state->MakeTexture(options.width, options.height, &problem)) {
        return fail(problem);
    }
    SDL_StartTextInput();
    state->Draw();
    SDL_RenderPresent(state->renderer.get());
    return std::unique_ptr<SdlDisplay>(new SdlDisplay(std::move(state)));
}

SdlDisplay::SdlDisplay(std::unique_ptr<State> state) : m_state(std::move(state)) {}

SdlDisplay::~SdlDisplay() = default;

int SdlDisplay::Scale() const {
    return m_state->scale;
}

void SdlDisplay::Present(const std::uint32_t* pixels, int width, int height, int strideInPixels) {
    CheckFrame(pixels, width, height, strideInPixels);
    State& s = *m_state;
    if (width != s.width || height != s.height) {
        std::string problem;
        if (!s.MakeTexture(width, height, &problem)) {
            throw std::runtime_error(problem);
        }
        SDL_SetWindowSize(s.window.get(), width * s.scale, height * s.scale);
    }
    if (SDL_UpdateTexture(s.texture.get(), nullptr, pixels,
                          strideInPixels * static_cast<int>(sizeof(std::uint32_t))) != 0) {
        throw std::runtime_error(std::string("cannot show the frame: ") + SDL_GetError());
    }
    s.hasFrame = true;
    s.Draw();
    SDL_RenderPresent(s.renderer.get());
}

std::optional<InputEvent> SdlDisplay::WaitEvent(int timeoutMs) {
    State& s = *m_state;
    const Uint64 deadline = SDL_GetTicks64() + static_cast<Uint64>(std::max(timeoutMs, 0));
    while (s.pending.empty()) {
        SDL_Event ev;
        int got = 0;
        if (timeoutMs < 0) {
            got = SDL_WaitEvent(&ev);
            if (got == 0) {
                return std::nullopt;  // the event source failed; waiting again would spin
            }
        } else {
            const Uint64 now = SDL_GetTicks64();
            const int left = now >= deadline ? 0 : static_cast<int>(deadline - now);
            got = left == 0 ? SDL_PollEvent(&ev) : SDL_WaitEventTimeout(&ev, left);
            if (got == 0) {
                return std::nullopt;
            }
        }
        s.Translate(ev);
    }
    InputEvent event = s.pending.front();
    s.pending.pop_front();
    return event;
}

bool SdlDisplay::ReadWindow(Image* image, std::string* error) {
    State& s = *m_state;
    int w = 0;
    int h = 0;
    if (SDL_GetRendererOutputSize(s.renderer.get(), &w, &h) != 0) {
        return Fail(error, std::string("cannot read the window: ") + SDL_GetError());
    }
    Image result;
    result.width = w;
    result.height = h;
    result.pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    // The back buffer is undefined after a present, so the frame is drawn again to be read.
    s.Draw();
    const int read =
        SDL_RenderReadPixels(s.renderer.get(), nullptr, SDL_PIXELFORMAT_RGB888,
                             result.pixels.data(), w * static_cast<int>(sizeof(std::uint32_t)));
    SDL_RenderPresent(s.renderer.get());
    if (read != 0) {
        return Fail(error, std::string("cannot read the window: ") + SDL_GetError());
    }
    for (std::uint32_t& pixel : result.pixels) {
        pixel &= 0xFFFFFFu;
    }
    *image = std::move(result);
    return true;
}

std::unique_ptr<IDisplay> CreateSdlDisplay(const SdlOptions& options, std::string* error) {
    return SdlDisplay::Create(options, error);
}

}  // namespace platform
