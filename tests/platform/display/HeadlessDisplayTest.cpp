#include "platform/display/HeadlessDisplay.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "EventPrinter.h"
#include "TempFolder.h"
#include "platform/display/PngWriter.h"
#include "platform/ui/VirtualKeys.h"

namespace platform {
namespace {

std::vector<InputEvent> Drain(IDisplay& display) {
    std::vector<InputEvent> events;
    while (auto event = display.WaitEvent(0)) {
        events.push_back(*event);
    }
    return events;
}

TEST(HeadlessDisplay, EventsComeOutInTheOrderQueued) {
    HeadlessDisplay display;
    const KeyModifiers ctrl{.ctrl = true};
    display.QueueTap(10, 20);
    display.QueueEvent(InputEvent::Wheel(-kWheelDelta, 5, 6));
    display.QueueKeyPress('Q', ctrl);
    display.QueueText(u"h\U0001F600");
    display.QueueKeyPress(VK_RETURN);
    display.QueueEvent(InputEvent::Quit());

    const std::vector<InputEvent> expected = {
        InputEvent::StylusDown(10, 20),
        InputEvent::StylusUp(10, 20),
        InputEvent::Wheel(-kWheelDelta, 5, 6),
        InputEvent::KeyDown('Q', ctrl),
        InputEvent::KeyUp('Q', ctrl),
        InputEvent::Char(u'h'),
        InputEvent::Char(0xD83D),  // the emoji as a surrogate pair, high half first
        InputEvent::Char(0xDE00),
        InputEvent::KeyDown(VK_RETURN),
        InputEvent::Char(u'\r'),
        InputEvent::KeyUp(VK_RETURN),
        InputEvent::Quit(),
    };
    EXPECT_EQ(display.PendingEventCount(), expected.size());
    // Wait forever, poll and a short wait all take what is queued.
    ASSERT_EQ(display.WaitEvent(-1), expected[0]);
    ASSERT_EQ(display.WaitEvent(100), expected[1]);
    std::vector<InputEvent> rest = Drain(display);
    rest.insert(rest.begin(), expected.begin(), expected.begin() + 2);
    EXPECT_EQ(rest, expected);

    // Nobody can queue while the caller waits, so an empty queue never blocks.
    EXPECT_EQ(display.WaitEvent(-1), std::nullopt);
    EXPECT_EQ(display.WaitEvent(0), std::nullopt);
    EXPECT_EQ(display.PendingEventCount(), 0u);
}

TEST(HeadlessDisplay, KeyPressTypesWhatAUsKeyboardTypes) {
    const KeyModifiers none;
    const KeyModifiers shift{.shift = true};
    const KeyModifiers ctrl{.ctrl = true};
    const KeyModifiers alt{.alt = true};
    const struct {
        unsigned vk;
        KeyModifiers mods;
        char16_t typed;  // 0: no character
    } cases[] = {
        {'A', none, u'a'},    {'A', shift, u'A'},   {'Z', none, u'z'},     {'0', none, u'0'},
        {'9', none, u'9'},    {'1', shift, u'!'},   {'0', shift, u')'},    {VK_SPACE, none, u' '},
        {VK_BACK, none, 8},   {VK_TAB, shift, 9},   {VK_RETURN, none, 13}, {VK_ESCAPE, none, 27},
        {'Q', ctrl, 0},       {'F', alt, 0},        {VK_RETURN, ctrl, 0},  {VK_LEFT, none, 0},
        {VK_DELETE, none, 0}, {VK_SHIFT, shift, 0}, {VK_PRIOR, none, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "vk " << c.vk << " ctrl " << c.mods.ctrl << " shift "
                                        << c.mods.shift << " alt " << c.mods.alt);
        HeadlessDisplay display;
        display.QueueKeyPress(c.vk, c.mods);
        std::vector<InputEvent> expected = {InputEvent::KeyDown(c.vk, c.mods)};
        if (c.typed != 0) {
            expected.push_back(InputEvent::Char(c.typed, c.mods));
        }
        expected.push_back(InputEvent::KeyUp(c.vk, c.mods));
        EXPECT_EQ(Drain(display), expected);
    }
}

TEST(HeadlessDisplay, KeepsACopyOfTheLastFrame) {
    HeadlessDisplay display;
    EXPECT_FALSE(display.HasFrame());
    EXPECT_THROW(display.Pixel(0, 0), std::out_of_range);

    // Three rows of two pixels, four apart; the padding must not be taken.
    std::vector<std::uint32_t> buffer = {1, 2, 99, 99, 3, 4, 99, 99, 5, 6, 99, 99};
    display.Present(buffer.data(), 2, 3, 4);
    buffer.assign(buffer.size(), 0);  // the caller reuses its buffer at once
    EXPECT_TRUE(display.HasFrame());
    EXPECT_EQ(display.PresentCount(), 1);
    EXPECT_EQ(display.Frame().width, 2);
    EXPECT_EQ(display.Frame().height, 3);
    EXPECT_EQ(display.Frame().pixels, (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(display.Pixel(1, 2), 6u);
    EXPECT_THROW(display.Pixel(2, 0), std::out_of_range);
    EXPECT_THROW(display.Pixel(0, 3), std::out_of_range);
    EXPECT_THROW(display.Pixel(-1, 0), std::out_of_range);

    const std::vector<std::uint32_t> other(240 * 320, 0x00FF00);
    display.Present(other.data(), 240, 320, 240);
    EXPECT_EQ(display.PresentCount(), 2);
    EXPECT_EQ(display.Frame().width, 240);
    EXPECT_EQ(display.Pixel(239, 319), 0x00FF00u);
}

TEST(HeadlessDisplay, RefusesABadFrameAndKeepsTheOldOne) {
    HeadlessDisplay display;
    const std::vector<std::uint32_t> good(4, 7);
    display.Present(good.data(), 2, 2, 2);
    const std::vector<std::uint32_t> big(4097, 0);
    const struct {
        const char* what;
        const std::uint32_t* pixels;
        int width, height, stride;
    } cases[] = {
        {"no pixels", nullptr, 2, 2, 2},
        {"no width", good.data(), 0, 2, 2},
        {"negative height", good.data(), 2, -1, 2},
        {"stride below width", good.data(), 2, 2, 1},
        {"too wide", big.data(), 4097, 1, 4097},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_THROW(display.Present(c.pixels, c.width, c.height, c.stride), std::invalid_argument);
    }
    EXPECT_EQ(display.PresentCount(), 1);
    EXPECT_EQ(display.Frame().pixels, good);
}

TEST(HeadlessDisplay, SavesTheFrameAsPng) {
    TempFolder folder;
    HeadlessDisplay display;
    std::string error;
    EXPECT_FALSE(display.SavePng(folder.File("none.png"), &error));
    EXPECT_NE(error.find("nothing has been presented"), std::string::npos) << error;

    std::vector<std::uint32_t> pixels(30 * 20);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFF;
    }
    display.Present(pixels.data(), 30, 20, 30);
    ASSERT_TRUE(display.SavePng(folder.File("shot.png"), &error)) << error;
    Image read;
    ASSERT_TRUE(ReadPng(folder.File("shot.png"), &read, &error)) << error;
    EXPECT_EQ(read, display.Frame());
}

}  // namespace
}  // namespace platform
