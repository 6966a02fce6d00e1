#pragma once
// The seam between the window layer and the screen. The window layer composes whole frames in
// memory and presents them; the display hands back what the user did as events. Keeping it this
// narrow lets the same windows run in a real window, in memory for tests, or on another backend,
// without the window layer knowing which.

#include <cstdint>
#include <optional>

namespace platform {

enum class InputKind : std::uint8_t {
    StylusDown,  // x, y
    StylusMove,  // x, y; only while the stylus is down
    StylusUp,    // x, y
    KeyDown,     // vk, repeat
    KeyUp,       // vk
    Char,        // ch
    Wheel,       // wheelDelta, x, y
    Quit,        // the user closed the window; nothing else is set
};

struct KeyModifiers {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;

    friend bool operator==(const KeyModifiers&, const KeyModifiers&) = default;
};

// One notch of a wheel, as the platform counts it.
inline constexpr int kWheelDelta = 120;

// Positions are screen pixels, already inside the screen: a display clamps a stylus that a
// larger pointing device drags beyond the edge. Keys are the platform's virtual keys
// (platform/ui/VirtualKeys.h). A key press arrives as KeyDown, then the Char events it types,
// then KeyUp, in the platform's order; Backspace, Tab, Enter and Escape type 8, 9, 13 and 27.
// Nothing is typed while Ctrl or Alt is held (save AltGr, which types on its layouts), so that
// those combinations reach commands only. Char carries one UTF-16 code unit, as the platform's
// character message does, so a character beyond U+FFFF arrives as two Char events, high
// surrogate first.
struct InputEvent {
    InputKind kind = InputKind::Quit;
    int x = 0;
    int y = 0;
    unsigned vk = 0;
    bool repeat = false;  // KeyDown sent again by the keyboard's auto-repeat
    KeyModifiers modifiers;
    char16_t ch = 0;
    int wheelDelta = 0;  // kWheelDelta per notch; positive when turned away from the user

    static InputEvent StylusDown(int px, int py, KeyModifiers mods = {}) {
        return Pointer(InputKind::StylusDown, px, py, mods);
    }
    static InputEvent StylusMove(int px, int py, KeyModifiers mods = {}) {
        return Pointer(InputKind::StylusMove, px, py, mods);
    }
    static InputEvent StylusUp(int px, int py, KeyModifiers mods = {}) {
        return Pointer(InputKind::StylusUp, px, py, mods);
    }
    static InputEvent KeyDown(unsigned key, KeyModifiers mods = {}, bool isRepeat = false) {
        InputEvent e;
        e.kind = InputKind::KeyDown;
        e.vk = key;
        e.modifiers = mods;
        e.repeat = isRepeat;
        return e;
    }
    static InputEvent KeyUp(unsigned key, KeyModifiers mods = {}) {
        InputEvent e;
        e.kind = InputKind::KeyUp;
        e.vk = key;
        e.modifiers = mods;
        return e;
    }
    static InputEvent Char(char16_t unit, KeyModifiers mods = {}) {
        InputEvent e;
        e.kind = InputKind::Char;
        e.ch = unit;
        e.modifiers = mods;
        return e;
    }
    static InputEvent Wheel(int delta, int px, int py, KeyModifiers mods = {}) {
        InputEvent e = Pointer(InputKind::Wheel, px, py, mods);
        e.wheelDelta = delta;
        return e;
    }
    static InputEvent Quit() { return InputEvent{}; }

    friend bool operator==(const InputEvent&, const InputEvent&) = default;

private:
    static InputEvent Pointer(InputKind k, int px, int py, KeyModifiers mods) {
        InputEvent e;
        e.kind = k;
        e.x = px;
        e.y = py;
        e.modifiers = mods;
        return e;
    }
};

// Everything runs on the one user-interface thread, so there is no wake-up from elsewhere.
class IDisplay {
public:
    virtual ~IDisplay() = default;

    // Shows a finished frame of 0x00RRGGBB pixels, rows strideInPixels apart. The display keeps
    // its own copy: the caller may reuse the buffer at once. A frame of another size than the
    // last one resizes the screen. Throws std::invalid_argument for a null buffer, a size that is
    // not positive or a stride shorter than a row.
    virtual void Present(const std::uint32_t* pixels, int width, int height,
                         int strideInPixels) = 0;

    // The next input event, waiting up to timeoutMs (-1 forever, 0 only what is already there).
    // Nothing means the time ran out; with -1 it means no input will ever come (a headless
    // script that is used up, or an event source that failed), so the caller must not retry.
    virtual std::optional<InputEvent> WaitEvent(int timeoutMs) = 0;
};

}  // namespace platform
