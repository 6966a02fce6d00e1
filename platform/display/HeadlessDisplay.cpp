#include "platform/display/HeadlessDisplay.h"

#include "platform/display/PngWriter.h"
#include "platform/ui/VirtualKeys.h"

namespace platform {

void HeadlessDisplay::Present(const std::uint32_t* pixels, int width, int height,
                              int strideInPixels) {
    m_frame = Image::Copy(pixels, width, height, strideInPixels);
    ++m_presentCount;
}

std::optional<InputEvent> HeadlessDisplay::WaitEvent(int /*timeoutMs*/) {
    if (m_events.empty()) {
        return std::nullopt;
    }
    InputEvent event = m_events.front();
    m_events.pop_front();
    return event;
}

void HeadlessDisplay::QueueEvent(const InputEvent& event) {
    m_events.push_back(event);
}

void HeadlessDisplay::QueueTap(int x, int y) {
    m_events.push_back(InputEvent::StylusDown(x, y));
    m_events.push_back(InputEvent::StylusUp(x, y));
}

void HeadlessDisplay::QueueKeyPress(unsigned vk, KeyModifiers modifiers) {
    m_events.push_back(InputEvent::KeyDown(vk, modifiers));
    if (const char16_t ch = CharacterForKey(vk, modifiers); ch != 0) {
        m_events.push_back(InputEvent::Char(ch, modifiers));
    }
    m_events.push_back(InputEvent::KeyUp(vk, modifiers));
}

void HeadlessDisplay::QueueText(std::u16string_view text) {
    for (const char16_t unit : text) {
        m_events.push_back(InputEvent::Char(unit));
    }
}

bool HeadlessDisplay::SavePng(const std::string& path, std::string* error) const {
    if (!HasFrame()) {
        if (error != nullptr) {
            *error = "cannot write " + path + ": nothing has been presented yet";
        }
        return false;
    }
    return WritePng(path, m_frame, error);
}

char16_t CharacterForKey(unsigned vk, KeyModifiers modifiers) {
    if (modifiers.ctrl || modifiers.alt) {
        return 0;
    }
    if (vk >= 'A' && vk <= 'Z') {
        return static_cast<char16_t>(modifiers.shift ? vk : vk - 'A' + 'a');
    }
    if (vk >= '0' && vk <= '9') {
        static constexpr char16_t kShiftedDigits[] = u")!@#$%^&*(";
        return modifiers.shift ? kShiftedDigits[vk - '0'] : static_cast<char16_t>(vk);
    }
    switch (vk) {
        case VK_SPACE:
        case VK_BACK:
        case VK_TAB:
        case VK_RETURN:
        case VK_ESCAPE:
            return static_cast<char16_t>(vk);
        default:
            return 0;
    }
}

}  // namespace platform
