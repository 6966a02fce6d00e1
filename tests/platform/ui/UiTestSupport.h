#pragma once
// What the window tests share: a fixture that leaves no window, message or display behind,
// window classes for test windows, and objects that record the messages they see.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/Resources.h"
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

namespace uitest {

// A display that keeps every frame presented, for looking at what was on the screen while a
// nested loop ran; its input is a headless display's queue.
class RecordingDisplay final : public platform::IDisplay {
public:
    void Present(const std::uint32_t* pixels, int width, int height, int stride) override {
        input.Present(pixels, width, height, stride);
        frames.push_back(input.Frame());
    }
    // Before each event is read, onWait may look at the screen and queue more input, as a
    // user who sees the screen would.
    std::optional<platform::InputEvent> WaitEvent(int timeoutMs) override {
        if (onWait)
            onWait();
        return input.WaitEvent(timeoutMs);
    }
    platform::HeadlessDisplay input;
    std::function<void()> onWait;
    std::vector<platform::Image> frames;
};

// A dialog item in dialog units.
inline DialogItemTemplate Item(std::u16string className, int id, short x, short y, short cx,
                               short cy, DWORD style = WS_VISIBLE | WS_TABSTOP,
                               std::u16string text = u"") {
    DialogItemTemplate item;
    item.controlClass = DialogControlClass::Custom;
    item.className = std::move(className);
    item.id = id;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.style = style;
    item.text = std::move(text);
    return item;
}

inline DialogTemplate Dialog(int id, std::vector<DialogItemTemplate> items, DWORD exStyle = 0,
                             std::u16string caption = u"Test") {
    DialogTemplate d;
    d.name = ResourceId(id);
    d.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    d.exStyle = exStyle;
    d.cx = 137;
    d.cy = 150;
    d.caption = std::move(caption);
    d.fontName = u"System";
    d.pointSize = 8;
    d.items = std::move(items);
    return d;
}

// Sets a resource module for the test's life.
class ScopedResources {
public:
    explicit ScopedResources(const ResourceModule& module) { AfxSetResourceModule(&module); }
    ~ScopedResources() { AfxSetResourceModule(nullptr); }
    ScopedResources(const ScopedResources&) = delete;
    ScopedResources& operator=(const ScopedResources&) = delete;
};

}  // namespace uitest
