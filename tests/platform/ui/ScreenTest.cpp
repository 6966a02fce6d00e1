// The screen and the message loop: repainting and its pixels, taps routed to the window under
// the stylus with client coordinates, the PreTranslateMessage chain, keys through the
// accelerators, and the loop's end.

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/Accelerators.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {

using uitest::kTestClass;
using uitest::Pixel;
using ScreenTest = uitest::UiTest;

// Paints its client area in one colour, which the test may change.
class Swatch : public CWnd {
public:
    explicit Swatch(COLORREF color) : m_color(color) {}
    COLORREF m_color;
    int m_paints = 0;
    void OnPaint() {
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(&r, m_color);
        ++m_paints;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Swatch, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

constexpr std::uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x00FF00;

TEST_F(ScreenTest, AnInvalidatedWindowIsRepaintedOnlyWhenAskedOrWhenTheLoopIsIdle) {
    Attach();
    Swatch top(RGB(255, 0, 0));
    ASSERT_TRUE(
        top.CreateEx(0, kTestClass, u"", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, nullptr, 0));
    Swatch child(RGB(0, 0, 255));
    ASSERT_TRUE(
        child.Create(kTestClass, u"", WS_VISIBLE | WS_BORDER, CRect(20, 20, 60, 50), &top, 1));
    platform::RunUntilIdle();
    EXPECT_EQ(Pixel(5, 30), kRed);
    EXPECT_EQ(Pixel(20, 46), 0x000000u) << "the child's border";
    EXPECT_EQ(Pixel(21, 47), kBlue) << "the child's client area, painted over its parent";
    EXPECT_EQ(display.Pixel(21, 47), kBlue) << "and presented";

    child.m_color = RGB(0, 255, 0);
    child.Invalidate(TRUE);
    EXPECT_EQ(Pixel(21, 47), kBlue) << "nothing happens before a repaint";
    child.UpdateWindow();
    EXPECT_EQ(Pixel(21, 47), kGreen) << "UpdateWindow repaints at once";
    EXPECT_EQ(display.Pixel(21, 47), kBlue) << "presenting waits for the loop";
    platform::RunUntilIdle();
    EXPECT_EQ(display.Pixel(21, 47), kGreen);

    // Hiding the child shows its parent there again.
    child.ShowWindow(SW_HIDE);
    platform::RunUntilIdle();
    EXPECT_EQ(display.Pixel(21, 47), kRed);
}

// Notes taps with the client coordinates they carry.
class TapTarget : public CWnd {
public:
    TapTarget(std::vector<std::string>& log, std::string name)
        : m_log(log), m_name(std::move(name)) {}
    void OnLButtonDown(UINT, CPoint pt) {
        m_log.push_back(m_name + " down " + std::to_string(pt.x) + "," + std::to_string(pt.y));
    }
    void OnLButtonUp(UINT, CPoint pt) {
        m_log.push_back(m_name + " up " + std::to_string(pt.x) + "," + std::to_string(pt.y));
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_LBUTTONDOWN)
            m_log.push_back(m_name + " pretranslate");
        return pMsg->message == WM_LBUTTONDOWN && m_consume;
    }
    bool m_consume = false;
    DECLARE_MESSAGE_MAP()

private:
    std::vector<std::string>& m_log;
    std::string m_name;
};

BEGIN_MESSAGE_MAP(TapTarget, CWnd)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

TEST_F(ScreenTest, ATapGoesToTheTopmostVisibleEnabledWindowWithClientCoordinates) {
    Attach();
    std::vector<std::string> log;
    TapTarget form(log, "form"), upper(log, "upper"), lower(log, "lower"), hidden(log, "hidden"),
        disabled(log, "disabled");
    ASSERT_TRUE(
        form.CreateEx(0, kTestClass, u"", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, nullptr, 0));
    // Created in this order, the first is on top: upper covers part of lower.
    ASSERT_TRUE(
        upper.Create(kTestClass, u"", WS_VISIBLE | WS_BORDER, CRect(10, 10, 60, 40), &form, 1));
    ASSERT_TRUE(lower.Create(kTestClass, u"", WS_VISIBLE, CRect(40, 20, 100, 60), &form, 2));
    ASSERT_TRUE(hidden.Create(kTestClass, u"", 0, CRect(100, 100, 140, 140), &form, 3));
    ASSERT_TRUE(disabled.Create(kTestClass, u"", WS_VISIBLE | WS_DISABLED,
                                CRect(150, 100, 190, 140), &form, 4));
    const struct {
        int x, y;          // screen
        const char* down;  // expected log line
    } cases[] = {
        {20, 26 + 15, "upper down 9,4"},    // inside the border
        {50, 26 + 30, "upper down 39,19"},  // where the two overlap
        {70, 26 + 30, "lower down 30,10"},
        {110, 26 + 110, "form down 110,110"},  // the hidden child is not there
        {160, 26 + 110, "form down 160,110"},  // the disabled one passes it to its parent
        {5, 5, nullptr},                       // the top bar belongs to no window
    };
    for (const auto& c : cases) {
        log.clear();
        display.QueueTap(c.x, c.y);
        platform::RunUntilIdle();
        if (c.down == nullptr) {
            EXPECT_TRUE(log.empty()) << c.x << "," << c.y;
            continue;
        }
        const auto down = std::find_if(log.begin(), log.end(), [](const std::string& s) {
            return s.find(" down ") != std::string::npos;
        });
        ASSERT_NE(down, log.end()) << c.x << "," << c.y;
        EXPECT_EQ(*down, c.down) << c.x << "," << c.y;
    }

    // The stylus is held by the window it went down on: the release outside still reaches it,
    // in its own client coordinates.
    log.clear();
    display.QueueEvent(platform::InputEvent::StylusDown(20, 26 + 15));
    display.QueueEvent(platform::InputEvent::StylusUp(200, 26 + 200));
    platform::RunUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"upper pretranslate", "form pretranslate",
                                             "upper down 9,4", "upper up 189,189"}));
}

