#pragma once
// What the window tests share: a fixture that leaves no window, message or display behind,
// window classes for test windows, and objects that record the messages they see.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/display/HeadlessDisplay.h"
#include "platform/gdi/SystemColors.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowMessageMap.h"

namespace uitest {

inline constexpr char16_t kTestClass[] = u"TestWindow";        // white background
inline constexpr char16_t kBehaviourClass[] = u"TestControl";  // with a behaviour object

// A control's own behaviour, as a control class gives it: it notes the messages it handles.
class Behaviour : public CWnd {
public:
    static std::vector<std::string>& Log() {
        static std::vector<std::string> log;
        return log;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_USER + 1) {
            Log().push_back("behaviour");
            return 7;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

inline void RegisterTestClasses() {
    platform::RegisterWindowClass({kTestClass, nullptr, COLOR_WINDOW});
    platform::RegisterWindowClass(
        {kBehaviourClass, [] { return std::make_unique<Behaviour>(); }, COLOR_WINDOW});
}

// Every test starts with no windows, no queued messages and no display, and must leave none.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestClasses();
        Reset();
    }
    void TearDown() override {
        const int left = platform::WindowCount();
        Reset();
        EXPECT_EQ(left, 0) << "the test left windows behind";
    }
    static void Reset() {
        while (HWND top = ::GetTopWindow(nullptr))
            ::DestroyWindow(top);
        platform::Screen::Instance().AttachDisplay(nullptr);
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        platform::FlushDeferredDeletes();
    }
    // Paints and presents what is pending, with the display attached.
    void Attach() { platform::Screen::Instance().AttachDisplay(&display); }

    platform::HeadlessDisplay display;
};

inline std::uint32_t Pixel(int x, int y) {
    return platform::Screen::Instance().PixelAt(x, y);
}

// A top-level window that tests own and destroy with the object.
inline std::unique_ptr<CWnd> MakeTopLevel(const CRect& rect, DWORD style = WS_POPUP | WS_VISIBLE) {
    auto wnd = std::make_unique<CWnd>();
    wnd->CreateEx(0, kTestClass, u"top", style, rect, nullptr, 0);
    return wnd;
}

}  // namespace uitest
