// The reader's screens as pixels: a few reviewed golden images (GoldenScreen.h: the first
// screen, number entry with the keyboard up, About), and the real window on a private X server.

#include <SDL.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <thread>

#include "platform/display/PngWriter.h"
#include "platform/display/sdl/SdlDisplay.h"
#include "tests/platform/display/XvfbServer.h"
#include "tests/reader/ui/GoldenScreen.h"
#include "tests/reader/ui/InProcessReader.h"
#include "tests/support/ScopedEnv.h"

namespace readertest {
namespace {

const std::vector<std::string> kScreenJokes = {
    "Q&A: Why did the stylus go back to school?\nIt wanted to be a little sharper.",
    "Rock & roll never dies. It just needs new batteries.",
    "A short one.",
};

TEST(ReaderScreen, ScreensMatchTheirReviewedImages) {
    const struct {
        const char* name;
        const char* script;
    } cases[] = {
        {"reader-first-screen", ""},
        {"reader-number-entry", "click 1005\n"},
        {"reader-about", "menu About Parlonda Diver...\n"},
    };
    for (const auto& c : cases) {
        ReaderFolder reader(kScreenJokes);
        ExpectScreenMatchesGolden(reader, c.script, c.name);
    }
}

using testsupport::ScopedEnv;

TEST(ReaderScreen, TheWindowShowsTheScreenOnARealDisplay) {
    const std::optional<std::string> xvfb = XvfbServer::FindProgram();
    if (!xvfb)
        GTEST_SKIP() << "Xvfb is not installed ('make deps' installs it)";
    XvfbServer server;
    std::string error;
    ASSERT_TRUE(server.Start(*xvfb, &error)) << error;
    ScopedEnv display("DISPLAY", server.Display().c_str());
    ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    ScopedEnv driver("SDL_VIDEODRIVER", "x11");

    // The program itself, in its window under a script: the same screen as headless.
    {
        ReaderFolder reader(kScreenJokes);
        const fs::path shot = reader.Path() / "window.png";
        const ChildResult r =
            reader.Run("click 1002\nshot " + shot.string() + "\n",
                       {"--script", "-", "--scale", "3"}, {{"DISPLAY", server.Display()}});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(LastState(r.out).at("counter"), "2/3");
        platform::Image image;
        ASSERT_TRUE(platform::ReadPng(shot.string(), &image, &error)) << error;
        EXPECT_EQ(image.width, 240);
        EXPECT_EQ(image.height, 320);
    }

    // The window's own pixels: the screen, each pixel a 2 x 2 square.
    InProcessReader reader(kScreenJokes);
    ASSERT_TRUE(reader.Start());
    platform::SdlOptions options;
    options.title = "jokepad";
    const std::unique_ptr<platform::SdlDisplay> window =
        platform::SdlDisplay::Create(options, &error);
    ASSERT_NE(window, nullptr) << error;
    platform::Screen& screen = platform::Screen::Instance();
    screen.AttachDisplay(window.get());
    // The mouse is the stylus: a click on Next, in window pixels.
    CRect next;
    reader.Control(1002).GetWindowRect(&next);
    for (const Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
        SDL_Event e{};
        e.type = type;
        e.button.button = SDL_BUTTON_LEFT;
        e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.button.x = next.CenterPoint().x * 2;
        e.button.y = next.CenterPoint().y * 2;
        ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
    }
    platform::RunUntilIdle();
    platform::Image pixels;
    ASSERT_TRUE(window->ReadWindow(&pixels, &error)) << error;
    screen.AttachDisplay(&reader.display);
    ASSERT_EQ(pixels.width, 480);
    ASSERT_EQ(pixels.height, 640);
    int differing = 0;
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x)
            differing += pixels.At(x, y) != screen.PixelAt(x / 2, y / 2) ? 1 : 0;
    }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(reader.View().m_nCurrent, 1);
    std::string shot;
    if (differing != 0 || ::testing::Test::HasFailure()) {
        const std::string path = (fs::temp_directory_path() / "jokepad-window_err.png").string();
        platform::WritePng(path, pixels, &shot);
        ADD_FAILURE() << "the window's pixels are in " << path;
    }
}

// The desktop's session ends with the reader's window open: the X library ends the program from
// inside its wait for input, and the favourites added in the run must still be written.
TEST(ReaderScreen, LosingTheDisplayKeepsTheFavouritesOfTheRun) {
    if (const auto missing = XvfbServer::MissingForInput())
        GTEST_SKIP() << *missing;
    auto server = std::make_unique<XvfbServer>();
    std::string error;
    ASSERT_TRUE(server->Start(&error)) << error;
    const std::string display = server->Display();

    CRect add;
    CRect next;
    {
        InProcessReader layout(kScreenJokes);
        ASSERT_TRUE(layout.Start());
        layout.Control(1003).GetWindowRect(&add);
        layout.Control(1002).GetWindowRect(&next);
    }
    ReaderFolder reader(kScreenJokes);
    auto run = std::async(std::launch::async, [&] {
        return reader.Run(
            "", {"--scale", "1"},
            {{"DISPLAY", display}, {"WAYLAND_DISPLAY", ""}, {"SDL_VIDEODRIVER", "x11"}});
    });
    // Add to Favorites, then Next; the stored index shows when both have been handled.
    const auto window = server->WaitForWindow("jokepad", &error);
    ASSERT_TRUE(window) << error;
    const auto at = [&](const CRect& r) {
        return " mousemove --window " + *window + " " + std::to_string(r.CenterPoint().x) + " " +
               std::to_string(r.CenterPoint().y) + " click 1";
    };
    std::string said;
    ASSERT_TRUE(server->Xdotool(at(add) + at(next), &said)) << said;
    for (int i = 0; i < 300 && reader.StoredIndex() != 1; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(reader.StoredIndex(), 1);

    server.reset();
    const ChildResult lost = run.get();
    EXPECT_EQ(lost.status, 1) << "the program ends as the X library ends it, not by a crash:\n"
                              << lost.err;

    const ChildResult after = reader.Run("click 1004\nstate\ncancel\n");
    ASSERT_EQ(after.status, 0) << after.err;
    EXPECT_NE(after.out.find("window: Favorites\ncounter: 1/1\n"
                             "text: Q&A: Why did the stylus go back to school?\n"),
              std::string::npos)
        << after.out;
}

}  // namespace
}  // namespace readertest
