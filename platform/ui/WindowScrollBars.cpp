// The standard scroll bars of windows (WS_VSCROLL, WS_HSCROLL), and SB_CTL for scroll-bar
// controls, which keep their own state and answer the SBM_ messages.

#include <algorithm>

#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowSystem.h"

using platform::FindRecord;
using platform::WindowRecord;

namespace platform {

CRect StandardBarRect(const WindowRecord& rec, bool vertical) {
    const CRect client = ClientRectOnScreen(rec);
    const CRect window = WindowRectOnScreen(rec);
    if (vertical) {
        if (!(rec.style & WS_VSCROLL))
            return CRect();
        return CRect(client.right, client.top, std::min(window.right, client.right + 13),
                     client.bottom);
    }
    if (!(rec.style & WS_HSCROLL))
        return CRect();
    return CRect(client.left, client.bottom, client.right,
                 std::min(window.bottom, client.bottom + 13));
}

ScrollBarState* StandardBar(WindowRecord& rec, int nBar) {
    if (nBar == SB_VERT)
        return &rec.vscroll;
    if (nBar == SB_HORZ)
        return &rec.hscroll;
    return nullptr;
}

namespace {

void InvalidateBar(const WindowRecord& rec, int nBar) {
    InvalidateScreenRect(StandardBarRect(rec, nBar == SB_VERT) & VisibleRectOnScreen(rec));
}

}  // namespace

}  // namespace platform

int SetScrollInfo(HWND hWnd, int nBar, LPCSCROLLINFO lpsi, BOOL bRedraw) {
    if (lpsi == nullptr)
        return 0;
    if (nBar == SB_CTL) {
        return static_cast<int>(
            ::SendMessage(hWnd, SBM_SETSCROLLINFO, bRedraw, reinterpret_cast<LPARAM>(lpsi)));
    }
    WindowRecord* rec = FindRecord(hWnd);
    platform::ScrollBarState* bar = rec != nullptr ? platform::StandardBar(*rec, nBar) : nullptr;
    if (bar == nullptr)
        return 0;
    const int pos = bar->Set(*lpsi);
    // A standard bar shows only while there is something to scroll, unless asked to stay.
    const DWORD styleBit = nBar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    const bool shown = (rec->style & styleBit) != 0;
    if (lpsi->fMask & SIF_DISABLENOSCROLL) {
        bar->disabled = !bar->CanScroll();
        if (!shown)
            ::ShowScrollBar(hWnd, nBar, TRUE);
    } else if (bar->CanScroll() != shown) {
        ::ShowScrollBar(hWnd, nBar, bar->CanScroll() ? TRUE : FALSE);
    }
    if ((rec = FindRecord(hWnd)) != nullptr && bRedraw)
        platform::InvalidateBar(*rec, nBar);
    return pos;
}

BOOL GetScrollInfo(HWND hWnd, int nBar, LPSCROLLINFO lpsi) {
    if (lpsi == nullptr)
        return FALSE;
    if (nBar == SB_CTL)
        return static_cast<BOOL>(
            ::SendMessage(hWnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(lpsi)));
    WindowRecord* rec = FindRecord(hWnd);
    platform::ScrollBarState* bar = rec != nullptr ? platform::StandardBar(*rec, nBar) : nullptr;
    if (bar == nullptr)
        return FALSE;
    bar->Get(*lpsi);
    return TRUE;
}

int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw) {
    SCROLLINFO old;
    old.fMask = SIF_POS;
    if (!::GetScrollInfo(hWnd, nBar, &old))
        return 0;
    SCROLLINFO si;
    si.fMask = SIF_POS;
    si.nPos = nPos;
    ::SetScrollInfo(hWnd, nBar, &si, bRedraw);
    return old.nPos;
}

int GetScrollPos(HWND hWnd, int nBar) {
    SCROLLINFO si;
    si.fMask = SIF_POS;
    return ::GetScrollInfo(hWnd, nBar, &si) ? si.nPos : 0;
}

BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    si.nMin = nMinPos;
    si.nMax = nMaxPos;
    ::SetScrollInfo(hWnd, nBar, &si, bRedraw);
    return IsWindow(hWnd);
}

BOOL GetScrollRange(HWND hWnd, int nBar, int* lpMinPos, int* lpMaxPos) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    if (!::GetScrollInfo(hWnd, nBar, &si))
        return FALSE;
    if (lpMinPos != nullptr)
        *lpMinPos = si.nMin;
    if (lpMaxPos != nullptr)
        *lpMaxPos = si.nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow) {
    WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr)
        return FALSE;
    if (wBar == SB_CTL)
        return ::ShowWindow(hWnd, bShow ? SW_SHOW : SW_HIDE), TRUE;
    DWORD bits = 0;
    if (wBar == SB_VERT || wBar == SB_BOTH)
        bits |= WS_VSCROLL;
    if (wBar == SB_HORZ || wBar == SB_BOTH)
        bits |= WS_HSCROLL;
    const DWORD style = bShow ? (rec->style | bits) : (rec->style & ~bits);
    if (style != rec->style)
        ::SetWindowLong(hWnd, GWL_STYLE, static_cast<LONG>(style));
    return TRUE;
}

BOOL EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows) {
    WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr)
        return FALSE;
    if (wSBflags == static_cast<UINT>(SB_CTL)) {
        ::SendMessage(hWnd, SBM_ENABLE_ARROWS, wArrows, 0);
        return TRUE;
    }
    for (int nBar : {SB_HORZ, SB_VERT}) {
        if (wSBflags == static_cast<UINT>(nBar) || wSBflags == static_cast<UINT>(SB_BOTH)) {
            platform::StandardBar(*rec, nBar)->disabled = wArrows == ESB_DISABLE_BOTH;
            platform::InvalidateBar(*rec, nBar);
        }
    }
    return TRUE;
}
