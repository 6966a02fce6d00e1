#pragma once
// A screen in memory, for tests and headless runs: it keeps the last frame presented, for
// reading pixel by pixel or saving as PNG, and hands out input that a test or a script queued.

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "platform/display/Image.h"
#include "platform/ui/Display.h"

namespace platform {

class HeadlessDisplay final : public IDisplay {
public:
    void Present(const std::uint32_t* pixels, int width, int height, int strideInPixels) override;
    // The oldest queued event. Nobody can queue while the caller waits, so an empty queue answers
    // nothing at once, whatever the timeout.
    std::optional<InputEvent> WaitEvent(int timeoutMs) override;

    void QueueEvent(const InputEvent& event);
    // A tap: the stylus down and up at one point.
    void QueueTap(int x, int y);
    // A key pressed and released, with the character it types on a US keyboard between (letters,
    // digits, space, Backspace, Tab, Enter, Escape; none while Ctrl or Alt is held).
    void QueueKeyPress(unsigned vk, KeyModifiers modifiers = {});
    // Characters typed without keys, as an input method delivers them.
    void QueueText(std::u16string_view text);
    std::size_t PendingEventCount() const { return m_events.size(); }

    bool HasFrame() const { return m_presentCount > 0; }
    // The last frame presented; empty before the first.
    const Image& Frame() const { return m_frame; }
    // Throws std::out_of_range outside the frame.
    std::uint32_t Pixel(int x, int y) const { return m_frame.At(x, y); }
    int PresentCount() const { return m_presentCount; }
    bool SavePng(const std::string& path, std::string* error) const;

private:
    Image m_frame;
    int m_presentCount = 0;
    std::deque<InputEvent> m_events;
};

// The character a key types on a US keyboard, or 0 when it types none.
char16_t CharacterForKey(unsigned vk, KeyModifiers modifiers);

}  // namespace platform
