// The window tree without a display: rectangles in screen and client coordinates, moving with
// SetWindowPos, visibility through the parents, focus, destruction, taking a window over.

#include <string>
#include <vector>

#include "tests/platform/ui/UiTestSupport.h"

namespace {

using uitest::kTestClass;
using WindowTreeTest = uitest::UiTest;

HWND Child(HWND parent, int x, int y, int cx, int cy, DWORD style = WS_VISIBLE, UINT id = 1) {
    return ::CreateWindowEx(0, kTestClass, u"", WS_CHILD | style, x, y, cx, cy, parent, id);
}

TEST_F(WindowTreeTest, AChildsRectangleInScreenAndClientCoordinates) {
    // A top-level window at (0, 26); a bordered child at (10, 20) whose client area starts one
    // pixel in; inside it a grandchild at (5, 6).
    const HWND top =
        ::CreateWindowEx(0, kTestClass, u"", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, nullptr, 0);
    const HWND child = Child(top, 10, 20, 100, 50, WS_VISIBLE | WS_BORDER);
    const HWND grandchild = Child(child, 5, 6, 30, 20);

    const struct {
        const char* name;
        HWND hwnd;
        CRect window;         // screen
        CRect client;         // GetClientRect
        CPoint clientOrigin;  // ClientToScreen(0, 0)
    } cases[] = {
        {"top", top, {0, 26, 240, 294}, {0, 0, 240, 268}, {0, 26}},
        {"child", child, {10, 46, 110, 96}, {0, 0, 98, 48}, {11, 47}},
        {"grandchild", grandchild, {16, 53, 46, 73}, {0, 0, 30, 20}, {16, 53}},
    };
    for (const auto& c : cases) {
        CRect window, client;
        ::GetWindowRect(c.hwnd, &window);
        ::GetClientRect(c.hwnd, &client);
        POINT origin{0, 0};
        ::ClientToScreen(c.hwnd, &origin);
        EXPECT_EQ(window, c.window) << c.name;
        EXPECT_EQ(client, c.client) << c.name;
        EXPECT_EQ(CPoint(origin), c.clientOrigin) << c.name;
        POINT back = origin;
        ::ScreenToClient(c.hwnd, &back);
        EXPECT_EQ(CPoint(back), CPoint(0, 0)) << c.name;
    }

    // A rectangle from the screen into the top window's client coordinates, as layouts do.
    CWnd* wnd = CWnd::FromHandle(top);
    CRect r;
    CWnd::FromHandle(grandchild)->GetWindowRect(&r);
    wnd->ScreenToClient(&r);
    EXPECT_EQ(r, CRect(16, 27, 46, 47));
    ::DestroyWindow(top);
}

TEST_F(WindowTreeTest, SetWindowPosMovesWithOrWithoutTheSizeAndKeepsTheZOrder) {
    const HWND top =
        ::CreateWindowEx(0, kTestClass, u"", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, nullptr, 0);
    const HWND first = Child(top, 0, 0, 50, 20, WS_VISIBLE, 1);
    const HWND second = Child(top, 0, 30, 60, 25, WS_VISIBLE, 2);
    const struct {
        UINT flags;
        CRect expected;  // in the parent's client coordinates
    } cases[] = {
        {SWP_NOSIZE | SWP_NOZORDER, {4, 8, 64, 33}},    // 5: the position only
        {SWP_NOZORDER, {4, 8, 104, 18}},                // 4: position and size
        {SWP_NOMOVE | SWP_NOZORDER, {0, 30, 100, 40}},  // 6: the size only
    };
    for (const auto& c : cases) {
        ::SetWindowPos(second, nullptr, 0, 30, 60, 25, SWP_NOZORDER);  // back to the start
        ::SetWindowPos(second, HWND_TOP, 4, 8, 100, 10, c.flags);
        CRect r;
        ::GetWindowRect(second, &r);
        ::ScreenToClient(top, reinterpret_cast<LPPOINT>(&r.left));
        ::ScreenToClient(top, reinterpret_cast<LPPOINT>(&r.right));
        EXPECT_EQ(r, c.expected) << "flags " << c.flags;
        EXPECT_EQ(::GetWindow(top, GW_CHILD), first) << "flags " << c.flags;
        EXPECT_EQ(::GetWindow(first, GW_HWNDNEXT), second) << "flags " << c.flags;
    }
    // Without SWP_NOZORDER the window goes where it is told.
    ::SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(::GetWindow(top, GW_CHILD), second);
    ::DestroyWindow(top);
}

TEST_F(WindowTreeTest, AWindowIsVisibleOnlyWhenEveryAncestorIs) {
    const HWND top = ::CreateWindowEx(0, kTestClass, u"", WS_POPUP, 0, 26, 240, 268, nullptr, 0);
    const HWND parent = Child(top, 0, 0, 100, 100);
    const HWND child = Child(parent, 10, 10, 20, 20);
    EXPECT_FALSE(::IsWindowVisible(child)) << "the top-level window is hidden";
    ::ShowWindow(top, SW_SHOW);
    EXPECT_TRUE(::IsWindowVisible(child));
    ::ShowWindow(parent, SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(child));
    EXPECT_TRUE(::GetWindowLong(child, GWL_STYLE) & WS_VISIBLE) << "its own style is unchanged";
    EXPECT_NE(::WindowFromPoint(POINT{15, 26 + 15}), child) << "a hidden window takes no taps";
    ::ShowWindow(parent, SW_SHOW);
    EXPECT_EQ(::WindowFromPoint(POINT{15, 26 + 15}), child);
    ::DestroyWindow(top);
}

// Notes the focus messages it gets, with the window on the other side.
class FocusWnd : public CWnd {
public:
    explicit FocusWnd(std::vector<std::string>& log, std::string name)
        : m_log(log), m_name(std::move(name)) {}
    void OnSetFocus(CWnd* pOld) { m_log.push_back(m_name + " set from " + Name(pOld)); }
    void OnKillFocus(CWnd* pNew) { m_log.push_back(m_name + " kill to " + Name(pNew)); }
    static std::string Name(CWnd* w) {
        auto* f = dynamic_cast<FocusWnd*>(w);
        return f ? f->m_name : (w ? "other" : "none");
    }
    DECLARE_MESSAGE_MAP()

private:
    std::vector<std::string>& m_log;
    std::string m_name;
};

BEGIN_MESSAGE_MAP(FocusWnd, CWnd)
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

TEST_F(WindowTreeTest, FocusMovesWithKillThenSetAndLeavesAHiddenWindowForItsParent) {
    std::vector<std::string> log;
    FocusWnd top(log, "top"), a(log, "a"), b(log, "b");
    ASSERT_TRUE(
        top.CreateEx(0, kTestClass, u"", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, nullptr, 0));
    ASSERT_TRUE(a.Create(kTestClass, u"", WS_VISIBLE, CRect(0, 0, 50, 20), &top, 1));
    ASSERT_TRUE(b.Create(kTestClass, u"", WS_VISIBLE, CRect(0, 30, 50, 50), &top, 2));
    log.clear();

    a.SetFocus();
    EXPECT_EQ(CWnd::GetFocus(), &a);
    b.SetFocus();
    EXPECT_EQ(CWnd::GetFocus(), &b);
    EXPECT_EQ(log, (std::vector<std::string>{"top kill to a", "a set from top", "a kill to b",
                                             "b set from a"}));
    log.clear();
    b.ShowWindow(SW_HIDE);
    EXPECT_EQ(CWnd::GetFocus(), &top) << "no keys for a window nobody sees";
    a.SetFocus();
    a.DestroyWindow();
    EXPECT_EQ(CWnd::GetFocus(), &top);
    top.DestroyWindow();
    EXPECT_EQ(::GetFocus(), nullptr);
}

// Notes the order of destruction.
class DestroyWnd : public CWnd {
public:
    DestroyWnd(std::vector<std::string>& log, std::string name)
        : m_log(log), m_name(std::move(name)) {}
    void OnDestroy() { m_log.push_back(m_name + " destroy"); }
    void OnNcDestroy() {
        m_log.push_back(m_name + " ncdestroy");
        CWnd::OnNcDestroy();
    }
    void PostNcDestroy() override {
        m_log.push_back(m_name + " post" + (m_hWnd == nullptr ? " detached" : " attached"));
    }
    DECLARE_MESSAGE_MAP()

private:
    std::vector<std::string>& m_log;
    std::string m_name;
};

BEGIN_MESSAGE_MAP(DestroyWnd, CWnd)
ON_WM_DESTROY()
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

TEST_F(WindowTreeTest, DestructionReachesTheChildrenBeforeTheParentIsGone) {
    std::vector<std::string> log;
    DestroyWnd parent(log, "parent"), child(log, "child");
    ASSERT_TRUE(parent.CreateEx(0, kTestClass, u"", WS_POPUP, 0, 26, 100, 100, nullptr, 0));
    ASSERT_TRUE(child.Create(kTestClass, u"", WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 1));
    const HWND hChild = child.m_hWnd;
    parent.DestroyWindow();
    EXPECT_EQ(log, (std::vector<std::string>{"parent destroy", "child destroy", "child ncdestroy",
                                             "child post detached", "parent ncdestroy",
                                             "parent post detached"}));
    EXPECT_FALSE(::IsWindow(hChild));
    EXPECT_EQ(CWnd::FromHandle(hChild), nullptr) << "a handle is never reused";
}

// Takes over a control: answers WM_USER + 2 itself and leaves the rest to the control.
class TakeOver : public CWnd {
public:
    LRESULT OnMine(WPARAM, LPARAM) { return 42; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TakeOver, CWnd)
ON_MESSAGE(WM_USER + 2, OnMine)
END_MESSAGE_MAP()

TEST_F(WindowTreeTest, AnObjectThatTakesAControlOverAnswersFirstAndPassesTheRestOn) {
    const HWND top = ::CreateWindowEx(0, kTestClass, u"", WS_POPUP, 0, 26, 240, 100, nullptr, 0);
    const HWND control = ::CreateWindowEx(0, uitest::kBehaviourClass, u"", WS_CHILD | WS_VISIBLE, 0,
                                          0, 50, 20, top, 1000);
    uitest::Behaviour::Log().clear();
    {
        TakeOver view;
        ASSERT_TRUE(view.SubclassDlgItem(1000, CWnd::FromHandle(top)));
        EXPECT_EQ(CWnd::FromHandle(control), &view);
        EXPECT_EQ(::SendMessage(control, WM_USER + 2), 42);
        EXPECT_EQ(::SendMessage(control, WM_USER + 1), 7) << "left to the control's own code";
        EXPECT_EQ(uitest::Behaviour::Log(), std::vector<std::string>{"behaviour"});
        EXPECT_FALSE(view.SubclassDlgItem(1000, CWnd::FromHandle(top))) << "once only";
    }
    // The object is gone; the control lives on with its own behaviour.
    ASSERT_TRUE(::IsWindow(control));
    EXPECT_EQ(::SendMessage(control, WM_USER + 2), 0);
    EXPECT_EQ(::SendMessage(control, WM_USER + 1), 7);
    ::DestroyWindow(top);
}

TEST_F(WindowTreeTest, PostedMessagesWaitForTheLoopAndInputForAHiddenWindowIsDropped) {
    std::vector<std::string> log;
    FocusWnd target(log, "target");
    ASSERT_TRUE(
        target.CreateEx(0, kTestClass, u"", WS_POPUP | WS_VISIBLE, 0, 26, 50, 50, nullptr, 0));
    log.clear();
    target.PostMessage(WM_SETFOCUS);
    EXPECT_TRUE(log.empty()) << "posting does not call the window";
    platform::RunUntilIdle();
    EXPECT_EQ(log, std::vector<std::string>{"target set from none"});

    // A tap queued for a window that is hidden before the loop gets to it goes nowhere.
    struct TapCounter : CWnd {
        int taps = 0;
        LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
            taps += m == WM_LBUTTONDOWN;
            return CWnd::WindowProc(m, w, l);
        }
    } counter;
    ASSERT_TRUE(
        counter.CreateEx(0, kTestClass, u"", WS_POPUP | WS_VISIBLE, 0, 100, 50, 50, nullptr, 0));
    counter.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    counter.ShowWindow(SW_HIDE);
    platform::RunUntilIdle();
    counter.ShowWindow(SW_SHOW);
    counter.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    counter.EnableWindow(FALSE);
    platform::RunUntilIdle();
    EXPECT_EQ(counter.taps, 0);
    counter.EnableWindow(TRUE);
    counter.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    platform::RunUntilIdle();
    EXPECT_EQ(counter.taps, 1);
}

}  // namespace
