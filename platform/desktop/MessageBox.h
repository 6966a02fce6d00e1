#pragma once
// Message boxes of a program without windows of its own.

#include <cstdio>
#include <string_view>

#include "platform/base/MessageBox.h"  // MB_ styles and ID answers, shared with the reader
#include "platform/base/Types.h"

// Where a message box is shown. Abstract so that a window can show it on a desktop with a
// display once there is a toolkit to draw one, and so that tests can read what was shown.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // Shows the message and returns the button the user chose.
    virtual int MessageBox(std::string_view text, std::string_view caption, UINT type) = 0;
};

// "CAPTION: TEXT" on a line of its own (standard error unless another stream is given),
// answered OK. This is also what a desktop with a display gets for now.
class StreamMessagePresenter : public MessagePresenter {
public:
    explicit StreamMessagePresenter(std::FILE* stream = stderr) : m_stream(stream) {}
    int MessageBox(std::string_view text, std::string_view caption, UINT type) override;

private:
    std::FILE* m_stream;
};
