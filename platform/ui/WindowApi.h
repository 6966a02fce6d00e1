#pragma once
// The window calls of the platform, with its names and meanings, on window handles. The
// framework's classes (CWnd and what derives from it) are built on these; code may also call
// them directly, as the platform's programs do (::SendMessage, ::GetFocus ...).
//
// Coordinates: a child window's rectangle is kept in its parent's client coordinates; a
// top-level window's in screen coordinates. A window with WS_BORDER (and no caption, which
// the screen's top bar shows instead) has a one-pixel frame, WS_EX_CLIENTEDGE a two-pixel one,
// and each shown standard scroll bar takes 13 pixels of the window; the client area is what
// remains.

#include <memory>

#include "platform/base/Types.h"
#include "platform/gdi/Geometry.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WinTypes.h"
#include "platform/ui/WindowStyles.h"

// --- Creation and the tree ---

// Makes a window of a registered class. A child (WS_CHILD) needs a live parent and takes its
// place at the bottom of its siblings' z-order; a top-level window goes on top of the others,
// owned by parent when one is given. CW_USEDEFAULT in x or cx gives a top-level window the
// screen below the top bar. Null when the class is unknown, the parent is missing or the
// window refused WM_NCCREATE or WM_CREATE.
HWND CreateWindowEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, UINT nID,
                    void* lpParam = nullptr);
// WM_DESTROY, then the children and the owned windows, then WM_NCDESTROY.
BOOL DestroyWindow(HWND hWnd);
BOOL IsWindow(HWND hWnd);

// The parent of a child window, the owner of a top-level one.
HWND GetParent(HWND hWnd);
HWND GetWindow(HWND hWnd, UINT uCmd);
// The topmost child of hWnd; with null, the topmost top-level window.
HWND GetTopWindow(HWND hWnd);
// A direct child by control id.
HWND GetDlgItem(HWND hDlg, int nIDDlgItem);
int GetDlgCtrlID(HWND hWnd);
BOOL IsChild(HWND hWndParent, HWND hWnd);  // any descendant
// The next (or previous) control of hDlg, below it in any depth of WS_EX_CONTROLPARENT
// children, that has WS_TABSTOP and is visible and enabled; wraps around. hCtl may be null.
HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious);

LONG GetWindowLong(HWND hWnd, int nIndex);
// Changing GWL_STYLE changes the frame (borders, scroll bars) at once.
LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong);
// Null-terminated text; the class name is cut to nMaxCount - 1 characters.
int GetClassName(HWND hWnd, LPTSTR lpClassName, int nMaxCount);

BOOL SetWindowText(HWND hWnd, LPCTSTR lpszString);
int GetWindowText(HWND hWnd, LPTSTR lpString, int nMaxCount);
int GetWindowTextLength(HWND hWnd);

// --- Geometry ---

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect);  // screen coordinates
BOOL GetClientRect(HWND hWnd, LPRECT lpRect);  // (0, 0, width, height)
BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint);
BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint);
// From the client coordinates of hWndFrom (the screen when null) to those of hWndTo.
int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints);
BOOL MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL bRepaint);
BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags);
// The topmost visible, enabled window under a screen point; null above the top bar or where no
// window is.
HWND WindowFromPoint(POINT pt);
// The child of hWndParent under a point of its client area (hWndParent itself if none);
// hidden and disabled children count.
HWND ChildWindowFromPoint(HWND hWndParent, POINT pt);

// --- State ---

// Returns whether the window was visible before.
BOOL ShowWindow(HWND hWnd, int nCmdShow);
// Visible only when it and all its ancestors have WS_VISIBLE.
BOOL IsWindowVisible(HWND hWnd);
// Returns whether the window was disabled before.
BOOL EnableWindow(HWND hWnd, BOOL bEnable);
BOOL IsWindowEnabled(HWND hWnd);

