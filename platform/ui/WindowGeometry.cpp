// Where windows are: rectangles, coordinate mapping, moving and hit testing.

#include <algorithm>

#include "platform/gdi/SystemMetrics.h"
#include "platform/ui/ScreenLayout.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowSystem.h"

namespace platform {

CRect NonClientInsets(const WindowRecord& rec) {
    CRect insets;
    int frame = 0;
    // A caption is drawn in the screen's top bar, so only a plain border takes room here.
    if ((rec.style & WS_CAPTION) == WS_BORDER)
        frame += 1;
    if (rec.exStyle & WS_EX_CLIENTEDGE)
        frame += 2;
    if (rec.exStyle & WS_EX_STATICEDGE)
        frame += 1;
    insets.SetRect(frame, frame, frame, frame);
    if (rec.style & WS_VSCROLL)
        insets.right += GetSystemMetrics(SM_CXVSCROLL);
    if (rec.style & WS_HSCROLL)
        insets.bottom += GetSystemMetrics(SM_CYHSCROLL);
    // Never more than the window has.
    const int w = rec.rect.Width(), h = rec.rect.Height();
    insets.left = std::min(insets.left, w);
    insets.right = std::min(insets.right, w - insets.left);
    insets.top = std::min(insets.top, h);
    insets.bottom = std::min(insets.bottom, h - insets.top);
    return insets;
}

CRect WindowRectOnScreen(const WindowRecord& rec) {
    if (!rec.IsChild())
        return rec.rect;
    const WindowRecord* parent = FindRecord(rec.parent);
    if (parent == nullptr)
        return rec.rect;
    return rec.rect + ClientRectOnScreen(*parent).TopLeft();
}

CRect ClientRectOnScreen(const WindowRecord& rec) {
    CRect r = WindowRectOnScreen(rec);
    const CRect insets = NonClientInsets(rec);
    r.DeflateRect(insets.left, insets.top, insets.right, insets.bottom);
    return r;
}

bool IsVisibleOnScreen(const WindowRecord& rec) {
    for (const WindowRecord* r = &rec; r != nullptr;
         r = r->IsChild() ? FindRecord(r->parent) : nullptr) {
        if (!(r->style & WS_VISIBLE))
            return false;
    }
    return true;
}

bool AcceptsInput(const WindowRecord& rec) {
    for (const WindowRecord* r = &rec; r != nullptr;
         r = r->IsChild() ? FindRecord(r->parent) : nullptr) {
        if (!(r->style & WS_VISIBLE) || (r->style & WS_DISABLED))
            return false;
    }
    return true;
}

CRect VisibleRectOnScreen(const WindowRecord& rec) {
    if (!IsVisibleOnScreen(rec))
        return CRect();
    CRect r = WindowRectOnScreen(rec);
    for (const WindowRecord* p = rec.IsChild() ? FindRecord(rec.parent) : nullptr; p != nullptr;
         p = p->IsChild() ? FindRecord(p->parent) : nullptr) {
        const CRect client = ClientRectOnScreen(*p);
        if (!r.IntersectRect(&r, &client))
            return CRect();
    }
    const CRect screen = ScreenBounds();
    if (!r.IntersectRect(&r, &screen))
        return CRect();
    return r;
}

namespace {

// The topmost window under pt among `windows` and their descendants, skipping what cannot take
// input; null when none.
HWND HitTestAmong(const std::vector<HWND>& windows, CPoint pt) {
    for (HWND h : windows) {
        const WindowRecord* r = FindRecord(h);
        if (r == nullptr || !(r->style & WS_VISIBLE) || (r->style & WS_DISABLED))
            continue;
        if (!WindowRectOnScreen(*r).PtInRect(pt))
            continue;
        if (ClientRectOnScreen(*r).PtInRect(pt)) {
            if (HWND inner = HitTestAmong(r->children, pt))
                return inner;
        }
        if (r->exStyle & WS_EX_TRANSPARENT)
            continue;
        return h;
    }
    return nullptr;
}

}  // namespace

}  // namespace platform