TEST_F(ScreenTest, PreTranslateMessageSeesATapBeforeTheControlAndMayKeepIt) {
    Attach();
    std::vector<std::string> log;
    TapTarget form(log, "form"), control(log, "control");
    ASSERT_TRUE(
        form.CreateEx(0, kTestClass, u"", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, nullptr, 0));
    ASSERT_TRUE(control.Create(kTestClass, u"", WS_VISIBLE, CRect(10, 10, 60, 40), &form, 1));
    display.QueueEvent(platform::InputEvent::StylusDown(20, 26 + 20));
    platform::RunUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"control pretranslate", "form pretranslate",
                                             "control down 10,10"}));
    log.clear();
    form.m_consume = true;
    display.QueueEvent(platform::InputEvent::StylusDown(20, 26 + 20));
    platform::RunUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"control pretranslate", "form pretranslate"}));
}

// A frame whose accelerators come from the test's resources, and that notes its commands.
class KeyFrame : public CFrameWnd {
public:
    std::vector<UINT> commands;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(LOWORD(wParam));
        return CFrameWnd::OnCommand(wParam, lParam);
    }
};

TEST_F(ScreenTest, CtrlQThroughTheAcceleratorsClosesTheMainFrameAndEndsTheLoop) {
    ResourceModule module;
    module.acceleratorTables.push_back(
        {ResourceId(128), {{'Q', static_cast<WORD>(ID_APP_EXIT), true, false, true, false, true}}});
    AfxSetResourceModule(&module);
    Attach();
    {
        CWinApp app(u"KeysApp");
        auto frame = std::make_unique<KeyFrame>();
        KeyFrame* f = frame.get();
        ASSERT_TRUE(frame->LoadFrame(128));
        platform::AdoptWindowObject(std::move(frame));
        app.m_pMainWnd = f;
        f->ShowWindow(SW_SHOW);
        // Plain Q and Ctrl+Shift+Q are no accelerators; Ctrl+Q is, and the key after it is never
        // read because the loop has ended.
        display.QueueKeyPress('Q');
        display.QueueKeyPress('Q', {.ctrl = true, .shift = true});
        display.QueueKeyPress('Q', {.ctrl = true});
        display.QueueKeyPress('A');
        const std::size_t before = display.PendingEventCount();
        EXPECT_EQ(app.Run(), 0);
        EXPECT_EQ(app.m_pMainWnd, nullptr);
        EXPECT_EQ(display.PendingEventCount(), before - 6) << "the loop ended at Ctrl+Q";
    }
    AfxSetResourceModule(nullptr);
}

TEST_F(ScreenTest, TheLoopClosesTheMainWindowWhenTheUserClosesTheScreen) {
    Attach();
    CWinApp app(u"QuitApp");
    auto frame = std::make_unique<CFrameWnd>();
    CFrameWnd* f = frame.get();
    ASSERT_TRUE(frame->Create(nullptr, u"Main"));
    platform::AdoptWindowObject(std::move(frame));
    app.m_pMainWnd = f;
    f->ShowWindow(SW_SHOW);
    display.QueueEvent(platform::InputEvent::Quit());
    display.QueueKeyPress('A');
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(display.PendingEventCount(), 3u) << "nothing was read after the quit";
}

TEST_F(ScreenTest, TheTopBarShowsTheActiveWindowsTitle) {
    Attach();
    auto top = uitest::MakeTopLevel(CRect(0, 26, 240, 294));
    platform::RunUntilIdle();
    const auto barColour = platform::Surface::ToRgb(GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(display.Pixel(238, 2), barColour);
    // The title's pixels: some of the bar's left part is not the bar's colour.
    auto inked = [&] {
        int n = 0;
        for (int y = 0; y < 26; ++y)
            for (int x = 0; x < 120; ++x)
                n += display.Pixel(x, y) != barColour;
        return n;
    };
    const int withTitle = inked();
    EXPECT_GT(withTitle, 20);
    top->SetWindowText(u"");
    platform::RunUntilIdle();
    EXPECT_EQ(inked(), 0);
}

}  // namespace
