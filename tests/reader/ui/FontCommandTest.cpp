// The File menu's "Font ..." in the test process, where a test can change the settings behind
// the dialog's back: only a confirmed change lays the joke out again and stores the index again.

#include "platform/ui/VirtualKeys.h"
#include "reader/ui/JokeView.h"
#include "tests/reader/ui/InProcessReader.h"

namespace readertest {
namespace {

const std::vector<std::string> kJokes = {
    "First joke.", "Second joke, a little longer than one line.", "Third joke."};

constexpr const char16_t* kSet = u"Set";
constexpr const char16_t* kIndex = u"LastJokeIndex";
constexpr int kUntouched = 7;  // no joke's index: a write shows

TEST(FontCommand, OnlyAConfirmedChangeShowsTheJokeAgainAndStoresTheIndex) {
    const struct {
        const char* what;
        std::vector<unsigned> keys;  // pressed in the dialog, in order
        const char16_t* typed;       // then typed, then the keys after
        std::vector<unsigned> after;
        bool changed;
    } cases[] = {
        {"Escape", {VK_ESCAPE}, u"", {}, false},
        {"OK without a change", {VK_RETURN}, u"", {}, false},
        {"a changed size kept back by Escape",
         {VK_TAB, VK_END, VK_BACK, VK_BACK},
         u"30",
         {VK_ESCAPE},
         false},
        {"OK with a changed size", {VK_TAB, VK_END, VK_BACK, VK_BACK}, u"30", {VK_RETURN}, true},
    };
    for (const auto& c : cases) {
        InProcessReader reader(kJokes);
        ASSERT_TRUE(reader.Start()) << c.what;
        reader.Click(1002);
        CKippAppView& view = reader.View();
        const CRect before = view.m_jokeView.GetTextRect();
        // The saved size changes behind the form's back, and the index stored is another one:
        // only a showing of the joke brings either to the screen or the store.
        reader.App().SetFontSize(20);
        reader.App().WriteProfileInt(kSet, kIndex, kUntouched);

        for (const unsigned vk : c.keys)
            reader.display.QueueKeyPress(vk);
        reader.display.QueueText(c.typed);
        for (const unsigned vk : c.after)
            reader.display.QueueKeyPress(vk);
        view.OnFont();
        platform::RunUntilIdle();

        EXPECT_EQ(view.m_nCurrent, 1) << c.what;
        EXPECT_EQ(view.m_strCounter, CString(u"2/3")) << c.what;
        EXPECT_EQ(view.m_jokeView.GetText(),
                  CString(u"Second joke, a little longer than one line."))
            << c.what;
        EXPECT_EQ(reader.App().GetFontSize(), c.changed ? 30 : 20) << c.what;
        EXPECT_EQ(reader.App().GetProfileInt(kSet, kIndex, -1), c.changed ? 1 : kUntouched)
            << c.what;
        const CRect after = view.m_jokeView.GetTextRect();
        if (c.changed)
            EXPECT_GT(after.Height(), before.Height()) << c.what << ": laid out in 30 points";
        else
            EXPECT_EQ(after, before) << c.what << ": not laid out again";
    }
}

}  // namespace
}  // namespace readertest
