// The scrolling view: its bar appears when the content is taller than the view, and the
// thumb, the arrows, the page areas and the wheel move the position within 0 ... total - client.

#include "platform/ui/CPaintDC.h"
#include "platform/ui/CScrollView.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {

// Content red above y = 500 and blue below, drawn in the content's own coordinates.
class TallView : public CScrollView {
public:
    TallView() = default;
    void OnDraw(CDC* pDC) override {
        const CRect top(0, 0, 100, 500), bottom(0, 500, 100, 1000);
        pDC->FillSolidRect(&top, RGB(255, 0, 0));
        pDC->FillSolidRect(&bottom, RGB(0, 0, 255));
    }
};

using ScrollViewTest = uitest::UiTest;

TEST_F(ScrollViewTest, TheThumbTheArrowsThePageAreasAndTheWheelScrollWithinTheRange) {
    Attach();
    auto top = uitest::MakeTopLevel(platform::WorkAreaRect());
    TallView view;
    ASSERT_TRUE(
        view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), top.get(), 1));
    view.SetScrollSizes(MM_TEXT, CSize(100, 1000));
    ASSERT_TRUE(view.GetStyle() & WS_VSCROLL) << "1000 pixels do not fit in 200";
    EXPECT_FALSE(view.GetStyle() & WS_HSCROLL);
    CRect client;
    view.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 187, 200)) << "the bar takes 13 pixels";

    // The bar on the screen: x 187 ... 200 of the view, arrows 13 high, track 174, thumb 34.
    const int barX = 193, top0 = 26;
    const int thumbY = top0 + 13 + 17;
    auto drag = [&](int fromY, int toY) {
        display.QueueEvent(platform::InputEvent::StylusDown(barX, fromY));
        display.QueueEvent(platform::InputEvent::StylusMove(barX, toY));
        display.QueueEvent(platform::InputEvent::StylusUp(barX, toY));
        platform::RunUntilIdle();
    };
    drag(thumbY, thumbY + 70);
    EXPECT_EQ(view.GetScrollPosition().y, 400) << "70 of 140 pixels of travel: half of 800";
    // What shows is the content at the position: y 50 of the view is 450 (red), 150 is 550.
    EXPECT_EQ(uitest::Pixel(50, top0 + 50), 0xFF0000u);
    EXPECT_EQ(uitest::Pixel(50, top0 + 150), 0x0000FFu);

    const int thumbNow = top0 + 13 + 70 + 17;
    drag(thumbNow, thumbNow + 1000);
    EXPECT_EQ(view.GetScrollPosition().y, 800) << "never beyond total - client";
    drag(top0 + 13 + 140 + 17, top0 - 2000 + 200);
    EXPECT_EQ(view.GetScrollPosition().y, 0);

    const struct {
        const char* name;
        platform::InputEvent event;
        int expected;
    } steps[] = {
        {"down arrow", platform::InputEvent::StylusDown(barX, top0 + 195), 20},  // a line: 200/10
        {"page area below the thumb", platform::InputEvent::StylusDown(barX, top0 + 150), 220},
        {"up arrow", platform::InputEvent::StylusDown(barX, top0 + 5), 200},
        {"wheel towards the user", platform::InputEvent::Wheel(-120, 50, top0 + 50), 260},
        {"wheel away, far", platform::InputEvent::Wheel(120 * 20, 50, top0 + 50), 0},
        {"wheel towards the user, far", platform::InputEvent::Wheel(-120 * 50, 50, top0 + 50), 800},
    };
    for (const auto& s : steps) {
        display.QueueEvent(s.event);
        if (s.event.kind == platform::InputKind::StylusDown)
            display.QueueEvent(platform::InputEvent::StylusUp(s.event.x, s.event.y));
        platform::RunUntilIdle();
        EXPECT_EQ(view.GetScrollPosition().y, s.expected) << s.name;
    }

    // Content that fits hides the bar and scrolls back to the top.
    view.SetScrollSizes(MM_TEXT, CSize(100, 150));
    EXPECT_FALSE(view.GetStyle() & WS_VSCROLL);
    EXPECT_EQ(view.GetScrollPosition(), CPoint(0, 0));
    view.DestroyWindow();
}

}  // namespace
