#include "platform/desktop/MessageBox.h"

#include <utility>

#include "platform/base/DesktopDisplay.h"

int StreamMessagePresenter::MessageBox(std::string_view text, std::string_view caption, UINT type) {
    std::fprintf(m_stream, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
    std::fflush(m_stream);
    return platform::DefaultButton(type);
}

void StreamMessagePresenter::Note(std::string_view line) {
    std::fprintf(m_stream, "%.*s\n", static_cast<int>(line.size()), line.data());
}

DesktopMessagePresenter::DesktopMessagePresenter(StreamMessagePresenter& fallback, WindowBox window)
    : m_fallback(fallback), m_window(std::move(window)) {}

int DesktopMessagePresenter::MessageBox(std::string_view text, std::string_view caption,
                                        UINT type) {
    if (platform::HaveDesktopDisplay()) {
        std::string error;
        const int chosen = m_window(text, caption, type, &error);
        if (chosen != 0)
            return chosen;
        m_fallback.Note("(no window for this message: " + error + ")");
    }
    return m_fallback.MessageBox(text, caption, type);
}
