// The joke browser's geometry in pixels, in the test process: where the layout puts the
// controls in the 240 x 268 work area, where the number field goes, and what the joke view
// sets up for the text it shows.

#include "platform/ui/SoftInputPanel.h"
#include "reader/store/KippAppDoc.h"
#include "tests/reader/ui/InProcessReader.h"

namespace readertest {
namespace {

const std::vector<std::string> kJokes = {"First joke.", "Second joke.", "Third joke."};

std::string Text(const CRect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ") - (" +
           std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

std::string LongJoke(int lines) {
    std::string text;
    for (int i = 1; i <= lines; ++i)
        text += "Line " + std::to_string(i) + " of a joke that goes on and on.\n";
    return text;
}

TEST(ReaderLayout, TheControlsSitWhereTheLayoutPutsThemInTheWorkArea) {
    InProcessReader reader(kJokes);
    ASSERT_TRUE(reader.Start());
    CRect client;
    reader.View().GetClientRect(&client);
    ASSERT_EQ(client, CRect(0, 0, 240, 268)) << "the form fills the work area";
    // Sizes from the template, dialog units to pixels (x * 7 / 4, y * 14 / 8, halves up):
    // counter 131 x 8 -> 229 x 14; buttons 14 high -> 25; Previous, Next, Random 34 wide -> 60;
    // Add to Favorites 70 -> 123; View Favorites 61 -> 107.
    const struct {
        int id;
        const char* name;
        CRect rect;
    } cases[] = {
        // The spin, made right after the counter, took it as its first buddy (auto-buddy) and
        // its 19 pixels (align-right), as on the device; the layout keeps sizes.
        {1005, "counter", CRect(4, 4, 214, 18)},
        {1003, "Add to Favorites", CRect(4, 238, 127, 263)},
        {1004, "View Favorites", CRect(129, 238, 236, 263)},
        {1001, "Previous", CRect(4, 209, 64, 234)},
        {1002, "Next", CRect(68, 209, 128, 234)},
        {1006, "Random", CRect(132, 209, 192, 234)},
        // Below the counter, 4 pixels above the upper row, 4 pixels in from either side.
        {1000, "joke view", CRect(4, 18, 236, 205)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Text(reader.RectInForm(c.id)), Text(c.rect)) << c.name;
    // The number field goes where the template put the counter, at the form's top edge.
    EXPECT_EQ(reader.RectInForm(1012).TopLeft(), CPoint(4, 0));
    EXPECT_FALSE(reader.Control(1012).IsWindowVisible());
    EXPECT_FALSE(reader.Control(1011).IsWindowVisible());
}

TEST(ReaderLayout, TheSpinSitsAgainstTheNumberFieldsRightEdge) {
    InProcessReader reader(kJokes);
    ASSERT_TRUE(reader.Start());
    reader.Click(1005);
    ASSERT_TRUE(reader.Control(1012).IsWindowVisible());
    const CRect field = reader.RectInForm(1012);
    const CRect spin = reader.RectInForm(1011);
    EXPECT_EQ(spin.left, field.right);
    EXPECT_EQ(spin.top, field.top);
}

TEST(ReaderLayout, TheJokeViewsTextRectangleLeavesRoomForTheScrollBar) {
    InProcessReader reader(kJokes);
    ASSERT_TRUE(reader.Start());
    CJokeView& view = reader.View().m_jokeView;
    // 240 less a scroll bar and a half (13 + 6).
    EXPECT_EQ(view.GetTextRect().left, 10);
    EXPECT_EQ(view.GetTextRect().right, 221);
    EXPECT_EQ(view.GetTotalSize().cx, 221);
    EXPECT_EQ(view.GetTotalSize().cy, view.GetTextRect().bottom);
    EXPECT_GT(view.GetTextRect().bottom, 0);
    EXPECT_FALSE(view.GetStyle() & WS_VSCROLL) << "one line needs no scrolling";
}

TEST(ReaderLayout, ALongFirstJokeScrollsFromTheStart) {
    // The framework's initial update reaches the joke view after the form has set the first
    // joke; the view keeps that joke's scroll range.
    InProcessReader reader({LongJoke(30), "Short."});
    ASSERT_TRUE(reader.Start());
    CJokeView& view = reader.View().m_jokeView;
    CRect client;
    view.GetClientRect(&client);
    EXPECT_GT(view.GetTotalSize().cy, client.Height());
    EXPECT_EQ(view.GetTotalSize().cy, view.GetTextRect().bottom);
    EXPECT_TRUE(view.GetStyle() & WS_VSCROLL);
    reader.Click(1002);
    EXPECT_FALSE(view.GetStyle() & WS_VSCROLL) << "the short joke needs no bar";
}

TEST(ReaderLayout, ATapThatEndsNumberEntryStillReachesWhatItTapped) {
    InProcessReader reader(kJokes);
    ASSERT_TRUE(reader.Start());
    reader.Click(1005);
    ASSERT_TRUE(reader.Control(1012).IsWindowVisible());
    // The keyboard covers the buttons; the user puts it away, as the device lets them, and
    // taps Next.
    SIPINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(SHSipInfo(SPI_SETSIPINFO, 0, &info, 0));
    reader.Click(1002);
    EXPECT_FALSE(reader.Control(1012).IsWindowVisible()) << "number entry ended";
    EXPECT_TRUE(reader.Control(1005).IsWindowVisible());
    EXPECT_EQ(reader.View().m_nCurrent, 1) << "and Next was pressed";
}

TEST(ReaderLayout, PreviousOnTheFirstJokeShowsItAgainAndStoresItAgain) {
    InProcessReader reader(kJokes);
    ASSERT_TRUE(reader.Start());
    CKippApp& app = reader.App();
    const CJokeView& view = reader.View().m_jokeView;
    ASSERT_EQ(app.GetProfileInt(u"Set", u"LastJokeIndex", -1), 0u);
    const int height = view.GetTextRect().Height();
    // What only a new showing picks up: a larger font; and an index no longer stored.
    app.SetFontSize(20);
    app.WriteProfileString(u"Set", u"LastJokeIndex", nullptr);
    ASSERT_EQ(app.GetProfileInt(u"Set", u"LastJokeIndex", -1), static_cast<UINT>(-1));
    reader.Click(1001);
    EXPECT_EQ(reader.View().m_nCurrent, 0);
    EXPECT_GT(view.GetTextRect().Height(), height) << "shown again, in the new font";
    EXPECT_EQ(app.GetProfileInt(u"Set", u"LastJokeIndex", -1), 0u) << "stored again";
}

}  // namespace
}  // namespace readertest
