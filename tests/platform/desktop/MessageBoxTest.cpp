#include "platform/desktop/MessageBox.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "tests/platform/desktop/Scratch.h"

namespace {

std::string ReadAll(std::FILE* stream) {
    std::rewind(stream);
    std::string text;
    char chunk[256];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, stream)) > 0)
        text.append(chunk, got);
    return text;
}

TEST(StreamMessagePresenter, WritesCaptionAndTextOnALineAndAnswersOk) {
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    StreamMessagePresenter presenter(stream);
    EXPECT_EQ(presenter.MessageBox("Unable to run CE Application Manager.", "Error",
                                   MB_ICONERROR | MB_OK),
              IDOK);
    EXPECT_EQ(presenter.MessageBox("Delete it?", "Question", MB_YESNO), IDYES);
    EXPECT_EQ(ReadAll(stream),
              "Error: Unable to run CE Application Manager.\nQuestion: Delete it?\n");
    std::fclose(stream);
}

// A window where the environment names a display, standard error where it names none or the
// window cannot be shown.
TEST(DesktopMessagePresenter, ChoosesTheWindowOnlyWhereThereIsADisplayThatShowsIt) {
    struct Case {
        std::optional<std::string> x11;
        std::optional<std::string> wayland;
        int windowAnswer;  // 0: the window fails
        bool windowAsked;
        int answer;
        std::string written;
    };
    const std::string line = "Error: Unable to run CE Application Manager.\n";
    const Case cases[] = {
        {":7", std::nullopt, IDOK, true, IDOK, ""},
        {std::nullopt, "wayland-0", IDCANCEL, true, IDCANCEL, ""},
        {std::nullopt, std::nullopt, IDCANCEL, false, IDOK, line},
        {"", "", IDCANCEL, false, IDOK, line},
        {":7", std::nullopt, 0, true, IDOK,
         "(no window for this message: Could not open X11 display)\n" + line},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x11.value_or("(unset)") + " " + c.wayland.value_or("(unset)") + " " +
                     std::to_string(c.windowAnswer));
        scratch::ScopedEnv x11("DISPLAY", c.x11);
        scratch::ScopedEnv wayland("WAYLAND_DISPLAY", c.wayland);
        std::FILE* stream = std::tmpfile();
        ASSERT_NE(stream, nullptr);
        StreamMessagePresenter fallback(stream);
        bool asked = false;
        DesktopMessagePresenter presenter(
            fallback,
            [&](std::string_view text, std::string_view caption, UINT type, std::string* error) {
                asked = true;
                EXPECT_EQ(text, "Unable to run CE Application Manager.");
                EXPECT_EQ(caption, "Error");
                EXPECT_EQ(type, MB_ICONERROR | MB_OK);
                if (c.windowAnswer == 0)
                    *error = "Could not open X11 display";
                return c.windowAnswer;
            });
        EXPECT_EQ(presenter.MessageBox("Unable to run CE Application Manager.", "Error",
                                       MB_ICONERROR | MB_OK),
                  c.answer);
        EXPECT_EQ(asked, c.windowAsked);
        EXPECT_EQ(ReadAll(stream), c.written);
        std::fclose(stream);
    }
}

}  // namespace