// Gives the keyboard focus (WM_KILLFOCUS to the old window, then WM_SETFOCUS), activating the
// window's top-level window; null takes the focus away. Returns the window that had it.
HWND SetFocus(HWND hWnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hWnd);
HWND GetActiveWindow();
HWND SetCapture(HWND hWnd);
BOOL ReleaseCapture();
HWND GetCapture();
// The state of a key as of the message being handled: the high bit is set while it is down.
// Only Ctrl, Shift and Alt (VK_CONTROL, VK_SHIFT, VK_MENU) are known.
short GetKeyState(int nVirtKey);

// --- Messages ---

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int nExitCode);
// Waits for the next message. FALSE for WM_QUIT, and also, with message WM_NULL, when the
// display has said that no input will ever come (a headless run whose input is used up):
// loops then end their work as if the user had closed them. Windows are painted and the
// screen presented whenever the queue runs empty.
BOOL GetMessage(LPMSG lpMsg, HWND hWnd = nullptr, UINT wMsgFilterMin = 0, UINT wMsgFilterMax = 0);
inline constexpr UINT PM_NOREMOVE = 0;
inline constexpr UINT PM_REMOVE = 1;
// Does not wait; input the display has ready counts.
BOOL PeekMessage(LPMSG lpMsg, HWND hWnd = nullptr, UINT wMsgFilterMin = 0, UINT wMsgFilterMax = 0,
                 UINT wRemoveMsg = PM_REMOVE);
// Stylus and key messages for a window that is hidden or disabled, or whose ancestors are,
// are dropped; so is every message for a window that no longer exists.
LRESULT DispatchMessage(const MSG* lpMsg);
// Characters come from the display with their keys already, so there is nothing to translate.
inline BOOL TranslateMessage(const MSG*) {
    return FALSE;
}
DWORD GetMessageTime();
DWORD GetMessagePos();  // x in the low word, y in the high word, screen coordinates
DWORD GetTickCount();

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);

// What a window does with a message its own code leaves alone.
LRESULT DefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// --- Painting ---

// Marks (part of) the client area for repainting; bErase asks for WM_ERASEBKGND first. A null
// rectangle is the whole client area.
BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
BOOL ValidateRect(HWND hWnd, const RECT* lpRect);
// Paints now whatever waits to be painted on the screen, if anything does.
BOOL UpdateWindow(HWND hWnd);
BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, UINT flags);
BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase);

// --- Scroll bars of a window (SB_HORZ, SB_VERT) ---

int SetScrollInfo(HWND hWnd, int nBar, LPCSCROLLINFO lpsi, BOOL bRedraw);
BOOL GetScrollInfo(HWND hWnd, int nBar, LPSCROLLINFO lpsi);
int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw);
int GetScrollPos(HWND hWnd, int nBar);
BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw);
BOOL GetScrollRange(HWND hWnd, int nBar, int* lpMinPos, int* lpMaxPos);
// Shows or hides a standard scroll bar (the WS_VSCROLL / WS_HSCROLL style), which changes the
// client area.
BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow);
inline constexpr UINT ESB_ENABLE_BOTH = 0;
inline constexpr UINT ESB_DISABLE_BOTH = 3;
BOOL EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows);

class CObject;
class CWnd;

namespace platform {

// Objects the window system deletes. An adopted window object (a frame, a view) is deleted
// after its window is destroyed, when its PostNcDestroy releases it; deletion waits until no
// handler is running, so a handler may destroy its own window and return safely.
void AdoptWindowObject(std::unique_ptr<CWnd> object);
// Deletes an adopted object once no handler is running; does nothing for others.
void ReleaseWindowObject(CWnd* object);
void DeleteLater(std::unique_ptr<CObject> object);

// The time base of message times, in milliseconds.
DWORD Now();

// Frees the objects of windows destroyed so far (frames, views, documents ...), which wait
// until no handler is running. The loops do it themselves; code that runs no loop, such as a
// test, calls it.
void FlushDeferredDeletes();

// How many windows exist: a check for tests that nothing was left behind.
int WindowCount();

}  // namespace platform
