#pragma once
// Device contexts on windows. Every window draws straight onto the one screen surface, through
// a context whose origin is the window's client (or window) corner and whose clip is the part
// of it that is visible, narrowed during a paint to the area being repainted.

#include "platform/gdi/CDC.h"
#include "platform/ui/WinTypes.h"

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = FALSE;       // the window must erase the background itself
    RECT rcPaint{0, 0, 0, 0};  // client coordinates
};
using LPPAINTSTRUCT = PAINTSTRUCT*;

// Contexts from a pool of the window layer; each Get... needs its ReleaseDC, BeginPaint its
// EndPaint.
HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint);
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);
HDC GetDC(HWND hWnd);
HDC GetWindowDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hDC);

namespace platform {

// Points dc at a window's part of the screen: its client area, or with whole its whole window
// rectangle. The clip is the visible part, narrowed to clip (screen coordinates) when given.
// FALSE when hwnd names no window; dc then draws nothing.
BOOL AttachWindowDC(CDC& dc, HWND hwnd, bool whole, const CRect* clip);
// Attaches dc for painting the window's client area: clipped to the area the screen is
// repainting (nothing outside a paint the screen started), with WM_ERASEBKGND sent first.
void BeginPaintInto(HWND hwnd, CDC& dc, PAINTSTRUCT& ps);

// The CDC object of a handle that the window layer handed out or lent in a message (paint
// contexts, GetDC's, the context of WM_ERASEBKGND); null for others.
CDC* DcFromHandle(HDC hdc);
void RegisterDC(CDC* dc);
void UnregisterDC(CDC* dc);

}  // namespace platform
