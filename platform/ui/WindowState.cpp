// Visibility, enabling, keyboard focus, activation and stylus capture.

#include <algorithm>

#include "platform/ui/ScreenLayout.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowSystem.h"

using platform::FindRecord;
using platform::Sys;
using platform::WindowRecord;

namespace platform {

namespace {

bool CanBeActive(const WindowRecord& r) {
    return !r.IsChild() && (r.style & WS_VISIBLE) && !(r.style & WS_DISABLED) && !r.destroying;
}

// The top bar shows the active window's title.
void InvalidateTopBar();

}  // namespace

void ActivateNext(HWND preferred) {
    WindowSystem& sys = Sys();
    if (WindowRecord* p = FindRecord(preferred); p != nullptr && CanBeActive(*p)) {
        ::SetActiveWindow(preferred);
        return;
    }
    for (HWND h : sys.topLevels) {
        const WindowRecord* r = FindRecord(h);
        if (r != nullptr && CanBeActive(*r) && h != sys.active) {
            ::SetActiveWindow(h);
            return;
        }
    }
    if (sys.active != nullptr) {
        const WindowRecord* r = FindRecord(sys.active);
        if (r == nullptr || !CanBeActive(*r)) {
            sys.active = nullptr;
            InvalidateTopBar();
        }
    }
}

namespace {

void InvalidateTopBar() {
    InvalidateScreenRect(TopBarRect());
}

// After a window stopped taking input (hidden, disabled), the focus and the capture must not
// stay inside it, and a top-level window gives up being active.
void LeaveWindow(WindowRecord& rec, bool toParent) {
    WindowSystem& sys = Sys();
    if (sys.capture != nullptr && IsDescendant(rec.handle, sys.capture))
        ::ReleaseCapture();
    if (sys.focus != nullptr && IsDescendant(rec.handle, sys.focus)) {
        const WindowRecord* parent = rec.IsChild() ? FindRecord(rec.parent) : nullptr;
        if (toParent && parent != nullptr && AcceptsInput(*parent))
            ::SetFocus(parent->handle);
        else
            ::SetFocus(nullptr);
    }
    if (!rec.IsChild() && sys.active == rec.handle)
        ActivateNext(rec.owner);
}

}  // namespace

}  // namespace platform

BOOL ShowWindow(HWND hWnd, int nCmdShow) {
    WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr)
        return FALSE;
    const bool was = (rec->style & WS_VISIBLE) != 0;
    const bool show = nCmdShow != SW_HIDE;
    const bool activate = show && !rec->IsChild() && nCmdShow != SW_SHOWNA &&
                          nCmdShow != SW_SHOWNOACTIVATE && nCmdShow != SW_SHOWMINNOACTIVE;
    if (show != was) {
        ::SendMessage(hWnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        if ((rec = FindRecord(hWnd)) == nullptr)
            return was ? TRUE : FALSE;
        if (show) {
            rec->style |= WS_VISIBLE;
            platform::InvalidateScreenRect(platform::VisibleRectOnScreen(*rec));
        } else {
            platform::InvalidateScreenRect(platform::VisibleRectOnScreen(*rec));
            rec->style &= ~WS_VISIBLE;
            platform::LeaveWindow(*rec, true);
        }
        if (!rec->IsChild())
            platform::InvalidateTopBar();
    }
    if (activate && !(rec->style & WS_DISABLED))
        ::SetActiveWindow(hWnd);
    return was ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hWnd) {
    const WindowRecord* rec = FindRecord(hWnd);
    return rec != nullptr && platform::IsVisibleOnScreen(*rec) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable) {
    WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr)
        return FALSE;
    const bool wasDisabled = (rec->style & WS_DISABLED) != 0;
    if (wasDisabled == !bEnable)
        return wasDisabled ? TRUE : FALSE;
    if (!bEnable) {
        ::SendMessage(hWnd, WM_CANCELMODE, 0, 0);
        if ((rec = FindRecord(hWnd)) == nullptr)
            return FALSE;
        rec->style |= WS_DISABLED;
        platform::LeaveWindow(*rec, false);
    } else {
        rec->style &= ~WS_DISABLED;
    }
    if ((rec = FindRecord(hWnd)) != nullptr)
        platform::InvalidateScreenRect(platform::VisibleRectOnScreen(*rec));
    ::SendMessage(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hWnd) {
    const WindowRecord* rec = FindRecord(hWnd);
    return rec != nullptr && !(rec->style & WS_DISABLED) ? TRUE : FALSE;
}

