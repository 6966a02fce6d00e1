#pragma once
// Message-map entries for window messages, with the framework's handler signatures:
//
//   ON_WM_CREATE        int OnCreate(LPCREATESTRUCT)        -1 stops the creation
//   ON_WM_DESTROY       void OnDestroy()
//   ON_WM_NCDESTROY     void OnNcDestroy()
//   ON_WM_CLOSE         void OnClose()
//   ON_WM_PAINT         void OnPaint()
//   ON_WM_ERASEBKGND    BOOL OnEraseBkgnd(CDC*)             TRUE: erased
//   ON_WM_SIZE          void OnSize(UINT nType, int cx, int cy)
//   ON_WM_MOVE          void OnMove(int x, int y)
//   ON_WM_SHOWWINDOW    void OnShowWindow(BOOL bShow, UINT nStatus)
//   ON_WM_ENABLE        void OnEnable(BOOL bEnable)
//   ON_WM_LBUTTONDOWN   void OnLButtonDown(UINT nFlags, CPoint point)   client coordinates
//   ON_WM_LBUTTONUP     void OnLButtonUp(UINT nFlags, CPoint point)
//   ON_WM_MOUSEMOVE     void OnMouseMove(UINT nFlags, CPoint point)
//   ON_WM_MOUSEWHEEL    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)   screen point
//   ON_WM_KEYDOWN       void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
//   ON_WM_KEYUP         void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
//   ON_WM_CHAR          void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
//   ON_WM_SETFOCUS      void OnSetFocus(CWnd* pOldWnd)
//   ON_WM_KILLFOCUS     void OnKillFocus(CWnd* pNewWnd)
//   ON_WM_VSCROLL       void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
//   ON_WM_HSCROLL       void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
//   ON_WM_TIMER         void OnTimer(UINT_PTR nIDEvent)
//   ON_WM_ACTIVATE      void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
//   ON_WM_GETDLGCODE    UINT OnGetDlgCode()
//   ON_WM_CANCELMODE    void OnCancelMode()
//   ON_WM_CAPTURECHANGED void OnCaptureChanged(CWnd* pWnd)
//   ON_WM_INITMENUPOPUP void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
//   ON_WM_CTLCOLOR      HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
//
// A handler that wants the default processing as well calls the base class's handler (or
// Default()). The CWnd pointers of focus and activation messages may be null.

#include "platform/ui/CWnd.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WindowDC.h"

class CMenu;
class CScrollBar;

namespace platform {

inline CPoint MsgPoint(const MessageArgs& a) {
    return CPoint(GET_X_LPARAM(a.lParam), GET_Y_LPARAM(a.lParam));
}
inline CWnd* MsgWnd(std::uintptr_t handle) {
    return CWnd::FromHandle(reinterpret_cast<HWND>(handle));
}
inline CDC* MsgDC(WPARAM wParam) {
    return DcFromHandle(reinterpret_cast<HDC>(wParam));
}
// The scroll-bar control that sent a scroll message; null for a window's own bars.
CScrollBar* MsgScrollBar(LPARAM lParam);
CMenu* MsgMenu(WPARAM wParam);

}  // namespace platform

// nCtlColor values of OnCtlColor.
inline constexpr UINT CTLCOLOR_MSGBOX = 0;
inline constexpr UINT CTLCOLOR_EDIT = 1;
inline constexpr UINT CTLCOLOR_LISTBOX = 2;
inline constexpr UINT CTLCOLOR_BTN = 3;
inline constexpr UINT CTLCOLOR_DLG = 4;
inline constexpr UINT CTLCOLOR_SCROLLBAR = 5;
inline constexpr UINT CTLCOLOR_STATIC = 6;

#define JOKEPAD_ON_WM(msg, call) {msg, 0, 0, 0, AFX_THUNK(call)},

#define ON_WM_CREATE()       \
    JOKEPAD_ON_WM(WM_CREATE, \
                  _args.result = _this->OnCreate(reinterpret_cast<LPCREATESTRUCT>(_args.lParam)))
#define ON_WM_DESTROY() JOKEPAD_ON_WM(WM_DESTROY, _this->OnDestroy())
#define ON_WM_NCDESTROY() JOKEPAD_ON_WM(WM_NCDESTROY, _this->OnNcDestroy())
#define ON_WM_CLOSE() JOKEPAD_ON_WM(WM_CLOSE, _this->OnClose())
#define ON_WM_PAINT() JOKEPAD_ON_WM(WM_PAINT, _this->OnPaint())
#define ON_WM_ERASEBKGND()                                                                \
    JOKEPAD_ON_WM(WM_ERASEBKGND,                                                          \
                  _args.result = platform::MsgDC(_args.wParam) != nullptr                 \
                                     ? _this->OnEraseBkgnd(platform::MsgDC(_args.wParam)) \
                                     : 0)
#define ON_WM_SIZE()                                                                        \
    JOKEPAD_ON_WM(WM_SIZE, _this->OnSize(static_cast<UINT>(_args.wParam),                   \
                                         LOWORD(static_cast<std::uintptr_t>(_args.lParam)), \
                                         HIWORD(static_cast<std::uintptr_t>(_args.lParam))))
#define ON_WM_MOVE() \
    JOKEPAD_ON_WM(WM_MOVE, _this->OnMove(GET_X_LPARAM(_args.lParam), GET_Y_LPARAM(_args.lParam)))
#define ON_WM_SHOWWINDOW()                                                            \
    JOKEPAD_ON_WM(WM_SHOWWINDOW, _this->OnShowWindow(static_cast<BOOL>(_args.wParam), \
                                                     static_cast<UINT>(_args.lParam)))