using platform::FindRecord;
using platform::Sys;
using platform::WindowRecord;

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect) {
    const WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr || lpRect == nullptr)
        return FALSE;
    *lpRect = platform::WindowRectOnScreen(*rec);
    return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect) {
    const WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr || lpRect == nullptr)
        return FALSE;
    const CRect client = platform::ClientRectOnScreen(*rec);
    *lpRect = CRect(0, 0, client.Width(), client.Height());
    return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
    const WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr || lpPoint == nullptr)
        return FALSE;
    const CPoint origin = platform::ClientRectOnScreen(*rec).TopLeft();
    lpPoint->x += origin.x;
    lpPoint->y += origin.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
    const WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr || lpPoint == nullptr)
        return FALSE;
    const CPoint origin = platform::ClientRectOnScreen(*rec).TopLeft();
    lpPoint->x -= origin.x;
    lpPoint->y -= origin.y;
    return TRUE;
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
    CPoint from, to;
    if (hWndFrom != nullptr) {
        const WindowRecord* r = FindRecord(hWndFrom);
        if (r == nullptr)
            return 0;
        from = platform::ClientRectOnScreen(*r).TopLeft();
    }
    if (hWndTo != nullptr) {
        const WindowRecord* r = FindRecord(hWndTo);
        if (r == nullptr)
            return 0;
        to = platform::ClientRectOnScreen(*r).TopLeft();
    }
    const int dx = from.x - to.x, dy = from.y - to.y;
    for (UINT i = 0; lpPoints != nullptr && i < cPoints; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    return ::SetWindowPos(hWnd, nullptr, x, y, nWidth, nHeight,
                          SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags) {
    WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr || rec->destroying)
        return FALSE;
    const CRect oldVisible = platform::VisibleRectOnScreen(*rec);
    const CRect oldClient = platform::ClientRectOnScreen(*rec);
    CRect r = rec->rect;
    if (!(uFlags & SWP_NOMOVE))
        r.MoveToXY(x, y);
    if (!(uFlags & SWP_NOSIZE)) {
        r.right = r.left + std::max(cx, 0);
        r.bottom = r.top + std::max(cy, 0);
    }
    const bool moved = r.TopLeft() != rec->rect.TopLeft();
    const bool sized = r.Size() != rec->rect.Size();
    rec->rect = r;
    if (!(uFlags & SWP_NOZORDER))
        platform::PlaceInZOrder(*rec, hWndInsertAfter);

    if (!(uFlags & SWP_NOREDRAW)) {
        platform::InvalidateScreenRect(oldVisible);
        platform::InvalidateScreenRect(platform::VisibleRectOnScreen(*rec));
    }
    if (uFlags & SWP_SHOWWINDOW)
        ::ShowWindow(hWnd, (uFlags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    else if (uFlags & SWP_HIDEWINDOW)
        ::ShowWindow(hWnd, SW_HIDE);

    if (!IsWindow(hWnd))
        return TRUE;
    const CRect client = platform::ClientRectOnScreen(*rec);
    if (moved || client.TopLeft() != oldClient.TopLeft()) {
        CPoint origin = client.TopLeft();
        if (rec->IsChild())
            ::ScreenToClient(rec->parent, &origin);
        ::SendMessage(hWnd, WM_MOVE, 0,
                      MAKELPARAM(static_cast<WORD>(origin.x), static_cast<WORD>(origin.y)));
    }
    if (sized || client.Size() != oldClient.Size()) {
        ::SendMessage(
            hWnd, WM_SIZE, SIZE_RESTORED,
            MAKELPARAM(static_cast<WORD>(client.Width()), static_cast<WORD>(client.Height())));
    }
    return TRUE;
}

HWND WindowFromPoint(POINT pt) {
    if (!platform::ScreenBounds().PtInRect(pt) || platform::TopBarRect().PtInRect(pt))
        return nullptr;
    return platform::HitTestAmong(Sys().topLevels, CPoint(pt));
}

HWND ChildWindowFromPoint(HWND hWndParent, POINT pt) {
    const WindowRecord* rec = FindRecord(hWndParent);
    if (rec == nullptr)
        return nullptr;
    const CRect client = platform::ClientRectOnScreen(*rec);
    const CPoint onScreen(pt.x + client.left, pt.y + client.top);
    if (!platform::WindowRectOnScreen(*rec).PtInRect(onScreen))
        return nullptr;
    for (HWND c : rec->children) {
        const WindowRecord* r = FindRecord(c);
        if (r != nullptr && platform::WindowRectOnScreen(*r).PtInRect(onScreen))
            return c;
    }
    return hWndParent;
}
