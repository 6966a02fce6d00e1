// What a window does with the messages its own code leaves alone: text, closing, the
// background, its frame and standard scroll bars (drawing and stylus tracking), the wheel,
// activation.

#include <algorithm>

#include "platform/gdi/CBrush.h"
#include "platform/gdi/SystemColors.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScrollBarPainter.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WindowSystem.h"

using platform::FindRecord;
using platform::Sys;
using platform::WindowRecord;

namespace platform {

namespace {

void PaintNonClient(WindowRecord& rec) {
    Screen& screen = Screen::Instance();
    CRect clip = VisibleRectOnScreen(rec);
    if (screen.PaintingWindow() == rec.handle)
        clip &= screen.PaintClip();
    CDC dc;
    AttachWindowDC(dc, rec.handle, true, &clip);
    const CRect onScreen = WindowRectOnScreen(rec);
    CRect r(0, 0, onScreen.Width(), onScreen.Height());
    if ((rec.style & WS_CAPTION) == WS_BORDER) {
        dc.Draw3dRect(&r, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
        r.DeflateRect(1, 1);
    }
    if (rec.exStyle & WS_EX_CLIENTEDGE) {
        dc.Draw3dRect(&r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        r.DeflateRect(1, 1);
        dc.Draw3dRect(&r, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
        r.DeflateRect(1, 1);
    }
    if (rec.exStyle & WS_EX_STATICEDGE) {
        dc.Draw3dRect(&r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        r.DeflateRect(1, 1);
    }
    const CRect vbar = StandardBarRect(rec, true) - onScreen.TopLeft();
    const CRect hbar = StandardBarRect(rec, false) - onScreen.TopLeft();
    if (!vbar.IsRectEmpty())
        PaintScrollBar(dc, vbar, rec.vscroll, true);
    if (!hbar.IsRectEmpty())
        PaintScrollBar(dc, hbar, rec.hscroll, false);
    if (!vbar.IsRectEmpty() && !hbar.IsRectEmpty()) {
        const CRect corner(vbar.left, hbar.top, vbar.right, hbar.bottom);
        dc.FillSolidRect(&corner, GetSysColor(COLOR_BTNFACE));
    }
}

LRESULT HitTest(const WindowRecord& rec, CPoint pt) {
    if (!WindowRectOnScreen(rec).PtInRect(pt))
        return HTNOWHERE;
    if (ClientRectOnScreen(rec).PtInRect(pt))
        return HTCLIENT;
    if (StandardBarRect(rec, true).PtInRect(pt))
        return HTVSCROLL;
    if (StandardBarRect(rec, false).PtInRect(pt))
        return HTHSCROLL;
    return HTBORDER;
}

UINT ScrollCode(ScrollPart part) {
    switch (part) {
        case ScrollPart::LineUp:
            return SB_LINEUP;
        case ScrollPart::LineDown:
            return SB_LINEDOWN;
        case ScrollPart::PageUp:
            return SB_PAGEUP;
        case ScrollPart::PageDown:
            return SB_PAGEDOWN;
        default:
            return SB_ENDSCROLL;
    }
}

int Along(CPoint pt, bool vertical) {
    return vertical ? pt.y : pt.x;
}

void InvalidateBar(const WindowRecord& rec, bool vertical) {
    InvalidateScreenRect(StandardBarRect(rec, vertical) & VisibleRectOnScreen(rec));
}

// The bar the stylus is tracking, or null.
ScrollBarState* TrackedBar(WindowRecord& rec, bool* vertical) {
    if (rec.vscroll.tracking != ScrollPart::None) {
        *vertical = true;
        return &rec.vscroll;
    }
    if (rec.hscroll.tracking != ScrollPart::None) {
        *vertical = false;
        return &rec.hscroll;
    }
    return nullptr;
}

void StartTracking(WindowRecord& rec, WPARAM hit, CPoint pt) {
    if (hit != static_cast<WPARAM>(HTVSCROLL) && hit != static_cast<WPARAM>(HTHSCROLL))
        return;
    const bool vertical = hit == static_cast<WPARAM>(HTVSCROLL);
    ScrollBarState& bar = vertical ? rec.vscroll : rec.hscroll;
    const CRect barRect = StandardBarRect(rec, vertical);
    if (bar.disabled || !bar.CanScroll())
        return;
    const ScrollPart part = bar.HitTest(barRect, vertical, pt);
    if (part == ScrollPart::None)
        return;
    const HWND h = rec.handle;
    ::SetCapture(h);
    Sys().captureNonClient = true;
    bar.tracking = part;
    if (part == ScrollPart::Thumb) {
        const ScrollBarGeometry g = bar.Layout(barRect, vertical);
        bar.dragOffset = Along(pt, vertical) - Along(g.thumb.TopLeft(), vertical);
        bar.nTrackPos = bar.nPos;
    }
    InvalidateBar(rec, vertical);
    if (part != ScrollPart::Thumb)
        ::SendMessage(h, vertical ? WM_VSCROLL : WM_HSCROLL, ScrollCode(part), 0);
}

void TrackThumb(WindowRecord& rec, CPoint pt) {
    bool vertical = true;
    ScrollBarState* bar = TrackedBar(rec, &vertical);
    if (bar == nullptr || bar->tracking != ScrollPart::Thumb)
        return;
    const CRect barRect = StandardBarRect(rec, vertical);
    const int pos =
        bar->PositionForThumbEdge(barRect, vertical, Along(pt, vertical) - bar->dragOffset);
    if (pos == bar->nTrackPos)
        return;
    bar->nTrackPos = pos;
    InvalidateBar(rec, vertical);
    ::SendMessage(rec.handle, vertical ? WM_VSCROLL : WM_HSCROLL,
                  MAKEWPARAM(SB_THUMBTRACK, static_cast<WORD>(pos)), 0);
}

void EndTracking(WindowRecord& rec, bool cancelled) {
    bool vertical = true;
    ScrollBarState* bar = TrackedBar(rec, &vertical);
    if (bar == nullptr)
        return;
    const HWND h = rec.handle;
    const ScrollPart part = bar->tracking;
    const int trackPos = bar->nTrackPos;
    bar->tracking = ScrollPart::None;
    InvalidateBar(rec, vertical);
    const UINT msg = vertical ? WM_VSCROLL : WM_HSCROLL;
    if (!cancelled) {
        if (part == ScrollPart::Thumb)
            ::SendMessage(h, msg, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(trackPos)), 0);
        ::SendMessage(h, msg, SB_ENDSCROLL, 0);
    }
    if (Sys().capture == h)
        ::ReleaseCapture();
}

}  // namespace

}  // namespace platform

LRESULT DefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr)
        return 0;
    platform::WindowSystem& sys = Sys();
    switch (message) {
        case WM_NCCREATE:
            return TRUE;
        case WM_SETTEXT:
            rec->text = lParam != 0 ? CString(reinterpret_cast<LPCTSTR>(lParam)) : CString();
            if (!rec->IsChild())
                platform::InvalidateScreenRect(platform::TopBarRect());
            return TRUE;
        case WM_GETTEXT: {
            auto* buffer = reinterpret_cast<LPTSTR>(lParam);
            const int max = static_cast<int>(wParam);
            if (buffer == nullptr || max <= 0)
                return 0;
            const int n = std::min(rec->text.GetLength(), max - 1);
            std::copy_n(rec->text.GetString(), n, buffer);
            buffer[n] = 0;
            return n;
        }
        case WM_GETTEXTLENGTH:
            return rec->text.GetLength();
        case WM_CLOSE:
            ::DestroyWindow(hWnd);
            return 0;
        case WM_ERASEBKGND: {
            CDC* dc = platform::DcFromHandle(reinterpret_cast<HDC>(wParam));
            if (dc == nullptr || rec->backgroundColor == -1)
                return 0;
            CRect client;
            ::GetClientRect(hWnd, &client);
            CBrush brush(GetSysColor(rec->backgroundColor));
            dc->FillRect(&client, &brush);
            return 1;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            ::BeginPaint(hWnd, &ps);
            ::EndPaint(hWnd, &ps);
            return 0;
        }
        case WM_NCPAINT:
            platform::PaintNonClient(*rec);
            return 0;
        case WM_NCHITTEST:
            return platform::HitTest(*rec, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        case WM_NCLBUTTONDOWN:
            platform::StartTracking(*rec, wParam,
                                    CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            return 0;
        case WM_NCMOUSEMOVE:
            platform::TrackThumb(*rec, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            return 0;
        case WM_NCLBUTTONUP:
            platform::EndTracking(*rec, false);
            return 0;
        case WM_CANCELMODE:
            platform::EndTracking(*rec, true);
            if (sys.capture == hWnd)
                ::ReleaseCapture();
            return 0;
        case WM_CAPTURECHANGED:
            if (LParamToHandle(lParam) != hWnd)
                platform::EndTracking(*rec, true);
            return 0;
        case WM_MOUSEWHEEL:
            // Unhandled, the wheel goes to the parent, so a view scrolls under any child.
            if (rec->IsChild())
                return ::SendMessage(rec->parent, message, wParam, lParam);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !rec->IsChild()) {
                if (sys.focusPending != nullptr && platform::IsDescendant(hWnd, sys.focusPending))
                    return 0;
                const WindowRecord* last = FindRecord(rec->lastFocus);
                if (last != nullptr && platform::IsDescendant(hWnd, last->handle) &&
                    platform::AcceptsInput(*last))
                    ::SetFocus(last->handle);
                else
                    ::SetFocus(hWnd);
            }
            return 0;
        case WM_SETFONT:
            rec->font = wParam;
            if (LOWORD(static_cast<std::uintptr_t>(lParam)))
                ::InvalidateRect(hWnd, nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return static_cast<LRESULT>(rec->font);
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR: {
            // Controls ask their parent for colours; the handheld draws them black on white.
            if (CDC* dc = platform::DcFromHandle(reinterpret_cast<HDC>(wParam))) {
                dc->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
                dc->SetBkColor(GetSysColor(COLOR_WINDOW));
            }
            return static_cast<LRESULT>(reinterpret_cast<std::uintptr_t>(
                message == WM_CTLCOLORBTN || message == WM_CTLCOLORSCROLLBAR
                    ? GetSysColorBrush(COLOR_BTNFACE)
                    : GetSysColorBrush(COLOR_WINDOW)));
        }
        default:
            return 0;
    }
}
