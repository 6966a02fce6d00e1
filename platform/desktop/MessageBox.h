#pragma once
// Message boxes of a program without windows of its own.

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "platform/base/MessageBox.h"  // MB_ styles and ID answers, shared with the reader
#include "platform/base/Types.h"

// Where a message box is shown. Abstract so that tests can read what was shown.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // Shows the message and returns the button the user chose.
    virtual int MessageBox(std::string_view text, std::string_view caption, UINT type) = 0;
};

// "CAPTION: TEXT" on a line of its own (standard error unless another stream is given),
// answered with the box's default button.
class StreamMessagePresenter : public MessagePresenter {
public:
    explicit StreamMessagePresenter(std::FILE* stream = stderr) : m_stream(stream) {}
    int MessageBox(std::string_view text, std::string_view caption, UINT type) override;
    // A line of explanation that is not a message box.
    void Note(std::string_view line);

private:
    std::FILE* m_stream;
};

// A window of its own when there is a display (DISPLAY or WAYLAND_DISPLAY is set), else, or when
// the window cannot be shown, the fallback presenter; then the reason the window failed comes
// first, on the fallback's stream.
class DesktopMessagePresenter : public MessagePresenter {
public:
    // Shows a box in a window: the button chosen, or 0 with the reason.
    using WindowBox = std::function<int(std::string_view text, std::string_view caption, UINT type,
                                        std::string* error)>;

    DesktopMessagePresenter(StreamMessagePresenter& fallback, WindowBox window);
    int MessageBox(std::string_view text, std::string_view caption, UINT type) override;

private:
    StreamMessagePresenter& m_fallback;
    WindowBox m_window;
};