#define ON_WM_ENABLE() JOKEPAD_ON_WM(WM_ENABLE, _this->OnEnable(static_cast<BOOL>(_args.wParam)))
#define ON_WM_LBUTTONDOWN()                                                             \
    JOKEPAD_ON_WM(WM_LBUTTONDOWN, _this->OnLButtonDown(static_cast<UINT>(_args.wParam), \
                                                       platform::MsgPoint(_args)))
#define ON_WM_LBUTTONUP()       \
    JOKEPAD_ON_WM(WM_LBUTTONUP, \
                  _this->OnLButtonUp(static_cast<UINT>(_args.wParam), platform::MsgPoint(_args)))
#define ON_WM_MOUSEMOVE()       \
    JOKEPAD_ON_WM(WM_MOUSEMOVE, \
                  _this->OnMouseMove(static_cast<UINT>(_args.wParam), platform::MsgPoint(_args)))
#define ON_WM_MOUSEWHEEL()                                                                       \
    JOKEPAD_ON_WM(WM_MOUSEWHEEL, _args.result = _this->OnMouseWheel(                             \
                                     LOWORD(_args.wParam), GET_WHEEL_DELTA_WPARAM(_args.wParam), \
                                     platform::MsgPoint(_args)))
#define JOKEPAD_ON_KEY(msg, fn)                                                     \
    JOKEPAD_ON_WM(msg, _this->fn(static_cast<UINT>(_args.wParam),                   \
                                 LOWORD(static_cast<std::uintptr_t>(_args.lParam)), \
                                 HIWORD(static_cast<std::uintptr_t>(_args.lParam))))
#define ON_WM_KEYDOWN() JOKEPAD_ON_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() JOKEPAD_ON_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() JOKEPAD_ON_KEY(WM_CHAR, OnChar)
#define ON_WM_SETFOCUS() \
    JOKEPAD_ON_WM(WM_SETFOCUS, _this->OnSetFocus(platform::MsgWnd(_args.wParam)))
#define ON_WM_KILLFOCUS() \
    JOKEPAD_ON_WM(WM_KILLFOCUS, _this->OnKillFocus(platform::MsgWnd(_args.wParam)))
#define JOKEPAD_ON_SCROLL(msg, fn)                                           \
    JOKEPAD_ON_WM(msg, _this->fn(LOWORD(_args.wParam), HIWORD(_args.wParam), \
                                 platform::MsgScrollBar(_args.lParam)))
#define ON_WM_VSCROLL() JOKEPAD_ON_SCROLL(WM_VSCROLL, OnVScroll)
#define ON_WM_HSCROLL() JOKEPAD_ON_SCROLL(WM_HSCROLL, OnHScroll)
#define ON_WM_TIMER() JOKEPAD_ON_WM(WM_TIMER, _this->OnTimer(static_cast<UINT_PTR>(_args.wParam)))
#define ON_WM_ACTIVATE()                                                                         \
    JOKEPAD_ON_WM(WM_ACTIVATE,                                                                   \
                  _this->OnActivate(LOWORD(_args.wParam),                                        \
                                    platform::MsgWnd(static_cast<std::uintptr_t>(_args.lParam)), \
                                    HIWORD(_args.wParam)))
#define ON_WM_GETDLGCODE() JOKEPAD_ON_WM(WM_GETDLGCODE, _args.result = _this->OnGetDlgCode())
#define ON_WM_CANCELMODE() JOKEPAD_ON_WM(WM_CANCELMODE, _this->OnCancelMode())
#define ON_WM_CAPTURECHANGED() \
    JOKEPAD_ON_WM(             \
        WM_CAPTURECHANGED,     \
        _this->OnCaptureChanged(platform::MsgWnd(static_cast<std::uintptr_t>(_args.lParam))))
#define ON_WM_INITMENUPOPUP()                                                               \
    JOKEPAD_ON_WM(WM_INITMENUPOPUP,                                                         \
                  _this->OnInitMenuPopup(platform::MsgMenu(_args.wParam),                   \
                                         LOWORD(static_cast<std::uintptr_t>(_args.lParam)), \
                                         HIWORD(static_cast<std::uintptr_t>(_args.lParam))))
#define JOKEPAD_ON_CTLCOLOR(msg, kind)                                                          \
    JOKEPAD_ON_WM(                                                                              \
        msg,                                                                                    \
        _args.result = static_cast<LRESULT>(reinterpret_cast<std::uintptr_t>(_this->OnCtlColor( \
            platform::MsgDC(_args.wParam),                                                      \
            platform::MsgWnd(static_cast<std::uintptr_t>(_args.lParam)), kind))))
#define ON_WM_CTLCOLOR()                                          \
    JOKEPAD_ON_CTLCOLOR(WM_CTLCOLOREDIT, CTLCOLOR_EDIT)           \
    JOKEPAD_ON_CTLCOLOR(WM_CTLCOLORLISTBOX, CTLCOLOR_LISTBOX)     \
    JOKEPAD_ON_CTLCOLOR(WM_CTLCOLORBTN, CTLCOLOR_BTN)             \
    JOKEPAD_ON_CTLCOLOR(WM_CTLCOLORDLG, CTLCOLOR_DLG)             \
    JOKEPAD_ON_CTLCOLOR(WM_CTLCOLORSCROLLBAR, CTLCOLOR_SCROLLBAR) \
    JOKEPAD_ON_CTLCOLOR(WM_CTLCOLORSTATIC, CTLCOLOR_STATIC)