HWND SetFocus(HWND hWnd) {
    platform::WindowSystem& sys = Sys();
    WindowRecord* rec = FindRecord(hWnd);
    if (hWnd != nullptr && (rec == nullptr || rec->destroying))
        return nullptr;
    const HWND before = sys.focus;
    if (hWnd == before)
        return before;
    if (rec != nullptr) {
        WindowRecord* top = platform::TopLevelOf(rec);
        if (top != nullptr && top->handle != sys.active) {
            // The activation would put the focus back where it was last; it goes here instead.
            sys.focusPending = hWnd;
            ::SetActiveWindow(top->handle);
            sys.focusPending = nullptr;
            if (!IsWindow(hWnd))
                return nullptr;
        }
        top = platform::TopLevelOf(FindRecord(hWnd));
        if (top != nullptr)
            top->lastFocus = hWnd;
    }
    const HWND old = sys.focus;
    if (old == hWnd)
        return before;
    sys.focus = hWnd;
    if (old != nullptr && IsWindow(old)) {
        ::SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    }
    if (hWnd != nullptr && sys.focus == hWnd)
        ::SendMessage(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return before;
}

HWND GetFocus() {
    return Sys().focus;
}

HWND SetActiveWindow(HWND hWnd) {
    platform::WindowSystem& sys = Sys();
    WindowRecord* rec = platform::TopLevelOf(FindRecord(hWnd));
    if (rec == nullptr || rec->destroying)
        return nullptr;
    const HWND old = sys.active;
    const HWND top = rec->handle;
    if (old == top)
        return old;
    sys.active = top;
    platform::PlaceInZOrder(*rec, HWND_TOP);
    platform::InvalidateScreenRect(platform::VisibleRectOnScreen(*rec));
    platform::InvalidateTopBar();
    if (old != nullptr && IsWindow(old))
        ::SendMessage(old, WM_ACTIVATE, WA_INACTIVE, HandleToLParam(top));
    if (sys.active == top)
        ::SendMessage(top, WM_ACTIVATE, WA_ACTIVE, HandleToLParam(old));
    return old;
}

HWND GetActiveWindow() {
    return Sys().active;
}

HWND SetCapture(HWND hWnd) {
    platform::WindowSystem& sys = Sys();
    const HWND old = sys.capture;
    if (hWnd != nullptr && !IsWindow(hWnd))
        return old;
    sys.capture = hWnd;
    sys.captureNonClient = false;
    sys.implicitCapture = false;
    if (old != nullptr && old != hWnd && IsWindow(old))
        ::SendMessage(old, WM_CAPTURECHANGED, 0, HandleToLParam(hWnd));
    return old;
}

BOOL ReleaseCapture() {
    platform::WindowSystem& sys = Sys();
    const HWND old = sys.capture;
    sys.capture = nullptr;
    sys.captureNonClient = false;
    sys.implicitCapture = false;
    if (old != nullptr && IsWindow(old))
        ::SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    return Sys().capture;
}

short GetKeyState(int nVirtKey) {
    const platform::KeyModifiers& m = Sys().keyState;
    bool down = false;
    switch (static_cast<UINT>(nVirtKey)) {
        case VK_CONTROL:
            down = m.ctrl;
            break;
        case VK_SHIFT:
            down = m.shift;
            break;
        case VK_MENU:
            down = m.alt;
            break;
        default:
            break;
    }
    return down ? static_cast<short>(0x8000) : 0;
}
