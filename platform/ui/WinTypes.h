#pragma once
// Handles and structures of the window layer, with the platform's names.
//
// A window handle is an opaque number, never a pointer to live memory: handles are not reused,
// so a handle kept after its window was destroyed finds nothing instead of another window.

#include <cstdint>

#include "platform/base/Resources.h"
#include "platform/base/Types.h"
#include "platform/gdi/Geometry.h"

struct HWND__;
using HWND = HWND__*;

namespace platform {
struct MenuData;
}
using HMENU = platform::MenuData*;

// The handle carried in a message parameter, and back.
inline LPARAM HandleToLParam(HWND hWnd) {
    return static_cast<LPARAM>(reinterpret_cast<std::uintptr_t>(hWnd));
}
inline HWND LParamToHandle(LPARAM value) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
}

// The signed coordinates packed in a mouse message's second parameter.
inline int GET_X_LPARAM(LPARAM lp) {
    return static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lp)));
}
inline int GET_Y_LPARAM(LPARAM lp) {
    return static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lp)));
}
inline WPARAM MAKEWPARAM(WORD lo, WORD hi) {
    return static_cast<WPARAM>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16));
}
inline LPARAM PointToLParam(POINT pt) {
    return MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y));
}
// The wheel's turn in WM_MOUSEWHEEL's first parameter: a multiple of 120 per notch.
inline short GET_WHEEL_DELTA_WPARAM(WPARAM wp) {
    return static_cast<short>(HIWORD(wp));
}

// Where SetWindowPos puts a window in the z-order of its siblings.
inline const HWND HWND_TOP = nullptr;
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(std::uintptr_t{1});
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(~std::uintptr_t{0});
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(~std::uintptr_t{0} - 1);

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;  // milliseconds since the window system started
    POINT pt{0, 0};  // the stylus in screen coordinates when the message was queued
};
using LPMSG = MSG*;

struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    HINSTANCE hInstance = nullptr;
    HMENU hMenu = nullptr;  // unused: a child's id is in id
    HWND hwndParent = nullptr;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    LONG style = 0;
    LPCTSTR lpszName = nullptr;
    LPCTSTR lpszClass = nullptr;
    DWORD dwExStyle = 0;
    UINT id = 0;  // the child-window id, which the platform passes in hMenu
};
using LPCREATESTRUCT = CREATESTRUCT*;

// A scroll bar's state. nMax is the last position of the range, so a range of n positions is
// nMin = 0, nMax = n - 1; with a page of nPage, the position runs from nMin to nMax - nPage + 1.
struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};
using LPSCROLLINFO = SCROLLINFO*;
using LPCSCROLLINFO = const SCROLLINFO*;

inline constexpr UINT SIF_RANGE = 0x0001;
inline constexpr UINT SIF_PAGE = 0x0002;
inline constexpr UINT SIF_POS = 0x0004;
inline constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
inline constexpr UINT SIF_TRACKPOS = 0x0010;
inline constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

// Which scroll bar.
inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
inline constexpr int SB_CTL = 2;
inline constexpr int SB_BOTH = 3;

// What a scroll message asks for (low word of its first parameter).
inline constexpr UINT SB_LINEUP = 0;
inline constexpr UINT SB_LINELEFT = 0;
inline constexpr UINT SB_LINEDOWN = 1;
inline constexpr UINT SB_LINERIGHT = 1;
inline constexpr UINT SB_PAGEUP = 2;
inline constexpr UINT SB_PAGELEFT = 2;
inline constexpr UINT SB_PAGEDOWN = 3;
inline constexpr UINT SB_PAGERIGHT = 3;
inline constexpr UINT SB_THUMBPOSITION = 4;
inline constexpr UINT SB_THUMBTRACK = 5;
inline constexpr UINT SB_TOP = 6;
inline constexpr UINT SB_LEFT = 6;
inline constexpr UINT SB_BOTTOM = 7;
inline constexpr UINT SB_RIGHT = 7;
inline constexpr UINT SB_ENDSCROLL = 8;

// Timers.
using TIMERPROC = void (*)(HWND hWnd, UINT message, UINT_PTR idEvent, DWORD time);
